// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/ip_address_widget.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <algorithm>

IPAddressField::IPAddressField(IPAddressWidget* owner, int index) : QLineEdit(owner), m_owner(owner), m_index(index)
{
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    setMaxLength(3);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    // The fields are reached by typing, arrows and clicks; Tab goes past the control.
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QLineEdit::textEdited, this, [this] { m_owner->FieldEdited(m_index); });
}

void IPAddressField::keyPressEvent(QKeyEvent* e)
{
    const bool plain = !hasSelectedText();
    switch (e->key()) {
    case Qt::Key_Period:
    case Qt::Key_Space:
        // A field just entered (its text selected) does not move on: the dot
        // typed after three digits must not skip a field.
        if (!text().isEmpty() && plain && m_index + 1 < kIPAddressFields)
            m_owner->GoToField(m_index + 1, true);
        return;
    case Qt::Key_Backspace:
        if (plain && cursorPosition() == 0 && m_index > 0) {
            m_owner->GoToField(m_index - 1, false);
            return;
        }
        break;
    case Qt::Key_Left:
        if (plain && cursorPosition() == 0 && m_index > 0 && e->modifiers() == Qt::NoModifier) {
            m_owner->GoToField(m_index - 1, false);
            return;
        }
        break;
    case Qt::Key_Right:
        if (plain && cursorPosition() == text().size() && m_index + 1 < kIPAddressFields &&
            e->modifiers() == Qt::NoModifier) {
            m_owner->GoToField(m_index + 1, false);
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(e);
}

void IPAddressField::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    m_owner->FieldEntered(m_index);
}

void IPAddressField::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    m_owner->FieldLeft();
}

bool IPAddressField::focusNextPrevChild(bool next)
{
    return m_owner->LeaveByTab(next);
}

IPAddressWidget::IPAddressWidget(CWnd* wnd, QWidget* parent) : QFrame(parent), DialogControlHost(wnd, this)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kIPAddressFields; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignCenter);
            layout->addWidget(dot);
        }
        m_fields[static_cast<std::size_t>(i)] = new IPAddressField(this, i);
        layout->addWidget(Field(i), 1);
    }
    ShowControl();
}

void IPAddressWidget::ShowControl()
{
    if (!Alive())
        return;
    for (int i = 0; i < kIPAddressFields; ++i) {
        char digits[4] = {};
        Window()->SendMessage(IPM_GETFIELDTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(digits));
        const QString text = QString::fromLatin1(digits);
        IPAddressField* field = Field(i);
        if (field->text() != text) {
            const int caret = field->cursorPosition();
            field->setText(text);
            field->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
        }
    }
}

void IPAddressWidget::FieldEdited(int index)
{
    if (!Alive())
        return;
    IPAddressField* field = Field(index);
    const QByteArray digits = field->text().toLatin1();
    // The control keeps the value in range; what it keeps comes back through InvalidateRect.
    Window()->SendMessage(IPM_SETFIELDTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(digits.constData()));
    if (field->text().size() == 3 && field->cursorPosition() == 3 && index + 1 < kIPAddressFields)
        GoToField(index + 1, true);
}

void IPAddressWidget::FieldEntered(int index)
{
    // The control learns which field is current; the field keeps the caret
    // where the click or key put it.
    m_followingUser = true;
    FocusEntered();
    if (Alive() && Window()->SendMessage(IPM_GETCURRENTFIELD) != index)
        Window()->SendMessage(IPM_SETFOCUS, static_cast<WPARAM>(index));
    m_followingUser = false;
}

void IPAddressWidget::FieldLeft()
{
    if (!Field(0)->hasFocus() && !Field(1)->hasFocus() && !Field(2)->hasFocus() && !Field(3)->hasFocus() &&
        !QWidget::hasFocus())
        FocusLeft();
}

void IPAddressWidget::GoToField(int index, bool selectAll)
{
    IPAddressField* field = Field(index);
    field->setFocus(Qt::OtherFocusReason);
    if (selectAll)
        field->selectAll();
    else
        field->end(false);
}

bool IPAddressWidget::LeaveByTab(bool next)
{
    // Step from the control itself, wherever its fields sit in Qt's focus chain.
    for (QWidget* w = next ? nextInFocusChain() : previousInFocusChain(); w != this;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(window()) && w->isEnabled() &&
            !isAncestorOf(w) && w->window() == window()) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void IPAddressWidget::SetFocus()
{
    if (m_followingUser)
        return;
    const auto current = Alive() ? static_cast<int>(Window()->SendMessage(IPM_GETCURRENTFIELD)) : 0;
    GoToField(std::clamp(current, 0, kIPAddressFields - 1), true);
}

void IPAddressWidget::focusInEvent(QFocusEvent* e)
{
    QFrame::focusInEvent(e);
    // Tabbing into the control starts at its first field.
    const bool byTab = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason;
    const auto current = Alive() && !byTab ? static_cast<int>(Window()->SendMessage(IPM_GETCURRENTFIELD)) : 0;
    GoToField(std::clamp(current, 0, kIPAddressFields - 1), true);
}
