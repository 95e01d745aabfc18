// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Virtual time for tests: timers fire only when the test moves the clock.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "system/services.h"

class FakeEventLoop : public EventLoop {
public:
    struct Timer {
        UINT ms = 0;
        std::uint64_t due = 0;
    };

    void SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) override;
    void KillTimer(CWnd* wnd, UINT_PTR id) override;
    void KillAllTimers(CWnd* wnd) override;
    void WatchReadable(int fd, std::function<void()> onReadable) override;
    void Unwatch(int fd) override;
    void Sleep(UINT ms) override;
    std::uint64_t NowMs() const override { return m_now; }
    bool Startup() override { return startupSucceeds; }
    void Quit() override { quitRequested = true; }

    // Moves the clock forward, firing every timer that falls due, in time order.
    void Advance(std::uint64_t ms);
    bool IsTimerRunning(const CWnd* wnd, UINT_PTR id) const;
    // The period of a running timer, 0 when it does not run.
    UINT TimerPeriod(const CWnd* wnd, UINT_PTR id) const;
    bool IsWatched(int fd) const { return m_watches.count(fd) != 0; }
    // Calls the readable callback of fd, as the loop does when data waits.
    void SignalReadable(int fd);

    bool startupSucceeds = true;
    bool quitRequested = false;
    std::vector<UINT> sleeps;

private:
    std::uint64_t m_now = 0;
    std::map<std::pair<CWnd*, UINT_PTR>, Timer> m_timers;
    std::map<int, std::function<void()>> m_watches;
};

// Installs itself as the platform's loop for the lifetime of the object.
class ScopedFakeLoop {
public:
    ScopedFakeLoop();
    ~ScopedFakeLoop();
    FakeEventLoop loop;

private:
    EventLoop* m_previous;
};
