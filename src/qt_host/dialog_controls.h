// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The controls of a dialog template that have windows of their own (edit
// fields, IP-address fields, list views, texts the dialog changes) on screen,
// kept in step with the dialog's own control windows.
#pragma once

#include <QWidget>

#include "framework/dialog.h"
#include "framework/resources.h"

class DialogControls {
public:
    explicit DialogControls(CDialog& dialog) : m_dialog(dialog) {}
    // The widget for an input control of the template, or nullptr.
    QWidget* Create(const DialogControlDef& control, QWidget* parent);
    // Gives the focus to the control the dialog's logic asked for, if any.
    void FocusRequested(QWidget* box);

private:
    CDialog& m_dialog;
};
