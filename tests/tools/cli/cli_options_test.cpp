// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's command line: subcommands, their options and the checks of the
// values, with the messages that name what was wrong.
#include <gtest/gtest.h>

#include "res/text/version.h"
#include "varnex-cli/cli_arguments.h"
#include "varnex-cli/cli_options.h"
#include "varnex-cli/cli_texts.h"

namespace {

using cli::Command;
using cli::Options;
using cli::ParseResult;

struct Parsed {
    ParseResult result;
    Options options;
    std::string text;
};

Parsed Parse(std::vector<std::string> args)
{
    Parsed p;
    p.result = cli::ParseCommandLine(args, p.options, p.text);
    return p;
}

TEST(CliOptions, DefaultsOfDiscover)
{
    const Parsed p = Parse({"discover"});
    ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
    EXPECT_EQ(p.options.command, Command::kDiscover);
    EXPECT_EQ(p.options.ports.localPort, 4000u);
    EXPECT_EQ(p.options.ports.devicePort, 36u);
    EXPECT_EQ(p.options.ports.broadcastAddress, "255.255.255.255");
    EXPECT_DOUBLE_EQ(p.options.waitSeconds, 2.0);
    EXPECT_DOUBLE_EQ(p.options.maxWaitSeconds, 30.0);
    EXPECT_EQ(p.options.format, cli::Format::kTable);
}

TEST(CliOptions, CommonOptionsInBothSpellingsAfterTheCommand)
{
    const Parsed p = Parse({"discover", "--local-port", "4100", "--device-port=37", "--broadcast", "10.77.0.255",
                            "--wait=0.5", "--format", "json"});
    ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
    EXPECT_EQ(p.options.ports.localPort, 4100u);
    EXPECT_EQ(p.options.ports.devicePort, 37u);
    EXPECT_EQ(p.options.ports.broadcastAddress, "10.77.0.255");
    EXPECT_DOUBLE_EQ(p.options.waitSeconds, 0.5);
    EXPECT_EQ(p.options.format, cli::Format::kJson);
}

TEST(CliOptions, SetIpTakesMacInEitherFormAndOnlyTheValuesGiven)
{
    const Parsed p = Parse({"set-ip", "00:0a:1b:2c:3d:4e", "--ip", "192.168.1.50"});
    ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
    const cli::Mac mac{{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}};
    EXPECT_EQ(p.options.device, mac);
    ASSERT_TRUE(p.options.newIp);
    EXPECT_EQ(*p.options.newIp, (cli::Ipv4{{192, 168, 1, 50}}));
    EXPECT_FALSE(p.options.newMask);
    EXPECT_FALSE(p.options.newGateway);
}

TEST(CliOptions, SetMacWebAndPasswordStdin)
{
    const Parsed m = Parse({"set-mac", "192.168.1.20", "00-0A-1B-2C-3D-4F", "--password-stdin"});
    ASSERT_EQ(m.result, ParseResult::kRun) << m.text;
    EXPECT_EQ(m.options.currentIp, (cli::Ipv4{{192, 168, 1, 20}}));
    EXPECT_EQ(m.options.newMac, (cli::Mac{{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}}));
    EXPECT_TRUE(m.options.passwordFromStdin);

    const Parsed w = Parse({"web", "192.168.1.20"});
    ASSERT_EQ(w.result, ParseResult::kRun) << w.text;
    EXPECT_EQ(w.options.webAddress, "192.168.1.20");
}

TEST(CliOptions, HelpOverallAndPerCommand)
{
    EXPECT_EQ(Parse({"--help"}).result, ParseResult::kHelp);
    const Parsed reset = Parse({"reset", "--help"});
    EXPECT_EQ(reset.result, ParseResult::kHelp);
    EXPECT_NE(reset.text.find("Usage: varnex-cli reset MAC"), std::string::npos);
    const Parsed bad = Parse({"reset", "zz", "--help"}); // help wins over a bad argument
    EXPECT_EQ(bad.result, ParseResult::kHelp);
}

TEST(CliOptions, VersionIsOneLineWithTheBuildsVersion)
{
    const Parsed p = Parse({"--version"});
    EXPECT_EQ(p.result, ParseResult::kVersion);
    EXPECT_EQ(p.text, std::string("varnex-cli ") + res::Version() + "\n");
    // After a command it is an option that command does not know.
    EXPECT_EQ(Parse({"discover", "--version"}).result, ParseResult::kUsageError);
}

// set-ip without a value to set would send nothing and pass: a script that
// forgot --ip must fail, with the reason on one line.
TEST(CliOptions, SetIpNeedsAtLeastOneValue)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"set-ip", "00-0A-1B-2C-3D-4E"},
          std::vector<std::string>{"set-ip", "00-0A-1B-2C-3D-4E", "--wait", "1", "--password-stdin"}}) {
        const Parsed p = Parse(args);
        EXPECT_EQ(p.result, ParseResult::kUsageError) << testing::PrintToString(args);
        EXPECT_EQ(p.text.find('\n'), std::string::npos) << p.text;
        for (const char* option : {"--ip", "--mask", "--gateway"})
            EXPECT_NE(p.text.find(option), std::string::npos) << p.text;
    }
    for (const char* option : {"--ip", "--mask", "--gateway"})
        EXPECT_EQ(Parse({"set-ip", "00-0A-1B-2C-3D-4E", option, "255.255.255.0"}).result, ParseResult::kRun) << option;
    // The MAC is still checked first: its message names the missing MAC.
    EXPECT_NE(Parse({"set-ip"}).text.find("set-ip needs MAC"), std::string::npos);
}

