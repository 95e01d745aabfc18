// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// An edit control window on screen: a line edit that shows the control's text
// and limit, and hands what the user types to the control, which may refuse
// it or turn it into capitals.
#pragma once

#include <QLineEdit>

#include "qt_host/dialog_control_host.h"

class EditFieldWidget : public QLineEdit, public DialogControlHost {
    Q_OBJECT
public:
    EditFieldWidget(CWnd* wnd, QWidget* parent);

    // WindowHost
    void InvalidateRect(const RECT*, bool) override { ShowControl(); }
    void SetFocus() override;

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void ShowControl();
    void UserEdited(const QString& text);
};
