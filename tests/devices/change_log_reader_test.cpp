// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Reading the log of changes back: what the writer wrote comes back whole;
// lines that are no entries are counted and placed, whatever their bytes; the
// two files give the newest entry first; files that cannot be read are named
// with the reason; and the list's texts and CSV file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "devices/change_log.h"
#include "devices/change_log_reader.h"
#include "devices/change_log_texts.h"
#include "support/csv_reader.h"

namespace {

namespace fs = std::filesystem;

using Fields = std::vector<std::pair<std::string, std::string>>;

constexpr std::time_t kMay1 = 1714572202; // 2024-05-01T14:03:22Z

device::ChangeRecord Record(const std::string& command, std::optional<bool> confirmed)
{
    device::ChangeRecord record;
    record.program = "varnex";
    record.interfaceName = "eth0";
    record.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    record.command = command;
    record.confirmed = confirmed;
    return record;
}

std::string Line(const device::ChangeRecord& record, std::time_t when = kMay1)
{
    return device::ChangeLine(record, std::chrono::system_clock::from_time_t(when));
}

class ChangeLogFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folder = (fs::temp_directory_path() / "varnex-history-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        root = folder;
        path = root + "/commands.log";
    }
    void TearDown() override { fs::remove_all(root); }
    static void Write(const std::string& file, const std::string& text)
    {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::string root;
    std::string path;
};

// The local time of the rows is UTC here, whatever the machine's zone.
class UtcZone {
public:
    UtcZone()
    {
        if (const char* tz = std::getenv("TZ"))
            m_saved = tz;
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    ~UtcZone()
    {
        m_saved ? ::setenv("TZ", m_saved->c_str(), 1) : ::unsetenv("TZ");
        ::tzset();
    }
    UtcZone(const UtcZone&) = delete;
    UtcZone& operator=(const UtcZone&) = delete;

private:
    std::optional<std::string> m_saved;
};

} // namespace

TEST(ChangeLogReader, WhatTheWriterWroteComesBackWhole)
{
    device::ChangeRecord ip = Record("set-ip", true);
    ip.before = {{"ip", "192.168.1.20"}};
    ip.after = {{"ip", "192.168.1.50"}};
    device::ChangeRecord reset = Record("reset", std::nullopt);
    reset.interfaceName.clear(); // written as null
    device::ChangeRecord odd = Record("set-mac", false);
    odd.program = "var\"nex\\ \xC3\xA9\x01"; // a quote, a backslash, UTF-8 and a control character
    odd.before = {{"mac", "00-0A-1B-2C-3D-4E"}};
    odd.after = {{"mac", "02-00-00-00-00-07"}};
    for (const device::ChangeRecord& record : {ip, reset, odd}) {
        std::string line = Line(record);
        line.pop_back(); // the line end
        const std::optional<device::ChangeEntry> entry = device::ParseChangeLine(line);
        ASSERT_TRUE(entry) << line;
        EXPECT_EQ(entry->time, kMay1);
        EXPECT_EQ(entry->interfaceName, record.interfaceName);
        EXPECT_EQ(entry->mac, "00-0A-1B-2C-3D-4E");
        EXPECT_EQ(entry->command, record.command);
        EXPECT_EQ(entry->before, record.before);
        EXPECT_EQ(entry->after, record.after);
        EXPECT_EQ(entry->confirmed, record.confirmed);
        if (record.program.find('\x01') == std::string::npos) {
            EXPECT_EQ(entry->program, record.program);
        }
    }
    // The control character shows as U+FFFD, never as itself.
    std::string line = Line(odd);
    line.pop_back();
    EXPECT_EQ(device::ParseChangeLine(line)->program, "var\"nex\\ \xC3\xA9\xEF\xBF\xBD");
}

TEST(ChangeLogReader, LinesThatAreNoEntriesAreCountedAndPlaced)
{
    std::string good = Line(Record("reset", false));
    good.pop_back();
    const std::string head = R"({"time": "2024-05-01T14:03:22Z", "program": "varnex", "mac": "00-0A-1B-2C-3D-4E", )";
    const struct {
        std::string line;
        bool entry;
    } cases[] = {
        {good, true},
        {good + "\r", true}, // a CR LF line end
        {head + R"("command": "reset", "future": {"a": [1, -2.5e3, true, null, "x"]}})", true},
        {head + R"("command": "reset", "interface": null, "confirmed": null, "before": {}, "after": {}})", true},
        {good.substr(0, good.size() / 2), false}, // torn
        {"not json at all", false},
        {good + " trailing", false},
        {head + R"("command": 5})", false},
        {head + R"("command": "reset", "confirmed": "yes"})", false},
        {head + R"("command": "reset", "command": "set-ip"})", false},
        {head + R"("command": "reset", "before": {"ip": 1}})", false},
        {head + R"("command": "reset", "before": {"ip": "a", "ip": "b"}})", false},
        {R"({"time": "2024-13-01T14:03:22Z", "program": "p", "mac": "m", "command": "c"})", false},
        {R"({"time": "yesterday", "program": "p", "mac": "m", "command": "c"})", false},
        {R"({"program": "p", "mac": "m", "command": "c"})", false},
        {head + "\"command\": \"re\xFFset\"}", false}, // not UTF-8
        {head + "\"command\": \"re\tset\"}", false},   // a raw control character
        {head + R"("command": "\ud800"})", false},     // half a surrogate pair
        {head + R"("command": "reset", "x": )" + std::string(100, '[') + std::string(100, ']') + "}", false},
        {std::string(5000, '{'), false},
        {std::string("{\"time\"\0", 8), false},
    };
    std::string text;
    std::size_t entries = 0;
    std::size_t bad = 0;
    std::size_t firstBad = 0;
    std::size_t number = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(device::ParseChangeLine(c.line).has_value(), c.entry) << c.line;
        text += c.line + "\n\n"; // blank lines between: neither entries nor bad
        number += 2;
        c.entry ? ++entries : ++bad;
        if (!c.entry && firstBad == 0)
            firstBad = number - 1;
    }
    const device::ChangeLines lines = device::ParseChangeLines(text + good); // the last line without its end
    EXPECT_EQ(lines.entries.size(), entries + 1);
    EXPECT_EQ(lines.badLines, bad);
    EXPECT_EQ(lines.firstBadLine, firstBad);
}

