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
