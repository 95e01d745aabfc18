// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/dialog_parent.h"

#include <QApplication>
#include <QWidget>

#include "framework/wnd.h"

QWidget* DialogParentFor(CWnd* wnd)
{
    for (CWnd* w = wnd; w != nullptr; w = w->GetParent())
        if (auto* widget = dynamic_cast<QWidget*>(w->GetHost()))
            return widget;
    return QApplication::activeWindow();
}
