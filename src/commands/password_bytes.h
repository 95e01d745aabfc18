// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device password held for a command that goes to many devices: at most the
// 8 bytes a packet carries, kept in place (never on the heap, never moved by
// a reallocation, never copied) and overwritten once the last packet is gone
// or when the holder goes.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "commands/command_builders.h"

class PasswordBytes {
public:
    PasswordBytes() = default;
    ~PasswordBytes() { Wipe(); }
    PasswordBytes(const PasswordBytes&) = delete;
    PasswordBytes& operator=(const PasswordBytes&) = delete;

    // Takes text; false, keeping nothing, when it is longer than a packet carries.
    bool Assign(std::string_view text);
    std::string_view View() const { return {m_bytes.data(), m_length}; }
    bool Empty() const { return m_length == 0; }
    // Overwrites every byte, in a way the compiler keeps.
    void Wipe();
    // The whole storage, for the tests that search it after a command.
    const std::array<char, kMaxPasswordLength>& Storage() const { return m_bytes; }

private:
    std::array<char, kMaxPasswordLength> m_bytes{};
    std::size_t m_length = 0;
};
