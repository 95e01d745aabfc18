// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The desktop program taking in a burst of answers: N real datagrams sent as
// fast as one thread can to the real program's discovery socket, read by its
// real event loop, turned into rows, sorted into place and painted in its
// window (Qt's offscreen platform). Beside it, in the same run, a bare receive
// loop on the same datagrams as the ceiling.
//
// Reported per answer: the program's CPU time (the whole process, Qt's helper
// threads included, less the sending thread's own), answers kept as rows,
// datagrams the kernel dropped, and the time from the first answer sent to the
// first paint that shows the last row; for the bare loop its CPU time per
// answer and the time to its last datagram.
// Left out: putting pixels on a real screen (the offscreen platform keeps the
// window in memory), and the network between hosts (loopback).
//
// The program sends its probe to the limited broadcast address, so this runs
// only where loopback is the only network interface: a network namespace of
// its own (scripts/bench.sh makes one); anywhere else it is skipped.
#ifdef VARNEX_BENCH_QT

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "app/varnex_app.h"
#include "framework/frame_wnd.h"
#include "qt_bench_app.h"
#include "qt_host/frame_window.h"
#include "qt_host/shell_services.h"
#include "qt_host/window_widget.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "running_program.h"
#include "view/varnex_view.h"

namespace {

using namespace bench_program;

struct IngestResult {
    double cpuPerAnswerUs = 0;
    int kept = 0;
    long long dropped = 0;
    double firstToLastPaintMs = 0;
};

// One burst into the running program; the list starts empty.
IngestResult IngestOnce(RunningProgram& program, const std::vector<packet::Bytes>& answers)
{
    const int n = static_cast<int>(answers.size());
    WindowWidget* widget = program.Widget();
    Clock::time_point lastRowPainted{};
    const auto connection = QObject::connect(widget, &WindowWidget::Painted, [&] {
        if (lastRowPainted == Clock::time_point{} && program.Rows() == n)
            lastRowPainted = Clock::now();
    });
    Burst burst;
    const double cpuBefore = ProcessCpuSeconds();
    std::thread sender([&] { burst.Send(answers, 4000); });
    // Until the last row is painted, or nothing has changed for two seconds.
    int rows = -1;
    auto lastChange = Clock::now();
    while (lastRowPainted == Clock::time_point{} && Clock::now() - lastChange < std::chrono::seconds(2)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (program.Rows() != rows) {
            rows = program.Rows();
            lastChange = Clock::now();
        }
    }
    sender.join();
    const double cpu = ProcessCpuSeconds() - cpuBefore - burst.cpuSeconds;
    QObject::disconnect(connection);

    IngestResult result;
    result.kept = program.Rows();
    result.dropped = program.View()->DiscoverySocket()->GetDroppedCount();
    result.cpuPerAnswerUs = cpu * 1e6 / n;
    result.firstToLastPaintMs = lastRowPainted == Clock::time_point{}
                                    ? -1
                                    : std::chrono::duration<double, std::milli>(lastRowPainted - burst.started).count();
    return result;
}

struct CeilingResult {
    double cpuPerAnswerUs = 0;
    int received = 0;
    double firstToLastMs = 0;
};

// The same burst to a bare socket read in a loop, with the program's buffer size.
CeilingResult BareReceiveLoop(const std::vector<packet::Bytes>& answers)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const int buffer = CListSocket::kReceiveBufferBytes;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    timeval timeout{0, 500000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
    socklen_t length = sizeof at;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length);

    Burst burst;
    const double cpuBefore = ThreadCpuSeconds();
    std::thread sender([&] { burst.Send(answers, ntohs(at.sin_port)); });
    CeilingResult result;
    Clock::time_point last{};
    unsigned char frame[52];
    while (result.received < static_cast<int>(answers.size()) && ::recv(fd, frame, sizeof frame, 0) > 0) {
        ++result.received;
        last = Clock::now();
    }
    result.cpuPerAnswerUs = (ThreadCpuSeconds() - cpuBefore) * 1e6 / static_cast<double>(answers.size());
    sender.join();
    result.firstToLastMs = std::chrono::duration<double, std::milli>(last - burst.started).count();
    ::close(fd);
    return result;
}

void BM_DesktopIngestBurst(benchmark::State& state)
{
    if (!OnlyLoopback()) {
        state.SkipWithError("the program broadcasts its probe: run inside a network namespace (scripts/bench.sh)");
        return;
    }
    const std::vector<packet::Bytes> answers = Answers(static_cast<int>(state.range(0)));
    RunningProgram program;
    if (!program.Started() || program.Widget() == nullptr) {
        state.SkipWithError("the program did not start");
        return;
    }
    std::vector<IngestResult> runs;
    std::vector<CeilingResult> ceilings;
    for (auto _ : state) {
        state.PauseTiming();
        program.Refresh();
        state.ResumeTiming();
        runs.push_back(IngestOnce(program, answers));
        state.SetIterationTime(std::max(0.0, runs.back().firstToLastPaintMs) / 1e3);
        ceilings.push_back(BareReceiveLoop(answers));
    }
    auto mean = [](const auto& v, auto field) {
        double sum = 0;
        for (const auto& x : v)
            sum += static_cast<double>(x.*field);
        return v.empty() ? 0.0 : sum / static_cast<double>(v.size());
    };
    auto spread = [](const auto& v, auto field) {
        double lo = 1e300;
        double hi = -1e300;
        double sum = 0;
        for (const auto& x : v) {
            lo = std::min(lo, static_cast<double>(x.*field));
            hi = std::max(hi, static_cast<double>(x.*field));
            sum += static_cast<double>(x.*field);
        }
        return v.empty() || sum == 0 ? 0.0 : (hi - lo) / (sum / static_cast<double>(v.size())) * 100.0;
    };
    state.counters["cpu_us_per_answer"] = mean(runs, &IngestResult::cpuPerAnswerUs);
    state.counters["cpu_spread_pct"] = spread(runs, &IngestResult::cpuPerAnswerUs);
    state.counters["answers_kept"] = mean(runs, &IngestResult::kept);
    state.counters["kernel_drops"] = mean(runs, &IngestResult::dropped);
    state.counters["first_to_last_paint_ms"] = mean(runs, &IngestResult::firstToLastPaintMs);
    state.counters["bare_cpu_us_per_answer"] = mean(ceilings, &CeilingResult::cpuPerAnswerUs);
    state.counters["bare_received"] = mean(ceilings, &CeilingResult::received);
    state.counters["bare_first_to_last_ms"] = mean(ceilings, &CeilingResult::firstToLastMs);
    state.counters["cpu_vs_bare"] =
        mean(runs, &IngestResult::cpuPerAnswerUs) / std::max(1e-9, mean(ceilings, &CeilingResult::cpuPerAnswerUs));
}
BENCHMARK(BM_DesktopIngestBurst)->Arg(1000)->Arg(10000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

#endif
