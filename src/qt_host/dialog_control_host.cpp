// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/dialog_control_host.h"

#include <QWidget>

#include "qt_host/qt_dc.h"

DialogControlHost::DialogControlHost(CWnd* wnd, QWidget* widget) : m_wnd(wnd), m_widget(widget)
{
    m_wnd->SetHost(this);
}

DialogControlHost::~DialogControlHost()
{
    if (m_wnd->GetHost() == this)
        m_wnd->SetHost(nullptr);
}

POINT DialogControlHost::ClientToScreen(POINT pt) const
{
    const QPoint p = m_widget->mapToGlobal(QPoint(pt.x, pt.y));
    return POINT{p.x(), p.y()};
}

POINT DialogControlHost::ScreenToClient(POINT pt) const
{
    const QPoint p = m_widget->mapFromGlobal(QPoint(pt.x, pt.y));
    return POINT{p.x(), p.y()};
}

std::unique_ptr<CDC> DialogControlHost::CreateMeasureDC()
{
    return CreateQtMeasureDC(m_widget->font());
}

void DialogControlHost::FocusEntered()
{
    if (Alive())
        CWnd::FocusChanged(m_wnd);
}

void DialogControlHost::FocusLeft()
{
    // A button or a closing dialog has no control window to take the focus.
    if (CWnd::GetFocus() == m_wnd)
        CWnd::FocusChanged(nullptr);
}
