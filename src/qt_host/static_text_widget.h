// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A static text control on screen: a label, wrapped to its width, that shows
// the control's text each time the dialog changes it.
#pragma once

#include <QLabel>

#include "qt_host/dialog_control_host.h"

class StaticTextWidget : public QLabel, public DialogControlHost {
public:
    StaticTextWidget(CWnd* wnd, QWidget* parent);

    // WindowHost
    void InvalidateRect(const RECT*, bool) override { ShowControl(); }
    void SetFocus() override {}

private:
    void ShowControl();
};
