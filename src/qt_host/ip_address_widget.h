// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// An IP address control window on screen: four small fields with dots between
// them. Digits only; three digits or '.' move on to the next field, Backspace
// in an empty field goes back; Tab leaves the control as a whole.
#pragma once

#include <QFrame>
#include <QLineEdit>
#include <array>

#include "controls/ip_address_control.h"
#include "qt_host/dialog_control_host.h"

class IPAddressWidget;

class IPAddressField : public QLineEdit {
    Q_OBJECT
public:
    IPAddressField(IPAddressWidget* owner, int index);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    IPAddressWidget* m_owner;
    int m_index;
};

class IPAddressWidget : public QFrame, public DialogControlHost {
    Q_OBJECT
public:
    IPAddressWidget(CWnd* wnd, QWidget* parent);

    IPAddressField* Field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }

    // WindowHost
    void InvalidateRect(const RECT*, bool) override { ShowControl(); }
    void SetFocus() override;

    // Called by the fields.
    void FieldEdited(int index);
    void FieldEntered(int index);
    void FieldLeft();
    void GoToField(int index, bool selectAll);
    // Tab from inside a field goes to the control before or after this one.
    bool LeaveByTab(bool next);

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    void ShowControl();

    std::array<IPAddressField*, kIPAddressFields> m_fields{};
    bool m_followingUser = false;
};
