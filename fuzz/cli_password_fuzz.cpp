// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The password reader of --password-stdin: whatever standard input holds, it
// reads no further than needed to accept or refuse one password, the password
// it keeps is what the line held (a trailing CR dropped), and it is never
// longer than a device takes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "commands/command_builders.h"
#include "res/install_resources.h"
#include "varnex-cli/cli_password.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int fd = [] {
        res::InstallResources(); // the refusal's text comes from the string table, as in the program
        return ::memfd_create("stdin", 0);
    }();
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0)
        std::abort();
    if (size > 0 && ::write(fd, data, size) != static_cast<ssize_t>(size))
        std::abort();
    ::lseek(fd, 0, SEEK_SET);

    cli::PasswordSources sources;
    sources.fromStdin = true;
    sources.readStdinLine = [](std::string& line, std::size_t keep) { return cli::ReadLineFromFd(fd, line, keep); };
    std::string password, error;
    const cli::PasswordStatus status = cli::ObtainPassword(sources, password, error);
    const auto consumed = static_cast<std::size_t>(::lseek(fd, 0, SEEK_CUR));
    if (consumed > kMaxPasswordLength + 2)
        std::abort();

    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string line = input.substr(0, input.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const bool fits = line.size() <= kMaxPasswordLength;
    if (fits != (status == cli::PasswordStatus::kOk))
        std::abort();
    if (status == cli::PasswordStatus::kOk && password != line)
        std::abort();
    if (status != cli::PasswordStatus::kOk && (!password.empty() || error.empty()))
        std::abort();
    return 0;
}
