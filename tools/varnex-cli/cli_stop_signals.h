// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// SIGINT and SIGTERM as a descriptor that becomes readable, for a poll loop
// that ends cleanly on them: the signals are blocked and read from a
// signalfd, so no handler runs and nothing is interrupted half way.
#pragma once

#include <csignal>
#include <string>

namespace cli {

class StopSignals {
public:
    StopSignals() = default;
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Starts taking the signals. A shell that starts a program in the
    // background leaves SIGINT ignored; it is taken all the same, so that
    // Ctrl+C and kill -INT end a watch however it was started.
    // Until it goes, the signals are blocked and their actions the default.
    bool Open(std::string& error);
    // Readable once a signal came; -1 before Open.
    int Handle() const { return m_fd; }
    // The signal that came (0: none yet); reading it leaves the descriptor quiet.
    int Take();

private:
    int m_fd = -1;
    sigset_t m_previousMask{};
    struct sigaction m_previousInt {};
    struct sigaction m_previousTerm {};
    bool m_blocked = false;
};

} // namespace cli
