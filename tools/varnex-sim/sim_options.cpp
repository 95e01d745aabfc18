// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "sim_options.h"

#include <arpa/inet.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "res/text/version.h"
#include "sim_device_config.h"

namespace sim {

namespace {

constexpr double kMaxSeconds = 86400;
// The shortest pause between unasked answers: a shorter one would round to
// nothing on the clock and turn the option off without a word.
constexpr double kMinAnswerEvery = 0.001;

// The options that take a value, as "--name value" or "--name=value".
bool TakesValue(std::string_view name)
{
    static constexpr std::array<std::string_view, 9> kWithValue = {"--devices",       "--device",       "--port",
                                                                   "--reply-port",    "--broadcast",    "--reply-delay",
                                                                   "--reset-silence", "--answer-every", "--log"};
    return std::find(kWithValue.begin(), kWithValue.end(), name) != kWithValue.end();
}

std::optional<long> ParseInteger(const std::string& text, long min, long max)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
        return std::nullopt;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

// Seconds from 0 (or from min, when min is above 0) to kMaxSeconds.
std::optional<Clock::duration> ParseSeconds(const std::string& text, double min)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || value > kMaxSeconds || value < min)
        return std::nullopt;
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(value));
}

} // namespace

std::string HelpText()
{
    return "Usage: varnex-sim [OPTIONS] {--devices FILE | --device DEF}...\n"
           "Simulated devices: answers every discovery probe with one 52-byte reply per device and\n"
           "applies the device commands that carry the device's password. Replies are broadcast:\n"
           "run it only on a network of its own, such as network namespaces joined by a bridge,\n"
           "never on a real network.\n"
           "\n"
           "  --devices FILE        device definitions, one a line (repeatable)\n"
           "  --device DEF          one device definition (repeatable)\n"
           "  --port N              UDP port to listen on (36)\n"
           "  --reply-port N        UDP port replies go to (4000)\n"
           "  --broadcast ADDR      address replies go to (255.255.255.255)\n"
           "  --reply-delay MS      pause between successive replies (0)\n"
           "  --reset-silence SEC   how long a soft reset keeps a device silent (1)\n"
           "  --answer-every SEC    also send every reply unasked every SEC seconds (0.001 or more)\n"
           "  --log FILE            append one line per datagram received to FILE (- is stderr):\n"
           "                        SRC:PORT -> DST:PORT len=N HEX VERDICT; the password bytes\n"
           "                        (42-49) of a command show as ** each\n"
           "  --log-passwords       show the password bytes in the log as sent\n"
           "  --ignore-commands     every device drops every command (as commands=ignore does)\n"
           "  --help                show this help\n"
           "  --version             print the version\n"
           "\n" +
           DeviceSyntaxHelp() +
           "\n"
           "Commands name the device by MAC (set-mac: by its current IP) and must carry its\n"
           "password. set-ip, set-mask and set-gateway all set IP, mask and gateway from the\n"
           "packet; set-mac sets the new MAC; reset silences the device for --reset-silence;\n"
           "update-firmware makes it answer as \"FW-<name>\" (cut to 16 bytes), version 0.00,\n"
           "until the simulator ends. A device defined with commands=ignore (commands=apply is the\n"
           "default), or every device with --ignore-commands, answers probes but drops its\n"
           "commands unapplied, as one whose change never takes. Anything else changes nothing.\n"
           "\n"
           "Exit status: 0 ended by SIGINT or SIGTERM, 1 runtime failure (port in use, file\n"
           "cannot be opened), 2 bad usage or device definition.\n";
}

std::string VersionText()
{
    return std::string("varnex-sim ") + res::Version() + "\n";
}

OptionsResult ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (name == "--help" || name == "-h")
            return OptionsResult::kHelp;
        if (name == "--version")
            return OptionsResult::kVersion;
        if (name.rfind("--", 0) != 0) {
            error = "unexpected argument " + QuoteArgument(name);
            return OptionsResult::kUsageError;
        }
        if (name == "--log-passwords") {
            options.logPasswords = true;
            continue;
        }
        if (name == "--ignore-commands") {
            options.ignoreCommands = true;
            continue;
        }
        const std::size_t eq = name.find('=');
        if (eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        // Named before its value is looked for: "--bogus" is unknown, not short of a value.
        if (!TakesValue(name)) {
            error =
                (name == "--log-passwords" || name == "--ignore-commands" ? QuoteArgument(name) + " takes no value"
                                                                          : "unknown option " + QuoteArgument(name));
            return OptionsResult::kUsageError;
        }
        if (!value && i + 1 < args.size())
            value = args[++i];
        if (!value) {
            error = QuoteArgument(name) + " needs a value";
            return OptionsResult::kUsageError;
        }
        const std::string& v = *value;
        auto bad = [&](const char* what) {
            error = name + ": " + QuoteArgument(v) + " is not " + what;
            return OptionsResult::kUsageError;
        };

        if (name == "--devices") {
            options.sources.push_back({DeviceSource::kFile, v});
        } else if (name == "--device") {
            options.sources.push_back({DeviceSource::kOption, v});
        } else if (name == "--port" || name == "--reply-port") {
            const auto port = ParseInteger(v, 1, 65535);
            if (!port)
                return bad("a port number 1-65535");
            (name == "--port" ? options.port : options.replyPort) = static_cast<std::uint16_t>(*port);
        } else if (name == "--broadcast") {
            in_addr addr{};
            if (inet_pton(AF_INET, v.c_str(), &addr) != 1)
                return bad("an IPv4 address");
            std::memcpy(options.broadcast.data(), &addr, 4);
        } else if (name == "--reply-delay") {
            const auto ms = ParseInteger(v, 0, 60000);
            if (!ms)
                return bad("a number of milliseconds 0-60000");
            options.replyDelay = std::chrono::milliseconds(*ms);
        } else if (name == "--reset-silence") {
            const auto d = ParseSeconds(v, 0);
            if (!d)
                return bad("a number of seconds 0-86400");
            options.resetSilence = *d;
        } else if (name == "--answer-every") {
            const auto d = ParseSeconds(v, kMinAnswerEvery);
            if (!d)
                return bad("a number of seconds 0.001-86400");
            options.answerEvery = *d;
        } else if (name == "--log") {
            if (v.empty())
                return bad("a file name");
            options.logPath = v;
        }
    }
    if (options.sources.empty()) {
        error = "no devices: give --devices FILE or --device DEF";
        return OptionsResult::kUsageError;
    }
    // Replies carry code 0x39 like a probe: sent to our own port they would be answered again.
    if (options.port == options.replyPort) {
        error = "--reply-port must differ from --port";
        return OptionsResult::kUsageError;
    }
    return OptionsResult::kRun;
}

} // namespace sim
