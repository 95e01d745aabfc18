// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The common controls: registers the window classes of the list view
// ("SysListView32"), its header ("SysHeader32"), the edit control ("Edit"),
// the IP address control ("SysIPAddress32") and the static text ("Static").
// Programs call it at start.
#pragma once

#include "system/win_types.h"

void InitCommonControls();
