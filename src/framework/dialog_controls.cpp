// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/dialog_controls.h"

#include <algorithm>

std::string GetControlText(CWnd& wnd)
{
    const auto length = static_cast<std::size_t>(wnd.SendMessage(WM_GETTEXTLENGTH));
    std::string text(length + 1, '\0');
    const auto copied = static_cast<std::size_t>(
        wnd.SendMessage(WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

void SetControlText(CWnd& wnd, const std::string& text)
{
    wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CDlgControl::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    CWnd* wnd = GetSafeWnd();
    return wnd ? wnd->SendMessage(message, wParam, lParam) : 0;
}

CWnd* CDlgControl::SetFocus()
{
    CWnd* wnd = GetSafeWnd();
    return wnd ? wnd->SetFocus() : nullptr;
}

std::string CDlgControl::GetWindowText() const
{
    CWnd* wnd = GetSafeWnd();
    return wnd ? GetControlText(*wnd) : std::string();
}

void CDlgControl::SetWindowText(const std::string& text)
{
    if (CWnd* wnd = GetSafeWnd())
        SetControlText(*wnd, text);
}

UINT CDlgControl::GetDlgCtrlID() const
{
    CWnd* wnd = GetSafeWnd();
    return wnd ? wnd->GetDlgCtrlID() : 0;
}

int CIPAddressCtrl::GetAddress(DWORD& dwAddress) const
{
    dwAddress = 0;
    return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress)));
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD address = 0;
    const int filled = GetAddress(address);
    nField0 = FIRST_IPADDRESS(address);
    nField1 = SECOND_IPADDRESS(address);
    nField2 = THIRD_IPADDRESS(address);
    nField3 = FOURTH_IPADDRESS(address);
    return filled;
}
