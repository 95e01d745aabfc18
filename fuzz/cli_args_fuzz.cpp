// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's command line: the value parsers accept only what reads back as
// the same value, and every refusal quotes a bounded part of what it refused.
// The input is split at NUL bytes into the arguments.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "devices/device_texts.h"
#include "fuzz/fuzz_args.h"
#include "system/network_interfaces.h"
#include "varnex-cli/cli_arguments.h"
#include "varnex-cli/cli_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    cli::Ipv4 ip;
    if (cli::ParseIpArgument(text, ip)) {
        cli::Ipv4 again;
        if (!cli::ParseIpArgument(device::FormatDotted(ip.bytes), again) || !(again == ip))
            std::abort();
    }
    cli::Mac mac;
    if (cli::ParseMacSelector(text, mac)) {
        cli::Mac again;
        if (!cli::ParseNewMac(device::FormatMac(mac.bytes), again) || !(again == mac))
            std::abort();
    }
    if (cli::ParseNewMac(text, mac) && !cli::ParseMacSelector(text, mac))
        std::abort();
    std::uint16_t port = 0;
    if (cli::ParsePort(text, port) && (port == 0 || std::to_string(port).size() > text.size()))
        std::abort();
    double seconds = 0;
    if (cli::ParseSeconds(text, seconds) && !(seconds > 0 && seconds <= 3600))
        std::abort();

    const std::vector<std::string> args = SplitArguments(data, size);
    cli::Options options;
    std::string message;
    const cli::ParseResult result = cli::ParseCommandLine(args, options, message);
    // A refusal names at most 64 characters of one argument (4 bytes a character
    // at most, written as \xNN when not text) beside its own words.
    if (result == cli::ParseResult::kUsageError && message.size() > 600)
        std::abort();
    if (result == cli::ParseResult::kRun &&
        !(options.waitSeconds > 0 && options.maxWaitSeconds > 0 && options.ports.localPort >= 1))
        std::abort();
    // An interface is every one (empty) or a name the kernel would accept.
    if (result == cli::ParseResult::kRun && !options.interfaceName.empty() && !IsInterfaceName(options.interfaceName))
        std::abort();
    return 0;
}
