// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Qt keys as the platform's virtual keys.
#pragma once

#include <Qt>

#include "system/win_types.h"

// The virtual key of a Qt key (keypad keys have their own codes), or 0 for a
// key the program has no code for.
UINT VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers);
