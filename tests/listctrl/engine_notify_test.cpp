// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Notifications on their way from the control to the application: the
// application's lParam instead of the engine's record, display-information
// requests the engine cannot answer forwarded with logical numbers, header
// drags mirrored in the logical order.
#include <gtest/gtest.h>

#include "listctrl/item_notifications.h"
#include "support/engine_window.h"
#include "support/recording_dc.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

struct EngineNotifyTest : ::testing::Test {
    EngineWindow w{LVS_REPORT, LVS_EX_HEADERDRAGDROP};
    void SetUp() override { w.AddColumns({100, 80, 60, 50, 40}); }
};

TEST_F(EngineNotifyTest, ItemNotificationsCarryTheApplicationsParam)
{
    w.parent.Clear();
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.pszText = const_cast<char*>("a");
    item.lParam = 4711;
    ASSERT_EQ(w.list.SendMessage(LVM_INSERTITEMA, 0, Arg(&item)), 0);
    w.ctrl.SetItemState(0, 0, LVIS_SELECTED);
    const UINT codes[] = {LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_INSERTITEM};
    for (UINT code : codes) {
        const std::vector<RecordedMessage> seen = w.parent.OfCode(code);
        ASSERT_FALSE(seen.empty()) << DescribeCode(WM_NOTIFY, code);
        for (const RecordedMessage& m : seen)
            EXPECT_EQ(m.lParam, 4711) << DescribeCode(WM_NOTIFY, code);
    }
    w.list.SendMessage(LVM_DELETEITEM, 0);
    ASSERT_EQ(w.parent.OfCode(LVN_DELETEITEM).size(), 1u);
    EXPECT_EQ(w.parent.OfCode(LVN_DELETEITEM)[0].lParam, 4711);
}

// Every notification of the table, sent with the engine's record where its
// record keeps the item's lParam, reaches the parent with the application's.
TEST_F(EngineNotifyTest, EveryItemNotificationOfTheTableReachesTheParentWithTheApplicationsParam)
{
    w.AddRow("a", {}, 4711);
    const auto record = reinterpret_cast<LPARAM>(w.list.GetItemData(0));
    LPARAM* field = nullptr;
    LPARAM seen = 0;
    w.parent.onNotify = [&](NMHDR*, LRESULT*) { return seen = *field, false; };
    for (const listctrl::ItemNotification& entry : listctrl::kItemNotifications) {
        NMLISTVIEW list{};
        NMITEMACTIVATE activate{};
        NMLVGETINFOTIPA tip{};
        NMLVDISPINFOA info{};
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        // In the order of ItemCarrier: where each record keeps its header and the lParam.
        const std::pair<NMHDR*, LPARAM*> carriers[] = {{&list.hdr, &list.lParam},
                                                       {&activate.hdr, &activate.lParam},
                                                       {&tip.hdr, &tip.lParam},
                                                       {&draw.nmcd.hdr, &draw.nmcd.lItemlParam},
                                                       {&info.hdr, &info.item.lParam}};
        const auto [hdr, lParam] = carriers[static_cast<int>(entry.carrier)];
        *hdr = NMHDR{&w.list, EngineWindow::kId, entry.code};
        *(field = lParam) = record;
        w.parent.SendMessage(WM_NOTIFY, EngineWindow::kId, reinterpret_cast<LPARAM>(hdr));
        // The engine handles custom draw itself: it sees what the application would.
        const bool engines = entry.carrier == listctrl::ItemCarrier::CustomDraw;
        EXPECT_EQ(engines ? w.list.customDraw.back().lParam : seen, 4711) << DescribeCode(WM_NOTIFY, entry.code);
    }
    w.parent.onNotify = nullptr;
}

