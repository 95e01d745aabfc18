// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A read-only edit control of several lines on screen: the text the dialog's
// logic writes, in a fixed font so that its columns line up, for the user to
// read, scroll, select and copy.
#pragma once

#include <QPlainTextEdit>

#include "qt_host/dialog_control_host.h"

class TextViewWidget : public QPlainTextEdit, public DialogControlHost {
    Q_OBJECT
public:
    TextViewWidget(CWnd* wnd, QWidget* parent);

    // WindowHost
    void InvalidateRect(const RECT*, bool) override { ShowControl(); }
    void SetFocus() override { setFocus(Qt::OtherFocusReason); }

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void ShowControl();
};
