// varnex-cli's list formats: the table, CSV quoting and JSON escaping of device
// names as they come off the wire.
#include <gtest/gtest.h>

#include <cstring>

#include "varnex-cli/cli_output.h"

namespace {

using cli::DiscoveredDevice;

// A reply as a device sends it.
DiscoveredDevice Reply(const std::string& name, std::uint8_t lastIp, std::uint8_t model = 31)
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
    return cli::DeviceFromReply(f);
}

// Reads one CSV record as RFC 4180 defines it; pos moves past its line break.
std::vector<std::string> ReadCsvRecord(const std::string& text, std::size_t& pos)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (quoted) {
            if (c == '"' && pos + 1 < text.size() && text[pos + 1] == '"')
                fields.back() += text[++pos];
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            ++pos;
            break;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(CliOutput, ExactHeaderAndRowsThatReadBackField)
{
    const std::vector<DiscoveredDevice> devices = {Reply("Door 2, East", 21), Reply("say \"hi\"", 22),
                                                   Reply("two\nlines\r", 23), Reply("plain", 24, 5)};
    const std::string csv = cli::FormatCsv(devices);
    ASSERT_EQ(csv.substr(0, csv.find('\n')), "Device Name,IP Address,Subnet Mask,Gateway IP,MAC,Version");
    EXPECT_NE(csv.find("\"Door 2, East\",192.168.1.21,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"say \"\"hi\"\"\",192.168.1.22,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nUnknown,192.168.1.24,255.255.255.0,0.0.0.0,00-0A-1B-2C-3D-18,0.00\n"), std::string::npos)
        << csv;

    std::size_t pos = 0;
    ReadCsvRecord(csv, pos);
    for (const DiscoveredDevice& d : devices) {
        const auto fields = ReadCsvRecord(csv, pos);
        ASSERT_EQ(fields.size(), 6u);
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(fields[c], d.row.columns[c]);
    }
    EXPECT_EQ(pos, csv.size());
}

TEST(CliOutput, FieldsWithoutSpecialCharactersStayBare)
{
    EXPECT_EQ(cli::CsvField(" lead and trail "), " lead and trail ");
    EXPECT_EQ(cli::CsvField("\xE9t\xE9"), "\xE9t\xE9");
    EXPECT_EQ(cli::CsvField(""), "");
    EXPECT_EQ(cli::CsvField("\""), "\"\"\"\"");
}

TEST(CliOutput, EscapesQuotesBackslashesAndControlCharacters)
{
    EXPECT_EQ(cli::JsonString("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(cli::JsonString("\b\f\n\r\t"), R"("\b\f\n\r\t")");
    EXPECT_EQ(cli::JsonString(std::string("\x01\x1f\x7f", 3)), R"("\u0001\u001f\u007f")");
    EXPECT_EQ(cli::JsonString("/<>%"), R"("/<>%")");
}

TEST(CliOutput, ValidUtf8StaysAndOtherBytesAreTheirLatin1Reading)
{
    EXPECT_EQ(cli::JsonString("Caf\xC3\xA9 \xE5\x8F\xB0"), "\"Caf\xC3\xA9 \xE5\x8F\xB0\"");
    EXPECT_EQ(cli::JsonString("Caf\xE9"), R"("Caf\u00e9")"); // a Latin-1 name
    // A cut sequence, an overlong form and a surrogate are no UTF-8 either.
    EXPECT_EQ(cli::JsonString("\xE5\x8F"), R"("\u00e5\u008f")");
    EXPECT_EQ(cli::JsonString("\xC0\xAF"), R"("\u00c0\u00af")");
    EXPECT_EQ(cli::JsonString("\xED\xA0\x80"), R"("\u00ed\u00a0\u0080")");
    EXPECT_EQ(cli::JsonString("\xF4\x90\x80\x80"), R"("\u00f4\u0090\u0080\u0080")");
    EXPECT_EQ(cli::JsonString("\xE0\x9F\xBF\xF5"), R"("\u00e0\u009f\u00bf\u00f5")");
    EXPECT_EQ(cli::JsonString("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");
}

TEST(CliOutput, ArrayOfObjectsWithModelAsNumberAndTheInterface)
{
    EXPECT_EQ(cli::FormatJson({}), "[]\n");
    // The interface an answer came in on, or null when it is not known.
    DiscoveredDevice lobby = Reply("Cam-Lobby", 20);
    lobby.interfaceName = "eth1";
    const std::string json = cli::FormatJson({lobby, Reply("x", 22, 5)});
    EXPECT_EQ(json,
              "[\n"
              "  {\"name\": \"Cam-Lobby\", \"ip\": \"192.168.1.20\", \"mask\": \"255.255.255.0\", "
              "\"gateway\": \"192.168.1.1\", \"mac\": \"00-0A-1B-2C-3D-14\", \"version\": \"1.20\", \"model\": 31, "
              "\"interface\": \"eth1\"},\n"
              "  {\"name\": \"Unknown\", \"ip\": \"192.168.1.22\", \"mask\": \"255.255.255.0\", "
              "\"gateway\": \"0.0.0.0\", \"mac\": \"00-0A-1B-2C-3D-16\", \"version\": \"0.00\", \"model\": 5, "
              "\"interface\": null}\n"
              "]\n");
}

TEST(CliOutput, ColumnsAlignByCharactersNotBytes)
{
    const std::string table = cli::FormatTable({Reply("Caf\xC3\xA9", 20), Reply("Cam-Lobby-North", 100)});
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
    const std::vector<DiscoveredDevice> devices = {Reply("Door 2, East", 21, 31), Reply("plain", 24, 5)};
    const std::string csv = cli::FormatDevices(devices, cli::Format::kCsv, true);
    std::size_t pos = 0;
    EXPECT_EQ(ReadCsvRecord(csv, pos), (std::vector<std::string>{"Device Name", "IP Address", "Subnet Mask",
                                                                 "Gateway IP", "MAC", "Version", "Model"}));
    const auto first = ReadCsvRecord(csv, pos);
    ASSERT_EQ(first.size(), 7u);
    EXPECT_EQ(first[0], "Door 2, East");
    EXPECT_EQ(first[6], "31");
    const auto second = ReadCsvRecord(csv, pos);
    ASSERT_EQ(second.size(), 7u);
    EXPECT_EQ(second[6], "5");
    EXPECT_EQ(pos, csv.size());
    EXPECT_EQ(cli::FormatDevices(devices, cli::Format::kCsv, false), cli::FormatCsv(devices));
    EXPECT_EQ(cli::FormatCsv(devices).find("Model"), std::string::npos);

    const std::string table = cli::FormatDevices({Reply("Cam", 100, 147)}, cli::Format::kTable, true);
    EXPECT_EQ(table, "Device Name  IP Address     Subnet Mask    Gateway IP  MAC                Version  Model\n"
                     "Unknown      192.168.1.100  255.255.255.0  0.0.0.0     00-0A-1B-2C-3D-64  0.00     147\n");
    // json carries the model already; the flag changes nothing there.
    EXPECT_EQ(cli::FormatDevices(devices, cli::Format::kJson, true), cli::FormatJson(devices));
}

TEST(CliOutput, ControlAndNonUtf8BytesShowAsHex)
{
    const std::string table = cli::FormatTable({Reply("a\x1b[2Jb\xE9\xC2\x9B", 20)});
    EXPECT_NE(table.find("a\\x1B[2Jb\\xE9\\xC2\\x9B  192.168.1.20"), std::string::npos) << table;
    EXPECT_EQ(table.find('\x1b'), std::string::npos);
}

} // namespace