// The clicks and the activation, made with the mouse.
TEST(EngineClickNotifyTest, ClicksAndActivationCarryTheApplicationsParam)
{
    EngineWindow w{LVS_REPORT, LVS_EX_ONECLICKACTIVATE};
    w.AddColumns({100, 80});
    w.AddRow("a", {"a1"}, 4711);
    RECT label{};
    w.ctrl.GetItemRect(0, &label, LVIR_LABEL);
    const LPARAM at = MAKELPARAM(label.left + 3, (label.top + label.bottom) / 2);
    for (UINT message :
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK})
        w.list.SendMessage(message, 0, at);
    for (UINT code : {NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_RDBLCLK, LVN_ITEMACTIVATE}) {
        const std::vector<RecordedMessage> seen = w.parent.OfCode(code);
        ASSERT_FALSE(seen.empty()) << DescribeCode(WM_NOTIFY, code);
        EXPECT_EQ(seen.back().lParam, 4711) << DescribeCode(WM_NOTIFY, code);
    }
    CWnd::FocusChanged(nullptr);
}

TEST_F(EngineNotifyTest, CustomDrawItemStagesCarryTheApplicationsParam)
{
    w.AddRow("a", {"a1"}, 31);
    w.AddRow("b", {"b1"}, 32);
    RecordingDC dc;
    w.list.Paint(&dc);
    int itemStages = 0;
    for (const auto& seen : w.list.customDraw) {
        if (!(seen.stage & CDDS_ITEM))
            continue;
        ++itemStages;
        EXPECT_EQ(seen.lParam, 31 + seen.item) << "stage " << std::hex << seen.stage << " item " << seen.item;
    }
    EXPECT_GE(itemStages, 4); // item and sub-item stages of both rows
}

TEST_F(EngineNotifyTest, TextTheEngineDoesNotHoldIsAskedOfTheParentWithLogicalNumbers)
{
    w.list.ShowColumn(1, false);
    w.AddRow("a", {}, 77);
    LVITEMA set;
    set.iSubItem = 2;
    set.pszText = LPSTR_TEXTCALLBACKA; // the application answers this cell itself
    ASSERT_TRUE(w.list.SendMessage(LVM_SETITEMTEXTA, 0, Arg(&set)));
    w.parent.Clear();
    w.parent.onNotify = [](NMHDR* hdr, LRESULT*) {
        if (hdr->code == LVN_GETDISPINFOA) {
            auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
            if (di->item.iSubItem == 2 && di->item.lParam == 77)
                std::snprintf(di->item.pszText, static_cast<std::size_t>(di->item.cchTextMax), "asked");
        }
        return false;
    };
    EXPECT_EQ(w.ControlText(0, 1), "asked"); // physical 1 is logical 2
    const std::vector<RecordedMessage> asked = w.parent.OfCode(LVN_GETDISPINFOA);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].subItem, 2);
    EXPECT_EQ(asked[0].lParam, 77);
    // The control's lParam is still the engine's record.
    EXPECT_EQ(w.ctrl.GetItemData(0), 77u);
    EXPECT_EQ(w.list.CheckInvariants(), "");
}

TEST_F(EngineNotifyTest, AHeaderDragMovesTheLogicalOrderHiddenColumnsIncluded)
{
    w.list.ShowColumn(2, false);
    // Drag logical column 4 (physical 3) to the first place.
    NMHEADERA nm{};
    HDITEMA item;
    item.mask = HDI_ORDER;
    item.iOrder = 0;
    nm.hdr = NMHDR{w.Header(), 0, HDN_ENDDRAG};
    nm.iItem = 3;
    nm.pitem = &item;
    w.list.SendMessage(WM_NOTIFY, 0, Arg(&nm));
    const auto& columns = w.list.Columns();
    EXPECT_EQ(columns[4]->m_nOrder, 0);
    EXPECT_EQ(columns[0]->m_nOrder, 1);
    EXPECT_EQ(columns[2]->m_nOrder, 3); // the hidden one moved one place later too
    // A drag the parent refuses, or a cancelled one, changes nothing.
    w.parent.Answer(HDN_ENDDRAG, TRUE);
    nm.iItem = 1;
    item.iOrder = 3;
    w.list.SendMessage(WM_NOTIFY, 0, Arg(&nm));
    EXPECT_EQ(columns[1]->m_nOrder, 2);
    w.parent.Answer(HDN_ENDDRAG, FALSE);
    item.iOrder = -1;
    w.list.SendMessage(WM_NOTIFY, 0, Arg(&nm));
    EXPECT_EQ(columns[1]->m_nOrder, 2);
}

} // namespace
