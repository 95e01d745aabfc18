// Where a command's password comes from, in this order: the first line of
// standard input (--password-stdin), the environment variable VARNEX_PASSWORD,
// a prompt without echo when standard input is a terminal, else empty.
// It is never printed, and the caller wipes it once its packets are sent.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace cli {

// Reads one line into the text, keeping at most keep bytes of it (the rest is
// read and dropped); false on a read error.
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

// The sources of this process: standard input, the environment, the terminal.
PasswordSources ProcessPasswordSources(bool fromStdin);

// Overwrites VARNEX_PASSWORD's value in this process and removes the variable.
void ForgetEnvironmentPassword();

// Reads a line from a file descriptor a byte at a time, so that no copy of it
// stays in a buffer of the standard library; a trailing CR is dropped.
bool ReadLineFromFd(int fd, std::string& line, std::size_t keep);

} // namespace cli
