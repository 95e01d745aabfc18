// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/launch_detached.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace browser {

namespace {

// In the grandchild: only async-signal-safe calls until exec.
[[noreturn]] void ExecDetached(char* const* argv, int reportFd)
{
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        if (null > STDERR_FILENO)
            ::close(null);
    }
    ::execvp(argv[0], argv);
    const int err = errno;
    (void)!::write(reportFd, &err, sizeof err);
    ::_exit(127);
}

} // namespace

bool StartDetached(const CommandLine& argv, std::string& error)
{
    if (argv.empty()) {
        error = "no program to start";
        return false;
    }
    std::vector<char*> cargv;
    for (const std::string& arg : argv)
        cargv.push_back(const_cast<char*>(arg.c_str()));
    cargv.push_back(nullptr);

    // The exec's failure comes back through a pipe that a successful exec closes.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        error = std::string("cannot start ") + argv[0] + ": " + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int err = errno;
        ::close(report[0]);
        ::close(report[1]);
        error = std::string("cannot start ") + argv[0] + ": " + std::strerror(err);
        return false;
    }
    if (child == 0) {
        // A second fork leaves the program without a parent to wait for it.
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            ExecDetached(cargv.data(), report[1]);
        int err = grandchild < 0 ? errno : 0;
        if (err != 0)
            (void)!::write(report[1], &err, sizeof err);
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    while ((n = ::read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n == static_cast<ssize_t>(sizeof err)) {
        error = std::string("cannot start ") + argv[0] + ": " + std::strerror(err);
        return false;
    }
    return true;
}

} // namespace browser
