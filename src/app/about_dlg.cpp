// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/about_dlg.h"

#include "res/text/resource_ids.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
