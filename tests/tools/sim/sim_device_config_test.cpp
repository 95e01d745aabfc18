// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Device definitions of the simulator: what a good line sets, and that every
// bad line is refused with a message naming the field.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "varnex-sim/sim_device_config.h"
#include "varnex-sim/sim_device_sources.h"

namespace {

sim::Device ParseGood(const std::string& line)
{
    std::optional<sim::Device> device;
    std::string error;
    EXPECT_TRUE(sim::ParseDeviceLine(line, device, error)) << line << ": " << error;
    return device.value_or(sim::Device{});
}

std::string ParseBad(const std::string& line)
{
    std::optional<sim::Device> device;
    std::string error;
    EXPECT_FALSE(sim::ParseDeviceLine(line, device, error)) << line;
    EXPECT_FALSE(device.has_value());
    return error;
}

const std::string kBase = "ip=192.168.1.20 mac=00-0A-1B-2C-3D-4E ";

TEST(SimDeviceConfig, FullLineSetsEveryField)
{
    const sim::Device d = ParseGood("name=Cam-Lobby ip=192.168.1.20 mask=255.255.0.0 gateway=192.168.1.1 "
                                    "mac=00-0A-1B-2C-3D-4E version=1.20 model=32 password=secret");
    EXPECT_EQ(d.name, "Cam-Lobby");
    EXPECT_EQ(d.ip, (sim::Ipv4{192, 168, 1, 20}));
    EXPECT_EQ(d.mask, (sim::Ipv4{255, 255, 0, 0}));
    EXPECT_EQ(d.gateway, (sim::Ipv4{192, 168, 1, 1}));
    EXPECT_EQ(d.mac, (sim::Mac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
    EXPECT_EQ(d.versionMajor, 0x01);
    EXPECT_EQ(d.versionMinor, 0x20);
    EXPECT_EQ(d.model, 32);
    EXPECT_EQ(d.password, "secret");
    EXPECT_FALSE(d.firmwareMode);
}

TEST(SimDeviceConfig, OnlyIpAndMacAreRequired)
{
    const sim::Device d = ParseGood("  mac=00:0a:1b:2c:3d:4f\tip=10.0.0.1  ");
    EXPECT_EQ(d.mac, (sim::Mac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}));
    EXPECT_EQ(d.name, "");
    EXPECT_EQ(d.mask, (sim::Ipv4{255, 255, 255, 0}));
    EXPECT_EQ(d.gateway, (sim::Ipv4{0, 0, 0, 0}));
    EXPECT_EQ(d.model, 31);
    EXPECT_EQ(d.password, "");
}

TEST(SimDeviceConfig, QuotesAndEscapesMakeAnyName)
{
    EXPECT_EQ(ParseGood(kBase + "name=\"Door 2, East\"").name, "Door 2, East");
    EXPECT_EQ(ParseGood(kBase + "name='say \"hi\"'").name, "say \"hi\"");
    EXPECT_EQ(ParseGood(kBase + "name=Cam%20Lobby").name, "Cam Lobby");
    EXPECT_EQ(ParseGood(kBase + "name=\"50%25 off\"").name, "50% off");
    EXPECT_EQ(ParseGood(kBase + "name=a,b").name, "a,b");
    EXPECT_EQ(ParseGood(kBase + "name=ab\"c d\"e").name, "abc de");
    EXPECT_EQ(ParseGood(kBase + "name=%c3%a9t%C3%A9").name, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(ParseGood(kBase + "password=%41%42").password, "AB");
}

TEST(SimDeviceConfig, NameAndPasswordLengthLimits)
{
    EXPECT_EQ(ParseGood(kBase + "name=" + std::string(16, 'n')).name.size(), 16u);
    EXPECT_EQ(ParseGood(kBase + "name=" + std::string(17, 'n')).name.size(), 17u);
    EXPECT_NE(ParseBad(kBase + "name=" + std::string(18, 'n')).find("field 'name'"), std::string::npos);
    EXPECT_EQ(ParseGood(kBase + "password=12345678").password, "12345678");
    EXPECT_EQ(ParseGood(kBase + "password=").password, "");
}

TEST(SimDeviceConfig, BlankAndCommentLinesGiveNoDevice)
{
    for (const char* line : {"", "   \t", "# name=x", "   # ip=1.2.3.4"}) {
        std::optional<sim::Device> device;
        std::string error;
        EXPECT_TRUE(sim::ParseDeviceLine(line, device, error)) << line;
        EXPECT_FALSE(device.has_value()) << line;
    }
}

TEST(SimDeviceConfig, BadLinesNameTheField)
{
    const struct {
        std::string line;
        const char* expected;
    } cases[] = {
        {"mac=00-0A-1B-2C-3D-4E", "missing field 'ip'"},
        {"ip=1.2.3.4", "missing field 'mac'"},
        {kBase + "colour=red", "unknown field 'colour'"},
        {kBase + "ip=1.2.3.5", "field 'ip' given twice"},
        {kBase + "name", "'name' is not key=value"},
        {kBase + "=x", "'=x' is not key=value"},
        {kBase + "# trailing", "'#' is not key=value"},
        {kBase + "name=\"open", "field 'name': missing closing \""},
        {kBase + "name=50%", "field 'name': '%' must be followed by two hex digits"},
        {kBase + "name=%4G", "field 'name': '%'"},
        {kBase + "name=a%00b", "field 'name': a NUL byte"},
        {"mac=00-0A-1B-2C-3D-4E ip=192.168.1.300", "field 'ip': '192.168.1.300'"},
        {"mac=00-0A-1B-2C-3D-4E ip=1.2.3", "field 'ip'"},
        {"mac=00-0A-1B-2C-3D-4E ip=1.2.3.4.5", "field 'ip'"},
        {"mac=00-0A-1B-2C-3D-4E ip=1..2.3", "field 'ip'"},
        {kBase + "mask=255.255.255.-1", "field 'mask'"},
        {kBase + "gateway=", "field 'gateway'"},
        {"ip=1.2.3.4 mac=00-0A-1B-2C-3D", "field 'mac'"},
        {"ip=1.2.3.4 mac=00-0A-1B-2C-3D-4E-5F", "field 'mac'"},
        {"ip=1.2.3.4 mac=000-0A-1B-2C-3D-4E", "field 'mac'"},
        {kBase + "version=1.2", "field 'version': '1.2'"},
        {kBase + "version=1.200", "field 'version'"},
        {kBase + "version=100.00", "field 'version'"},
        {kBase + "version=1", "field 'version'"},
        {kBase + "model=256", "field 'model': '256'"},
        {kBase + "model=-1", "field 'model'"},
        {kBase + "model=0x1F", "field 'model'"},
        {kBase + "password=123456789", "field 'password': longer than 8 bytes"},
        {kBase + "password=ab%00", "field 'password': a NUL byte"},
        {kBase + "commands=drop", "field 'commands': 'drop' is not apply or ignore"},
    };
    for (const auto& c : cases)
        EXPECT_NE(ParseBad(c.line).find(c.expected), std::string::npos) << c.line << " -> " << ParseBad(c.line);
}

TEST(SimDeviceConfig, PasswordErrorsNeverRepeatThePassword)
{
    EXPECT_EQ(ParseBad(kBase + "password=hunter2hunter2").find("hunter2"), std::string::npos);
}

TEST(SimDeviceConfig, StreamErrorNamesOriginAndLine)
{
    std::istringstream in("# lab\n" + kBase + "name=one\n\nip=1.2.3.4 mac=zz\n");
    std::vector<sim::Device> devices;
    std::string error;
    EXPECT_FALSE(sim::ReadDeviceStream(in, "lab.txt", devices, error));
    EXPECT_EQ(error.rfind("lab.txt:4: field 'mac'", 0), 0u) << error;
}

} // namespace
