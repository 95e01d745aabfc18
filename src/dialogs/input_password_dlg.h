// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The dialog that asks for the device password before a command is sent.
#pragma once

#include <string>

#include "framework/data_exchange.h"
#include "framework/dialog.h"

class CInputPasswordDlg : public CDialog {
public:
    CInputPasswordDlg();
    ~CInputPasswordDlg() override;

    // Overwrites the entered password; callers do so once it has been sent.
    void WipePassword();

    std::string m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
