// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The tinted sort column: the tint rule, the cells the control paints with it,
// the background band, and the repaints after a background, palette or scroll
// change.
#include <gtest/gtest.h>

#include <algorithm>

#include "listctrl/sort_column_tint.h"
#include "support/engine_window.h"
#include "support/recording_dc.h"
#include "support/recording_host.h"

namespace {

TEST(SortColumnTintTest, LightBackgroundsDarkenOthersLighten)
{
    const struct {
        COLORREF background;
        COLORREF tint;
    } rows[] = {
        {RGB(255, 255, 255), RGB(247, 247, 247)}, {RGB(241, 241, 241), RGB(233, 233, 233)},
        {RGB(240, 255, 255), RGB(255, 255, 255)}, {RGB(236, 233, 216), RGB(255, 255, 237)},
        {RGB(200, 100, 50), RGB(220, 110, 55)},   {RGB(0, 0, 0), RGB(0, 0, 0)},
        {RGB(30, 30, 30), RGB(33, 33, 33)},
    };
    for (const auto& r : rows)
        EXPECT_EQ(SortColumnTint(r.background), r.tint) << std::hex << r.background;
}

struct EngineColoursTest : ::testing::Test {
    EngineWindow w{LVS_REPORT, LVS_EX_FULLROWSELECT};
    RecordingHost host;
    void SetUp() override
    {
        w.list.SetHost(&host);
        w.AddColumns({100, 80, 60, 70, 90});
        w.AddRow("alpha", {"a1", "a2", "a3", "a4"});
        w.AddRow("beta", {"b1", "b2", "b3", "b4"});
    }
    void TearDown() override { w.list.SetHost(nullptr); }
    // The fill under the middle of a control column in the first row.
    std::optional<COLORREF> CellFill(RecordingDC& dc, int physical)
    {
        RECT cell{LVIR_BOUNDS, physical, 0, 0};
        w.list.DefWindowProc(LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        return dc.FillAt((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    }
};

TEST_F(EngineColoursTest, TheSortColumnIsTintedOnTheControlsColumnThatShowsIt)
{
    w.list.ShowColumn(2, false);
    w.list.SetSortColumn(5); // logical 4: the control's column 3 while 2 is hidden
    w.list.ColorSortColumn(true);
    RecordingDC dc;
    w.list.Paint(&dc);
    EXPECT_EQ(CellFill(dc, 3), RGB(247, 247, 247));
    for (int p : {0, 1, 2})
        EXPECT_EQ(CellFill(dc, p), RGB(255, 255, 255)) << p;
    // Hidden, the sort column is tinted nowhere.
    w.list.ShowColumn(4, false);
    RecordingDC hidden;
    w.list.Paint(&hidden);
    for (int p : {0, 1, 2})
        EXPECT_EQ(CellFill(hidden, p), RGB(255, 255, 255)) << p;
}

TEST_F(EngineColoursTest, TheTintFollowsTheBackgroundAndStaysOnAPoorDisplayOff)
{
    w.list.SetSortColumn(2);
    w.list.ColorSortColumn(true);
    ASSERT_TRUE(w.list.SendMessage(LVM_SETBKCOLOR, 0, RGB(200, 100, 50)));
    EXPECT_TRUE(w.list.IsSortColumnColored());
    RecordingDC dc;
    w.list.Paint(&dc);
    EXPECT_EQ(CellFill(dc, 1), RGB(220, 110, 55));
    EXPECT_EQ(CellFill(dc, 0), RGB(200, 100, 50));
    w.list.ColorSortColumn(false);
    host.depth = 8;
    w.list.ColorSortColumn(true);
    EXPECT_FALSE(w.list.IsSortColumnColored());
}

TEST_F(EngineColoursTest, ADarkPaletteReachesTheBackgroundTheTextAndTheTint)
{
    w.list.SetSortColumn(2);
    w.list.ColorSortColumn(true);
    COLORREF colours[COLOR_COUNT];
    for (int i = 0; i < COLOR_COUNT; ++i)
        colours[i] = GetSysColor(i);
    colours[COLOR_WINDOW] = RGB(30, 30, 30);
    colours[COLOR_WINDOWTEXT] = RGB(230, 230, 230);
    SetSysColors(colours);
    w.list.SendMessage(WM_SYSCOLORCHANGE);
    RecordingDC dc;
    w.list.Paint(&dc);
    ResetSysColors();
    EXPECT_EQ(w.list.SendMessage(LVM_GETBKCOLOR), static_cast<LRESULT>(RGB(30, 30, 30)));
    EXPECT_EQ(CellFill(dc, 0), RGB(30, 30, 30));
    EXPECT_EQ(CellFill(dc, 1), RGB(33, 33, 33)); // a shade off the dark background
    const DrawOp* text = dc.FindText("a2");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->colour, RGB(230, 230, 230));
}

TEST_F(EngineColoursTest, TheBackgroundEraseTintsTheBandUnderTheSortColumn)
{
    w.list.SetSortColumn(-3); // logical 2: from x 180 to 240
    w.list.ColorSortColumn(true);
    RecordingDC dc;
    EXPECT_TRUE(w.list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc)));
    EXPECT_EQ(dc.FillAt(200, 250), RGB(247, 247, 247));
    EXPECT_EQ(dc.FillAt(100, 250), RGB(255, 255, 255));
    EXPECT_EQ(dc.FillAt(300, 250), RGB(255, 255, 255));
    // Without the tint, the control erases alone.
    w.list.ColorSortColumn(false);
    RecordingDC plain;
    w.list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&plain));
    EXPECT_EQ(plain.FillAt(200, 250), RGB(255, 255, 255));
}

