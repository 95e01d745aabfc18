// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The single-line edit control (window class "Edit"): a text the user types,
// limited in length, optionally turned to capitals or masked on screen. The
// caret stays at the end of the text; there is no selection.
#pragma once

#include "system/win_messages.h"

void RegisterEditControl();
