// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// File > Export List: the whole list in the order it shows, as the file type
// asks, read back by independent CSV and JSON readers; a failed save says why
// and leaves what was there.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/csv_reader.h"
#include "system/utf8_text.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ExportListTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        Answer(DeviceReply("Cam, \"Lobby\"", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
        Answer(DeviceReply("Caf\xE9", {192, 168, 1, 9}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}, 32));
        Answer(DeviceReply("Spare", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x50}));
        loop.loop.Advance(CVarnexView::kDuplicateMarkDelayMs);
    }
    std::string Path(const std::string& name) const { return configDir + "/" + name; }
    void ExportTo(const std::string& path, const std::string& type = {})
    {
        user.user.saveFileAnswer = path;
        user.user.saveFilterAnswer = type;
        Command(ID_FILE_EXPORT_LIST);
    }
};

} // namespace

TEST_F(ExportListTest, JsonChosenInTheDialogGetsItsExtensionAndTheCommandLinesKeys)
{
    ExportTo(Path("list"), "JSON files (*.json)");
    ASSERT_EQ(user.user.fileDialogTitles.size(), 1u);
    EXPECT_EQ(user.user.fileDialogTitles[0], "Export List|CSV files (*.csv);;JSON files (*.json)");
    EXPECT_EQ(user.user.suggestedSaveName, "devices.csv");
    EXPECT_TRUE(user.user.boxes.empty());
    const nlohmann::json doc = nlohmann::json::parse(ReadFile(Path("list.json")));
    ASSERT_EQ(doc.size(), 3u);
    // The list's order: IP address as text, ascending; equal addresses by name.
    EXPECT_EQ(doc[0].at("name"), "Cam, \"Lobby\"");
    EXPECT_EQ(doc[1].at("name"), "Spare");
    EXPECT_EQ(doc[2].at("name"), "Caf\xC3\xA9"); // the Latin-1 byte as the window shows it
    EXPECT_EQ(doc[2].at("model"), 32);
    EXPECT_EQ(doc[0].at("model"), 31);
    EXPECT_EQ(doc[0].at("ip"), "192.168.1.20");
    EXPECT_EQ(doc[0].at("mac"), "00-0A-1B-2C-3D-4E");
    EXPECT_EQ(doc[0].at("duplicate_ip"), true);
    EXPECT_EQ(doc[1].at("duplicate_ip"), true);
    EXPECT_EQ(doc[2].at("duplicate_ip"), false);
    EXPECT_TRUE(doc[0].at("interface").is_null()); // the in-memory network names none
}

TEST_F(ExportListTest, CsvByItsExtensionHoldsEveryRowAsTheListShowsItHiddenColumnsToo)
{
    View().ShowColumn(2, false);
    ExportTo(Path("list.CSV"), "JSON files (*.json)"); // the extension decides
    std::string error;
    const auto records = ReadCsv(ReadFile(Path("list.CSV")), &error);
    ASSERT_TRUE(records.has_value()) << error;
    ASSERT_EQ(records->size(), 4u);
    EXPECT_EQ((*records)[0],
              (std::vector<std::string>{"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"}));
    for (int row = 0; row < 3; ++row) {
        std::vector<std::string> shown = Row(row);
        for (std::string& cell : shown)
            cell = Utf8FromWireText(cell);
        EXPECT_EQ((*records)[static_cast<std::size_t>(row) + 1], shown) << row;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("list.CSV.json")));
}

TEST_F(ExportListTest, AFailedSaveSaysWhyAndLeavesWhatWasThere)
{
    std::filesystem::create_directory(Path("taken.csv"));
    ExportTo(Path("taken.csv"));
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_EQ(user.user.boxes[0].text.rfind("The list could not be saved to '" + Path("taken.csv") + "': ", 0), 0u)
        << user.user.boxes[0].text;
    EXPECT_TRUE(std::filesystem::is_directory(Path("taken.csv")));
    ExportTo(Path("no-such-folder/list.csv"));
    ASSERT_EQ(user.user.boxes.size(), 2u);
    // Nothing half-written is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(configDir))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
    // A cancelled dialog does nothing.
    ExportTo("");
    EXPECT_EQ(user.user.boxes.size(), 2u);
}

TEST(ExportTargetTest, TheExtensionDecidesElseTheChosenTypeWhoseExtensionIsAdded)
{
    EXPECT_FALSE(ChooseExportTarget("/t/a.csv", "JSON files (*.json)").json);
    EXPECT_TRUE(ChooseExportTarget("/t/a.Json", "").json);
    EXPECT_EQ(ChooseExportTarget("/t/a.Json", "").path, "/t/a.Json");
    const ExportTarget json = ChooseExportTarget("/t/a", "JSON files (*.json)");
    EXPECT_TRUE(json.json);
    EXPECT_EQ(json.path, "/t/a.json");
    const ExportTarget csv = ChooseExportTarget("/t/a.txt", "");
    EXPECT_FALSE(csv.json);
    EXPECT_EQ(csv.path, "/t/a.txt.csv");
}

TEST_F(ExportListTest, AnEmptyListHasNothingToExport)
{
    Command(ID_REFRESH);
    CCmdUI state;
    state.m_nID = ID_FILE_EXPORT_LIST;
    state.DoUpdate(&Frame(), TRUE);
    EXPECT_FALSE(state.enabled);
}

// The dialog opens where the last list went, in this run and the next, until
// that folder is gone.
TEST_F(ExportListTest, TheDialogOpensInTheFolderOfTheLastListSaved)
{
    const std::string folder = Path("lists");
    std::filesystem::create_directory(folder);
    ExportTo(folder + "/monday.csv");
    ASSERT_TRUE(user.user.boxes.empty());
    ExportTo(Path("missing/tuesday.csv")); // fails: the folder stays the last one that worked
    ExportTo({});
    EXPECT_EQ(user.user.suggestedSaveName, folder + "/devices.csv");

    app.reset();
    app = std::make_unique<CVarnexApp>();
    ASSERT_TRUE(Start());
    Answer(DeviceReply("Cam", {192, 168, 1, 20}));
    ExportTo({});
    EXPECT_EQ(user.user.suggestedSaveName, folder + "/devices.csv");
    std::filesystem::remove_all(folder);
    ExportTo({});
    EXPECT_EQ(user.user.suggestedSaveName, "devices.csv");
}