// Scrolling sideways moves the tinted band, and so do the header's tracking
// and its end: each repaints the bands without rows.
TEST_F(EngineColoursTest, ScrollingSidewaysRepaintsTheEmptyBandsOnlyWhenThereAreRows)
{
    w.list.SetSortColumn(2);
    w.list.ColorSortColumn(true);
    HDITEMA item;
    item.mask = HDI_WIDTH;
    for (UINT code : {0u, HDN_ITEMCHANGEDA, HDN_ITEMCHANGEDW, HDN_ENDTRACKA, HDN_ENDTRACKW}) {
        NMHEADERA nm{NMHDR{w.Header(), 0, code}, 1, 0, &item};
        host.invalidated.clear();
        if (code == 0)
            w.list.SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
        else
            w.list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
        EXPECT_TRUE(std::any_of(host.invalidated.begin(), host.invalidated.end(),
                                [](const RECT& rc) { return rc.left == 0 && rc.top > 20 && rc.bottom == 300; }))
            << "the band under the last row, " << DescribeCode(WM_NOTIFY, code);
    }
    w.list.SendMessage(LVM_DELETEALLITEMS);
    host.invalidated.clear();
    w.list.SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    for (const RECT& rc : host.invalidated)
        EXPECT_EQ(rc.left, -1) << "only the control's own repaint";
}

TEST_F(EngineColoursTest, TheIconRepaintAfterTheCellKeepsTheItemsOverlay)
{
    CImageList small;
    FillPlainPictures(small, 3);
    small.SetOverlayImage(2, 1);
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&small));
    LVITEMA item;
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = 0;
    item.iImage = 1;
    item.state = INDEXTOOVERLAYMASK(1);
    item.stateMask = LVIS_OVERLAYMASK;
    w.list.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    RecordingDC dc;
    w.list.Paint(&dc);
    int pictures = 0;
    for (const DrawOp& op : dc.Of(DrawOp::Kind::Image)) {
        if (op.images != &small || op.image != 1)
            continue;
        ++pictures;
        EXPECT_EQ(op.format & LVIS_OVERLAYMASK, INDEXTOOVERLAYMASK(1)) << "drawing " << pictures;
    }
    EXPECT_EQ(pictures, 2) << "the control's picture, then the engine's repaint over the cleared icon area";
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

// With full-row selection and column 0 dragged away from the left, the icon
// area the engine repaints takes the row's own colour.
TEST_F(EngineColoursTest, TheIconAreaOfAMovedColumnZeroTakesTheRowsColour)
{
    int order[5] = {1, 0, 2, 3, 4};
    w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 5, reinterpret_cast<LPARAM>(order));
    RECT column0{};
    w.Header()->SendMessage(HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&column0));
    RECT row{};
    w.ctrl.GetItemRect(0, &row, LVIR_BOUNDS);
    const struct {
        bool selected;
        bool focus;
        DWORD style;
        COLORREF colour;
    } cases[] = {{true, true, 0, GetSysColor(COLOR_HIGHLIGHT)},
                 {true, false, LVS_SHOWSELALWAYS, GetSysColor(COLOR_BTNFACE)},
                 {true, false, 0, RGB(255, 255, 255)},
                 {false, true, 0, RGB(255, 255, 255)}};
    for (const auto& c : cases) {
        w.ctrl.SetItemState(0, c.selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
        CWnd::FocusChanged(c.focus ? &w.list : nullptr);
        w.list.ModifyStyle(LVS_SHOWSELALWAYS, c.style);
        RecordingDC dc;
        w.list.Paint(&dc);
        EXPECT_EQ(dc.FillAt(column0.left + 1, row.top + 2), c.colour) << c.selected << c.focus << c.style;
    }
    CWnd::FocusChanged(nullptr);
}

} // namespace
