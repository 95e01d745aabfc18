// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the desktop program settles before Qt starts: --help and --version
// wherever they stand, every other argument known or refused, and the one line
// it prints when Qt would find no platform to start on.
#include <gtest/gtest.h>

#include <map>

#include "qt_host/start/platform_choice.h"
#include "qt_host/start/start_options.h"

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
    return NoDisplayReason(args, {env, [xAnswers](const std::string&) { return xAnswers; }, nullptr, nullptr});
}

StartAction Action(const Args& args)
{
    return ReadStartOptions(args).action;
}

} // namespace

TEST(StartOptions, HelpAndVersionAnywhereBeforeTheEndOfOptions)
{
    EXPECT_EQ(Action({}), StartAction::kRun);
    EXPECT_EQ(Action({"--help"}), StartAction::kHelp);
    EXPECT_EQ(Action({"-h"}), StartAction::kHelp);
    EXPECT_EQ(Action({"devices.vnx", "--version"}), StartAction::kVersion);
    EXPECT_EQ(Action({"--version", "--help"}), StartAction::kVersion);
    EXPECT_EQ(Action({"--bogus", "--help"}), StartAction::kHelp);
    // A file named like an option after "--", or the value of an option, is no request.
    EXPECT_EQ(Action({"--", "--help"}), StartAction::kRun);
    EXPECT_EQ(Action({"--report", "--help"}), StartAction::kRun);
    EXPECT_EQ(Action({"-platform", "--version"}), StartAction::kRun);
    EXPECT_EQ(Action({"devices.vnx", "--command", "32772"}), StartAction::kRun);
}

// Unknown options were passed on as the document's command line and ignored.
TEST(StartOptions, EveryArgumentIsKnownOrRefused)
{
    const struct {
        Args args;
        std::string error; // empty: accepted
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x", "a.vnx"}, "unknown option '-x'"},
        {{"--report"}, "--report needs a value"},
        {{"--report="}, "--report needs a file name"},
        {{"-platform"}, "-platform needs a value"},
        {{"--select", "-1"}, "--select '-1': not a row number"},
        {{"--report-after", "86400001"}, "not a number of milliseconds up to a day"},
        {{"--watch-interval", "0"}, "not a number of seconds from 1 to a day"},
        {{"--watch-interval=86401"}, "not a number of seconds from 1 to a day"},
        {{"--command", "65536"}, "not a command number 0-65535"},
        {{"a.vnx", "b.vnx"}, "one FILE at most, and 'b.vnx' is a second"},
        {{"--", "-x", "--bogus"}, "one FILE at most, and '--bogus' is a second"},
        {{"--report=r.txt", "--report-after", "0", "--select=2", "--command", "1", "--command=7", "--watch-interval=5"},
         ""},
        {{"-reverse", "-style=fusion", "--platform", "offscreen", "-display", ":1", "a.vnx"}, ""},
        {{"--", "--bogus"}, ""},
        {{"--select", "3-1"}, "--select '3-1': not a row number or a range FIRST-LAST"},
        {{"--select", "2-"}, "not a row number or a range FIRST-LAST"},
        {{"--select", "1-2-3"}, "not a row number or a range FIRST-LAST"},
        {{"--report-when-answered=yes"}, "--report-when-answered takes no value"},
        {{"--select", "0-19", "--report-when-answered", "--report-after", "60000"}, ""},
    };
    for (const auto& c : cases) {
        const StartOptions options = ReadStartOptions(c.args);
        if (c.error.empty()) {
            EXPECT_EQ(options.action, StartAction::kRun) << testing::PrintToString(c.args) << options.error;
        } else {
            EXPECT_EQ(options.action, StartAction::kUsageError) << testing::PrintToString(c.args);
            EXPECT_NE(options.error.find(c.error), std::string::npos) << options.error;
        }
    }
    const StartOptions ours = ReadStartOptions(cases[12].args);
    EXPECT_EQ(ours.reportPath, "r.txt");
    EXPECT_EQ(ours.reportAfterMs, 0);
    EXPECT_EQ(ours.selectRow, 2);
    EXPECT_EQ(ours.commands, (std::vector<unsigned>{1, 7}));
    EXPECT_EQ(ours.watchIntervalSeconds, 5);
    EXPECT_TRUE(ours.qtArgs.empty());
    // Qt gets its own options only, and the document is the one file.
    const StartOptions qt = ReadStartOptions(cases[13].args);
    EXPECT_EQ(qt.qtArgs, (Args{"-reverse", "-style=fusion", "--platform", "offscreen", "-display", ":1"}));
    EXPECT_EQ(qt.file, "a.vnx");
    EXPECT_EQ(ReadStartOptions({"--report", "--reverse"}).reportPath, "--reverse");
    EXPECT_EQ(ReadStartOptions(cases[14].args).file, "--bogus");
    EXPECT_EQ(ours.selectLast, 2);
    EXPECT_FALSE(ours.reportWhenAnswered);
    const StartOptions range = ReadStartOptions(cases[19].args);
    EXPECT_EQ(range.selectRow, 0);
    EXPECT_EQ(range.selectLast, 19);
    EXPECT_TRUE(range.reportWhenAnswered);
    EXPECT_EQ(range.reportAfterMs, 60000);
}

