// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_password.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "cli_texts.h"
#include "cli_tty_prompt.h"
#include "commands/command_builders.h"

namespace cli {

namespace {

constexpr const char* kVariable = "VARNEX_PASSWORD";

// One byte more than a device takes is enough to refuse a longer password.
constexpr std::size_t kKeep = kMaxPasswordLength + 1;

} // namespace

bool ReadLineFromFd(int fd, std::string& line, std::size_t keep)
{
    WipeText(line);
    line.reserve(keep + 1);
    bool ended = false; // by a line break or the end of the input
    // A line longer than keep bytes is refused as soon as that is sure, without
    // reading the rest: an endless input must not keep the command waiting.
    // One byte past keep is read only after a CR, which may end the line.
    while (line.size() < keep || (line.size() == keep && keep > 0 && line.back() == '\r')) {
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0 || c == '\n') {
            ended = true;
            break;
        }
        line.push_back(c);
        c = 0;
    }
    if (ended && !line.empty() && line.back() == '\r') {
        line.back() = '\0';
        line.pop_back();
    }
    if (line.size() > keep) {
        line.back() = '\0';
        line.pop_back();
    }
    return true;
}

PasswordStatus ObtainPassword(const PasswordSources& sources, std::string& password, std::string& error)
{
    WipeText(password);
    password.reserve(kKeep);
    bool ok = true;
    if (sources.fromStdin) {
        ok = sources.readStdinLine(password, kKeep);
        if (!ok)
            error = std::string("cannot read the password from standard input: ") + std::strerror(errno);
    } else if (sources.environment != nullptr) {
        const std::size_t length = std::strlen(sources.environment);
        password.append(sources.environment, length < kKeep ? length : kKeep);
    } else if (sources.stdinIsTerminal) {
        ok = sources.promptWithoutEcho(password, kKeep);
        if (!ok)
            error = "cannot read the password from the terminal";
    }
    if (!ok) {
        WipeText(password);
        return PasswordStatus::kReadError;
    }
    if (password.size() > kMaxPasswordLength) {
        WipeText(password);
        error = TooLongMessage(kMaxPasswordLength);
        return PasswordStatus::kTooLong;
    }
    return PasswordStatus::kOk;
}

EnvironmentPassword::EnvironmentPassword()
{
    if (const char* value = std::getenv(kVariable)) {
        m_set = true;
        const std::size_t length = std::strlen(value);
        m_value.reserve(kKeep);
        m_value.append(value, length < kKeep ? length : kKeep);
    }
    ForgetEnvironmentPassword();
}

EnvironmentPassword::~EnvironmentPassword()
{
    WipeText(m_value);
}

PasswordSources ProcessPasswordSources(bool fromStdin, const char* environment)
{
    PasswordSources sources;
    sources.fromStdin = fromStdin;
    sources.readStdinLine = [](std::string& line, std::size_t keep) {
        return ReadLineFromFd(STDIN_FILENO, line, keep);
    };
    sources.environment = environment;
    sources.stdinIsTerminal = ::isatty(STDIN_FILENO) == 1;
    sources.promptWithoutEcho = [](std::string& line, std::size_t keep) {
        return PromptWithoutEcho(STDIN_FILENO, "Password: ", line, keep);
    };
    return sources;
}

void ForgetEnvironmentPassword()
{
    if (char* value = std::getenv(kVariable)) {
        volatile char* p = value;
        while (*p != '\0')
            *p++ = '\0';
    }
    ::unsetenv(kVariable);
}

} // namespace cli
