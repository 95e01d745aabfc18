// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-cli's list formats: the table, and the CSV and JSON of the shared
// writer as discover gives them.
#include <gtest/gtest.h>

#include <cstring>

#include "discovery/device_reply.h"
#include "support/csv_reader.h"
#include "varnex-cli/cli_output.h"

namespace {

// A reply as a device sends it.
device::Device Reply(const std::string& name, std::uint8_t lastIp, std::uint8_t model = 31)
{
    packet::Bytes f{};
    const std::uint8_t ip[] = {192, 168, 1, lastIp}, mask[] = {255, 255, 255, 0}, gw[] = {192, 168, 1, 1};
    const std::uint8_t mac[] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, lastIp};
    std::memcpy(&f[4], ip, 4);
    std::memcpy(&f[8], mask, 4);
    std::memcpy(&f[12], mac, 6);
    std::memcpy(&f[18], name.data(), std::min<std::size_t>(name.size(), 16));
    std::memcpy(&f[35], gw, 4);
    f[39] = 0x01;
    f[40] = 0x20;
    f[41] = model;
    return device::DeviceFromReply(f);
}

// The devices as one discovery found them.
cli::ListenResult Found(std::initializer_list<device::Device> devices)
{
    cli::ListenResult result;
    for (const device::Device& d : devices)
        result.devices.Add(d);
    return result;
}

TEST(CliOutput, ExactHeaderAndRowsThatReadBackField)
{
    const cli::ListenResult found =
        Found({Reply("Door 2, East", 21), Reply("say \"hi\"", 22), Reply("two\nlines\r", 23), Reply("plain", 24, 5)});
    const std::string csv = cli::FormatDevices(found, cli::Format::kCsv);
    ASSERT_EQ(csv.substr(0, csv.find('\r')), "Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version");
    EXPECT_NE(csv.find("\"Door 2, East\",192.168.1.21,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"say \"\"hi\"\"\",192.168.1.22,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nUnknown,192.168.1.24,255.255.255.0,0.0.0.0,00-0A-1B-2C-3D-18,0.00\r\n"), std::string::npos)
        << csv;

    std::string error;
    const auto records = ReadCsv(csv, &error);
    ASSERT_TRUE(records.has_value()) << error;
    ASSERT_EQ(records->size(), found.devices.Size() + 1);
    for (std::size_t i = 0; i < found.devices.Size(); ++i) {
        const auto columns = device::RowOf(found.devices[i]).columns;
        EXPECT_EQ((*records)[i + 1], std::vector<std::string>(columns.begin(), columns.end()));
    }
}

TEST(CliOutput, ArrayOfObjectsWithModelAsNumberAndTheInterface)
{
    EXPECT_EQ(cli::FormatDevices(Found({}), cli::Format::kJson), "[]\n");
    // The interface an answer came in on, or null when it is not known; a
    // second MAC at an address marks both devices there.
    device::Device lobby = Reply("Cam-Lobby", 20);
    lobby.interfaceIndex = 4;
    device::Device other = Reply("x", 22, 5);
    other.mac[5] = 0x99;
    cli::ListenResult found = Found({lobby, Reply("x", 22, 5), other});
    found.interfaceNames[4] = "eth1";
    const std::string json = cli::FormatDevices(found, cli::Format::kJson);
    EXPECT_EQ(json,
              "[\n"
              "  {\"name\": \"Cam-Lobby\", \"ip\": \"192.168.1.20\", \"mask\": \"255.255.255.0\", "
              "\"gateway\": \"192.168.1.1\", \"mac\": \"00-0A-1B-2C-3D-14\", \"version\": \"1.20\", \"model\": 31, "
              "\"interface\": \"eth1\", \"duplicate_ip\": false, \"reachable\": true},\n"
              "  {\"name\": \"Unknown\", \"ip\": \"192.168.1.22\", \"mask\": \"255.255.255.0\", "
              "\"gateway\": \"0.0.0.0\", \"mac\": \"00-0A-1B-2C-3D-16\", \"version\": \"0.00\", \"model\": 5, "
              "\"interface\": null, \"duplicate_ip\": true, \"reachable\": true},\n"
              "  {\"name\": \"Unknown\", \"ip\": \"192.168.1.22\", \"mask\": \"255.255.255.0\", "
              "\"gateway\": \"0.0.0.0\", \"mac\": \"00-0A-1B-2C-3D-99\", \"version\": \"0.00\", \"model\": 5, "
              "\"interface\": null, \"duplicate_ip\": true, \"reachable\": true}\n"
              "]\n");
}

TEST(CliOutput, ColumnsAlignByCharactersNotBytes)
{
    const std::string table =
        cli::FormatDevices(Found({Reply("Caf\xC3\xA9", 20), Reply("Cam-Lobby-North", 100)}), cli::Format::kTable);
    std::vector<std::string> lines;
    for (std::size_t pos = 0, nl; (nl = table.find('\n', pos)) != std::string::npos; pos = nl + 1)
        lines.push_back(table.substr(pos, nl - pos));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Device Name      IP Address     Subnet Mask    Gateway IP   MAC                Version");
    EXPECT_EQ(lines[1], "Caf\xC3\xA9             192.168.1.20   255.255.255.0  192.168.1.1  00-0A-1B-2C-3D-14  1.20");
    EXPECT_EQ(lines[2], "Cam-Lobby-North  192.168.1.100  255.255.255.0  192.168.1.1  00-0A-1B-2C-3D-64  1.20");
}

// The model goes last and only when asked for, so that the header scripts
// read stays the same without --with-model.
TEST(CliOutput, ModelColumnLastInCsvAndTableOnlyWhenAsked)
{
    const cli::ListenResult devices = Found({Reply("Door 2, East", 21, 31), Reply("plain", 24, 5)});
    const std::string csv = cli::FormatDevices(devices, cli::Format::kCsv, true);
    std::string error;
    const auto records = ReadCsv(csv, &error);
    ASSERT_TRUE(records.has_value()) << error;
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[0], (std::vector<std::string>{"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC",
                                                       "Version", "Model"}));
    ASSERT_EQ((*records)[1].size(), 7u);
    EXPECT_EQ((*records)[1][0], "Door 2, East");
    EXPECT_EQ((*records)[1][6], "31");
    EXPECT_EQ((*records)[2][6], "5");
    EXPECT_EQ(cli::FormatDevices(devices, cli::Format::kCsv).find("Model"), std::string::npos);

    const std::string table = cli::FormatDevices(Found({Reply("Cam", 100, 147)}), cli::Format::kTable, true);
    EXPECT_EQ(table, "Device Name  IP Address     Subnet Mask    Gateway IP  MAC                Version  Model\n"
                     "Unknown      192.168.1.100  255.255.255.0  0.0.0.0     00-0A-1B-2C-3D-64  0.00     147\n");
    // json carries the model already; the flag changes nothing there.
    EXPECT_EQ(cli::FormatDevices(devices, cli::Format::kJson, true), cli::FormatDevices(devices, cli::Format::kJson));
}

TEST(CliOutput, ControlAndNonUtf8BytesShowAsHex)
{
    const std::string table = cli::FormatDevices(Found({Reply("a\x1b[2Jb\xE9\xC2\x9B", 20)}), cli::Format::kTable);
    EXPECT_NE(table.find("a\\x1B[2Jb\\xE9\\xC2\\x9B  192.168.1.20"), std::string::npos) << table;
    EXPECT_EQ(table.find('\x1b'), std::string::npos);
}

} // namespace
