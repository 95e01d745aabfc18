// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/input_mac_dlg.h"

#include "commands/command_builders.h"
#include "res/text/resource_ids.h"

CInputMACDlg::CInputMACDlg() : CDialog(IDD_INPUT_MAC) {}

void CInputMACDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_MAC, m_strMAC);
    DDV_MaxChars(pDX, m_strMAC, static_cast<int>(kMaxMacTextLength));
}
