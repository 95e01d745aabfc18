// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Reply datagrams turned into devices and their list rows.
#include <gtest/gtest.h>

#include <cstring>

#include "discovery/device_reply.h"
#include "discovery/discovery_ports.h"
#include "discovery/packet_frame.h"

namespace {

using device::DeviceRow;
using device::ReplyToRow;

// The reply of the camera in the lobby, model code 31, version 1.20.
packet::Bytes LobbyReply(std::uint8_t model = 31)
{
    packet::Bytes f{};
    std::memcpy(f.data(), "QZR9", 4);
    const std::uint8_t ip[] = {192, 168, 1, 20}, mask[] = {255, 255, 255, 0}, gw[] = {192, 168, 1, 1};
    const std::uint8_t mac[] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    std::memcpy(&f[4], ip, 4);
    std::memcpy(&f[8], mask, 4);
    std::memcpy(&f[12], mac, 6);
    std::memcpy(&f[18], "Cam-Lobby", 9);
    std::memcpy(&f[35], gw, 4);
    f[39] = 0x01;
    f[40] = 0x20;
    f[41] = model;
    return f;
}

void SetName(packet::Bytes& f, const std::string& name)
{
    std::memset(&f[18], 0, 17);
    std::memcpy(&f[18], name.data(), std::min<std::size_t>(name.size(), 17));
}

} // namespace

TEST(DeviceReplyTest, KnownModelGivesAllSixTextsAndKnownImage)
{
    const DeviceRow row = ReplyToRow(LobbyReply());
    EXPECT_EQ(row.columns[0], "Cam-Lobby");
    EXPECT_EQ(row.columns[1], "192.168.1.20");
    EXPECT_EQ(row.columns[2], "255.255.255.0");
    EXPECT_EQ(row.columns[3], "192.168.1.1");
    EXPECT_EQ(row.columns[4], "00-0A-1B-2C-3D-4E");
    EXPECT_EQ(row.columns[5], "1.20");
    EXPECT_EQ(row.image, 2);
    EXPECT_EQ(row.RecordText(), std::string("Cam-Lobby\0"
                                            "192.168.1.20\0"
                                            "255.255.255.0\0"
                                            "192.168.1.1\0"
                                            "00-0A-1B-2C-3D-4E\0"
                                            "1.20\0",
                                            72));
}

TEST(DeviceReplyTest, EmptyOrOverlongNameShowsTheModelName)
{
    packet::Bytes f = LobbyReply(31);
    f[18] = 0;
    EXPECT_EQ(ReplyToRow(f).columns[0], "J-K700-V");
    f = LobbyReply(32);
    SetName(f, "");
    EXPECT_EQ(ReplyToRow(f).columns[0], "J-K700-W");
    SetName(f, "ABCDEFGHIJKLMNOP"); // 16 characters: shown
    EXPECT_EQ(ReplyToRow(f).columns[0], "ABCDEFGHIJKLMNOP");
    SetName(f, "ABCDEFGHIJKLMNOPQ"); // all 17 bytes, no NUL: counts as empty
    EXPECT_EQ(ReplyToRow(f).columns[0], "J-K700-W");
    // The next field's bytes never leak into the name.
    EXPECT_EQ(ReplyToRow(f).columns[3], "192.168.1.1");
}

TEST(DeviceReplyTest, OtherModelIsUnknownWithZeroGatewayAndVersion)
{
    for (std::uint8_t model :
         {std::uint8_t{0}, std::uint8_t{5}, std::uint8_t{30}, std::uint8_t{33}, std::uint8_t{255}}) {
        const DeviceRow row = ReplyToRow(LobbyReply(model));
        EXPECT_EQ(row.columns[0], "Unknown") << int(model);
        EXPECT_EQ(row.columns[1], "192.168.1.20");
        EXPECT_EQ(row.columns[2], "255.255.255.0");
        EXPECT_EQ(row.columns[3], "0.0.0.0");
        EXPECT_EQ(row.columns[4], "00-0A-1B-2C-3D-4E");
        EXPECT_EQ(row.columns[5], "0.00");
        EXPECT_EQ(row.image, 1);
    }
}

