// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The tint of the sort column, a shade off the list's background: a light
// background gets a little darker, any other a little lighter.
#pragma once

#include "system/win_types.h"

COLORREF SortColumnTint(COLORREF background);
