// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/fake_event_loop.h"

#include "framework/wnd.h"

void FakeEventLoop::SetTimer(CWnd* wnd, UINT_PTR id, UINT ms)
{
    m_timers[{wnd, id}] = Timer{ms, m_now + ms};
}

void FakeEventLoop::KillTimer(CWnd* wnd, UINT_PTR id)
{
    m_timers.erase({wnd, id});
}

void FakeEventLoop::KillAllTimers(CWnd* wnd)
{
    for (auto it = m_timers.begin(); it != m_timers.end();)
        it = it->first.first == wnd ? m_timers.erase(it) : std::next(it);
}

void FakeEventLoop::WatchReadable(int fd, std::function<void()> onReadable)
{
    m_watches[fd] = std::move(onReadable);
}

void FakeEventLoop::Unwatch(int fd)
{
    m_watches.erase(fd);
}

void FakeEventLoop::Sleep(UINT ms)
{
    sleeps.push_back(ms);
    m_now += ms; // time passes, but nothing is handled meanwhile
}

void FakeEventLoop::Advance(std::uint64_t ms)
{
    const std::uint64_t end = m_now + ms;
    while (true) {
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
            if (it->second.due <= end && (next == m_timers.end() || it->second.due < next->second.due))
                next = it;
        if (next == m_timers.end())
            break;
        m_now = std::max(m_now, next->second.due);
        CWnd* wnd = next->first.first;
        const UINT_PTR id = next->first.second;
        next->second.due = m_now + std::max<UINT>(1, next->second.ms);
        wnd->SendMessage(WM_TIMER, id, 0);
    }
    m_now = end;
}

bool FakeEventLoop::IsTimerRunning(const CWnd* wnd, UINT_PTR id) const
{
    return m_timers.count({const_cast<CWnd*>(wnd), id}) != 0;
}

UINT FakeEventLoop::TimerPeriod(const CWnd* wnd, UINT_PTR id) const
{
    auto it = m_timers.find({const_cast<CWnd*>(wnd), id});
    return it == m_timers.end() ? 0 : it->second.ms;
}

void FakeEventLoop::SignalReadable(int fd)
{
    auto it = m_watches.find(fd);
    if (it != m_watches.end()) {
        auto callback = it->second;
        callback();
    }
}

ScopedFakeLoop::ScopedFakeLoop() : m_previous(Platform().loop)
{
    Platform().loop = &loop;
}

ScopedFakeLoop::~ScopedFakeLoop()
{
    Platform().loop = m_previous;
}
