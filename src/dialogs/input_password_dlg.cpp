// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/input_password_dlg.h"

#include "commands/command_builders.h"
#include "res/text/resource_ids.h"

CInputPasswordDlg::CInputPasswordDlg() : CDialog(IDD_INPUT_PASSWORD) {}

CInputPasswordDlg::~CInputPasswordDlg()
{
    WipePassword();
}

void CInputPasswordDlg::WipePassword()
{
    WipeText(m_strPassword);
}

void CInputPasswordDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_PASSWORD, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, static_cast<int>(kMaxPasswordLength));
}
