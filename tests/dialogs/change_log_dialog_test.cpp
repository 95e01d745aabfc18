// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// File > Change Log in the running program: the list of the log's entries,
// newest first; the note on where the log is and what could not be read;
// export of what the list shows; and logs that are missing, torn or huge.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "devices/change_log.h"
#include "devices/change_log_texts.h"
#include "framework/dialog_controls.h"
#include "framework/list_ctrl.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/csv_reader.h"

namespace {

namespace fs = std::filesystem;

// What the dialog showed.
struct Shown {
    std::vector<std::vector<std::string>> rows;
    std::string note;
};

class ChangeLogDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        path = device::ChangeLog::DefaultPath();
        fs::create_directories(fs::path(path).parent_path());
    }
    static std::string Line(const std::string& command, std::time_t when, std::optional<bool> confirmed)
    {
        device::ChangeRecord record;
        record.program = "varnex-cli";
        record.interfaceName = "eth0";
        record.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
        record.command = command;
        record.confirmed = confirmed;
        return device::ChangeLine(record, std::chrono::system_clock::from_time_t(when));
    }
    // Opens the dialog from the menu; then is given the open dialog.
    Shown Open(const std::function<void(CDialog&)>& also = {})
    {
        Shown shown;
        user.user.dialogAnswers.push_back([&shown, also](CDialog& d) -> INT_PTR {
            EXPECT_EQ(d.TemplateId(), IDD_CHANGE_LOG);
            CListCtrl list(d.GetDlgItem(IDC_CHANGE_LIST));
            for (int row = 0; row < list.GetItemCount(); ++row) {
                std::vector<std::string> texts;
                for (int column = 0; column < device::kChangeColumnCount; ++column)
                    texts.push_back(list.GetItemText(row, column));
                shown.rows.push_back(texts);
            }
            shown.note = GetControlText(*d.GetDlgItem(IDC_CHANGE_NOTE));
            if (also)
                also(d);
            d.OnOK();
            return d.Result();
        });
        Command(ID_FILE_CHANGE_LOG);
        EXPECT_TRUE(user.user.dialogAnswers.empty());
        return shown;
    }
    std::string path;
};

} // namespace

TEST_F(ChangeLogDialogTest, ListsTheLogNewestFirstAndExportsWhatItShows)
{
    std::ofstream(path + ".1") << Line("set-ip", 1714572202, true);
    std::ofstream(path) << Line("set-mac", 1714572262, false) << "{\"torn\n"
                        << Line("reset", 1714572322, std::nullopt) << "\x01\x02 garbage\n";
    const std::string exported = configDir + "/changes";
    user.user.saveFileAnswer = exported; // no extension: the CSV one is added
    const Shown shown = Open([](CDialog& d) { d.SendMessage(WM_COMMAND, IDC_CHANGE_EXPORT, 0); });
    ASSERT_EQ(shown.rows.size(), 3u);
    EXPECT_EQ(shown.rows[0][device::kChangeCommand], "reset");
    EXPECT_EQ(shown.rows[0][device::kChangeConfirmed], "Not checked");
    EXPECT_EQ(shown.rows[1][device::kChangeCommand], "set-mac");
    EXPECT_EQ(shown.rows[2][device::kChangeCommand], "set-ip");
    EXPECT_EQ(shown.rows[2][device::kChangeMac], "00-0A-1B-2C-3D-4E");
    // The unreadable lines are counted, placed and left in the file.
    EXPECT_NE(shown.note.find("2 lines of commands.log could not be read"), std::string::npos) << shown.note;
    EXPECT_NE(shown.note.find("the first is line 2"), std::string::npos) << shown.note;
    std::ifstream file(path, std::ios::binary);
    std::stringstream kept;
    kept << file.rdbuf();
    EXPECT_NE(kept.str().find("garbage"), std::string::npos);

    std::ifstream csvFile(exported + ".csv", std::ios::binary);
    std::stringstream csvText;
    csvText << csvFile.rdbuf();
    std::string error;
    const std::optional<CsvRecords> csv = ReadCsv(csvText.str(), &error);
    ASSERT_TRUE(csv) << error;
    ASSERT_EQ(csv->size(), 4u);
    for (std::size_t row = 0; row < 3; ++row)
        EXPECT_EQ((*csv)[row + 1], shown.rows[row]);
}

TEST_F(ChangeLogDialogTest, AMissingHugeOrGarbageLogShowsANoteAndNoRows)
{
    // None yet: where it will be.
    Shown shown = Open();
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_NE(shown.note.find("will be " + path), std::string::npos) << shown.note;

    // Random bytes: every line bad, none listed, the count said.
    std::mt19937 random(7);
    std::string garbage(256 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    std::ofstream(path, std::ios::binary) << garbage;
    shown = Open();
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_NE(shown.note.find("0 changes"), std::string::npos) << shown.note;
    EXPECT_NE(shown.note.find("could not be read and are not listed"), std::string::npos) << shown.note;

    // Larger than a log can grow: not read at all, and said so.
    fs::resize_file(path, device::kMaxChangeLogFileBytes + 1);
    shown = Open();
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_NE(shown.note.find("commands.log could not be read: it is larger than"), std::string::npos) << shown.note;
}
