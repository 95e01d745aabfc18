// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "cli_help.h"
#include "cli_texts.h"
#include "res/text/version.h"
#include "system/network_interfaces.h"

namespace cli {

namespace {

struct CommandInfo {
    const char* name;
    Command command;
    std::vector<const char*> positionals; // names used in messages
};

const std::array<CommandInfo, 8> kCommands = {{
    {"discover", Command::kDiscover, {}},
    {"set-ip", Command::kSetIp, {"MAC"}},
    {"set-mac", Command::kSetMac, {"CURRENT_IP", "NEW_MAC"}},
    {"reset", Command::kReset, {"MAC"}},
    {"update-firmware", Command::kUpdateFirmware, {"MAC"}},
    {"web", Command::kWeb, {"IP"}},
    {"apply", Command::kApply, {"PLAN"}},
    {"watch", Command::kWatch, {}},
}};

// Watching probes no more often than this: each probe is a broadcast every
// device on the segment answers.
constexpr double kShortestInterval = 1.0;

bool SendsPassword(Command c)
{
    return c != Command::kDiscover && c != Command::kWeb && c != Command::kWatch;
}
// Every command to a device discovers it first, to send by the interface on
// which it answered. Watching listens until its next probe instead.
bool Listens(Command c)
{
    return c != Command::kWeb && c != Command::kWatch;
}

// Options that take a value, and which commands accept them.
bool TakesValue(std::string_view name, Command c)
{
    if (name == "--local-port" || name == "--device-port" || name == "--broadcast" || name == "--interface")
        return true;
    if (name == "--wait" || name == "--max-wait")
        return Listens(c);
    if (name == "--verify-wait")
        return Verifies(c);
    if (name == "--format")
        return c == Command::kDiscover || c == Command::kApply || c == Command::kWatch;
    if (name == "--interval")
        return c == Command::kWatch;
    if (name == "--ip" || name == "--mask" || name == "--gateway")
        return c == Command::kSetIp;
    return false;
}

// An option of at least one command ("--wait", "--format=csv").
bool IsCommandOption(std::string_view arg)
{
    const std::string_view name = arg.substr(0, arg.find('='));
    return name == "--password-stdin" || name == "--with-model" || name == "--no-verify" || name == "--dry-run" ||
           std::any_of(kCommands.begin(), kCommands.end(),
                       [name](const CommandInfo& c) { return TakesValue(name, c.command); });
}

class Parser {
public:
    Parser(const CommandInfo& info, Options& options, std::string& error)
        : m_info(info), m_options(options), m_error(error)
    {
    }

    bool Fail(const std::string& what)
    {
        m_error = what;
        return false;
    }

    bool ApplyValue(std::string_view name, const std::string& value)
    {
        Options& o = m_options;
        if (name == "--local-port" || name == "--device-port") {
            std::uint16_t port = 0;
            if (!ParsePort(value, port))
                return Fail(std::string(name) + " " + QuoteArgument(value) + ": not a port number 1-65535");
            (name == "--local-port" ? o.ports.localPort : o.ports.devicePort) = port;
            return true;
        }
        if (name == "--broadcast") {
            Ipv4 address;
            if (!ParseIpArgument(value, address))
                return Fail("--broadcast " + QuoteArgument(value) + ": not four dotted numbers 0-255");
            o.ports.broadcastAddress = value;
            return true;
        }
        if (name == "--interface") {
            if (value == "all") {
                o.interfaceName.clear();
                return true;
            }
            if (!IsInterfaceName(value))
                return Fail("--interface " + QuoteArgument(value) +
                            ": not an interface name (1-15 bytes without '/', ':' or blanks) nor all");
            o.interfaceName = value;
            return true;
        }
        if (name == "--wait" || name == "--max-wait" || name == "--verify-wait") {
            double& seconds = name == "--wait"       ? o.waitSeconds
                              : name == "--max-wait" ? o.maxWaitSeconds
                                                     : o.verifyWaitSeconds;
            if (!ParseSeconds(value, seconds))
                return Fail(std::string(name) + " " + QuoteArgument(value) +
                            ": not a number of seconds above 0 and at most 3600");
            return true;
        }
        if (name == "--interval") {
            if (!ParseSeconds(value, o.intervalSeconds) || o.intervalSeconds < kShortestInterval)
                return Fail("--interval " + QuoteArgument(value) + ": not a number of seconds from 1 to 3600");
            return true;
        }
        if (name == "--format" && o.command == Command::kWatch) {
            if (value == "text")
                o.format = Format::kText;
            else if (value == "json")
                o.format = Format::kJson;
            else
                return Fail("--format " + QuoteArgument(value) + ": not one of text, json");
            return true;
        }
        if (name == "--format") {
            if (value == "table")
                o.format = Format::kTable;
            else if (value == "csv")
                o.format = Format::kCsv;
            else if (value == "json")
                o.format = Format::kJson;
            else
                return Fail("--format " + QuoteArgument(value) + ": not one of table, csv, json");
            return true;
        }
        Ipv4 address;
        if (!ParseIpArgument(value, address))
            return Fail(std::string(name) + " " + QuoteArgument(value) + ": not four dotted numbers 0-255");
        (name == "--ip" ? o.newIp : name == "--mask" ? o.newMask : o.newGateway) = address;
        return true;
    }

