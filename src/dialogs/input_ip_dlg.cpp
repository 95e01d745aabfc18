// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/input_ip_dlg.h"

#include <cstring>

#include "commands/command_packet.h"
#include "res/text/resource_ids.h"

namespace {

void ShowAddress(CIPAddressCtrl& ctrl, const BYTE (&bytes)[4])
{
    ctrl.SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(bytes[0], bytes[1], bytes[2], bytes[3]));
}

void ReadAddress(const CIPAddressCtrl& ctrl, BYTE (&bytes)[4])
{
    // The count of filled fields does not matter: a blank field is 0.
    ctrl.GetAddress(bytes[0], bytes[1], bytes[2], bytes[3]);
}

BOOL Differs(const BYTE (&a)[4], const BYTE (&b)[4])
{
    return std::memcmp(a, b, sizeof a) != 0 ? TRUE : FALSE;
}

} // namespace

CInputIPDlg::CInputIPDlg() : CDialog(IDD_INPUT_IP) {}

void CInputIPDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IPADDRESS_IP, m_ipCtrl);
    DDX_Control(pDX, IDC_IPADDRESS_MASK, m_maskCtrl);
    DDX_Control(pDX, IDC_IPADDRESS_GATEWAY, m_gatewayCtrl);
}

BOOL CInputIPDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Texts with fewer than four numbers leave the missing bytes zero.
    ParseDottedBytes(m_strIP, m_oldIP);
    ParseDottedBytes(m_strMask, m_oldMask);
    ParseDottedBytes(m_strGateway, m_oldGateway);
    ShowAddress(m_ipCtrl, m_oldIP);
    ShowAddress(m_maskCtrl, m_oldMask);
    ShowAddress(m_gatewayCtrl, m_oldGateway);
    return TRUE; // the focus goes to the IP field
}

void CInputIPDlg::OnOK()
{
    ReadAddress(m_ipCtrl, m_newIP);
    ReadAddress(m_maskCtrl, m_newMask);
    ReadAddress(m_gatewayCtrl, m_newGateway);
    if (Differs(m_newIP, m_oldIP))
        m_bIPChanged = TRUE;
    if (Differs(m_newMask, m_oldMask))
        m_bMaskChanged = TRUE;
    if (Differs(m_newGateway, m_oldGateway))
        m_bGatewayChanged = TRUE;
    CDialog::OnOK();
}
