// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether an X server answers at a display name, asked before Qt starts: Qt
// aborts the program when it cannot connect.
#pragma once

#include <string>

// True without X11 support in the build: then Qt is left to find out.
bool CanOpenXDisplay(const std::string& name);
