// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The dialog that asks for a device's new MAC address as text. It limits the
// length; the command that uses the text checks its form.
#pragma once

#include <string>

#include "framework/data_exchange.h"
#include "framework/dialog.h"

class CInputMACDlg : public CDialog {
public:
    CInputMACDlg();

    std::string m_strMAC;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
