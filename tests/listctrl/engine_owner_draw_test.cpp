// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Owner-drawn items painted by the engine, through a recording context:
// selection and focus colours, full-row selection, label boxes and alignment,
// images, check boxes, the refined hit test and hot tracking.
#include <gtest/gtest.h>

#include "framework/fixed_metrics_dc.h"
#include "support/engine_window.h"
#include "support/recording_dc.h"
#include "support/recording_host.h"

namespace {

constexpr int kCw = FixedMetricsDC::kCharWidth;

struct OwnerDrawTest : ::testing::Test {
    EngineWindow w{LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, 0};
    RecordingHost host;
    CImageList small;
    void SetUp() override
    {
        w.list.SetHost(&host);
        FillPlainPictures(small, 3);
        w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&small));
        w.AddColumns({120, 100, 80});
        Row("alpha", 1);
        Row("beta", 0);
        w.ctrl.SetItemText(0, 1, "a1");
        w.ctrl.SetItemText(0, 2, "a2");
    }
    void TearDown() override
    {
        CWnd::FocusChanged(nullptr);
        w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
        w.list.SetHost(nullptr);
    }
    void Row(const char* label, int image)
    {
        w.ctrl.InsertItem(LVIF_TEXT | LVIF_IMAGE, w.ctrl.GetItemCount(), label, 0, 0, image, 0);
    }
    void Select(int item, bool focusMark = true)
    {
        w.ctrl.SetItemState(item, LVIS_SELECTED | (focusMark ? LVIS_FOCUSED : 0), LVIS_SELECTED | LVIS_FOCUSED);
    }
    RECT Label(int item)
    {
        RECT rc{};
        EXPECT_TRUE(w.list.GetSubItemRectEx(item, 0, LVIR_LABEL, rc));
        return rc;
    }
    RECT RowRect(int item)
    {
        RECT rc{};
        w.ctrl.GetItemRect(item, &rc, LVIR_BOUNDS);
        return rc;
    }
    RECT Row0() { return RowRect(0); }
    std::vector<DrawOp> Paint()
    {
        RecordingDC dc;
        w.list.Paint(&dc);
        return dc.Ops();
    }
    static std::optional<COLORREF> FillAt(const std::vector<DrawOp>& ops, int x, int y)
    {
        std::optional<COLORREF> found;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Kind::Fill && x >= op.rc.left && x < op.rc.right && y >= op.rc.top &&
                y < op.rc.bottom)
                found = op.colour;
        return found;
    }
    static const DrawOp* Text(const std::vector<DrawOp>& ops, const std::string& text)
    {
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Kind::Text && op.text == text)
                return &op;
        return nullptr;
    }
};

TEST_F(OwnerDrawTest, FullRowSelectionWithFocusHighlightsEveryCellButTheIconArea)
{
    w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Select(0);
    CWnd::FocusChanged(&w.list);
    const auto ops = Paint();
    const RECT row = Row0();
    const int y = (row.top + row.bottom) / 2;
    const RECT label = Label(0);
    EXPECT_EQ(FillAt(ops, label.left + 3, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, 150, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, 250, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, row.left + 1, y), GetSysColor(COLOR_WINDOW)); // the icon area
    ASSERT_NE(Text(ops, "a1"), nullptr);
    EXPECT_EQ(Text(ops, "a1")->colour, GetSysColor(COLOR_HIGHLIGHTTEXT));
    // The unselected row is plain.
    EXPECT_EQ(FillAt(ops, 150, RowRect(1).top + 2), GetSysColor(COLOR_WINDOW));
}

TEST_F(OwnerDrawTest, WithoutFocusTheSelectionIsGreyOnlyWithShowSelAlways)
{
    w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Select(0);
    const RECT row = Row0();
    const int y = (row.top + row.bottom) / 2;
    auto ops = Paint();
    EXPECT_EQ(FillAt(ops, 150, y), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Text(ops, "a1")->colour, GetSysColor(COLOR_WINDOWTEXT));
    w.list.ModifyStyle(LVS_SHOWSELALWAYS, 0);
    ops = Paint();
    EXPECT_EQ(FillAt(ops, 150, y), GetSysColor(COLOR_WINDOW));
}

