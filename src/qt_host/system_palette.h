// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The platform's system colours taken from the desktop's palette.
#pragma once

class QPalette;

// Fills the system colours from the palette; returns whether any changed.
bool ApplySystemPalette(const QPalette& palette);