    bool ApplyPositionals(const std::vector<std::string>& values)
    {
        const auto& names = m_info.positionals;
        if (values.size() < names.size())
            return Fail(std::string(m_info.name) + " needs " + names[values.size()]);
        if (values.size() > names.size())
            return Fail("unexpected argument " + QuoteArgument(values[names.size()]));
        Options& o = m_options;
        switch (o.command) {
        case Command::kDiscover:
        case Command::kWatch:
            return true;
        case Command::kSetIp:
        case Command::kReset:
        case Command::kUpdateFirmware:
            if (!ParseMacSelector(values[0], o.device))
                return Fail("MAC " + QuoteArgument(values[0]) +
                            ": not six groups of one or two hexadecimal digits separated by '-' or ':'");
            return true;
        case Command::kSetMac:
            if (!ParseIpArgument(values[0], o.currentIp))
                return Fail("CURRENT_IP " + QuoteArgument(values[0]) + ": not four dotted numbers 0-255");
            if (!ParseNewMac(values[1], o.newMac))
                return Fail("NEW_MAC " + QuoteArgument(values[1]) +
                            ": not six groups of one or two hexadecimal digits separated by '-'");
            return true;
        case Command::kWeb:
            if (Ipv4 address; !ParseIpArgument(values[0], address))
                return Fail("IP " + QuoteArgument(values[0]) + ": not four dotted numbers 0-255");
            o.webAddress = values[0];
            return true;
        case Command::kApply:
            o.planPath = values[0];
            return true;
        }
        return true;
    }

private:
    const CommandInfo& m_info;
    Options& m_options;
    std::string& m_error;
};

std::string HelpHint(const char* command)
{
    return command ? std::string("\nTry 'varnex-cli ") + command + " --help'." : "\nTry 'varnex-cli --help'.";
}

} // namespace

bool Verifies(Command command)
{
    return command == Command::kSetIp || command == Command::kSetMac || command == Command::kReset ||
           command == Command::kApply;
}

const char* CommandName(Command command)
{
    for (const CommandInfo& info : kCommands)
        if (info.command == command)
            return info.name;
    return "";
}

ParseResult ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& text)
{
    if (args.empty()) {
        text = "no command given" + HelpHint(nullptr);
        return ParseResult::kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.size() >= 2) {
            for (const CommandInfo& info : kCommands)
                if (args[1] == info.name) {
                    text = CommandHelp(info.command);
                    return ParseResult::kHelp;
                }
        }
        text = OverallHelp();
        return ParseResult::kHelp;
    }
    if (args[0] == "--version") {
        text = std::string("varnex-cli ") + res::Version() + "\n";
        return ParseResult::kVersion;
    }
    const auto info =
        std::find_if(kCommands.begin(), kCommands.end(), [&](const CommandInfo& c) { return args[0] == c.name; });
    if (info == kCommands.end()) {
        const char* what = !args[0].starts_with("-")  ? "unknown command "
                           : IsCommandOption(args[0]) ? "options come after the command: "
                                                      : "unknown option ";
        text = what + QuoteArgument(args[0]) + HelpHint(nullptr);
        return ParseResult::kUsageError;
    }

    options = Options{};
    options.command = info->command;
    if (info->command == Command::kWatch)
        options.format = Format::kText;
    options.ports.broadcastAddress = "255.255.255.255";
    std::string error;
    Parser parser(*info, options, error);
    std::vector<std::string> positionals;
    bool optionsEnded = false;
    bool ok = true;
    for (std::size_t i = 1; ok && i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            text = CommandHelp(info->command);
            return ParseResult::kHelp;
        }
        const std::size_t eq = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, eq);
        if (name == "--password-stdin" && SendsPassword(info->command) && eq == std::string::npos) {
            options.passwordFromStdin = true;
        } else if (name == "--with-model" && info->command == Command::kDiscover && eq == std::string::npos) {
            options.withModel = true;
        } else if (name == "--no-verify" && Verifies(info->command) && eq == std::string::npos) {
            options.verify = false;
        } else if (name == "--dry-run" && info->command == Command::kApply && eq == std::string::npos) {
            options.dryRun = true;
        } else if (name.starts_with("--password") && name != "--password-stdin") {
            // The value is not repeated: it may be the password itself.
            ok = parser.Fail("a password is never taken from the command line; use --password-stdin or "
                             "VARNEX_PASSWORD");
        } else if (TakesValue(name, info->command)) {
            if (eq != std::string::npos) {
                ok = parser.ApplyValue(name, arg.substr(eq + 1));
            } else if (i + 1 < args.size()) {
                ok = parser.ApplyValue(name, args[++i]);
            } else {
                ok = parser.Fail(std::string(name) + " needs a value");
            }
        } else {
            ok = parser.Fail("unknown option " + QuoteArgument(name) + " for " + info->name);
        }
    }
    if (ok)
        ok = parser.ApplyPositionals(positionals);
    if (!ok) {
        text = error + HelpHint(info->name);
        return ParseResult::kUsageError;
    }
    // A script that forgot the value must not pass as if the device took it.
    if (options.command == Command::kSetIp && !options.newIp && !options.newMask && !options.newGateway) {
        text = "set-ip needs --ip, --mask or --gateway; nothing sent (see 'varnex-cli set-ip --help')";
        return ParseResult::kUsageError;
    }
    return ParseResult::kRun;
}

} // namespace cli
