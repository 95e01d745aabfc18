// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Searches this process's writable memory (heap, anonymous mappings, data)
// for a secret, as one would look for a password left behind. The secret is
// given masked (each byte XOR mask) so that the search does not find its own
// copy; it is read through /proc/self/mem, which also works under the
// address sanitizer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The places (mapping name and address) that hold the unmasked secret; empty
// when none does, or when the memory cannot be read (then error says why).
std::vector<std::string> FindInProcessMemory(const std::vector<std::uint8_t>& masked, std::uint8_t mask,
                                             std::string* error);
