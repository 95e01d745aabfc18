// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Default processing against passing a message straight to the control: a
// window that handles a message may hand it on unchanged (Default) or call the
// control itself with other arguments (DefWindowProc), as the list engine does
// when it turns logical column numbers into the control's own. The control spy
// must tell the two apart.
#include <gtest/gtest.h>

#include "framework/commctrl.h"
#include "support/control_spy.h"
#include "support/message_recorder.h"

namespace {

// Answers column widths one column further right when asked to translate.
class TranslatingList : public CWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{CWnd::GetThisMessageMap(),
                                    {msgmap::Message(LVM_GETCOLUMNWIDTH, &TranslatingList::OnGetColumnWidth)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    LRESULT OnGetColumnWidth(WPARAM wParam, LPARAM lParam)
    {
        return translate ? DefWindowProc(LVM_GETCOLUMNWIDTH, wParam + 1, lParam) : Default();
    }
    bool translate = false;
};

ExpectedMessage ToList(UINT message, WPARAM wParam, bool direct)
{
    ExpectedMessage e;
    e.window = SpyWindow::ListView;
    e.message = message;
    e.wParam = wParam;
    e.direct = direct;
    e.flags = kCheckWParam | kCheckDirect;
    return e;
}

struct ControlRouteTest : ::testing::Test {
    void SetUp() override
    {
        parent.CreateEx(0, "", 0, RECT{0, 0, 400, 300}, nullptr, 0);
        ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEWA, WS_CHILD | LVS_REPORT, RECT{0, 0, 400, 300}, &parent, 1));
        for (int width : {100, 80}) {
            LVCOLUMNA column;
            column.mask = LVCF_WIDTH;
            column.cx = width;
            list.SendMessage(LVM_INSERTCOLUMNA, 9, reinterpret_cast<LPARAM>(&column));
        }
        spy.Clear();
    }
    void TearDown() override { list.DestroyWindow(); }
    ControlSpy spy;
    MessageRecorder parent;
    TranslatingList list;
};

TEST_F(ControlRouteTest, DefaultProcessingComesThroughTheWindowAndADirectCallIsMarked)
{
    EXPECT_EQ(list.SendMessage(LVM_GETCOLUMNWIDTH, 0), 100);
    list.translate = true;
    EXPECT_EQ(list.SendMessage(LVM_GETCOLUMNWIDTH, 0), 80);
    // A message the window does not handle goes to the control by default.
    EXPECT_EQ(list.SendMessage(LVM_GETITEMCOUNT), 0);
    EXPECT_TRUE(MatchesSequence(spy.Of(SpyWindow::ListView),
                                {ToList(LVM_GETCOLUMNWIDTH, 0, false), ToList(LVM_GETCOLUMNWIDTH, 1, true),
                                 ToList(LVM_GETITEMCOUNT, 0, false)}));
}

TEST_F(ControlRouteTest, WhatTheControlSendsItselfWhileHandlingADirectCallIsNotDirect)
{
    list.translate = true;
    // The control asks its header for the width: the header's message comes
    // through the header window, whatever way the list's own message came.
    list.SendMessage(LVM_GETCOLUMNWIDTH, 0);
    const std::vector<RecordedMessage> header = spy.Of(SpyWindow::Header);
    for (const RecordedMessage& m : header)
        EXPECT_FALSE(m.direct) << DescribeMessage(m);
    ASSERT_FALSE(spy.Of(SpyWindow::ListView).empty());
    EXPECT_TRUE(spy.Of(SpyWindow::ListView).front().direct);
}

} // namespace
