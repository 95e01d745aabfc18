// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list as CSV and JSON, read back by independent readers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <vector>

#include "devices/device_export.h"
#include "support/csv_reader.h"

namespace {

using device::ExportedDevice;

ExportedDevice Device(std::string name, std::string ip, std::string mac, std::uint8_t model = 31,
                      std::string interfaceName = {}, bool duplicate = false)
{
    ExportedDevice d;
    d.columns = {std::move(name), std::move(ip), "255.255.255.0", "192.168.1.1", std::move(mac), "1.20"};
    d.model = model;
    d.interfaceName = std::move(interfaceName);
    d.duplicateIp = duplicate;
    return d;
}

std::string Write(const std::vector<ExportedDevice>& devices, device::ExportFormat format, bool withModel = false,
                  int* pieces = nullptr)
{
    std::string text;
    const device::ExportList list = [&devices](const device::ExportVisitor& visit) {
        for (const ExportedDevice& d : devices)
            visit(d);
    };
    device::WriteDevices(list, format, withModel, [&text, pieces](std::string_view piece) {
        text.append(piece);
        if (pieces)
            ++*pieces;
    });
    return text;
}

// Names that need quoting or are not UTF-8: a comma, quotes, a line break,
// Chinese in UTF-8, and a stray byte 0xE9 that the window shows as "é".
const std::vector<ExportedDevice> kAwkward = {
    Device("Gate, West", "192.168.1.21", "00-0A-1B-2C-3D-4F"),
    Device("say \"hi\"", "192.168.1.22", "00-0A-1B-2C-3D-50"),
    Device("two\r\nlines", "192.168.1.23", "00-0A-1B-2C-3D-51"),
    Device("\xE5\xA4\xA7\xE9\x96\x80", "192.168.1.24", "00-0A-1B-2C-3D-52"),
    Device("Caf\xE9", "192.168.1.25", "00-0A-1B-2C-3D-53", 7, "eth1", true),
};

} // namespace

TEST(DeviceExportTest, CsvReadsBackFieldForFieldInUtf8WithCrLfLineEnds)
{
    const std::string text = Write(kAwkward, device::ExportFormat::kCsv);
    std::string error;
    const auto records = ReadCsv(text, &error);
    ASSERT_TRUE(records.has_value()) << error;
    ASSERT_EQ(records->size(), kAwkward.size() + 1);
    EXPECT_EQ((*records)[0],
              (std::vector<std::string>{"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"}));
    for (std::size_t i = 0; i < kAwkward.size(); ++i) {
        std::vector<std::string> expected(kAwkward[i].columns.begin(), kAwkward[i].columns.end());
        if (i == 4)
            expected[0] = "Caf\xC3\xA9";
        EXPECT_EQ((*records)[i + 1], expected) << i;
    }
    EXPECT_EQ(text.substr(0, 75), "Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version\r\n\"Gate, West\",192");
}

TEST(DeviceExportTest, CsvWithTheModelAddsALastColumnAndAnEmptyListIsTheHeaderAlone)
{
    std::string error;
    const auto records = ReadCsv(Write(kAwkward, device::ExportFormat::kCsv, true), &error);
    ASSERT_TRUE(records.has_value()) << error;
    EXPECT_EQ((*records)[0].back(), "Model");
    EXPECT_EQ((*records)[1].back(), "31");
    EXPECT_EQ((*records)[5].back(), "7");
    EXPECT_EQ(Write({}, device::ExportFormat::kCsv), "Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version\r\n");
}

