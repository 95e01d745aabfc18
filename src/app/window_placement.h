// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The main frame's size and place on the desktop, remembered in the profile
// as "left,top,width,height", and fitted to the screens there are now.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/control_bars.h"

std::string FormatPlacement(const RECT& rc);
// Nothing for a text that is not four numbers, or for a frame too small to
// use, absurdly large or absurdly far.
std::optional<RECT> ParsePlacement(const std::string& text);
// Whether the frame is larger than the whole desktop: a size no screen of it
// could have given, so a value to refuse rather than to shrink.
bool BeyondScreens(const RECT& rc, const std::vector<ScreenArea>& screens);
// The frame on the screen it is most on (the primary one when on none): its
// size clamped to that screen's work area, and moved inside it. Unchanged
// when no screen is known.
RECT KeepOnScreen(const RECT& rc, const std::vector<ScreenArea>& screens);
