// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_tty_prompt.h"

#include <csignal>
#include <cstring>
#include <termios.h>
#include <unistd.h>

#include "cli_password.h"

namespace cli {

namespace {

int g_fd = -1;
termios g_saved{};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// A signal while echo is off must not leave the terminal without echo.
void RestoreAndReraise(int sig)
{
    if (g_fd >= 0)
        ::tcsetattr(g_fd, TCSAFLUSH, &g_saved);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

} // namespace

bool PromptWithoutEcho(int fd, const char* prompt, std::string& line, std::size_t keep)
{
    termios quiet{};
    if (::tcgetattr(fd, &g_saved) != 0)
        return false;
    quiet = g_saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;

    struct sigaction action {};
    action.sa_handler = RestoreAndReraise;
    sigemptyset(&action.sa_mask);
    struct sigaction previous[std::size(kSignals)]{};
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);

    g_fd = fd;
    bool ok = ::tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
    if (ok) {
        (void)!::write(STDERR_FILENO, prompt, std::strlen(prompt));
        ok = ReadLineFromFd(fd, line, keep);
        ::tcsetattr(fd, TCSAFLUSH, &g_saved);
    }
    g_fd = -1;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
    return ok;
}

} // namespace cli
