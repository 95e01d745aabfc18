// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/start/start_options.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "qt_host/start/qt_options.h"
#include "system/quoted_argument.h"

namespace {

constexpr std::array<std::string_view, 5> kOursWithValue = {"--report", "--report-after", "--command", "--select",
                                                            "--watch-interval"};
constexpr std::string_view kReportWhenAnswered = "--report-when-answered";

bool IsOurs(std::string_view name)
{
    return std::find(kOursWithValue.begin(), kOursWithValue.end(), name) != kOursWithValue.end();
}

// --help or --version, whichever comes first before "--" and not as a value.
std::optional<StartAction> HelpOrVersion(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return StartAction::kHelp;
        if (arg == "--version")
            return StartAction::kVersion;
        if (IsOurs(arg) || QtOptionKind(arg) == QtOption::kWithValue)
            ++i;
    }
    return std::nullopt;
}

// A whole number up to max: digits only, so "+1", " 1" and "1e3" are refused.
bool ParseCount(const std::string& text, unsigned long max, unsigned long& value)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtoul(text.c_str(), nullptr, 10);
    return value <= max;
}

// Stores one of our options; false with the reason in options.error.
bool ApplyOurs(const std::string& name, const std::string& value, StartOptions& options)
{
    unsigned long number = 0;
    if (name == "--report") {
        if (value.empty()) {
            options.error = "--report needs a file name";
            return false;
        }
        options.reportPath = value;
    } else if (name == "--report-after") {
        if (!ParseCount(value, 24ul * 60 * 60 * 1000, number)) {
            options.error = "--report-after " + QuoteArgument(value) + ": not a number of milliseconds up to a day";
            return false;
        }
        options.reportAfterMs = static_cast<int>(number);
    } else if (name == "--watch-interval") {
        if (!ParseCount(value, 24ul * 60 * 60, number) || number == 0) {
            options.error = "--watch-interval " + QuoteArgument(value) + ": not a number of seconds from 1 to a day";
            return false;
        }
        options.watchIntervalSeconds = static_cast<int>(number);
    } else if (name == "--select") {
        // ROW, or FIRST-LAST for the rows from FIRST to LAST.
        const std::size_t dash = value.find('-');
        unsigned long last = 0;
        if (!ParseCount(value.substr(0, dash), 1000000, number) ||
            (dash != std::string::npos && (!ParseCount(value.substr(dash + 1), 1000000, last) || last < number))) {
            options.error = "--select " + QuoteArgument(value) + ": not a row number or a range FIRST-LAST";
            return false;
        }
        options.selectRow = static_cast<int>(number);
        options.selectLast = static_cast<int>(dash == std::string::npos ? number : last);
    } else {
        if (!ParseCount(value, 0xFFFF, number)) {
            options.error = "--command " + QuoteArgument(value) + ": not a command number 0-65535";
            return false;
        }
        options.commands.push_back(static_cast<unsigned>(number));
    }
    return true;
}

StartOptions Refused(std::string error)
{
    StartOptions refused;
    refused.action = StartAction::kUsageError;
    refused.error = std::move(error);
    return refused;
}

} // namespace

StartOptions ReadStartOptions(const std::vector<std::string>& args)
{
    StartOptions options;
    if (const std::optional<StartAction> request = HelpOrVersion(args)) {
        options.action = *request;
        return options;
    }
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, eq);
        if (name == kReportWhenAnswered) {
            if (eq != std::string::npos)
                return Refused(name + " takes no value");
            options.reportWhenAnswered = true;
            continue;
        }
        if (IsOurs(name)) {
            if (eq == std::string::npos && i + 1 == args.size())
                return Refused(name + " needs a value");
            if (!ApplyOurs(name, eq == std::string::npos ? args[++i] : arg.substr(eq + 1), options))
                return Refused(options.error);
            continue;
        }
        switch (QtOptionKind(arg)) {
        case QtOption::kFlag:
            options.qtArgs.push_back(arg);
            break;
        case QtOption::kWithValue:
            if (i + 1 == args.size())
                return Refused(arg + " needs a value");
            options.qtArgs.push_back(arg);
            options.qtArgs.push_back(args[++i]);
            break;
        case QtOption::kNone:
            return Refused("unknown option " + QuoteArgument(arg));
        }
    }
    if (files.size() > 1)
        return Refused("one FILE at most, and " + QuoteArgument(files[1]) + " is a second");
    if (!files.empty())
        options.file = files.front();
    return options;
}

std::string StartHelp(const ProgramInfo& info)
{
    return "Usage: " + info.name + " [OPTIONS] [FILE]\n" + info.summary +
           "\n"
           "Options:\n"
           "  --help               show this help and end\n"
           "  --version            print the version and end\n"
           "  --command ID         carry out the menu command ID a second after the start,\n"
           "                       as if chosen from the menu (repeatable; for scripts)\n"
           "  --select ROW         select that row of the list (from 0, in the order shown)\n"
           "                       just before the commands; FIRST-LAST selects a range\n"
           "  --report FILE        write what the window shows to FILE and end\n"
           "  --report-after MS    when to write the report, in milliseconds (6000)\n"
           "  --report-when-answered\n"
           "                       write it as soon as the last of the dialogs' scripted\n"
           "                       answers (VARNEX_DIALOG_ANSWERS) is used; --report-after\n"
           "                       is then the latest time\n"
           "  --watch-interval S   while watching (View > Watch Devices), probe every S\n"
           "                       seconds, for this run only (the profile's, else 15)\n"
           "  FILE                 the document to open; it holds no data of its own\n"
           "\n"
           "Qt's own options are accepted too, such as -platform NAME, -display NAME and\n"
           "-style NAME; any other option is refused.\n"
           "\n"
           "Environment:\n"
           "  DISPLAY              the X display to open\n"
           "  WAYLAND_DISPLAY      the Wayland display to open; without either, set\n"
           "                       QT_QPA_PLATFORM=offscreen to run without a display\n"
           "  BROWSER              browsers for the web page command, ':'-separated\n"
           "\n"
           "Exit status: 0 closed normally, 1 no display or the start failed, 2 bad usage.\n";
}

std::string StartVersion(const ProgramInfo& info)
{
    return info.name + " " + info.version + "\n";
}
