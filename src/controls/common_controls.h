// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The common controls: registers the window classes of the list view
// ("SysListView32"), its header ("SysHeader32"), the edit control ("Edit")
// and the IP address control ("SysIPAddress32"). Programs call it at start.
#pragma once

#include "system/win_types.h"

void InitCommonControls();

// The version of the common controls, as the platform's library reports it.
struct DLLVERSIONINFO {
    DWORD cbSize = 0;
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformID = 0;
};
// Fills the version of these controls (6.0: header sort arrows, the platform's
// look); a negative result when the record's size is not that of the record.
long DllGetVersion(DLLVERSIONINFO* info);