TEST_F(ChangeLogFiles, TheTwoFilesGiveTheNewestEntryFirst)
{
    // The older file holds the first commands; within one second the order written counts.
    Write(path + ".1", Line(Record("set-ip", true), kMay1) + Line(Record("set-mask", true), kMay1 + 1));
    Write(path, Line(Record("reset", false), kMay1 + 60) + "garbage\n" +
                    Line(Record("set-mac", std::nullopt), kMay1 + 60) + Line(Record("set-gateway", true), kMay1 + 30));
    const device::ChangeHistory history = device::ReadChangeHistory(path);
    std::vector<std::string> commands;
    for (const device::ChangeEntry& entry : history.entries)
        commands.push_back(entry.command);
    EXPECT_EQ(commands, (std::vector<std::string>{"set-mac", "reset", "set-gateway", "set-mask", "set-ip"}));
    EXPECT_TRUE(history.current.present && history.older.present);
    EXPECT_EQ(history.current.badLines, 1u);
    EXPECT_EQ(history.current.firstBadLine, 2u);
    const std::string note = device::ChangeHistoryNote(history);
    EXPECT_NE(note.find("5 changes"), std::string::npos) << note;
    EXPECT_NE(note.find("5 changes recorded, newest first. The log of changes is " + path), std::string::npos) << note;
    EXPECT_NE(note.find("Line 2 of commands.log could not be read"), std::string::npos) << note;
}

