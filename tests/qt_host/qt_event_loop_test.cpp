// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "framework/wnd.h"
#include "qt_host/qt_event_loop.h"

namespace {

// Counts WM_TIMER per id; may run an action on each.
class TimerWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER) {
            ids.push_back(wParam);
            if (onTimer)
                onTimer(wParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> ids;
    std::function<void(WPARAM)> onTimer;
};

// Runs the loop until done() or the time is up; returns done().
bool RunUntil(const std::function<bool()>& done, int ms = 2000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

void RunFor(int ms)
{
    RunUntil([] { return false; }, ms);
}

class QtEventLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform().loop = &loop;
        ASSERT_TRUE(a.CreateEx(0, "", 0, RECT{}, nullptr, 1));
        ASSERT_TRUE(b.CreateEx(0, "", 0, RECT{}, nullptr, 2));
    }
    void TearDown() override
    {
        a.DestroyWindow();
        b.DestroyWindow();
        Platform().loop = nullptr;
    }
    QtEventLoop loop;
    TimerWnd a, b;
};

} // namespace

TEST_F(QtEventLoopTest, TimersReachTheirWindowUntilKilled)
{
    a.SetTimer(7, 10);
    b.SetTimer(8, 10);
    ASSERT_TRUE(RunUntil([&] { return a.ids.size() >= 2 && b.ids.size() >= 2; }));
    EXPECT_EQ(std::count(a.ids.begin(), a.ids.end(), 7u), static_cast<long>(a.ids.size()));
    EXPECT_EQ(std::count(b.ids.begin(), b.ids.end(), 8u), static_cast<long>(b.ids.size()));

    a.KillTimer(7);
    a.ids.clear();
    const std::size_t bBefore = b.ids.size();
    RunFor(80);
    EXPECT_TRUE(a.ids.empty());
    EXPECT_GT(b.ids.size(), bBefore);
}

TEST_F(QtEventLoopTest, ATimerKilledByItsOwnHandlerFiresOnce)
{
    a.onTimer = [&](WPARAM id) { a.KillTimer(id); };
    a.SetTimer(2, 10);
    ASSERT_TRUE(RunUntil([&] { return !a.ids.empty(); }));
    RunFor(60);
    EXPECT_EQ(a.ids.size(), 1u);
}

TEST_F(QtEventLoopTest, DestroyedWindowsGetNoTimers)
{
    a.SetTimer(1, 10);
    b.SetTimer(1, 10);
    // Without the loop installed, destruction cannot kill the timer itself.
    Platform().loop = nullptr;
    a.DestroyWindow();
    Platform().loop = &loop;
    b.DestroyWindow();
    RunFor(60);
    EXPECT_TRUE(a.ids.empty());
    EXPECT_TRUE(b.ids.empty());
}

TEST_F(QtEventLoopTest, ReadableDescriptorCallsBackUntilUnwatched)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    int calls = 0;
    loop.WatchReadable(fds[0], [&] {
        char c;
        ASSERT_EQ(read(fds[0], &c, 1), 1);
        ++calls;
        loop.Unwatch(fds[0]);
    });
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    EXPECT_TRUE(RunUntil([&] { return calls == 1; }));
    ASSERT_EQ(write(fds[1], "y", 1), 1);
    RunFor(50);
    EXPECT_EQ(calls, 1);
    close(fds[0]);
    close(fds[1]);
}

TEST_F(QtEventLoopTest, SleepBlocksWithoutHandlingMessages)
{
    a.SetTimer(3, 10);
    const std::uint64_t before = loop.NowMs();
    loop.Sleep(40);
    EXPECT_GE(loop.NowMs() - before, 40u);
    EXPECT_TRUE(a.ids.empty());
}
