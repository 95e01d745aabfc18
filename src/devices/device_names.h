// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The names the list shows for the device models, from the string table.
#pragma once

#include <cstdint>
#include <string>

namespace device {

// "J-K700-V", "J-K700-W", or the unknown model's name for any other code.
std::string ModelName(std::uint8_t model);

} // namespace device
