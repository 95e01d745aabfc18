// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The extended style kept by the engine, the image lists and the background.
#include <gtest/gtest.h>

#include "support/control_spy.h"
#include "support/engine_window.h"

namespace {

TEST(EngineStylesTest, ExtendedStyleMaskZeroReplacesAllAndAMaskChangesOnlyItsBits)
{
    EngineWindow w;
    EXPECT_EQ(w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), 0);
    EXPECT_EQ(w.list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE),
              static_cast<LRESULT>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, 0);
    EXPECT_EQ(w.list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE), static_cast<LRESULT>(LVS_EX_FULLROWSELECT));
    // The control got the same.
    EXPECT_EQ(w.list.DefWindowProc(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), static_cast<LRESULT>(LVS_EX_FULLROWSELECT));
}

TEST(EngineStylesTest, AnOwnerDrawnListKeepsActivationStylesFromTheControl)
{
    EngineWindow w(LVS_REPORT | LVS_OWNERDRAWFIXED);
    const LRESULT previous =
        w.list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_ONECLICKACTIVATE | LVS_EX_GRIDLINES);
    EXPECT_EQ(previous, 0);
    EXPECT_EQ(w.list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE),
              static_cast<LRESULT>(LVS_EX_ONECLICKACTIVATE | LVS_EX_GRIDLINES));
    EXPECT_EQ(w.list.DefWindowProc(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), static_cast<LRESULT>(LVS_EX_GRIDLINES));
}

TEST(EngineStylesTest, TheSmallImageListGivesTheHeaderTheArrowsListAgain)
{
    ControlSpy spy;
    EngineWindow w;
    w.AddColumns({100});
    CImageList images;
    images.Create(16, 16, ILC_COLOR32, 0, 1);
    spy.Clear();
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(&images));
    const auto headerGotList = [&spy] {
        for (const RecordedMessage& m : spy.Of(SpyWindow::Header))
            if (m.message == HDM_SETIMAGELIST)
                return true;
        return false;
    };
    EXPECT_FALSE(headerGotList());
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(&images));
    EXPECT_TRUE(headerGotList());
    w.list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

TEST(EngineStylesTest, ABackgroundTheControlRefusesIsRefused)
{
    EngineWindow w;
    EXPECT_EQ(w.list.SendMessage(LVM_SETBKCOLOR, 0, RGB(200, 100, 50)), 1);
    EXPECT_EQ(w.list.SendMessage(LVM_GETBKCOLOR), static_cast<LRESULT>(RGB(200, 100, 50)));
    w.list.refuse[LVM_SETBKCOLOR] = 0;
    EXPECT_EQ(w.list.SendMessage(LVM_SETBKCOLOR, 0, RGB(1, 2, 3)), 0);
}

} // namespace
