// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/dialog_controls.h"

#include <QKeyEvent>

#include "qt_host/edit_field_widget.h"
#include "qt_host/ip_address_widget.h"
#include "qt_host/static_text_widget.h"
#include "qt_host/text_view_widget.h"
#include "qt_host/window_widget.h"

namespace {

// A list in a dialog: Esc and Enter belong to the dialog (cancel, the
// default button), as they do beside a list on the platform.
class DialogListWidget : public WindowWidget {
public:
    using WindowWidget::WindowWidget;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (ForTheDialog(e))
            e->ignore();
        else
            WindowWidget::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (ForTheDialog(e))
            e->ignore();
        else
            WindowWidget::keyReleaseEvent(e);
    }

private:
    static bool ForTheDialog(const QKeyEvent* e)
    {
        return e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    }
};

} // namespace

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
    case DialogControlKind::Static:
        return new StaticTextWidget(wnd, parent);
    case DialogControlKind::ListView:
        // Painted and driven as the main window's list is.
        return new DialogListWidget(wnd, parent);
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
