// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The simulator's log: one line per datagram, appended.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "discovery/packet_frame.h"
#include "varnex-sim/sim_log.h"

namespace {

TEST(SimLog, LineShowsAddressesLengthHexAndVerdict)
{
    const packet::Bytes probe = packet::BuildProbe();
    const std::string line = sim::FormatLogLine({"10.77.0.1", 4000, "255.255.255.255", 36, probe}, "probe (3 replies)");
    EXPECT_EQ(line,
              "10.77.0.1:4000 -> 255.255.255.255:36 len=52 515a5239" + std::string(96, '0') + " probe (3 replies)");

    const std::vector<std::uint8_t> big(300, 0xAB);
    const std::string cut = sim::FormatLogLine({"a", 1, "b", 2, big}, "ignored");
    std::string hex;
    for (std::size_t i = 0; i < sim::kMaxLoggedBytes; ++i)
        hex += "ab";
    EXPECT_EQ(cut, "a:1 -> b:2 len=300 " + hex + "... ignored");
}

TEST(SimLog, PasswordBytesOfCommandsShowAsStarsUnlessAskedFor)
{
    std::vector<std::uint8_t> reset(52, 0);
    const char head[] = {'Q', 'Z', 'R', 0x3D};
    std::copy(head, head + 4, reset.begin());
    const std::string password = "s3cret!!";
    std::copy(password.begin(), password.end(), reset.begin() + 42);
    reset[50] = 0xEE;
    const std::string hexBefore = "515a523d" + std::string(76, '0');
    const std::string masked = sim::FormatLogLine({"a", 1, "b", 2, reset}, "applied");
    EXPECT_EQ(masked, "a:1 -> b:2 len=52 " + hexBefore + std::string(16, '*') + "ee00 applied");
    EXPECT_EQ(masked.find("7333"), std::string::npos); // "s3" in hex
    const std::string shown = sim::FormatLogLine({"a", 1, "b", 2, reset}, "applied", true);
    EXPECT_EQ(shown, "a:1 -> b:2 len=52 " + hexBefore + "7333637265742121ee00 applied");

    // A command cut short is masked as far as it goes; other datagrams are not masked.
    const std::vector<std::uint8_t> shortCommand(reset.begin(), reset.begin() + 45);
    EXPECT_NE(sim::FormatLogLine({"a", 1, "b", 2, shortCommand}, "x").find(hexBefore + "****** x"), std::string::npos);
    std::vector<std::uint8_t> notCommand = reset;
    notCommand[3] = 0x39;
    EXPECT_NE(sim::FormatLogLine({"a", 1, "b", 2, notCommand}, "x").find("7333637265742121"), std::string::npos);
    notCommand[3] = 0x3D;
    notCommand[0] = 'X';
    EXPECT_NE(sim::FormatLogLine({"a", 1, "b", 2, notCommand}, "x").find("7333637265742121"), std::string::npos);
}

TEST(SimLog, FileIsAppendedLineByLine)
{
    const std::string path = testing::TempDir() + "sim_log_test.log";
    std::remove(path.c_str());
    for (const char* text : {"first", "second"}) {
        sim::DatagramLog log;
        std::string error;
        ASSERT_TRUE(log.Open(path, error)) << error;
        log.Write(text);
    }
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_EQ(all.str(), "first\nsecond\n");

    sim::DatagramLog bad;
    std::string error;
    EXPECT_FALSE(bad.Open(testing::TempDir() + "no/such/dir/x.log", error));
    EXPECT_NE(error.find("no/such/dir"), std::string::npos);
}

} // namespace
