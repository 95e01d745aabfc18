// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The main frame's size and place on the desktop, remembered in the profile
// as "left,top,width,height".
#pragma once

#include <optional>
#include <string>

#include "system/win_types.h"

std::string FormatPlacement(const RECT& rc);
// Nothing for a text that is not four numbers, or for a frame too small to
// use or far off any screen.
std::optional<RECT> ParsePlacement(const std::string& text);