TEST_F(OwnerDrawTest, WithoutFullRowSelectionOnlyABoxAroundTheLabelIsHighlighted)
{
    Select(0);
    CWnd::FocusChanged(&w.list);
    const RECT label = Label(0);
    const int y = (label.top + label.bottom) / 2;
    auto ops = Paint();
    const int w5 = 5 * kCw; // "alpha"
    EXPECT_EQ(FillAt(ops, label.left + w5 + 7, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, label.left + w5 + 8, y), GetSysColor(COLOR_WINDOW)); // box: text width + 8
    EXPECT_EQ(FillAt(ops, 150, y), GetSysColor(COLOR_WINDOW));
    // Centred: text width + 12, in the middle of the label.
    LVCOLUMNA column;
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_CENTER;
    w.list.SetFirstColumnFormat(LVCFMT_CENTER);
    ops = Paint();
    const int left = label.left + (label.right - label.left - w5 - 12) / 2;
    EXPECT_EQ(FillAt(ops, left, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, left + w5 + 11, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, left + w5 + 12, y), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(FillAt(ops, left - 1, y), GetSysColor(COLOR_WINDOW));
}

TEST_F(OwnerDrawTest, ALabelWiderThanItsCellGetsTheWholeLabelAndAnEllipsis)
{
    w.ctrl.SetItemText(0, 0, "a label much wider than its own column is");
    Select(0);
    CWnd::FocusChanged(&w.list);
    const RECT label = Label(0);
    const auto ops = Paint();
    const int y = (label.top + label.bottom) / 2;
    EXPECT_EQ(FillAt(ops, label.right - 1, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(FillAt(ops, label.right + 1, y), GetSysColor(COLOR_WINDOW));
    const DrawOp* text = Text(ops, "a label much wider than its own column is");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->format & DT_END_ELLIPSIS);
    EXPECT_EQ(text->rc.right, label.right - 2);
}

TEST_F(OwnerDrawTest, WithTheLabelKeptLeftTheIconsGoToTheFirstShownColumn)
{
    w.list.KeepLabelLeft(true);
    int order[3] = {2, 1, 0}; // column 0 third
    w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    const auto ops = Paint();
    const DrawOp* icon = nullptr;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Kind::Image && op.images == &small)
            icon = &op;
    ASSERT_NE(icon, nullptr);
    EXPECT_LT(icon->rc.left, 80); // inside column 2, now first (0..80)
    const DrawOp* a2 = Text(ops, "a2");
    ASSERT_NE(a2, nullptr);
    EXPECT_GE(a2->rc.left, icon->rc.right); // column 2's own text after the icon
    const DrawOp* alpha = Text(ops, "alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->rc.left, 180 + 6); // column 0 shows its text as any cell: 80 + 100 + 6
}

TEST_F(OwnerDrawTest, SmallIconsAreDrawnExceptImageZero)
{
    const auto ops = Paint();
    std::vector<int> drawn;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Kind::Image && op.images == &small)
            drawn.push_back(op.image);
    EXPECT_EQ(drawn, std::vector<int>({1})); // row 0 has image 1, row 1 image 0
}

TEST_F(OwnerDrawTest, CheckBoxesToggleOnTheirPictureAndWithTheSpaceBarButNotSelect)
{
    w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    RECT state{};
    ASSERT_TRUE(w.list.GetStateIconRect(state, 0));
    const LPARAM at = MAKELPARAM((state.left + state.right) / 2, (state.top + state.bottom) / 2);
    EXPECT_FALSE(w.ctrl.GetCheck(0));
    w.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    w.list.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(w.ctrl.GetCheck(0));
    EXPECT_EQ(w.ctrl.GetItemState(0, LVIS_SELECTED), 0u);
    w.list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_FALSE(w.ctrl.GetCheck(0));
    // The check mark is drawn from the control's state, the one just toggled.
    w.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    const auto ops = Paint();
    bool checkedPicture = false;
    for (const DrawOp& op : ops)
        checkedPicture = checkedPicture || (op.kind == DrawOp::Kind::Image && op.images != &small && op.image == 1);
    EXPECT_TRUE(checkedPicture);
    // The keyboard: space on the focused row.
    Select(1);
    CWnd::FocusChanged(&w.list);
    w.list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(w.ctrl.GetCheck(1));
}

TEST(OwnerDrawHitTest, LeftOfTheStatePictureIsNowhereAndBeyondItTheItem)
{
    EngineWindow w{LVS_REPORT | LVS_OWNERDRAWFIXED, 0};
    CImageList states;
    states.Create(12, 12, ILC_COLOR32, 0, 1);
    ImageData picture;
    picture.width = picture.height = 12;
    picture.argb.assign(144, 0xFF000000u);
    states.Add(picture);
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(&states));
    w.AddColumns({120, 100});
    w.AddRow("alpha", {"a1"});
    RECT row{};
    w.ctrl.GetItemRect(0, &row, LVIR_BOUNDS);
    const int y = (row.top + row.bottom) / 2;
    const auto hit = [&w, y](int x) {
        LVHITTESTINFO info;
        info.pt = POINT{x, y};
        const int item = static_cast<int>(w.list.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        return std::make_pair(item, info.flags);
    };
    // The state slot starts 2 pixels in, as the platform lays it out (a 16-pixel
    // list puts the icon at 18): the picture's inset is the slot less the picture.
    RECT state{};
    ASSERT_TRUE(w.list.GetStateIconRect(state, 0));
    EXPECT_EQ(state.left, 2);
    EXPECT_EQ(hit(0), std::make_pair(0, static_cast<UINT>(LVHT_NOWHERE)));
    EXPECT_EQ(hit(1), std::make_pair(0, static_cast<UINT>(LVHT_NOWHERE)));
    EXPECT_EQ(hit(2), std::make_pair(0, static_cast<UINT>(LVHT_ONITEMSTATEICON)));
    RECT label{};
    ASSERT_TRUE(w.list.GetSubItemRectEx(0, 0, LVIR_LABEL, label));
    EXPECT_EQ(hit(label.left + 3), std::make_pair(0, static_cast<UINT>(LVHT_ONITEMLABEL)));
    // Outside the pictures and the label but in the row: the item.
    EXPECT_EQ(hit(200), std::make_pair(0, static_cast<UINT>(LVHT_ONITEM)));
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_STATE, 0);
}

