// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The designs of the program's icons, drawn in one of two sets of inks: dark
// lines for light backgrounds, light lines for dark ones.
#pragma once

#include "res/icon_canvas.h"
#include "system/win_types.h"

namespace res {

enum class IconInks { kForLight, kForDark };

// Draws the icon with this resource id; false when there is no such icon.
bool DrawIcon(UINT id, IconCanvas& canvas, IconInks inks);

} // namespace res
