// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The simulator's command line and its datagram log lines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "discovery/packet_frame.h"
#include "res/text/version.h"
#include "varnex-sim/sim_log.h"
#include "varnex-sim/sim_options.h"

namespace {

using namespace std::chrono_literals;

sim::OptionsResult Parse(std::vector<std::string> args, sim::Options& options, std::string& error)
{
    return sim::ParseOptions(args, options, error);
}

TEST(SimOptions, ValuesInBothSpellings)
{
    sim::Options o;
    std::string error;
    ASSERT_EQ(Parse({"--port=37", "--reply-port", "4001", "--broadcast", "10.77.0.255", "--reply-delay=20",
                     "--reset-silence", "0.5", "--answer-every", "2", "--log", "-", "--devices", "a.txt", "--device",
                     "ip=1.2.3.4 mac=1-2-3-4-5-6"},
                    o, error),
              sim::OptionsResult::kRun)
        << error;
    EXPECT_EQ(o.port, 37);
    EXPECT_EQ(o.replyPort, 4001);
    EXPECT_EQ(o.broadcast, (sim::Ipv4{10, 77, 0, 255}));
    EXPECT_EQ(o.replyDelay, 20ms);
    EXPECT_EQ(o.resetSilence, std::chrono::duration_cast<sim::Clock::duration>(500ms));
    EXPECT_EQ(o.answerEvery, std::chrono::duration_cast<sim::Clock::duration>(2s));
    EXPECT_EQ(o.logPath, "-");
    ASSERT_EQ(o.sources.size(), 2u);
    EXPECT_EQ(o.sources[0].kind, sim::DeviceSource::kFile);
    EXPECT_EQ(o.sources[1].text, "ip=1.2.3.4 mac=1-2-3-4-5-6");

    sim::Options defaults;
    EXPECT_EQ(Parse({"--device", "x"}, defaults, error), sim::OptionsResult::kRun);
    EXPECT_EQ(defaults.port, 36);
    EXPECT_EQ(defaults.replyPort, 4000);
    EXPECT_EQ(defaults.broadcast, (sim::Ipv4{255, 255, 255, 255}));
    EXPECT_EQ(defaults.resetSilence, std::chrono::duration_cast<sim::Clock::duration>(1s));
}

TEST(SimOptions, BadUsageIsRefused)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--port", "0", "--device", "x"},
        {"--port", "65536", "--device", "x"},
        {"--port", "3a", "--device", "x"},
        {"--reply-port", "36", "--device", "x"},
        {"--broadcast", "255.255.255", "--device", "x"},
        {"--reply-delay", "-5", "--device", "x"},
        {"--reset-silence", "-1", "--device", "x"},
        {"--reset-silence", "1e3", "--device", "x"},
        {"--answer-every", "0", "--device", "x"},
        {"--answer-every", "0.0000000001", "--device", "x"}, // rounds to nothing: it would send nothing
        {"--log=", "--device", "x"},
        {"--colour", "red", "--device", "x"},
        {"stray", "--device", "x"},
        {"--device"},
    };
    for (const auto& args : cases) {
        sim::Options o;
        std::string error;
        EXPECT_EQ(Parse(args, o, error), sim::OptionsResult::kUsageError) << testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
    }
}

// --version is a request, not an option that wants a value.
TEST(SimOptions, VersionWithoutAValue)
{
    sim::Options o;
    std::string error;
    EXPECT_EQ(Parse({"--version"}, o, error), sim::OptionsResult::kVersion) << error;
    EXPECT_EQ(Parse({"--device", "x", "--version"}, o, error), sim::OptionsResult::kVersion) << error;
    EXPECT_EQ(sim::VersionText(), std::string("varnex-sim ") + res::Version() + "\n");
}

// "--bogus" was reported as short of a value when it stood last.
TEST(SimOptions, AnUnknownOptionIsNamedAsUnknown)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--device", "x", "--bogus"},
                                                 {"--bogus", "1", "--device", "x"},
                                                 {"--bogus=1", "--device", "x"}}) {
        sim::Options o;
        std::string error;
        ASSERT_EQ(Parse(args, o, error), sim::OptionsResult::kUsageError);
        EXPECT_EQ(error, "unknown option '--bogus'") << testing::PrintToString(args);
    }
    sim::Options o;
    std::string error;
    EXPECT_EQ(Parse({"--device", "x", "--port"}, o, error), sim::OptionsResult::kUsageError);
    EXPECT_EQ(error, "'--port' needs a value");
    EXPECT_EQ(Parse({"--log-passwords=yes", "--device", "x"}, o, error), sim::OptionsResult::kUsageError);
    EXPECT_EQ(error, "'--log-passwords' takes no value");
    EXPECT_EQ(Parse({"--ignore-commands=1", "--device", "x"}, o, error), sim::OptionsResult::kUsageError);
    EXPECT_EQ(error, "'--ignore-commands' takes no value");
    ASSERT_EQ(Parse({"--ignore-commands", "--device", "x"}, o, error), sim::OptionsResult::kRun) << error;
    EXPECT_TRUE(o.ignoreCommands);
    ASSERT_EQ(Parse({"--answer-every", "0.001", "--device", "x"}, o, error), sim::OptionsResult::kRun) << error;
    EXPECT_EQ(o.answerEvery, std::chrono::duration_cast<sim::Clock::duration>(1ms));
}

TEST(SimOptions, PasswordsInTheLogOnlyWhenAsked)
{
    sim::Options o;
    std::string error;
    ASSERT_EQ(Parse({"--devices", "a.txt", "--log", "x.log"}, o, error), sim::OptionsResult::kRun) << error;
    EXPECT_FALSE(o.logPasswords);
    ASSERT_EQ(Parse({"--log-passwords", "--devices", "a.txt"}, o, error), sim::OptionsResult::kRun) << error;
    EXPECT_TRUE(o.logPasswords);
    EXPECT_NE(sim::HelpText().find("--log-passwords"), std::string::npos);
}

TEST(SimOptions, MessagesQuoteAtMost64CharactersOfABadArgument)
{
    const std::string huge(1 << 20, '9');
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--port", huge}, {"--" + huge, "x"}, {huge}}) {
        sim::Options o;
        std::string error;
        ASSERT_EQ(Parse(args, o, error), sim::OptionsResult::kUsageError);
        EXPECT_LT(error.size(), 200u) << error.substr(0, 200);
        EXPECT_NE(error.find(std::string(60, '9') + "...'"), std::string::npos) << error.substr(0, 200);
    }
    EXPECT_EQ(sim::QuoteArgument("a\tb"), "'a\\x09b'");
}

TEST(SimOptions, HelpFitsAScreen)
{
    sim::Options o;
    std::string error;
    EXPECT_EQ(Parse({"--device", "x", "--help"}, o, error), sim::OptionsResult::kHelp);
    std::istringstream help(sim::HelpText());
    int lines = 0;
    for (std::string line; std::getline(help, line); ++lines)
        EXPECT_LE(line.size(), 100u) << line;
    EXPECT_LE(lines, 40);
}

} // namespace
