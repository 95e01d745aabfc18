// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The header's custom draw and owner draw, as its parent sees them while the
// header paints: which NM_CUSTOMDRAW stages come for each answer, with which
// item, lParam and rectangle, and WM_DRAWITEM for owner-drawn items.
#include <gtest/gtest.h>

#include <vector>

#include "controls/common_controls.h"
#include "framework/commctrl.h"
#include "support/message_recorder.h"
#include "support/recording_dc.h"

namespace {

template <class T> LPARAM Arg(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

constexpr int kWidth = 670;
constexpr int kHeight = 22;

struct HeaderDrawTest : ::testing::Test {
    MessageRecorder parent;
    CWnd header;
    void SetUp() override
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 700, 300}, nullptr, 0);
        header.CreateEx(0, "SysHeader32", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, RECT{0, 0, kWidth, kHeight}, &parent, 7);
        parent.headers.insert(&header);
        static char name[] = "Test";
        for (int i = 0; i < 3; ++i) {
            HDITEMA item;
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.cxy = 50 * (i + 1);
            item.pszText = name;
            item.lParam = i * 5;
            header.SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(i), Arg(&item));
        }
        parent.Clear();
    }
    RecordingDC Paint()
    {
        parent.Clear();
        RecordingDC dc;
        header.Paint(&dc);
        return dc;
    }
    static ExpectedMessage Stage(DWORD stage, int item = -1, LPARAM lParam = 0)
    {
        ExpectedMessage e;
        e.code = NM_CUSTOMDRAW;
        e.flags = kCheckStage | kCheckParam;
        e.stage = stage;
        e.lParam = lParam;
        if (item >= 0) {
            e.flags |= kCheckItem;
            e.item = item;
        }
        return e;
    }
    std::vector<RECT> Rects()
    {
        std::vector<RECT> out;
        for (const RecordedMessage& m : parent.Messages())
            out.push_back(m.rc);
        return out;
    }
};

TEST_F(HeaderDrawTest, TheAnswerToPrepaintDecidesWhichStagesFollow)
{
    const RECT all{0, 0, kWidth, kHeight};
    const RECT items[3] = {{0, 0, 50, kHeight}, {50, 0, 150, kHeight}, {150, 0, 300, kHeight}};
    struct Case {
        const char* what;
        LRESULT prepaint;
        std::vector<ExpectedMessage> expected;
        std::vector<RECT> rects;
    };
    const std::vector<Case> cases = {
        {"default", CDRF_DODEFAULT, {Stage(CDDS_PREPAINT)}, {all}},
        {"item notifications",
         CDRF_NOTIFYITEMDRAW,
         {Stage(CDDS_PREPAINT), Stage(CDDS_ITEMPREPAINT, 0, 0), Stage(CDDS_ITEMPREPAINT, 1, 5),
          Stage(CDDS_ITEMPREPAINT, 2, 10)},
         {all, items[0], items[1], items[2]}},
        {"items and post-paint, default drawing skipped",
         CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTERASE | CDRF_NOTIFYPOSTPAINT | CDRF_SKIPDEFAULT,
         {Stage(CDDS_PREPAINT), Stage(CDDS_ITEMPREPAINT, 0, 0), Stage(CDDS_ITEMPREPAINT, 1, 5),
          Stage(CDDS_ITEMPREPAINT, 2, 10), Stage(CDDS_POSTPAINT)},
         {all, items[0], items[1], items[2], all}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        parent.AnswerStage(CDDS_PREPAINT, c.prepaint);
        Paint();
        EXPECT_TRUE(MatchesSequence(parent.Messages(), c.expected));
        EXPECT_EQ(Rects(), c.rects);
        for (const RecordedMessage& m : parent.Messages())
            EXPECT_EQ(m.from, &header);
    }
}

TEST_F(HeaderDrawTest, ItemAnswersSkipTheSectionOrAskForItsPostPaint)
{
    parent.AnswerStage(CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW);
    parent.onNotify = [](NMHDR* hdr, LRESULT* result) {
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(hdr);
        if (hdr->code != NM_CUSTOMDRAW || cd->dwDrawStage != CDDS_ITEMPREPAINT)
            return false;
        *result = cd->dwItemSpec == 1 ? CDRF_SKIPDEFAULT : (cd->dwItemSpec == 2 ? CDRF_NOTIFYPOSTPAINT : 0);
        return true;
    };
    RecordingDC dc = Paint();
    EXPECT_TRUE(MatchesSequence(parent.Messages(),
                                {Stage(CDDS_PREPAINT), Stage(CDDS_ITEMPREPAINT, 0, 0), Stage(CDDS_ITEMPREPAINT, 1, 5),
                                 Stage(CDDS_ITEMPREPAINT, 2, 10), Stage(CDDS_ITEMPOSTPAINT, 2, 10)}));
    std::vector<RECT> drawn;
    for (const DrawOp& op : dc.Of(DrawOp::Kind::HeaderSection))
        if (!op.section.text.empty())
            drawn.push_back(op.rc);
    EXPECT_EQ(drawn, (std::vector<RECT>{{0, 0, 50, kHeight}, {150, 0, 300, kHeight}}));
}

TEST_F(HeaderDrawTest, AnOwnerDrawnItemIsDrawnByItsParentInsteadOfCustomDraw)
{
    HDITEMA item;
    item.mask = HDI_FORMAT;
    item.fmt = HDF_OWNERDRAW;
    ASSERT_TRUE(header.SendMessage(HDM_SETITEMA, 1, Arg(&item)));
    RECT rc{};
    ASSERT_TRUE(header.SendMessage(HDM_GETITEMRECT, 1, Arg(&rc)));
    parent.AnswerStage(CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT);
    RecordingDC dc = Paint();
    ExpectedMessage draw;
    draw.message = WM_DRAWITEM;
    draw.flags = kCheckItem | kCheckChanged | kCheckFrom | kCheckWParam;
    draw.item = 1;
    draw.changed = ODT_HEADER;
    draw.from = &header;
    draw.wParam = 7;
    EXPECT_TRUE(MatchesSequence(parent.Messages(), {Stage(CDDS_PREPAINT), Stage(CDDS_ITEMPREPAINT, 0, 0), draw,
                                                    Stage(CDDS_ITEMPREPAINT, 2, 10), Stage(CDDS_POSTPAINT)}));
    const RecordedMessage& drawn = parent.Messages().at(2);
    EXPECT_EQ(drawn.rc, rc);
    EXPECT_EQ(drawn.itemState, 0u);
}

} // namespace
