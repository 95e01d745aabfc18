// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/edit_field_widget.h"

#include <QFocusEvent>
#include <algorithm>

#include "framework/dialog_controls.h"
#include "framework/resources.h"
#include "qt_host/wire_text.h"

namespace {

// A password's bytes pass through here: overwrite them before they are released.
void Wipe(std::string& s)
{
    volatile char* p = s.data();
    for (std::size_t i = 0; i < s.size(); ++i)
        p[i] = 0;
}

constexpr int kLargestQtLength = 32767;

} // namespace

EditFieldWidget::EditFieldWidget(CWnd* wnd, QWidget* parent) : QLineEdit(parent), DialogControlHost(wnd, this)
{
    if (wnd->GetStyle() & ES_PASSWORD)
        setEchoMode(QLineEdit::Password);
    // Without ES_AUTOHSCROLL the platform stops at the field's width; the
    // length limit is what matters here, so the text simply scrolls.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { UserEdited(text); });
    ShowControl();
}

void EditFieldWidget::ShowControl()
{
    if (!Alive())
        return;
    std::string bytes = GetControlText(*Window());
    const QString text = TextFromBytes(bytes);
    Wipe(bytes);
    const auto limit = static_cast<long long>(static_cast<UINT>(Window()->SendMessage(EM_GETLIMITTEXT)));
    // A text set past the limit is shown whole, as the platform shows it.
    const long long wanted = std::max<long long>(limit, text.size());
    const int length = static_cast<int>(std::clamp<long long>(wanted, 0, kLargestQtLength));
    if (maxLength() != length)
        setMaxLength(length);
    if (this->text() != text) {
        const int caret = cursorPosition();
        setText(text);
        setCursorPosition(std::min(caret, static_cast<int>(text.size())));
    }
}

void EditFieldWidget::UserEdited(const QString& text)
{
    if (!Alive())
        return;
    std::string bytes = BytesFromText(text);
    const auto limit = static_cast<std::size_t>(static_cast<UINT>(Window()->SendMessage(EM_GETLIMITTEXT)));
    const auto current = static_cast<std::size_t>(Window()->SendMessage(WM_GETTEXTLENGTH));
    // Counted in bytes, a character may not fit where Qt's count let it in.
    if (bytes.size() > limit && bytes.size() > current) {
        Wipe(bytes);
        ShowControl();
        return;
    }
    // The control turns letters into capitals where its style says so; its
    // change comes back through InvalidateRect.
    SetControlText(*Window(), bytes);
    Wipe(bytes);
}

void EditFieldWidget::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void EditFieldWidget::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    FocusEntered();
}

void EditFieldWidget::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    FocusLeft();
}