TEST(DeviceExportTest, JsonReadsBackWithTheKeysOfTheCommandLine)
{
    const std::string text = Write(kAwkward, device::ExportFormat::kJson);
    nlohmann::json doc;
    ASSERT_NO_THROW(doc = nlohmann::json::parse(text)) << text;
    ASSERT_TRUE(doc.is_array());
    ASSERT_EQ(doc.size(), kAwkward.size());
    const char* keys[] = {"name", "ip", "mask", "gateway", "mac", "version"};
    for (std::size_t i = 0; i < kAwkward.size(); ++i) {
        const auto& o = doc[i];
        EXPECT_EQ(o.size(), 10u) << i;
        EXPECT_TRUE(o.at("reachable").is_boolean()) << i;
        for (int c = 1; c < 6; ++c)
            EXPECT_EQ(o.at(keys[c]).get<std::string>(), kAwkward[i].columns[static_cast<std::size_t>(c)]);
    }
    EXPECT_EQ(doc[0].at("name"), "Gate, West");
    EXPECT_EQ(doc[1].at("name"), "say \"hi\"");
    EXPECT_EQ(doc[2].at("name"), "two\r\nlines");
    EXPECT_EQ(doc[3].at("name"), "\xE5\xA4\xA7\xE9\x96\x80");
    EXPECT_EQ(doc[4].at("name"), "Caf\xC3\xA9");
    EXPECT_EQ(doc[0].at("model"), 31);
    EXPECT_TRUE(doc[0].at("interface").is_null());
    EXPECT_EQ(doc[0].at("duplicate_ip"), false);
    EXPECT_EQ(doc[4].at("interface"), "eth1");
    EXPECT_EQ(doc[4].at("duplicate_ip"), true);
    EXPECT_EQ(nlohmann::json::parse(Write({}, device::ExportFormat::kJson)), nlohmann::json::array());
}

// A long list is handed on in pieces, never as one text, and the pieces join
// into the same file.
TEST(DeviceExportTest, ALongListGoesOutInPieces)
{
    std::vector<ExportedDevice> many;
    for (int i = 0; i < 5000; ++i)
        many.push_back(
            Device(std::string("D").append(std::to_string(i)),
                   std::string("10.1.").append(std::to_string(i / 256)).append(".").append(std::to_string(i % 256)),
                   "00-0A-00-00-00-00"));
    for (auto format : {device::ExportFormat::kCsv, device::ExportFormat::kJson}) {
        int pieces = 0;
        const std::string text = Write(many, format, false, &pieces);
        EXPECT_GT(pieces, 10);
        if (format == device::ExportFormat::kJson) {
            EXPECT_EQ(nlohmann::json::parse(text).size(), 5000u);
        } else {
            std::string error;
            const auto records = ReadCsv(text, &error);
            ASSERT_TRUE(records.has_value()) << error;
            EXPECT_EQ(records->size(), 5001u);
        }
    }
}

TEST(DeviceExportTest, FieldsQuoteOnlyWhatMustBeQuotedAndAreUtf8)
{
    EXPECT_EQ(device::CsvField(" lead and trail "), " lead and trail ");
    EXPECT_EQ(device::CsvField("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(device::CsvField(""), "");
    EXPECT_EQ(device::CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(device::CsvField("a\rb"), "\"a\rb\"");
}

TEST(DeviceExportTest, JsonEscapesQuotesBackslashesAndControlCharacters)
{
    EXPECT_EQ(device::JsonString("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(device::JsonString("\b\f\n\r\t"), R"("\b\f\n\r\t")");
    EXPECT_EQ(device::JsonString(std::string("\x01\x1f\x7f", 3)), R"("\u0001\u001f\u007f")");
    EXPECT_EQ(device::JsonString("/<>%"), R"("/<>%")");
}

TEST(DeviceExportTest, JsonKeepsValidUtf8AndGivesOtherBytesTheirLatin1Reading)
{
    EXPECT_EQ(device::JsonString("Caf\xC3\xA9 \xE5\x8F\xB0"), "\"Caf\xC3\xA9 \xE5\x8F\xB0\"");
    EXPECT_EQ(device::JsonString("Caf\xE9"), R"("Caf\u00e9")"); // a Latin-1 name
    // A cut sequence, an overlong form and a surrogate are no UTF-8 either.
    EXPECT_EQ(device::JsonString("\xE5\x8F"), R"("\u00e5\u008f")");
    EXPECT_EQ(device::JsonString("\xC0\xAF"), R"("\u00c0\u00af")");
    EXPECT_EQ(device::JsonString("\xED\xA0\x80"), R"("\u00ed\u00a0\u0080")");
    EXPECT_EQ(device::JsonString("\xF4\x90\x80\x80"), R"("\u00f4\u0090\u0080\u0080")");
    EXPECT_EQ(device::JsonString("\xE0\x9F\xBF\xF5"), R"("\u00e0\u009f\u00bf\u00f5")");
    EXPECT_EQ(device::JsonString("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");
}
