// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The event loop's services on Qt's loop: window timers, socket
// notifications, sleeping and the clock.
#pragma once

#include <QObject>
#include <map>
#include <utility>

#include "system/services.h"

class QTimer;
class QSocketNotifier;

class QtEventLoop : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) override;
    void KillTimer(CWnd* wnd, UINT_PTR id) override;
    void KillAllTimers(CWnd* wnd) override;
    void WatchReadable(int fd, std::function<void()> onReadable) override;
    void Unwatch(int fd) override;
    void Sleep(UINT ms) override;
    std::uint64_t NowMs() const override;

private:
    struct Watch {
        QSocketNotifier* notifier = nullptr;
        std::function<void()> onReadable;
    };
    void Fire(CWnd* wnd, UINT_PTR id);
    static void Discard(QObject* object);

    // Parent of the timers and notifiers, so none outlives the loop.
    QObject m_context;
    std::map<std::pair<CWnd*, UINT_PTR>, QTimer*> m_timers;
    std::map<int, Watch> m_watches;
};