TEST(DeviceReplyTest, VersionIsHexMajorAndTwoDigitMinor)
{
    packet::Bytes f = LobbyReply();
    f[39] = 0x0A;
    f[40] = 0x05;
    EXPECT_EQ(ReplyToRow(f).columns[5], "A.05");
    f[39] = 0;
    f[40] = 0;
    EXPECT_EQ(ReplyToRow(f).columns[5], "0.00");
    f[39] = 0xFF;
    f[40] = 0xAB;
    EXPECT_EQ(ReplyToRow(f).columns[5], "FF.AB");
}

TEST(DeviceReplyTest, MacIsUpperCaseTwoDigitsPerByte)
{
    packet::Bytes f = LobbyReply();
    const std::uint8_t mac[] = {0x0a, 0xff, 0x00, 0x01, 0xab, 0xcd};
    std::memcpy(&f[12], mac, 6);
    EXPECT_EQ(ReplyToRow(f).columns[4], "0A-FF-00-01-AB-CD");
}

TEST(DeviceReplyTest, NameKeepsPercentSignsAndCommasWithoutShiftingColumns)
{
    packet::Bytes f = LobbyReply();
    SetName(f, "50% %s %n");
    EXPECT_EQ(ReplyToRow(f).columns[0], "50% %s %n");
    SetName(f, "Lobby, East");
    const DeviceRow row = ReplyToRow(f);
    EXPECT_EQ(row.columns[0], "Lobby, East");
    EXPECT_EQ(row.columns[1], "192.168.1.20");
    EXPECT_EQ(row.columns[5], "1.20");
    // The record keeps six NUL-ended texts; the comma stays inside the first.
    const std::string record = row.RecordText();
    EXPECT_EQ(device::GetField(record.c_str(), 0), std::string("Lobby, East"));
    EXPECT_EQ(device::GetField(record.c_str(), 1), std::string("192.168.1.20"));
    EXPECT_EQ(device::GetField(record.c_str(), 5), std::string("1.20"));
}

TEST(DeviceReplyTest, ShortDatagramReadsMissingBytesAsZero)
{
    // Only the first 20 bytes arrived; the rest of the cleared frame is zero.
    packet::Bytes f = LobbyReply();
    std::memset(&f[20], 0, 32);
    const DeviceRow row = ReplyToRow(f);
    EXPECT_EQ(row.columns[0], "Unknown"); // model code 0
    EXPECT_EQ(row.columns[1], "192.168.1.20");
    EXPECT_EQ(row.columns[3], "0.0.0.0");
    EXPECT_EQ(row.columns[5], "0.00");
    EXPECT_EQ(row.image, 1);
    const DeviceRow empty = ReplyToRow(packet::Bytes{});
    EXPECT_EQ(empty.columns[1], "0.0.0.0");
    EXPECT_EQ(empty.columns[4], "00-00-00-00-00-00");
}

TEST(DeviceReplyTest, NameBytesThatAreNotUtf8StayAsTheyCame)
{
    packet::Bytes f = LobbyReply();
    SetName(f, std::string("\xB2\xE2\xB8\xD5-\xFF", 6));
    EXPECT_EQ(ReplyToRow(f).columns[0], std::string("\xB2\xE2\xB8\xD5-\xFF", 6));
}

TEST(DeviceReplyTest, TypedFieldsKeepTheBytesAndTheInterface)
{
    packet::Bytes f = LobbyReply(31);
    SetName(f, std::string("\xFF\xFE", 2));
    const device::Device d = device::DeviceFromReply(f, 7);
    EXPECT_EQ(d.name, std::string("\xFF\xFE", 2));
    EXPECT_EQ(d.ip, (device::Ipv4{192, 168, 1, 20}));
    EXPECT_EQ(d.gateway, (device::Ipv4{192, 168, 1, 1}));
    EXPECT_EQ(d.mac, (device::Mac{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
    EXPECT_EQ(d.interfaceIndex, 7u);
    // A device of unknown model reports no gateway or version, whatever its bytes say.
    const device::Device unknown = device::DeviceFromReply(LobbyReply(40));
    EXPECT_EQ(unknown.gateway, (device::Ipv4{}));
    EXPECT_EQ(unknown.versionMajor + unknown.versionMinor, 0);
}
