// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/qt_event_loop.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>

#include "framework/wnd.h"

QtEventLoop::QtEventLoop() = default;

QtEventLoop::~QtEventLoop()
{
    // m_context deletes the timers and notifiers.
    m_timers.clear();
    m_watches.clear();
}

void QtEventLoop::Discard(QObject* object)
{
    // The object may be the sender of the signal being handled: stop it now,
    // delete it once the loop is back.
    if (auto* timer = qobject_cast<QTimer*>(object))
        timer->stop();
    if (auto* notifier = qobject_cast<QSocketNotifier*>(object))
        notifier->setEnabled(false);
    object->disconnect();
    object->deleteLater();
}

void QtEventLoop::SetTimer(CWnd* wnd, UINT_PTR id, UINT ms)
{
    if (wnd == nullptr)
        return;
    const auto key = std::make_pair(wnd, id);
    QTimer*& timer = m_timers[key];
    if (timer == nullptr) {
        timer = new QTimer(&m_context);
        QObject::connect(timer, &QTimer::timeout, timer, [this, wnd, id] { Fire(wnd, id); });
    }
    // The platform raises shorter periods to 10 ms; a running timer restarts.
    timer->start(static_cast<int>(std::max<UINT>(ms, 10)));
}

void QtEventLoop::KillTimer(CWnd* wnd, UINT_PTR id)
{
    const auto it = m_timers.find(std::make_pair(wnd, id));
    if (it == m_timers.end())
        return;
    Discard(it->second);
    m_timers.erase(it);
}

void QtEventLoop::KillAllTimers(CWnd* wnd)
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->first.first == wnd) {
            Discard(it->second);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

void QtEventLoop::Fire(CWnd* wnd, UINT_PTR id)
{
    // Destroying a window kills its timers, so the window is still an object
    // here; it may have been destroyed as a window only.
    if (!wnd->IsWindow()) {
        KillTimer(wnd, id);
        return;
    }
    wnd->SendMessage(WM_TIMER, id, 0);
}

void QtEventLoop::WatchReadable(int fd, std::function<void()> onReadable)
{
    Unwatch(fd);
    Watch& watch = m_watches[fd];
    watch.onReadable = std::move(onReadable);
    watch.notifier = new QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Read, &m_context);
    QObject::connect(watch.notifier, &QSocketNotifier::activated, watch.notifier, [this, fd] {
        const auto it = m_watches.find(fd);
        if (it == m_watches.end())
            return;
        // A copy: the handler may unwatch or watch again, replacing the entry.
        const std::function<void()> handler = it->second.onReadable;
        if (handler)
            handler();
    });
}

void QtEventLoop::Unwatch(int fd)
{
    const auto it = m_watches.find(fd);
    if (it == m_watches.end())
        return;
    Discard(it->second.notifier);
    m_watches.erase(it);
}

void QtEventLoop::Sleep(UINT ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint64_t QtEventLoop::NowMs() const
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
