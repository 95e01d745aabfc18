// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The string table on its own, for code that needs the program's texts but no
// window: the command-line tools and the device code.
#pragma once

#include <string>

#include "system/win_types.h"

namespace res {

// The text under `id`, or nullptr when the table has none.
const char* FindString(UINT id);
// The text under `id`, or empty when the table has none.
std::string LoadText(UINT id);

} // namespace res
