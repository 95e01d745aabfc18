// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Typing in the filter field with thousands of devices listed: the real
// program (Qt's offscreen platform) takes N answers as real datagrams, then a
// key press goes to the tool bar's real line edit, and the time runs until
// the window's next paint shows the filtered rows. Each iteration types one
// character (the list narrows to the devices holding it) and then erases it
// (every device comes back in sorted place); both are reported.
// Left out: putting pixels on a real screen (the offscreen platform keeps the
// window in memory) and the compositor's frame after our paint; the input
// method and the X server before the key reaches the widget.
//
// The program sends its probe to the limited broadcast address, so this runs
// only in a network namespace where loopback is the only interface.
#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <thread>

#include "running_program.h"

namespace {

using namespace bench_program;

// Sends one key to the field and turns the loop until the list's next paint;
// milliseconds from the key to that paint, or -1 when none came in 2 s.
double KeyToPaintMs(RunningProgram& program, QWidget* field, int key, const QString& text)
{
    WindowWidget* widget = program.Widget();
    Clock::time_point painted{};
    const auto connection = QObject::connect(widget, &WindowWidget::Painted, [&] {
        if (painted == Clock::time_point{})
            painted = Clock::now();
    });
    const Clock::time_point pressed = Clock::now();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(field, &release);
    while (painted == Clock::time_point{} && Clock::now() - pressed < std::chrono::seconds(2))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(connection);
    return painted == Clock::time_point{} ? -1 : std::chrono::duration<double, std::milli>(painted - pressed).count();
}

// Sends the answers and turns the loop until every one is a row, or nothing
// changed for two seconds; the rows listed.
int ListAnswers(RunningProgram& program, const std::vector<packet::Bytes>& answers)
{
    Burst burst;
    std::thread sender([&] { burst.Send(answers, 4000); });
    int rows = -1;
    auto lastChange = Clock::now();
    while (program.Rows() < static_cast<int>(answers.size()) && Clock::now() - lastChange < std::chrono::seconds(2)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (program.Rows() != rows) {
            rows = program.Rows();
            lastChange = Clock::now();
        }
    }
    sender.join();
    RunningProgram::Turn(100);
    return program.Rows();
}

void BM_DesktopFilterKeystroke(benchmark::State& state)
{
    if (!OnlyLoopback()) {
        state.SkipWithError("the program broadcasts its probe: run inside a network namespace (scripts/bench.sh)");
        return;
    }
    const int n = static_cast<int>(state.range(0));
    RunningProgram program;
    if (!program.Started() || program.Widget() == nullptr) {
        state.SkipWithError("the program did not start");
        return;
    }
    auto* frame = dynamic_cast<FrameWindow*>(program.Widget()->window());
    auto* field = frame ? frame->findChild<QLineEdit*>(QStringLiteral("toolField%1").arg(ID_FILTER_FIELD)) : nullptr;
    if (field == nullptr) {
        state.SkipWithError("no filter field in the tool bar");
        return;
    }
    program.Refresh();
    const int listed = ListAnswers(program, Answers(n));
    if (listed != n) {
        state.SkipWithError("not every answer became a row (kernel drops?)");
        return;
    }
    field->setFocus();
    std::vector<double> typed;
    std::vector<double> erased;
    double shownAfterTyping = 0;
    for (auto _ : state) {
        typed.push_back(KeyToPaintMs(program, field, Qt::Key_7, QStringLiteral("7")));
        shownAfterTyping = program.Rows();
        state.SetIterationTime(std::max(0.0, typed.back()) / 1e3);
        state.PauseTiming();
        erased.push_back(KeyToPaintMs(program, field, Qt::Key_Backspace, QString()));
        state.ResumeTiming();
    }
    auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return v.empty() ? 0.0 : sum / static_cast<double>(v.size());
    };
    auto worst = [](const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); };
    state.counters["devices"] = n;
    state.counters["rows_after_key"] = shownAfterTyping;
    state.counters["key_to_paint_ms"] = mean(typed);
    state.counters["key_to_paint_worst_ms"] = worst(typed);
    state.counters["erase_to_paint_ms"] = mean(erased);
    state.counters["erase_to_paint_worst_ms"] = worst(erased);
    state.counters["rows_after_erase"] = program.Rows();
}
BENCHMARK(BM_DesktopFilterKeystroke)->Arg(5000)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

#endif
