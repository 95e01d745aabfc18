// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the desktop program settles before Qt starts: --help and --version
// wherever they stand, and the one line it prints when there is no display.
#include <gtest/gtest.h>

#include <map>

#include "qt_host/start_options.h"

namespace {

using Args = std::vector<std::string>;

struct Environment {
    std::map<std::string, std::string> vars;
    const char* operator()(const char* name) const
    {
        const auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    }
};

const std::string kNoDisplay = "no display: set DISPLAY or WAYLAND_DISPLAY, or use QT_QPA_PLATFORM=offscreen";

std::string Reason(const Args& args, Environment env, bool xAnswers = true)
{
    return NoDisplayReason(args, env, [xAnswers](const std::string&) { return xAnswers; });
}

} // namespace

TEST(StartOptions, HelpAndVersionAnywhereBeforeTheEndOfOptions)
{
    EXPECT_EQ(ReadStartOptions({}), StartAction::kRun);
    EXPECT_EQ(ReadStartOptions({"--help"}), StartAction::kHelp);
    EXPECT_EQ(ReadStartOptions({"-h"}), StartAction::kHelp);
    EXPECT_EQ(ReadStartOptions({"devices.vnx", "--version"}), StartAction::kVersion);
    EXPECT_EQ(ReadStartOptions({"--version", "--help"}), StartAction::kVersion);
    // A file named like an option after "--", or the value of an option, is no request.
    EXPECT_EQ(ReadStartOptions({"--", "--help"}), StartAction::kRun);
    EXPECT_EQ(ReadStartOptions({"--report", "--help"}), StartAction::kRun);
    EXPECT_EQ(ReadStartOptions({"-platform", "--version"}), StartAction::kRun);
    // The document's command line stays as it was.
    EXPECT_EQ(ReadStartOptions({"devices.vnx", "--command", "32772"}), StartAction::kRun);
}

TEST(StartOptions, HelpNamesTheOptionsAndTheVersionIsOneLine)
{
    const ProgramInfo info{"varnex", "9.87", "Finds devices.\n"};
    const std::string help = StartHelp(info);
    EXPECT_EQ(help.rfind("Usage: varnex [OPTIONS] [FILE]\nFinds devices.\n", 0), 0u) << help;
    for (const char* option : {"--help", "--version", "--command", "--report", "--report-after", "QT_QPA_PLATFORM"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(StartVersion(info), "varnex 9.87\n");
}

TEST(StartOptions, NoDisplayWithoutXOrWayland)
{
    EXPECT_EQ(Reason({}, {}), kNoDisplay);
    EXPECT_EQ(Reason({}, {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}}), kNoDisplay);
    EXPECT_EQ(Reason({}, {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}}), kNoDisplay);
    EXPECT_EQ(Reason({}, {{{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}}), kNoDisplay);
    EXPECT_EQ(kNoDisplay.find('\n'), std::string::npos);
}

TEST(StartOptions, ADisplayOrAPlatformWithoutOne)
{
    EXPECT_EQ(Reason({}, {{{"DISPLAY", ":0"}}}), "");
    EXPECT_EQ(Reason({}, {{{"WAYLAND_DISPLAY", "wayland-0"}}}), "");
    EXPECT_EQ(Reason({}, {{{"QT_QPA_PLATFORM", "offscreen"}}}), "");
    EXPECT_EQ(Reason({}, {{{"QT_QPA_PLATFORM", "offscreen:fontengine=freetype"}}}), "");
    EXPECT_EQ(Reason({}, {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}}), "");
    // Qt's own options win over the environment.
    EXPECT_EQ(Reason({"-platform", "offscreen"}, {}), "");
    EXPECT_EQ(Reason({"-platform", "xcb"}, {{{"QT_QPA_PLATFORM", "offscreen"}}}), kNoDisplay);
    EXPECT_EQ(Reason({"-display", ":3"}, {}), "");
}

// A DISPLAY with no X server behind it (a closed ssh forwarding) made Qt abort.
TEST(StartOptions, AnXDisplayThatDoesNotAnswerIsNamed)
{
    std::string asked;
    const std::string reason = NoDisplayReason({}, Environment{{{"DISPLAY", ":42"}}}, [&asked](const std::string& n) {
        asked = n;
        return false;
    });
    EXPECT_EQ(asked, ":42");
    EXPECT_EQ(reason, "no display: cannot open X display ':42'; set DISPLAY or WAYLAND_DISPLAY, or use "
                      "QT_QPA_PLATFORM=offscreen");
    // A Wayland display still serves when Qt may choose it.
    EXPECT_EQ(Reason({}, {{{"DISPLAY", ":42"}, {"WAYLAND_DISPLAY", "wayland-0"}}}, false), "");
}
