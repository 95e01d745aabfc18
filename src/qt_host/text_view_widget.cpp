// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/text_view_widget.h"

#include <QFontDatabase>

#include "framework/dialog_controls.h"
#include "qt_host/wire_text.h"

TextViewWidget::TextViewWidget(CWnd* wnd, QWidget* parent) : QPlainTextEdit(parent), DialogControlHost(wnd, this)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    ShowControl();
}

void TextViewWidget::ShowControl()
{
    if (!Alive())
        return;
    const QString text = TextFromBytes(GetControlText(*Window()));
    if (toPlainText() != text)
        setPlainText(text);
}

void TextViewWidget::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    FocusEntered();
}

void TextViewWidget::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    FocusLeft();
}
