// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Printing the device list through a recording printer: page breaks, column
// offsets, no header line, and the escapes that end the pages and the document.
#include <gtest/gtest.h>

#include <map>

#include "framework/frame_wnd.h"
#include "res/resource_ids.h"
#include "support/app_fixture.h"
#include "support/recording_dc.h"

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
    // Rows per page: a row is a text at the left edge.
    std::vector<int> RowsPerPage() const
    {
        std::vector<int> counts;
        for (const auto& page : printer.log.pages) {
            int rows = 0;
            for (const DrawOp& op : page)
                if (op.rc.left == 0)
                    ++rows;
            counts.push_back(rows);
        }
        return counts;
    }

    RecordingPrintService printer;
};

} // namespace

TEST_F(PrintTest, HundredRowsFallOnPagesOf41_41_18)
{
    AddRows(100);
    Print();
    // The last NEWFRAME opens an empty page record that is never printed on.
    EXPECT_EQ(RowsPerPage(), (std::vector<int>{41, 41, 18, 0}));
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME, NEWFRAME, NEWFRAME, ENDDOC}));
}

TEST_F(PrintTest, ExactlyOnePageFullPrintsOnePage)
{
    AddRows(41);
    Print();
    EXPECT_EQ(RowsPerPage(), (std::vector<int>{41, 0}));
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME, ENDDOC}));
}

TEST_F(PrintTest, EmptyListPrintsOneEmptyPage)
{
    Print();
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME, ENDDOC}));
    EXPECT_TRUE(printer.log.pages[0].empty());
}

TEST_F(PrintTest, ColumnsStandAtFixedCharacterOffsetsWithoutHeader)
{
    AddRows(2);
    Print();
    const auto& page = printer.log.pages[0];
    ASSERT_EQ(page.size(), 12u);
    const int avg = FixedMetricsDC::kCharWidth;
    const int offsets[6] = {0, 10, 25, 40, 55, 72};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 6; ++column) {
            const DrawOp& op = page[static_cast<std::size_t>(row * 6 + column)];
            EXPECT_EQ(op.rc.left, offsets[column] * avg);
            EXPECT_EQ(op.rc.top, row * FixedMetricsDC::kLineHeight);
        }
    EXPECT_EQ(page[1].text, "10.1.0.1"); // sorted by IP in ascending text order
    for (const DrawOp& op : page)
        EXPECT_NE(op.text, "Device Name");
}

TEST_F(PrintTest, HiddenColumnsArePrintedAllTheSame)
{
    AddRows(2);
    View().ShowColumn(1, false);
    View().ShowColumn(4, false);
    Print();
    const auto& page = printer.log.pages[0];
    ASSERT_EQ(page.size(), 12u);
    EXPECT_EQ(page[1].text, "10.1.0.1");
    EXPECT_EQ(page[1].rc.left, 10 * FixedMetricsDC::kCharWidth);
    EXPECT_NE(page[4].text, "");
}

TEST_F(PrintTest, FailedPageEscapeStopsWithoutEndingTheDocument)
{
    AddRows(100);
    printer.failAtEscape = 1;
    Print();
    EXPECT_EQ(printer.log.escapes, (std::vector<int>{NEWFRAME}));
    EXPECT_EQ(RowsPerPage()[0], 41);
}