TEST_F(ChangeLogFiles, FilesThatCannotBeReadAreNamedWithTheReason)
{
    // No log yet: an empty list, and where the log will be.
    device::ChangeHistory history = device::ReadChangeHistory(path);
    EXPECT_TRUE(history.entries.empty());
    EXPECT_FALSE(history.current.present || history.older.present);
    EXPECT_NE(device::ChangeHistoryNote(history).find("will be " + path), std::string::npos);
    EXPECT_NE(device::ChangeHistoryNote(device::ReadChangeHistory("")).find("XDG_STATE_HOME"), std::string::npos);

    // A folder, a FIFO and a file past the size limit are refused unread; the other file still counts.
    Write(path, Line(Record("reset", true)));
    fs::create_directory(path + ".1");
    history = device::ReadChangeHistory(path);
    EXPECT_EQ(history.entries.size(), 1u);
    EXPECT_EQ(history.older.error.problem, FileProblem::kFolder);
    EXPECT_NE(device::ChangeHistoryNote(history).find("commands.log.1 could not be read: it is a folder"),
              std::string::npos)
        << device::ChangeHistoryNote(history);
    fs::remove(path + ".1");
    ASSERT_EQ(::mkfifo((path + ".1").c_str(), 0600), 0);
    EXPECT_EQ(device::ReadChangeHistory(path).older.error.problem, FileProblem::kNotRegular);
    fs::remove(path + ".1");
    fs::resize_file(path, device::kMaxChangeLogFileBytes + 1); // sparse: no disk needed
    history = device::ReadChangeHistory(path);
    EXPECT_TRUE(history.entries.empty());
    EXPECT_EQ(history.current.error.problem, FileProblem::kTooLarge);
    EXPECT_NE(device::ChangeHistoryNote(history).find("larger than 4 MiB"), std::string::npos)
        << device::ChangeHistoryNote(history);
}

TEST(ChangeLogTexts, RowsAndTheCsvFileSayWhatTheLogSays)
{
    const UtcZone utc;
    device::ChangeRecord ip = Record("set-ip", true);
    ip.interfaceName = "lan,1"; // a comma: quoted in the file
    ip.before = {{"ip", "192.168.1.20"}, {"mask", "255.255.255.0"}};
    ip.after = {{"ip", "192.168.1.50"}, {"mask", "255.255.0.0"}};
    std::vector<device::ChangeEntry> entries;
    for (const device::ChangeRecord& record : {ip, Record("reset", false), Record("update-firmware", std::nullopt)}) {
        std::string line = Line(record);
        line.pop_back();
        entries.push_back(*device::ParseChangeLine(line));
    }
    const device::ChangeRow row = device::ChangeRowOf(entries[0]);
    EXPECT_EQ(row[device::kChangeTime], "2024-05-01 14:03:22");
    EXPECT_EQ(row[device::kChangeFields],
              "ip 192.168.1.20 \xE2\x86\x92 192.168.1.50; mask 255.255.255.0 \xE2\x86\x92 255.255.0.0");
    EXPECT_EQ(row[device::kChangeConfirmed], "Confirmed");
    EXPECT_EQ(device::ChangeRowOf(entries[1])[device::kChangeConfirmed], "Not confirmed");
    EXPECT_EQ(device::ChangeRowOf(entries[2])[device::kChangeConfirmed], "Not checked");

    std::string error;
    const std::optional<CsvRecords> csv = ReadCsv(device::ChangeLogCsv(entries), &error);
    ASSERT_TRUE(csv) << error;
    ASSERT_EQ(csv->size(), 4u);
    const device::ChangeRow headings = device::ChangeHeadings();
    EXPECT_EQ((*csv)[0], std::vector<std::string>(headings.begin(), headings.end()));
    EXPECT_EQ((*csv)[1], std::vector<std::string>(row.begin(), row.end()));
    EXPECT_EQ((*csv)[1][device::kChangeInterface], "lan,1");
    EXPECT_EQ((*csv)[3][device::kChangeCommand], "update-firmware");
}
