// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/start_options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Options of ours and of Qt that take the next argument as their value.
bool TakesValue(std::string_view arg)
{
    static constexpr std::array<std::string_view, 12> kWithValue = {
        "--report",  "--report-after", "--command", "-platform",   "--platform",       "-display",
        "--display", "-style",         "--style",   "-stylesheet", "-qwindowgeometry", "-qwindowtitle"};
    return std::find(kWithValue.begin(), kWithValue.end(), arg) != kWithValue.end();
}

// The value of a Qt option given as "-name value" or "--name value", or empty.
std::string QtOption(const std::vector<std::string>& args, std::string_view name)
{
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--")
            break;
        if (args[i] == std::string("-").append(name) || args[i] == std::string("--").append(name))
            return args[i + 1];
    }
    return {};
}

bool Set(const char* value)
{
    return value != nullptr && *value != '\0';
}

// The platform names Qt will try, in order; empty when Qt chooses by itself.
std::vector<std::string> PlatformNames(const std::vector<std::string>& args,
                                       const std::function<const char*(const char*)>& env)
{
    std::string list = QtOption(args, "platform");
    if (list.empty() && Set(env("QT_QPA_PLATFORM")))
        list = env("QT_QPA_PLATFORM");
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= list.size() && !list.empty();) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        std::string name = list.substr(start, end - start);
        name = name.substr(0, name.find(':')); // "offscreen:fontengine=..." names offscreen
        if (!name.empty())
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

} // namespace

StartAction ReadStartOptions(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return StartAction::kHelp;
        if (arg == "--version")
            return StartAction::kVersion;
        if (TakesValue(arg))
            ++i;
    }
    return StartAction::kRun;
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
           "  --report FILE        write what the window shows to FILE and end\n"
           "  --report-after MS    when to write the report, in milliseconds (6000)\n"
           "  FILE                 opened as the document, as File > Open does\n"
           "\n"
           "Qt's own options are accepted too: -platform NAME, -display NAME, -style NAME.\n"
           "\n"
           "Environment:\n"
           "  DISPLAY              the X display to open\n"
           "  WAYLAND_DISPLAY      the Wayland display to open; without either, set\n"
           "                       QT_QPA_PLATFORM=offscreen to run without a display\n"
           "  BROWSER              browsers for the web page command, ':'-separated\n"
           "\n"
           "Exit status: 0 closed normally, 1 no display or the start failed.\n";
}

std::string StartVersion(const ProgramInfo& info)
{
    return info.name + " " + info.version + "\n";
}

std::string NoDisplayReason(const std::vector<std::string>& args, const std::function<const char*(const char*)>& env,
                            const std::function<bool(const std::string&)>& canOpenX)
{
    static const std::string kAdvice = "set DISPLAY or WAYLAND_DISPLAY, or use QT_QPA_PLATFORM=offscreen";
    const std::string displayOption = QtOption(args, "display");
    const std::string xDisplay = !displayOption.empty() ? displayOption : Set(env("DISPLAY")) ? env("DISPLAY") : "";
    const bool wayland = Set(env("WAYLAND_DISPLAY")) || Set(env("WAYLAND_SOCKET"));

    std::vector<std::string> names = PlatformNames(args, env);
    if (names.empty())
        names = {"wayland", "xcb"}; // what Qt picks from on its own
    std::string unreachable;
    for (const std::string& name : names) {
        if (name == "xcb") {
            if (xDisplay.empty())
                continue;
            if (!canOpenX || canOpenX(xDisplay))
                return {};
            unreachable = xDisplay;
        } else if (name.rfind("wayland", 0) == 0) {
            if (wayland)
                return {};
        } else {
            return {}; // offscreen, minimal, vnc, eglfs, ...: Qt needs no display for them
        }
    }
    if (!unreachable.empty())
        return "no display: cannot open X display '" + unreachable + "'; " + kAdvice;
    return "no display: " + kAdvice;
}
