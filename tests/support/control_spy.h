// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The control spy: while it lives, every list-view and header window created
// gets its real control procedure wrapped, so that a test sees each message
// the control itself receives, beside what the parent receives. It keeps one
// sequence per window and all of them in the order they happened, and marks
// messages that reached a control without passing its window's message map
// (a direct DefWindowProc call: "passed straight to the control").
#pragma once

#include <set>
#include <vector>

#include "support/message_recorder.h"

// Whether a window is a header made while a spy lived (its control procedure
// is the spy's wrapper, so its class cannot be told from the procedure).
bool IsSpiedHeader(const CWnd* wnd);

class ControlSpy {
public:
    ControlSpy();
    ~ControlSpy();
    ControlSpy(const ControlSpy&) = delete;
    ControlSpy& operator=(const ControlSpy&) = delete;

    // Takes the parent's notifications into the combined sequence too.
    void Watch(MessageRecorder& parent);

    const std::vector<RecordedMessage>& All() const { return m_all; }
    std::vector<RecordedMessage> Of(SpyWindow window) const;
    void Clear() { m_all.clear(); }

    // Messages to the controls left out of every sequence.
    std::set<UINT> ignored;

    // Called by the wrapped control procedures.
    void ControlReceived(SpyWindow window, CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::vector<RecordedMessage> m_all;
    ControlFactory m_realListView = nullptr;
    ControlFactory m_realHeader = nullptr;
    MessageRecorder* m_parent = nullptr;
    ControlSpy* m_previous = nullptr;
};
