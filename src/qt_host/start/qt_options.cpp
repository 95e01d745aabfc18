// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/start/qt_options.h"

#include <algorithm>
#include <array>

namespace {

// Qt's application classes, its X11 platform and the debugging aids of Qt 6.
constexpr std::array<std::string_view, 16> kWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry", "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "display",         "name",     "visual",
    "style",    "stylesheet"};
constexpr std::array<std::string_view, 6> kFlags = {"reverse", "widgetcount", "nograb",
                                                    "dograb",  "sync",        "testability"};
constexpr std::array<std::string_view, 3> kInline = {"style=", "stylesheet=", "qmljsdebugger="};

// "-name" or "--name" without its dashes; empty for anything else.
std::string_view Bare(std::string_view arg)
{
    if (arg.rfind("--", 0) == 0)
        arg.remove_prefix(2);
    else if (arg.rfind('-', 0) == 0)
        arg.remove_prefix(1);
    else
        return {};
    return arg.rfind('-', 0) == 0 ? std::string_view{} : arg;
}

template <std::size_t N> bool In(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

QtOption QtOptionKind(std::string_view arg)
{
    const std::string_view name = Bare(arg);
    if (name.empty())
        return QtOption::kNone;
    if (In(kWithValue, name))
        return QtOption::kWithValue;
    if (In(kFlags, name))
        return QtOption::kFlag;
    for (std::string_view prefix : kInline)
        if (name.size() > prefix.size() && name.rfind(prefix, 0) == 0)
            return QtOption::kFlag;
    return QtOption::kNone;
}

std::string QtOptionValue(const std::vector<std::string>& qtArgs, std::string_view name)
{
    for (std::size_t i = 0; i + 1 < qtArgs.size(); ++i) {
        if (QtOptionKind(qtArgs[i]) != QtOption::kWithValue)
            continue;
        if (Bare(qtArgs[i]) == name)
            return qtArgs[i + 1];
        ++i;
    }
    return {};
}
