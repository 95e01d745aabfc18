// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_stop_signals.h"

#include <cerrno>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace cli {

namespace {

sigset_t StopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

StopSignals::~StopSignals()
{
    // A signal still pending would end the program by its default action once unblocked.
    while (Take() != 0) {
    }
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_blocked) {
        ::sigaction(SIGINT, &m_previousInt, nullptr);
        ::sigaction(SIGTERM, &m_previousTerm, nullptr);
        ::sigprocmask(SIG_SETMASK, &m_previousMask, nullptr);
    }
}

bool StopSignals::Open(std::string& error)
{
    const sigset_t set = StopSet();
    // Blocked first: from then on a signal waits for the descriptor instead of ending the program.
    if (::sigprocmask(SIG_BLOCK, &set, &m_previousMask) != 0) {
        error = std::string("cannot block SIGINT and SIGTERM: ") + std::strerror(errno);
        return false;
    }
    m_blocked = true;
    // An ignored signal is dropped even while blocked.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(SIGINT, &byDefault, &m_previousInt);
    ::sigaction(SIGTERM, &byDefault, &m_previousTerm);
    m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0) {
        error = std::string("cannot wait for SIGINT and SIGTERM: ") + std::strerror(errno);
        return false;
    }
    return true;
}

int StopSignals::Take()
{
    signalfd_siginfo info{};
    if (m_fd < 0 || ::read(m_fd, &info, sizeof info) != static_cast<ssize_t>(sizeof info))
        return 0;
    return static_cast<int>(info.ssi_signo);
}

} // namespace cli
