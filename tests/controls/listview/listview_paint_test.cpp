// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the list view draws, read back from a recording device context.
#include <gtest/gtest.h>

#include "controls/image_list.h"
#include "support/list_test_window.h"
#include "support/recording_dc.h"

namespace {

constexpr int kTop = 22;
constexpr int kRow = 17;

COLORREF Sys(int index)
{
    return GetSysColor(index);
}

struct ListViewPaintTest : ::testing::Test {
    ListTestWindow w{LVS_REPORT, 400, 200};
    void Rows(DWORD exStyle)
    {
        w.ctrl.SetExtendedStyle(exStyle);
        w.AddColumns({100, 80});
        w.AddRow("zero", {"z1"});
        w.AddRow("one", {"o1"});
        w.AddRow("two", {"t1"});
        w.ctrl.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    RecordingDC Paint()
    {
        RecordingDC dc;
        w.list.Paint(&dc);
        return dc;
    }
    int RowMiddle(int row) const { return kTop + row * kRow + kRow / 2; }
};

TEST_F(ListViewPaintTest, GridLinesRunUnderEveryRowAndAfterEveryColumn)
{
    Rows(LVS_EX_GRIDLINES);
    const int row = kRow + 1; // grid lines take a pixel of their own
    RecordingDC dc = Paint();
    std::vector<RECT> vertical;
    std::vector<RECT> horizontal;
    for (const DrawOp& op : dc.Of(DrawOp::Kind::Line)) {
        EXPECT_EQ(op.colour, Sys(COLOR_BTNFACE));
        (op.rc.left == op.rc.right ? vertical : horizontal).push_back(op.rc);
    }
    ASSERT_EQ(vertical.size(), 2u);
    EXPECT_EQ(vertical[0], (RECT{99, kTop, 99, 200}));
    EXPECT_EQ(vertical[1], (RECT{179, kTop, 179, 200}));
    // Down to the bottom of the window, even below the last row.
    ASSERT_EQ(horizontal.size(), static_cast<std::size_t>((200 - kTop) / row));
    EXPECT_EQ(horizontal[0], (RECT{0, kTop + row - 1, 180, kTop + row - 1}));
    EXPECT_EQ(horizontal.back().top, kTop + static_cast<int>(horizontal.size()) * row - 1);
}

TEST_F(ListViewPaintTest, FullRowSelectionWithFocusUsesTheHighlightColours)
{
    Rows(LVS_EX_FULLROWSELECT);
    w.list.SetFocus();
    RecordingDC dc = Paint();
    EXPECT_EQ(dc.FillAt(50, RowMiddle(1)), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(dc.FillAt(150, RowMiddle(1)), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(dc.FillAt(150, RowMiddle(0)), Sys(COLOR_WINDOW));
    ASSERT_NE(dc.FindText("o1"), nullptr);
    EXPECT_EQ(dc.FindText("o1")->colour, Sys(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(dc.FindText("z1")->colour, Sys(COLOR_WINDOWTEXT));
    // The focus frame covers the row from the label on.
    const auto focus = dc.Of(DrawOp::Kind::FocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].rc, (RECT{2, kTop + kRow, 180, kTop + 2 * kRow}));
}

TEST_F(ListViewPaintTest, WithoutFocusTheSelectionShowsOnlyWithShowSelAlways)
{
    Rows(LVS_EX_FULLROWSELECT);
    RecordingDC hidden = Paint();
    EXPECT_EQ(hidden.FillAt(150, RowMiddle(1)), Sys(COLOR_WINDOW));
    EXPECT_TRUE(hidden.Of(DrawOp::Kind::FocusRect).empty());

    w.list.ModifyStyle(0, LVS_SHOWSELALWAYS);
    RecordingDC shown = Paint();
    EXPECT_EQ(shown.FillAt(150, RowMiddle(1)), Sys(COLOR_BTNFACE));
    EXPECT_EQ(shown.FindText("o1")->colour, Sys(COLOR_BTNTEXT));
    EXPECT_TRUE(shown.Of(DrawOp::Kind::FocusRect).empty());
}

TEST_F(ListViewPaintTest, WithoutFullRowSelectionOnlyTheLabelIsHighlighted)
{
    Rows(0);
    w.list.SetFocus();
    RecordingDC dc = Paint();
    // "one" is 21 pixels wide; the box reaches 8 pixels past it from the label's left edge.
    EXPECT_EQ(dc.FillAt(20, RowMiddle(1)), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(dc.FillAt(2 + 21 + 8, RowMiddle(1)), Sys(COLOR_WINDOW));
    EXPECT_EQ(dc.FillAt(150, RowMiddle(1)), Sys(COLOR_WINDOW));
    EXPECT_EQ(dc.FindText("o1")->colour, Sys(COLOR_WINDOWTEXT));
    const auto focus = dc.Of(DrawOp::Kind::FocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].rc, (RECT{2, kTop + kRow, 2 + 21 + 8, kTop + 2 * kRow}));
}

TEST_F(ListViewPaintTest, TextIsCutWithAnEllipsisAndAlignedByColumnExceptColumnZero)
{
    w.ctrl.InsertColumn(0, "name", LVCFMT_RIGHT, 100);
    w.ctrl.InsertColumn(1, "version", LVCFMT_RIGHT, 80);
    w.AddRow("name", {"1.20"});
    RecordingDC dc = Paint();
    const DrawOp* name = dc.FindText("name");
    const DrawOp* version = dc.FindText("1.20");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(name->format & (DT_RIGHT | DT_CENTER), 0u);
    EXPECT_TRUE(version->format & DT_RIGHT);
    EXPECT_TRUE(version->format & DT_END_ELLIPSIS);
    EXPECT_EQ(version->rc, (RECT{106, kTop, 174, kTop + kRow}));
    // The header shows column 0 left-aligned too.
    HDITEMA hi;
    hi.mask = HDI_FORMAT;
    w.Header()->SendMessage(HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(hi.fmt & HDF_JUSTIFYMASK, HDF_LEFT);
}

TEST_F(ListViewPaintTest, ImagesAndCheckBoxes)
{
    CImageList small;
    small.Create(16, 16, ILC_COLOR32, 0, 1);
    ImageData pixels;
    pixels.width = pixels.height = 16;
    pixels.argb.assign(256, 0xFF00FF00u);
    small.Add(pixels);
    small.Add(pixels);
    w.ctrl.SetImageList(&small, static_cast<int>(LVSIL_SMALL));
    w.ctrl.SetExtendedStyle(LVS_EX_CHECKBOXES);
    w.AddColumns({120});
    w.ctrl.InsertItem(0, "a", 1);
    w.ctrl.InsertItem(1, "b", 0);
    w.ctrl.SetCheck(1);
    w.ctrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    w.list.SetFocus();
    RecordingDC dc = Paint();
    const auto images = dc.Of(DrawOp::Kind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].image, 1);
    EXPECT_EQ(images[0].format & ILD_SELECTED, ILD_SELECTED);
    EXPECT_EQ(images[1].image, 0);
    EXPECT_EQ(images[1].format & ILD_SELECTED, 0u);
    EXPECT_EQ(images[0].rc.left, 2 + 16);
    const auto boxes = dc.Of(DrawOp::Kind::CheckBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(boxes[0].checked);
    EXPECT_TRUE(boxes[1].checked);
}

TEST_F(ListViewPaintTest, ParentMeasuresOnceAndDrawsEveryVisibleRow)
{
    InitCommonControls();
    MessageRecorder parent;
    parent.CreateEx(0, "", 0, RECT{0, 0, 800, 600}, nullptr, 0);
    parent.measureHeight = 20;
    CWnd list;
    list.CreateEx(0, "SysListView32", WS_CHILD | LVS_REPORT | LVS_OWNERDRAWFIXED, RECT{0, 0, 300, 122}, &parent, 3);
    ASSERT_EQ(parent.Messages().size(), 1u);
    EXPECT_EQ(parent.Messages()[0].message, static_cast<UINT>(WM_MEASUREITEM));
    EXPECT_EQ(parent.Messages()[0].changed, ODT_LISTVIEW);

    CListCtrl ctrl(&list);
    ctrl.InsertColumn(0, "a", LVCFMT_LEFT, 100);
    ctrl.InsertColumn(1, "b", LVCFMT_LEFT, 100);
    for (int i = 0; i < 10; ++i)
        ctrl.InsertItem(LVIF_TEXT | LVIF_PARAM, i, "row", 0, 0, 0, 100 + i);
    ctrl.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    parent.ignored = {NM_CUSTOMDRAW};
    parent.Clear();
    RecordingDC dc;
    list.Paint(&dc);
    // (122 - 22) / 20: five rows are visible.
    std::vector<RecordedMessage> draws;
    for (const RecordedMessage& m : parent.Messages())
        if (m.message == WM_DRAWITEM)
            draws.push_back(m);
    ASSERT_EQ(draws.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(draws[static_cast<std::size_t>(i)].item, i);
        EXPECT_EQ(draws[static_cast<std::size_t>(i)].lParam, 100 + i);
        EXPECT_EQ(draws[static_cast<std::size_t>(i)].rc, (RECT{0, 22 + 20 * i, 200, 42 + 20 * i}));
        EXPECT_EQ(draws[static_cast<std::size_t>(i)].from, &list);
    }
    EXPECT_EQ(draws[2].itemState, ODS_SELECTED);
    EXPECT_TRUE(dc.Of(DrawOp::Kind::Text).empty());
    list.DestroyWindow();
}

TEST_F(ListViewPaintTest, HeaderSectionsInDisplayOrderWithArrowsAndImages)
{
    ListTestWindow w{LVS_REPORT};
    w.AddColumns({100, 80});
    HDITEMA hi;
    hi.mask = HDI_FORMAT | HDI_IMAGE;
    hi.fmt = HDF_STRING | HDF_SORTUP | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    hi.iImage = 3;
    w.Header()->SendMessage(HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&hi));
    CImageList arrows;
    arrows.Create(9, 5, ILC_COLOR24, 2, 0);
    w.Header()->SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&arrows));
    int order[2] = {1, 0};
    w.ctrl.SetColumnOrderArray(2, order);
    RecordingDC dc;
    w.Header()->Paint(&dc);
    const auto sections = dc.Of(DrawOp::Kind::HeaderSection);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].text, "Col1");
    EXPECT_EQ(sections[0].rc, (RECT{0, 0, 80, 22}));
    EXPECT_EQ(sections[0].section.fmt & HDF_SORTUP, HDF_SORTUP);
    EXPECT_EQ(sections[0].section.images, &arrows);
    EXPECT_EQ(sections[0].section.image, 3);
    EXPECT_EQ(sections[1].text, "Col0");
    EXPECT_EQ(sections[1].section.images, nullptr);
    EXPECT_EQ(sections[2].rc, (RECT{180, 0, 400, 22})) << "the empty rest of the header";
}

} // namespace
