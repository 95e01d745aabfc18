// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/dialog_controls.h"

#include "qt_host/edit_field_widget.h"
#include "qt_host/ip_address_widget.h"
#include "qt_host/text_view_widget.h"

QWidget* DialogControls::Create(const DialogControlDef& control, QWidget* parent)
{
    // The dialog created the control window before it was shown.
    CWnd* wnd = m_dialog.GetDlgItem(control.id);
    if (wnd == nullptr)
        return nullptr;
    switch (control.kind) {
    case DialogControlKind::Edit:
        if ((control.style & (ES_MULTILINE | ES_READONLY)) == (ES_MULTILINE | ES_READONLY))
            return new TextViewWidget(wnd, parent);
        return new EditFieldWidget(wnd, parent);
    case DialogControlKind::IPAddress:
        return new IPAddressWidget(wnd, parent);
    default:
        return nullptr;
    }
}

void DialogControls::FocusRequested(QWidget*)
{
    // The logic put the focus on one of its controls (OnInitDialog or a failed check).
    CWnd* focus = CWnd::GetFocus();
    if (focus != nullptr && focus->GetParent() == &m_dialog && focus->GetHost() != nullptr)
        focus->GetHost()->SetFocus();
}
