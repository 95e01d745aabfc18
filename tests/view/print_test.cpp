// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Printing the device list through a recording printer: page breaks, the
// headings on every page, columns that never touch, and the escapes that end
// the pages and the document.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/recording_dc.h"
#include "view/print_layout.h"

namespace {

// What one print job put on paper.
struct PrintLog {
    std::vector<std::vector<DrawOp>> pages{1};
    std::vector<int> escapes;
    bool over = false;
};

class RecordingPrinter : public RecordingDC {
public:
    RecordingPrinter(PrintLog& log, int height, int failAtEscape) : m_log(log), m_height(height), m_failAt(failAtEscape)
    {
    }
    int GetDeviceCaps(int index) const override
    {
        return index == VERTRES ? m_height : RecordingDC::GetDeviceCaps(index);
    }
    BOOL TextOut(int x, int y, std::string_view text) override
    {
        DrawOp op;
        op.kind = DrawOp::Kind::Text;
        op.rc = RECT{x, y, x, y};
        op.text = std::string(text);
        m_log.pages.back().push_back(op);
        return TRUE;
    }
    int Escape(int code) override
    {
        m_log.escapes.push_back(code);
        if (static_cast<int>(m_log.escapes.size()) == m_failAt) {
            m_log.over = true;
            return -1;
        }
        if (code == NEWFRAME)
            m_log.pages.emplace_back();
        if (code == ENDDOC)
            m_log.over = true;
        return 1;
    }
    bool IsPrintJobOver() const override { return m_log.over; }

private:
    PrintLog& m_log;
    int m_height;
    int m_failAt;
};

class RecordingPrintService : public PrintService {
public:
    std::unique_ptr<CDC> BeginPrinting(CWnd*, PrintJob&) override
    {
        log = PrintLog{};
        return std::make_unique<RecordingPrinter>(log, height, failAtEscape);
    }
    void PrintSetup(CWnd*) override {}
    PrintLog log;
    int height = 16 * 41; // 41 lines of 16 pixels: 40 lines per page
    int failAtEscape = 0;
};

class PrintTest : public AppFixture {
protected:
    void SetUp() override
    {
        Platform().printing = &printer;
        ASSERT_TRUE(Start());
    }
    void TearDown() override { Platform().printing = nullptr; }
    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(Answer(DeviceReply("Dev" + std::to_string(i), {10, 1, i / 250, i % 250 + 1})));
    }
    void Print() { Frame().SendMessage(WM_COMMAND, ID_FILE_PRINT, 0); }
    // Rows per page: a row is a text at the left edge below the heading line.
    std::vector<int> RowsPerPage() const
    {
        std::vector<int> counts;
        for (const auto& page : printer.log.pages) {
            int rows = 0;
            for (const DrawOp& op : page)
                if (op.rc.left == 0 && op.rc.top > 0)
                    ++rows;
            counts.push_back(rows);
        }
        return counts;
    }
    // The texts of a page's first line.
    std::vector<std::string> Heading(std::size_t page) const
    {
        std::vector<std::string> texts;
        for (const DrawOp& op : printer.log.pages[page])
            if (op.rc.top == 0)
                texts.push_back(op.text);
        return texts;
    }

    RecordingPrintService printer;
};

} // namespace

TEST_F(PrintTest, HundredRowsFallOnPagesOf40_40_20BelowTheirHeadings)
{
    AddRows(100);
    Print();
    // The last NEWFRAME opens an empty page record that is never printed on.
    EXPECT_EQ(RowsPerPage(), (std::vector<int>{40, 40, 20, 0}));
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME, NEWFRAME, NEWFRAME, ENDDOC}));
    for (std::size_t page = 0; page < 3; ++page)
        EXPECT_EQ(Heading(page), (std::vector<std::string>{"Device Name", "IP Address", "Subnet Mask", "Gateway IP",
                                                           "MAC", "Version"}))
            << "page " << page;
}

TEST_F(PrintTest, ExactlyOnePageFullPrintsOnePage)
{
    AddRows(40);
    Print();
    EXPECT_EQ(RowsPerPage(), (std::vector<int>{40, 0}));
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME, ENDDOC}));
}

TEST_F(PrintTest, EmptyListPrintsOnePageWithTheHeadingsOnly)
{
    Print();
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME, ENDDOC}));
    EXPECT_EQ(printer.log.pages[0].size(), 6u);
    EXPECT_EQ(Heading(0).front(), "Device Name");
}

