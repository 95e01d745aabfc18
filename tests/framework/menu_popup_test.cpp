// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A pop-up menu about to open: each command item takes its state from the
// update handlers along the frame's route, and a handler may add items of its
// own after its item, which then stand as it made them.
#include <gtest/gtest.h>

#include "framework/frame_wnd.h"
#include "framework/menu.h"

namespace {

constexpr UINT kList = 500;     // a placeholder that becomes a list
constexpr UINT kChecked = 501;  // checked by its handler
constexpr UINT kDisabled = 502; // disabled by its handler
constexpr UINT kNoHandler = 503;
constexpr UINT kPlain = 504; // handled, no update handler

class ListFrame : public CFrameWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{
            CFrameWnd::GetThisMessageMap(),
            {msgmap::UpdateUI(kList, &ListFrame::OnUpdateList), msgmap::UpdateUI(kChecked, &ListFrame::OnUpdateChecked),
             msgmap::UpdateUI(kDisabled, &ListFrame::OnUpdateDisabled), msgmap::Command(kList, &ListFrame::OnNothing),
             msgmap::Command(kChecked, &ListFrame::OnNothing), msgmap::Command(kPlain, &ListFrame::OnNothing)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnNothing() {}
    void OnUpdateList(CCmdUI* ui)
    {
        ++listUpdates;
        ui->SetCheck(0);
        if (ui->m_pMenuItems == nullptr)
            return;
        std::vector<MenuItemDef> added;
        for (const char* text : texts) {
            MenuItemDef item;
            item.text = text;
            item.id = 600 + static_cast<UINT>(added.size());
            item.fixedState = true;
            item.state = added.empty() ? MF_CHECKED : MF_GRAYED;
            added.push_back(item);
        }
        ui->m_pMenuItems->insert(ui->m_pMenuItems->begin() + ui->m_nIndex + 1, added.begin(), added.end());
    }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }

    std::vector<const char*> texts = {"one", "two"};
    int listUpdates = 0;
};

MenuItemDef Item(const char* text, UINT id)
{
    MenuItemDef item;
    item.text = text;
    item.id = id;
    return item;
}

} // namespace

TEST(MenuPopup, HandlersFixEachItemsStateAndMayAddItemsAfterTheirOwn)
{
    ListFrame frame;
    MenuItemDef nested;
    nested.text = "More";
    nested.popup = {Item("inside", kDisabled)};
    std::vector<MenuItemDef> items = {Item("List", kList),         MenuItemDef{}, Item("Checked", kChecked),
                                      Item("Disabled", kDisabled), nested,        Item("Orphan", kNoHandler),
                                      Item("Plain", kPlain)};
    frame.OnInitMenuPopup(items);

    ASSERT_EQ(items.size(), 9u);
    const std::vector<std::pair<std::string, UINT>> shown = {
        {"List", MF_UNCHECKED},  {"one", MF_CHECKED},     {"two", MF_GRAYED}, {"", 0},
        {"Checked", MF_CHECKED}, {"Disabled", MF_GRAYED}, {"More", 0},        {"Orphan", MF_GRAYED},
        {"Plain", MF_ENABLED}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].text, shown[i].first) << i;
        EXPECT_EQ(items[i].state, shown[i].second) << items[i].text;
    }
    EXPECT_EQ(frame.listUpdates, 1); // the added items were not asked about
    EXPECT_TRUE(items[3].IsSeparator());
    // A nested pop-up is left for its own opening.
    EXPECT_FALSE(items[6].popup[0].fixedState);
    EXPECT_TRUE(items[1].fixedState && items[2].fixedState && items[4].fixedState);

    // Opening again with the items of this opening does not ask the fixed ones.
    frame.OnInitMenuPopup(items);
    EXPECT_EQ(items.size(), 9u);
    EXPECT_EQ(frame.listUpdates, 1);
}
