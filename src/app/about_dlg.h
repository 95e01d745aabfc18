// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The About box.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