TEST(CliOptions, WithModelIsAFlagOfDiscoverOnly)
{
    EXPECT_FALSE(Parse({"discover"}).options.withModel);
    const Parsed p = Parse({"discover", "--format", "csv", "--with-model"});
    ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
    EXPECT_TRUE(p.options.withModel);
    EXPECT_EQ(Parse({"discover", "--with-model=yes"}).result, ParseResult::kUsageError);
    const Parsed setIp = Parse({"set-ip", "00-0A-1B-2C-3D-4E", "--ip", "1.2.3.4", "--with-model"});
    EXPECT_EQ(setIp.result, ParseResult::kUsageError);
    EXPECT_NE(setIp.text.find("unknown option '--with-model' for set-ip"), std::string::npos) << setIp.text;
}

TEST(CliOptions, TheCommandsAProbeCanConfirmLookUnlessToldNot)
{
    const struct {
        std::vector<std::string> args;
        bool verify;
        double verifyWait;
    } runs[] = {
        {{"set-ip", "00-0A-1B-2C-3D-4E", "--ip", "1.2.3.4"}, true, 5},
        {{"set-mac", "192.168.1.20", "00-0A-1B-2C-3D-4F", "--verify-wait=0.5"}, true, 0.5},
        {{"reset", "00-0A-1B-2C-3D-4E", "--no-verify", "--verify-wait", "9"}, false, 9},
    };
    for (const auto& run : runs) {
        const Parsed p = Parse(run.args);
        ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
        EXPECT_EQ(p.options.verify, run.verify) << run.args[0];
        EXPECT_EQ(p.options.verifyWaitSeconds, run.verifyWait) << run.args[0];
    }
}