// Each column starts at its character offset unless the widest text before it
// (heading included) would reach it: then one space after that text.
TEST_F(PrintTest, ColumnsKeepTheirOffsetsWhereTheyFitAndNeverTouch)
{
    ASSERT_TRUE(Answer(DeviceReply("Short", {10, 1, 0, 1})));
    ASSERT_TRUE(Answer(DeviceReply("Cam-Loading-Dock", {192, 168, 100, 100})));
    Print();
    const auto& page = printer.log.pages[0];
    ASSERT_EQ(page.size(), 18u);
    const int avg = FixedMetricsDC::kCharWidth;
    // "Cam-Loading-Dock" (16), "192.168.100.100" (15), "255.255.255.0" (13), "192.168.100.1" (13), a MAC (17).
    const int lefts[6] = {0, 17 * avg, 33 * avg, 47 * avg, 61 * avg, 79 * avg};
    for (std::size_t line = 0; line < 3; ++line)
        for (std::size_t column = 0; column < 6; ++column) {
            const DrawOp& op = page[line * 6 + column];
            EXPECT_EQ(op.rc.left, lefts[column]) << "line " << line << " column " << column;
            EXPECT_EQ(op.rc.top, static_cast<LONG>(line) * FixedMetricsDC::kLineHeight);
        }
    EXPECT_EQ(page[6 + 1].text, "10.1.0.1"); // sorted by IP in ascending text order

    // Short texts everywhere: the offsets stand as they are.
    const std::array<int, 6> narrow{3, 3, 3, 3, 3, 3};
    EXPECT_EQ(PrintColumnLefts(avg, narrow, avg),
              (std::array<int, 6>{0, 10 * avg, 25 * avg, 40 * avg, 55 * avg, 72 * avg}));
}

TEST_F(PrintTest, HiddenColumnsArePrintedAllTheSame)
{
    AddRows(2);
    View().ShowColumn(1, false);
    View().ShowColumn(4, false);
    Print();
    const auto& page = printer.log.pages[0];
    ASSERT_EQ(page.size(), 18u);
    EXPECT_EQ(page[1].text, "IP Address");
    EXPECT_EQ(page[7].text, "10.1.0.1");
    EXPECT_NE(page[10].text, "");
}

TEST_F(PrintTest, FailedPageEscapeStopsWithoutEndingTheDocument)
{
    AddRows(100);
    printer.failAtEscape = 1;
    Print();
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME}));
    EXPECT_EQ(RowsPerPage()[0], 40);
}

// The list's cells are what the list shows; the devices are the table's. A
// cell changed behind the view's back (or hidden, or showing a name that is
// not UTF-8) must not reach the paper, the clipboard, the file or the wire.
TEST_F(PrintTest, PrintCopyExportAndCommandsTakeTheTablesValuesNotTheCellsShown)
{
    const std::string name("Cam\xFF\xFE", 5);
    ASSERT_TRUE(Answer(DeviceReply(name, {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E})));
    View().ShowColumn(device::kIp, false);
    const auto setCell = [this](int column, const char* text) {
        LVITEMA item;
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        View().SendMessage(LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
    };
    setCell(device::kName, "Other");
    setCell(device::kIp, "10.9.9.9");
    setCell(device::kMac, "FF-FF-FF-FF-FF-FF");
    const std::vector<std::string> truth = {name,          "192.168.1.20",      "255.255.255.0",
                                            "192.168.1.1", "00-0A-1B-2C-3D-4E", "1.20"};

    Print();
    std::vector<std::string> printed;
    for (const DrawOp& op : printer.log.pages[0])
        if (op.rc.top > 0)
            printed.push_back(op.text);
    EXPECT_EQ(printed, truth);

    SelectRows({0});
    Command(ID_EDIT_COPY);
    ASSERT_EQ(user.user.clipboard.size(), 1u);
    EXPECT_NE(user.user.clipboard[0].find(name + "\t192.168.1.20\t255.255.255.0\t192.168.1.1\t00-0A-1B-2C-3D-4E"),
              std::string::npos);

    const std::string path = configDir + "/list.csv";
    user.user.saveFileAnswer = path;
    Command(ID_FILE_EXPORT_LIST);
    std::ifstream in(path, std::ios::binary);
    const std::string csv((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(csv.find(",192.168.1.20,255.255.255.0,192.168.1.1,00-0A-1B-2C-3D-4E,1.20"), std::string::npos) << csv;
    EXPECT_EQ(csv.find("Other"), std::string::npos);

    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_EDIT_PASSWORD)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("pw"));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Command(ID_SOFT_RESET);
    ASSERT_FALSE(Sent().empty());
    const std::vector<std::uint8_t>& reset = Sent().back().bytes;
    ASSERT_EQ(reset.size(), 52u);
    EXPECT_EQ(std::vector<std::uint8_t>(reset.begin() + 12, reset.begin() + 18),
              (std::vector<std::uint8_t>{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
}
