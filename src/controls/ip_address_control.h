// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The IP address control (window class "SysIPAddress32"): four fields of 0 to
// 255, each of which may be blank. The user types digits into the current
// field; three digits or a '.' move on to the next one.
#pragma once

#include "framework/commctrl.h"

void RegisterIPAddressControl();