// Each bad command line is refused with a message naming the culprit.
TEST(CliOptions, BadUsageNamesWhatWasWrong)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command"},
        {{"scan"}, "unknown command 'scan'"},
        {{"--wait", "1", "discover"}, "options come after the command"},
        {{"--bogus", "discover"}, "unknown option '--bogus'"},
        {{"discover", "--local-port", "0"}, "--local-port '0'"},
        {{"discover", "--local-port", "65536"}, "--local-port '65536'"},
        {{"discover", "--device-port", "3x"}, "--device-port '3x'"},
        {{"discover", "--broadcast", "255.255.255"}, "--broadcast '255.255.255'"},
        {{"discover", "--wait", "0"}, "--wait '0'"},
        {{"discover", "--wait", "-1"}, "--wait '-1'"},
        {{"discover", "--wait", "1e3"}, "--wait '1e3'"},
        {{"discover", "--max-wait", "0"}, "--max-wait '0'"},
        {{"discover", "--max-wait", "3601"}, "--max-wait '3601'"},
        {{"web", "192.168.1.20", "--max-wait", "5"}, "unknown option '--max-wait' for web"},
        {{"discover", "--format", "xml"}, "--format 'xml'"},
        {{"discover", "--format"}, "--format needs a value"},
        {{"discover", "extra"}, "unexpected argument 'extra'"},
        {{"discover", "--ip", "1.2.3.4"}, "unknown option '--ip' for discover"},
        {{"discover", "--password-stdin"}, "unknown option '--password-stdin' for discover"},
        {{"set-ip"}, "set-ip needs MAC"},
        {{"set-ip", "00-0A-1B-2C-3D", "--ip", "1.2.3.4"}, "MAC '00-0A-1B-2C-3D'"},
        {{"set-ip", "00-0A-1B-2C-3D-4E", "--ip", "192.168.1.256"}, "--ip '192.168.1.256'"},
        {{"set-ip", "00-0A-1B-2C-3D-4E", "--mask", "255.255.255.0.0"}, "--mask '255.255.255.0.0'"},
        {{"set-ip", "00-0A-1B-2C-3D-4E", "--gateway", " 1.2.3.4"}, "--gateway ' 1.2.3.4'"},
        {{"set-mac", "192.168.1.20"}, "set-mac needs NEW_MAC"},
        {{"set-mac", "192.168.1", "00-0A-1B-2C-3D-4F"}, "CURRENT_IP '192.168.1'"},
        {{"set-mac", "192.168.1.20", "00:0A:1B:2C:3D:4F"}, "NEW_MAC '00:0A:1B:2C:3D:4F'"},
        {{"set-mac", "192.168.1.20", "00-0A-1B-2C-3D-4F-50"}, "NEW_MAC"},
        {{"set-mac", "192.168.1.20", "000-0A-1B-2C-3D-4F"}, "NEW_MAC"},
        {{"reset", "00-0A-1B:2C-3D-4E"}, "MAC '00-0A-1B:2C-3D-4E'"},
        {{"update-firmware", "0x-0A-1B-2C-3D-4E"}, "MAC '0x-0A-1B-2C-3D-4E'"},
        {{"web", "device.local"}, "IP 'device.local'"},
        {{"web", "192.168.1.20", "--wait", "1"}, "unknown option '--wait' for web"},
        {{"discover", "--no-verify"}, "unknown option '--no-verify' for discover"},
        {{"update-firmware", "00-0A-1B-2C-3D-4E", "--verify-wait", "5"}, "unknown option '--verify-wait'"},
        {{"reset", "00-0A-1B-2C-3D-4E", "--no-verify=yes"}, "unknown option '--no-verify'"},
        {{"reset", "00-0A-1B-2C-3D-4E", "--verify-wait", "0"}, "--verify-wait '0'"},
    };
    for (const auto& [args, expected] : cases) {
        const Parsed p = Parse(args);
        EXPECT_EQ(p.result, ParseResult::kUsageError) << testing::PrintToString(args);
        EXPECT_NE(p.text.find(expected), std::string::npos) << p.text;
        EXPECT_NE(p.text.find("Try 'varnex-cli"), std::string::npos) << p.text;
    }
}

TEST(CliOptions, MaxWaitForTheCommandsThatListen)
{
    const Parsed d = Parse({"discover", "--max-wait", "4.5", "--wait", "0.5"});
    ASSERT_EQ(d.result, ParseResult::kRun) << d.text;
    EXPECT_DOUBLE_EQ(d.options.maxWaitSeconds, 4.5);
    EXPECT_DOUBLE_EQ(d.options.waitSeconds, 0.5);
    const Parsed s = Parse({"set-ip", "00-0A-1B-2C-3D-4E", "--ip", "1.2.3.4", "--max-wait=10"});
    ASSERT_EQ(s.result, ParseResult::kRun) << s.text;
    EXPECT_DOUBLE_EQ(s.options.maxWaitSeconds, 10.0);
    const Parsed help = Parse({"discover", "--help"});
    for (const char* words : {"--max-wait SECONDS", "(30)", "(2;", "the first window without an answer ends listening"})
        EXPECT_NE(help.text.find(words), std::string::npos) << words;
}

