// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Caps, Num and Scroll Lock as the keyboard reports them.
#pragma once

#include "framework/frame_wnd.h"

// Reads the lock state from the X server's keyboard indicators where there is one.
bool ReadLockKey(LockKey key);