TEST_F(OwnerDrawTest, WithTwoClickActivationOnlyASelectedItemUnderTheMouseIsHot)
{
    w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_TWOCLICKACTIVATE, LVS_EX_TWOCLICKACTIVATE);
    const RECT label = Label(0);
    const LPARAM over = MAKELPARAM(label.left + 5, (label.top + label.bottom) / 2);
    w.list.SendMessage(WM_MOUSEMOVE, 0, over);
    ASSERT_FALSE(host.cursors.empty());
    EXPECT_EQ(host.cursors.back(), CursorShape::Arrow);
    Select(0);
    host.invalidated.clear();
    w.list.SendMessage(WM_MOUSEMOVE, 0, over);
    EXPECT_EQ(host.cursors.back(), CursorShape::Hand);
    EXPECT_FALSE(host.invalidated.empty()); // the new hot item is repainted
    // A selected item's label is underlined, hot or not.
    RecordingDC dc;
    w.list.Paint(&dc);
    EXPECT_NE(dc.FindText("alpha"), nullptr);
    EXPECT_EQ(dc.FindText("alpha")->colour, GetSysColor(COLOR_HOTLIGHT));
}

// The hooks a class built on the engine overrides see the item as the
// application has it: its own lParam, never the engine's record.
class HookedList : public EngineTestList {
public:
    void DrawSmallIcon(CDC*, LVITEMA* pItem, RECT*) override { seen.push_back(pItem->lParam); }
    void DrawStateIcon(CDC*, LVITEMA* pItem, RECT*) override { seen.push_back(pItem->lParam); }
    void DrawSubItemText(CDC*, LVITEMA* pItem, LVCOLUMNA*, RECT*) override { seen.push_back(pItem->lParam); }
    std::vector<LPARAM> seen;
};

TEST(OwnerDrawHooks, EveryHookGetsTheApplicationsParam)
{
    BasicEngineWindow<HookedList> w{LVS_REPORT | LVS_OWNERDRAWFIXED, LVS_EX_CHECKBOXES};
    w.AddColumns({120, 100, 80});
    w.AddRow("alpha", {"a1", "a2"}, 41);
    RecordingDC dc;
    w.list.Paint(&dc);
    EXPECT_EQ(w.list.seen, std::vector<LPARAM>(5, 41)); // two icons, three texts
}

// A click makes the item under it hot at once, as a mouse move does: the
// hand cursor, and the selected hot row's label box in the hot colour.
TEST_F(OwnerDrawTest, AClickMakesTheItemUnderItHot)
{
    w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_ONECLICKACTIVATE, LVS_EX_ONECLICKACTIVATE);
    const RECT label = Label(1);
    const LPARAM at = MAKELPARAM(label.left + 5, label.top + 2);
    host.cursors.clear();
    w.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    w.list.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(host.cursors, std::vector<CursorShape>(2, CursorShape::Hand));
    EXPECT_EQ(FillAt(Paint(), label.left + 3, label.top + 2), GetSysColor(COLOR_HOTLIGHT));
}

TEST_F(OwnerDrawTest, TheHitTestTellsTheIconFromTheLabel)
{
    RECT icon{};
    ASSERT_TRUE(w.list.GetSubItemRectEx(1, 0, LVIR_ICON, icon));
    for (const auto& [rc, flags] : {std::pair{icon, LVHT_ONITEMICON}, {Label(1), LVHT_ONITEMLABEL}}) {
        LVHITTESTINFO info;
        info.pt = POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        EXPECT_EQ(w.list.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 1);
        EXPECT_EQ(info.flags, static_cast<UINT>(flags));
    }
}

// Keeping the label in the leftmost column is the engine's own layout: only an
// owner-drawn list takes it, any other keeps the control's label.
TEST(OwnerDrawLabelLeft, OnlyAnOwnerDrawnListKeepsTheLabelLeft)
{
    for (const DWORD ownerDrawn : {DWORD{LVS_OWNERDRAWFIXED}, DWORD{0}}) {
        EngineWindow w{LVS_REPORT | ownerDrawn, 0};
        w.AddColumns({120, 100, 80});
        w.AddRow("alpha", {"a1", "a2"});
        w.list.KeepLabelLeft(true);
        int order[3] = {2, 1, 0};
        w.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
        RECT control{};
        w.ctrl.GetItemRect(0, &control, LVIR_LABEL);
        RECT label{};
        ASSERT_TRUE(w.list.GetSubItemRectEx(0, 0, LVIR_LABEL, label));
        EXPECT_EQ(label.left == control.left, ownerDrawn == 0); // moved into column 2, shown first
    }
}

} // namespace