// However long the argument, the message quotes 64 characters of it, and
// control characters cannot reach the terminal.
TEST(CliOptions, MessagesQuoteAtMost64CharactersOfABadArgument)
{
    const std::string huge = std::string(1 << 20, '7') + "x";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"discover", "--wait", huge},
                                                 {"discover", "--" + huge},
                                                 {"discover", huge},
                                                 {huge},
                                                 {"web", huge},
                                                 {"set-mac", huge, "00-0A-1B-2C-3D-4F"}}) {
        const Parsed p = Parse(args);
        ASSERT_EQ(p.result, ParseResult::kUsageError);
        EXPECT_LT(p.text.size(), 300u);
        EXPECT_NE(p.text.find(std::string(62, '7') + "...'"), std::string::npos) << p.text.substr(0, 200);
        EXPECT_EQ(p.text.find(std::string(65, '7')), std::string::npos);
    }
    EXPECT_EQ(cli::QuoteArgument("1.2.3\x1b[2J\n"), "'1.2.3\\x1B[2J\\x0A'");
    // Cut between characters, never inside one.
    const std::string accents = std::string(63, 'a') + "\xC3\xA9\xC3\xA9";
    EXPECT_EQ(cli::QuoteArgument(accents), std::string("'").append(63, 'a').append("\xC3\xA9...'"));
    EXPECT_EQ(cli::QuoteArgument(std::string(64, 'b')), std::string("'").append(64, 'b').append("'"));
}

TEST(CliOptions, PasswordOnTheCommandLineIsRefusedWithoutRepeatingIt)
{
    for (const std::string arg : {"--password=hunter22", "--password"}) {
        const Parsed p = Parse({"reset", "00-1A-2B-3C-4D-5E", arg, "hunter22"});
        EXPECT_EQ(p.result, ParseResult::kUsageError);
        EXPECT_NE(p.text.find("never taken from the command line"), std::string::npos) << p.text;
        EXPECT_EQ(p.text.find("hunter22"), std::string::npos) << p.text;
    }
}

} // namespace

TEST(CliOptions, EveryCommandTakesOneInterfaceByNameOrAll)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"discover"},
                                                 {"set-ip", "00-0A-1B-2C-3D-4E", "--ip", "1.2.3.4"},
                                                 {"set-mac", "192.168.1.20", "00-0A-1B-2C-3D-4F"},
                                                 {"reset", "00-0A-1B-2C-3D-4E"},
                                                 {"update-firmware", "00-0A-1B-2C-3D-4E"},
                                                 {"web", "192.168.1.20"}}) {
        EXPECT_EQ(Parse(args).options.interfaceName, "") << args[0]; // all, by default
        std::vector<std::string> named = args;
        named.insert(named.end(), {"--interface", "eth1"});
        const Parsed p = Parse(named);
        ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
        EXPECT_EQ(p.options.interfaceName, "eth1") << args[0];
        named.push_back("--interface=all");
        EXPECT_EQ(Parse(named).options.interfaceName, "") << args[0]; // the last one counts
    }
    // The commands to a device discover it first, so they listen as set-ip does.
    const Parsed reset = Parse({"reset", "00-0A-1B-2C-3D-4E", "--wait", "0.5", "--max-wait=3"});
    ASSERT_EQ(reset.result, ParseResult::kRun) << reset.text;
    EXPECT_DOUBLE_EQ(reset.options.waitSeconds, 0.5);
    EXPECT_DOUBLE_EQ(reset.options.maxWaitSeconds, 3.0);
}

