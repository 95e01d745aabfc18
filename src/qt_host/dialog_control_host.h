// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the widget showing one of a dialog's control windows does for it: the
// control says when it changed (InvalidateRect), the widget shows its state again.
#pragma once

#include "framework/wnd.h"

class QWidget;

class DialogControlHost : public WindowHost {
public:
    // Hosts wnd until this goes; wnd must outlive the host.
    DialogControlHost(CWnd* wnd, QWidget* widget);
    ~DialogControlHost() override;
    DialogControlHost(const DialogControlHost&) = delete;
    DialogControlHost& operator=(const DialogControlHost&) = delete;

    CWnd* Window() const { return m_wnd; }
    bool Alive() const { return m_wnd->IsWindow(); }

    // WindowHost: the rest is the widget's own business.
    void UpdateWindow() override {}
    void ScrollInfoChanged(int) override {}
    void SetCursorShape(CursorShape) override {}
    POINT ClientToScreen(POINT pt) const override;
    POINT ScreenToClient(POINT pt) const override;
    std::unique_ptr<CDC> CreateMeasureDC() override;
    int ColourDepth() const override { return 32; }

protected:
    // The widget took or lost the keyboard focus.
    void FocusEntered();
    void FocusLeft();

private:
    CWnd* m_wnd;
    QWidget* m_widget;
};
