// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Dialog data exchange: moves values between a dialog's members and its
// controls in both directions, and checks them on the way back. A check that
// fails tells the user, puts the focus on the field and keeps the dialog open.
#pragma once

#include <string>

#include "system/win_types.h"

class CDialog;
class CDlgControl;
class CWnd;

// Thrown by CDataExchange::Fail and caught by CDialog::UpdateData.
struct CUserException {};

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control the next checks apply to; nullptr when the dialog has no such control.
    CWnd* PrepareCtrl(UINT nIDC);
    CWnd* PrepareEditCtrl(UINT nIDC);
    // Focus on the last prepared control, then abandon the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    CWnd* m_pLastCtrl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Attaches the handle to the dialog's control nIDC (once per showing).
void DDX_Control(CDataExchange* pDX, UINT nIDC, CDlgControl& rControl);
// The text of control nIDC <-> value.
void DDX_Text(CDataExchange* pDX, UINT nIDC, std::string& value);
// Loading: the last edit control takes at most nChars characters.
// Saving: a longer value is refused with the framework's message.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
