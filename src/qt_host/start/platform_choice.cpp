// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/start/platform_choice.h"

#include <algorithm>
#include <cctype>

#include "qt_host/start/qt_options.h"
#include "system/quoted_argument.h"

namespace {

bool Set(const char* value)
{
    return value != nullptr && *value != '\0';
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The platform names Qt will try, in order: -platform, else QT_QPA_PLATFORM,
// else what Qt picks from on its own.
std::vector<std::string> PlatformNames(const std::vector<std::string>& qtArgs, const DisplayProbe& probe)
{
    std::string list = QtOptionValue(qtArgs, "platform");
    if (list.empty() && Set(probe.env("QT_QPA_PLATFORM")))
        list = probe.env("QT_QPA_PLATFORM");
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= list.size() && !list.empty();) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        std::string name = list.substr(start, end - start);
        name = name.substr(0, name.find(':')); // "offscreen:fontengine=..." names offscreen
        if (!name.empty())
            names.push_back(name);
        start = end + 1;
    }
    if (names.empty())
        names = {"wayland", "xcb"};
    return names;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

std::string NoDisplayReason(const std::vector<std::string>& qtArgs, const DisplayProbe& probe)
{
    static const std::string kAdvice = "set DISPLAY or WAYLAND_DISPLAY, or use QT_QPA_PLATFORM=offscreen";
    const std::string displayOption = QtOptionValue(qtArgs, "display");
    const std::string xDisplay = !displayOption.empty()      ? displayOption
                                 : Set(probe.env("DISPLAY")) ? probe.env("DISPLAY")
                                                             : "";
    const std::string wayland = Set(probe.env("WAYLAND_DISPLAY")) ? probe.env("WAYLAND_DISPLAY") : "";
    const bool waylandSocket = Set(probe.env("WAYLAND_SOCKET")); // an open connection handed over

    std::vector<std::string> installed = probe.platforms ? probe.platforms() : std::vector<std::string>{};
    for (std::string& name : installed)
        name = Lower(name);
    const auto isInstalled = [&installed](const std::string& name) {
        return installed.empty() || std::find(installed.begin(), installed.end(), Lower(name)) != installed.end();
    };

    std::vector<std::string> notes; // why the platforms tried cannot start, in order; the first few
    constexpr std::size_t kMaxNotes = 2;
    bool displayMissing = false;
    for (const std::string& name : PlatformNames(qtArgs, probe)) {
        if (notes.size() > kMaxNotes)
            notes.resize(kMaxNotes);
        const bool isWayland = Lower(name).rfind("wayland", 0) == 0;
        if (!isInstalled(name)) {
            if (!isWayland || !wayland.empty())
                notes.push_back("Qt has no platform plugin " + QuoteArgument(name) +
                                " (there are: " + Joined(installed) + ")");
            continue;
        }
        if (Lower(name) == "xcb") {
            if (xDisplay.empty()) {
                displayMissing = true;
            } else if (!probe.canOpenX || probe.canOpenX(xDisplay)) {
                return {};
            } else {
                notes.push_back("cannot open X display " + QuoteArgument(xDisplay));
                displayMissing = true;
            }
        } else if (isWayland) {
            if (waylandSocket || (!wayland.empty() && (!probe.canOpenWayland || probe.canOpenWayland(wayland))))
                return {};
            if (!wayland.empty())
                notes.push_back("cannot open Wayland display " + QuoteArgument(wayland));
            displayMissing = true;
        } else {
            return {}; // offscreen, minimal, vnc, eglfs, ...: Qt needs no display for them
        }
    }
    if (notes.size() > kMaxNotes)
        notes.resize(kMaxNotes);
    std::string reason = displayMissing ? "no display: " : "cannot start: ";
    for (const std::string& note : notes)
        reason += note + "; ";
    return displayMissing ? reason + kAdvice : reason.substr(0, reason.size() - 2);
}