TEST(StartOptions, HelpNamesTheOptionsAndTheVersionIsOneLine)
{
    const ProgramInfo info{"varnex", "9.87", "Finds devices.\n", ""};
    const std::string help = StartHelp(info);
    EXPECT_EQ(help.rfind("Usage: varnex [OPTIONS] [FILE]\nFinds devices.\n", 0), 0u) << help;
    for (const char* option : {"--help", "--version", "--command", "--select", "--report", "--report-after",
                               "--watch-interval", "--report-when-answered", "QT_QPA_PLATFORM"})
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
    const DisplayProbe probe{Environment{{{"DISPLAY", ":42"}}},
                             [&asked](const std::string& n) {
                                 asked = n;
                                 return false;
                             },
                             nullptr, nullptr};
    const std::string reason = NoDisplayReason({}, probe);
    EXPECT_EQ(asked, ":42");
    EXPECT_EQ(reason, "no display: cannot open X display ':42'; set DISPLAY or WAYLAND_DISPLAY, or use "
                      "QT_QPA_PLATFORM=offscreen");
    // A Wayland display still serves when Qt may choose it.
    EXPECT_EQ(Reason({}, {{{"DISPLAY", ":42"}, {"WAYLAND_DISPLAY", "wayland-0"}}}, false), "");
}

// WAYLAND_DISPLAY naming no compositor made Qt abort (status 134); an unknown
// -platform name too.
TEST(StartOptions, AWaylandDisplayThatDoesNotAnswerOrAnUnknownPlatformIsNamed)
{
    const auto reason = [](const Args& args, Environment env, std::vector<std::string> installed) {
        return NoDisplayReason(
            args, {env, nullptr, [](const std::string&) { return false; }, [installed] { return installed; }});
    };
    const std::vector<std::string> withWayland{"offscreen", "wayland", "xcb"};
    EXPECT_EQ(reason({}, {{{"WAYLAND_DISPLAY", "wayland-9"}}}, withWayland),
              "no display: cannot open Wayland display 'wayland-9'; " + kNoDisplay.substr(12));
    // Without Qt's Wayland plugin Qt goes on to X: no display, and why Wayland was no choice.
    EXPECT_EQ(reason({}, {{{"WAYLAND_DISPLAY", "wayland-9"}}}, {"offscreen", "xcb"}),
              "no display: Qt has no platform plugin 'wayland' (there are: offscreen, xcb); " + kNoDisplay.substr(12));
    EXPECT_EQ(reason({}, {}, {"offscreen", "xcb"}), kNoDisplay);
    EXPECT_EQ(reason({"-platform", "bogus"}, {}, {"offscreen", "xcb"}),
              "cannot start: Qt has no platform plugin 'bogus' (there are: offscreen, xcb)");
    EXPECT_EQ(reason({"-platform", "bogus;OffScreen"}, {}, {"offscreen", "xcb"}), "");
    EXPECT_EQ(reason({}, {{{"QT_QPA_PLATFORM", "vnc"}}}, {}), "") << "an unknown plugin list leaves it to Qt";
}
