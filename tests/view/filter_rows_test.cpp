// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The tool bar's filter field through the running program: what the list
// keeps, rows coming back in sorted place, answers while filtered, the panes,
// the shared-address marks, and copy and export taking the rows shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "app/main_frame.h"
#include "framework/dialog_controls.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/csv_reader.h"

namespace {

class FilterRowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
        Answer(DeviceReply("Gate-West", {192, 168, 1, 21}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}));
        Answer(DeviceReply("Cam-Yard", {10, 0, 0, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
        Answer(DeviceReply("Spare", {192, 168, 1, 9}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x60}));
    }
    CWnd& Field() const { return dynamic_cast<CMainFrame&>(Frame()).m_wndFilter; }
    // Types text into the field a character at a time, as the keyboard does.
    void Type(const std::string& text) const
    {
        for (char c : text)
            Field().SendMessage(WM_CHAR, static_cast<unsigned char>(c));
    }
    void Erase() const { SetControlText(Field(), {}); }
    std::set<std::string> Names() const
    {
        const std::vector<std::string> names = Column(0);
        return {names.begin(), names.end()};
    }
    std::string MessagePane() const { return Frame().GetMessageBar()->GetPaneText(0); }
    bool Shared(int row) const { return View().SendMessage(LVM_GETITEMSTATE, row, LVIS_OVERLAYMASK) != 0; }
};

} // namespace

TEST_F(FilterRowsTest, TheListKeepsRowsWhoseNameAddressOrMacHoldsTheText)
{
    struct Case {
        const char* text;
        std::set<std::string> shown;
    };
    const Case cases[] = {
        {"cam", {"Cam-Lobby", "Cam-Yard"}},
        {"192.168.1.2", {"Cam-Lobby", "Gate-West"}},
        {"10.0", {"Cam-Yard"}},
        {"3d4f", {"Gate-West"}},
        {"00-1a-2b", {"Cam-Yard", "Spare"}},
        {"2B:3C:4D:60", {"Spare"}},
        {"0a1b", {"Cam-Lobby", "Gate-West"}},
        {"nothing", {}},
    };
    for (const Case& c : cases) {
        Erase();
        Type(c.text);
        EXPECT_EQ(Names(), c.shown) << c.text;
        EXPECT_EQ(View().Devices().Size(), 4u) << c.text;
    }
}

TEST_F(FilterRowsTest, ClearedByEscInTheFieldRowsComeBackInSortedPlace)
{
    const std::vector<std::string> before = Column(0);
    Command(ID_FILTER_FOCUS);
    EXPECT_TRUE(Field().HasFocus());
    Type("yard");
    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(MessagePane(), "Showing 1 of 4 devices");

    // Esc elsewhere is not the field's.
    View().SetFocus();
    Command(ID_FILTER_CLEAR);
    EXPECT_EQ(RowCount(), 1);

    Command(ID_FILTER_FOCUS);
    Command(ID_FILTER_CLEAR);
    EXPECT_EQ(GetControlText(Field()), "");
    EXPECT_EQ(Column(0), before);
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 4 found");
}

TEST_F(FilterRowsTest, RowsComeBackSortedByTheColumnChosenWhileFiltered)
{
    Type("cam");
    NMLISTVIEW click{};
    click.hdr = NMHDR{&View(), View().GetDlgCtrlID(), LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = 0; // by name
    Frame().SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    Erase();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Cam-Lobby", "Cam-Yard", "Gate-West", "Spare"}));
}

TEST_F(FilterRowsTest, AnswersWhileFilteredGoToTheTableAndOnlyMatchesToTheList)
{
    Type("cam");
    Answer(DeviceReply("Gate-East", {192, 168, 1, 30}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x70}));
    Answer(DeviceReply("Cam-Dock", {192, 168, 1, 31}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x71}));
    EXPECT_EQ(Names(), (std::set<std::string>{"Cam-Dock", "Cam-Lobby", "Cam-Yard"}));
    EXPECT_EQ(StatusExt(), "Online : 6");
    EXPECT_EQ(MessagePane(), "Showing 3 of 6 devices");
    Erase();
    EXPECT_EQ(RowCount(), 6);
}

TEST_F(FilterRowsTest, SharedAddressMarksHoldForHiddenAndReturningRows)
{
    Type("lobby");
    // A second device at the lobby camera's address arrives hidden.
    Answer(DeviceReply("Spare-2", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x99}));
    loop.loop.Advance(CVarnexView::kDuplicateMarkDelayMs);
    ASSERT_EQ(RowCount(), 1);
    EXPECT_TRUE(Shared(0));
    Erase();
    ASSERT_EQ(RowCount(), 5);
    for (int row = 0; row < RowCount(); ++row) {
        const std::string ip = Row(row)[1];
        EXPECT_EQ(Shared(row), ip == "192.168.1.20") << Row(row)[0];
    }
}

TEST_F(FilterRowsTest, CopyAndExportTakeOnlyTheRowsShown)
{
    Type("cam");
    SelectRows({0, 1});
    Command(ID_EDIT_COPY);
    ASSERT_EQ(user.user.clipboard.size(), 1u);
    EXPECT_EQ(std::count(user.user.clipboard[0].begin(), user.user.clipboard[0].end(), '\n'), 3);
    EXPECT_EQ(user.user.clipboard[0].find("Gate-West"), std::string::npos);

    user.user.saveFileAnswer = configDir + "/shown.csv";
    Command(ID_FILE_EXPORT_LIST);
    std::ifstream in(configDir + "/shown.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto records = ReadCsv(text.str(), &error);
    ASSERT_TRUE(records.has_value()) << error;
    ASSERT_EQ(records->size(), 3u); // the heading and the two rows shown
    EXPECT_EQ(((std::set<std::string>{(*records)[1][0], (*records)[2][0]})),
              (std::set<std::string>{"Cam-Lobby", "Cam-Yard"}));
}

TEST_F(FilterRowsTest, SelectionStaysOnRowsThatStayListed)
{
    const int yard = [&] {
        for (int row = 0; row < RowCount(); ++row)
            if (Row(row)[0] == "Cam-Yard")
                return row;
        return -1;
    }();
    ASSERT_GE(yard, 0);
    SelectRows({yard});
    Type("cam");
    Erase();
    const int selected = View().NextSelectedRow(-1);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(Row(selected)[0], "Cam-Yard");
    EXPECT_EQ(View().NextSelectedRow(selected), -1);
}

TEST_F(FilterRowsTest, ATextReplacedAtOnceListsEachMatchOnceInSortedPlace)
{
    NMLISTVIEW click{};
    click.hdr = NMHDR{&View(), View().GetDlgCtrlID(), LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = 1; // by IP address
    Frame().SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    const std::vector<std::string> sorted = Column(0);
    const auto inSortedOrder = [&sorted](const std::set<std::string>& names) {
        std::vector<std::string> kept;
        std::copy_if(sorted.begin(), sorted.end(), std::back_inserter(kept),
                     [&names](const std::string& name) { return names.count(name) != 0; });
        return kept;
    };
    Type("cam");
    // A paste replaces the text: some rows leave, others come back, some stay.
    SetControlText(Field(), "a");
    EXPECT_EQ(Column(0), inSortedOrder({"Cam-Lobby", "Gate-West", "Cam-Yard", "Spare"}));
    SetControlText(Field(), "1a");
    EXPECT_EQ(Column(0), inSortedOrder({"Cam-Yard", "Spare"}));
    SetControlText(Field(), "192.168");
    EXPECT_EQ(Column(0), inSortedOrder({"Cam-Lobby", "Gate-West", "Spare"}));
}