TEST(CliOptions, AnInterfaceNameTheKernelWouldRefuseIsBadUsage)
{
    for (const auto& [value, quoted] :
         std::vector<std::pair<std::string, std::string>>{{"eth0:1", "'eth0:1'"},
                                                          {"a/b", "'a/b'"},
                                                          {"", "''"},
                                                          {"enx00e04c6800011", "'enx00e04c6800011'"},
                                                          {"a b", "'a b'"},
                                                          {"a\x01", "'a\\x01'"},
                                                          {"ALL", "'ALL'"}}) {
        const Parsed p = Parse({"discover", "--interface", value});
        if (value == "ALL") { // a name like any other: only the kernel knows whether it exists
            EXPECT_EQ(p.result, ParseResult::kRun);
            continue;
        }
        EXPECT_EQ(p.result, ParseResult::kUsageError) << value;
        EXPECT_NE(p.text.find("--interface " + quoted + ": not an interface name"), std::string::npos) << p.text;
    }
    const Parsed missing = Parse({"reset", "00-0A-1B-2C-3D-4E", "--interface"});
    EXPECT_EQ(missing.result, ParseResult::kUsageError);
    EXPECT_NE(missing.text.find("--interface needs a value"), std::string::npos) << missing.text;
}

TEST(CliOptions, ApplyTakesAPlanADryRunAndAFormat)
{
    const Parsed p = Parse({"apply", "plan.csv", "--dry-run", "--format=json", "--password-stdin"});
    ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
    EXPECT_EQ(p.options.command, Command::kApply);
    EXPECT_EQ(p.options.planPath, "plan.csv");
    EXPECT_TRUE(p.options.dryRun);
    EXPECT_EQ(p.options.format, cli::Format::kJson);
    EXPECT_TRUE(p.options.passwordFromStdin);
    EXPECT_FALSE(Parse({"apply", "plan.csv"}).options.dryRun);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"apply"}, {"apply", "a.csv", "b.csv"}, {"apply", "a.csv", "--dry-run=yes"}, {"discover", "--dry-run"}})
        EXPECT_EQ(Parse(bad).result, ParseResult::kUsageError) << bad.back();
}

namespace {

TEST(CliOptions, WatchTakesAnIntervalOfOneSecondOrMoreAndTextOrJson)
{
    const Parsed defaults = Parse({"watch"});
    ASSERT_EQ(defaults.result, ParseResult::kRun) << defaults.text;
    EXPECT_EQ(defaults.options.command, Command::kWatch);
    EXPECT_DOUBLE_EQ(defaults.options.intervalSeconds, 15.0);
    EXPECT_EQ(defaults.options.format, cli::Format::kText);
    const Parsed p = Parse({"watch", "--interval=1.5", "--format", "json", "--interface", "eth0"});
    ASSERT_EQ(p.result, ParseResult::kRun) << p.text;
    EXPECT_DOUBLE_EQ(p.options.intervalSeconds, 1.5);
    EXPECT_EQ(p.options.format, cli::Format::kJson);
    EXPECT_EQ(Parse({"watch", "--format", "text"}).options.format, cli::Format::kText);

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"watch", "--interval", "0.5"}, "--interval '0.5': not a number of seconds from 1 to 3600"},
        {{"watch", "--interval", "3601"}, "--interval '3601'"},
        {{"watch", "--interval", "-5"}, "--interval '-5'"},
        {{"watch", "--interval"}, "--interval needs a value"},
        {{"watch", "--format", "csv"}, "--format 'csv': not one of text, json"},
        {{"discover", "--format", "text"}, "--format 'text': not one of table, csv, json"},
        {{"discover", "--interval", "5"}, "unknown option '--interval' for discover"},
        {{"watch", "--wait", "1"}, "unknown option '--wait' for watch"},
        {{"watch", "--password-stdin"}, "unknown option '--password-stdin' for watch"},
        {{"watch", "00-0A-1B-2C-3D-4E"}, "unexpected argument"},
    };
    for (const auto& [args, expected] : bad) {
        const Parsed q = Parse(args);
        EXPECT_EQ(q.result, ParseResult::kUsageError) << testing::PrintToString(args);
        EXPECT_NE(q.text.find(expected), std::string::npos) << q.text;
    }
}

} // namespace
