// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The input controls of dialog templates, and thin handles a dialog class keeps
// as members to talk to them. A handle is attached to its control window while
// the dialog runs (DDX_Control) and detached when the window goes.
#pragma once

#include <string>

#include "framework/commctrl.h"
#include "framework/wnd.h"

// A window's text through WM_GETTEXTLENGTH / WM_GETTEXT and WM_SETTEXT.
std::string GetControlText(CWnd& wnd);
void SetControlText(CWnd& wnd, const std::string& text);

class CDlgControl {
public:
    CDlgControl() = default;
    CDlgControl(const CDlgControl&) = delete;
    CDlgControl& operator=(const CDlgControl&) = delete;
    virtual ~CDlgControl() = default;

    void Attach(CWnd* wnd) { m_pWnd = wnd; }
    void Detach() { m_pWnd = nullptr; }
    // The control window, or nullptr while the dialog is not shown.
    CWnd* GetSafeWnd() const { return m_pWnd != nullptr && m_pWnd->IsWindow() ? m_pWnd : nullptr; }

    // Without a window these do nothing and answer 0.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* SetFocus();
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    UINT GetDlgCtrlID() const;

private:
    CWnd* m_pWnd = nullptr;
};

class CEdit : public CDlgControl {
public:
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    // Inserts text as a paste does: limited, and in capitals where the style says so.
    void ReplaceSel(const std::string& text) { SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str())); }
};

class CIPAddressCtrl : public CDlgControl {
public:
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
    {
        SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(nField0, nField1, nField2, nField3));
    }
    void SetAddress(DWORD dwAddress) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress)); }
    // Returns the number of non-blank fields; a blank field reads as 0.
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    int GetAddress(DWORD& dwAddress) const;
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    BOOL IsBlank() const { return SendMessage(IPM_ISBLANK) != 0 ? TRUE : FALSE; }
    void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper)
    {
        SendMessage(IPM_SETRANGE, static_cast<WPARAM>(nField), MAKEIPRANGE(nLower, nUpper));
    }
};
