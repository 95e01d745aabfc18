// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Where a command's password comes from, in this order: the first line of
// standard input (--password-stdin), the environment variable VARNEX_PASSWORD,
// a prompt without echo when standard input is a terminal, else empty.
// It is never printed, and the caller wipes it once its packets are sent.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace cli {

// Reads one line into the text, at most keep bytes of it (reading stops there);
// false on a read error.
using LineReader = std::function<bool(std::string& line, std::size_t keep)>;

struct PasswordSources {
    bool fromStdin = false;
    LineReader readStdinLine;
    const char* environment = nullptr; // VARNEX_PASSWORD, null when unset
    bool stdinIsTerminal = false;
    LineReader promptWithoutEcho;
};

enum class PasswordStatus { kOk, kTooLong, kReadError };

// kTooLong: error holds the password dialog's own message; kReadError: what failed.
PasswordStatus ObtainPassword(const PasswordSources& sources, std::string& password, std::string& error);

// VARNEX_PASSWORD taken out of the environment when the command starts, before
// anything is sent: the value is kept here (enough of it to refuse one too
// long) and wiped when the object goes; the variable's text in the process is
// overwritten and the variable removed, so that nothing started later inherits it.
class EnvironmentPassword {
public:
    EnvironmentPassword();
    ~EnvironmentPassword();
    EnvironmentPassword(const EnvironmentPassword&) = delete;
    EnvironmentPassword& operator=(const EnvironmentPassword&) = delete;
    // The value, or null when the variable was not set.
    const char* Value() const { return m_set ? m_value.c_str() : nullptr; }

private:
    bool m_set = false;
    std::string m_value;
};

// The sources of this process: standard input, the environment's value as
// taken at start (null: not set), the terminal.
PasswordSources ProcessPasswordSources(bool fromStdin, const char* environment);

// Overwrites VARNEX_PASSWORD's value in this process and removes the variable.
void ForgetEnvironmentPassword();

// Reads a line from a file descriptor a byte at a time, so that no copy of it
// stays in a buffer of the standard library; a trailing CR is dropped. A line
// longer than keep bytes ends the reading there (the line then holds keep
// bytes, enough to refuse it) and the rest stays unread.
bool ReadLineFromFd(int fd, std::string& line, std::size_t keep);

} // namespace cli
