// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The dialog that asks for a device's new IP address, subnet mask and gateway.
// The caller gives the current values as text; on confirmation the dialog holds
// the entered values and which of them differ from the ones it was given.
#pragma once

#include <string>

#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/dialog_controls.h"

class CInputIPDlg : public CDialog {
public:
    CInputIPDlg();

    std::string m_strIP;
    BYTE m_newIP[4]{};
    CIPAddressCtrl m_ipCtrl;
    CIPAddressCtrl m_maskCtrl;
    CIPAddressCtrl m_gatewayCtrl;
    BYTE m_oldIP[4]{};
    BYTE m_oldMask[4]{};
    BYTE m_oldGateway[4]{};
    BYTE m_newMask[4]{};
    std::string m_strMask;
    std::string m_strGateway;
    BYTE m_newGateway[4]{};
    // Set by a confirmation that changed the value; a later showing of the
    // same object does not clear them.
    BOOL m_bIPChanged = FALSE;
    BOOL m_bMaskChanged = FALSE;
    BOOL m_bGatewayChanged = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

public:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
