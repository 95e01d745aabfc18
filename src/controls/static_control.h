// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The static text control (window class "Static"): a text a dialog shows and
// changes as it runs, such as a note on what it found. It never takes the focus.
#pragma once

#include "system/win_messages.h"

void RegisterStaticControl();
