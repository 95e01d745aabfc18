// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Message maps and the command route: handlers found up the class chain,
// update handlers, reflection of notifications to the child that sent them.
#include <gtest/gtest.h>

#include <vector>

#include "framework/commctrl.h"
#include "framework/wnd.h"

namespace {

class BaseWnd : public CWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{
            CWnd::GetThisMessageMap(),
            {msgmap::Command(100, &BaseWnd::OnBase), msgmap::Message(WM_TIMER, &BaseWnd::OnTimer)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnBase() { log.push_back("base100"); }
    LRESULT OnTimer(WPARAM id, LPARAM)
    {
        log.push_back("timer" + std::to_string(id));
        return 0;
    }
    std::vector<std::string> log;
};

class DerivedWnd : public BaseWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{BaseWnd::GetThisMessageMap(),
                                    {msgmap::Command(100, &DerivedWnd::OnDerived),
                                     msgmap::Command(200, &DerivedWnd::OnDisabled),
                                     msgmap::UpdateUI(200, &DerivedWnd::OnUpdateDisabled)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnDerived() { log.push_back("derived100"); }
    void OnDisabled() { log.push_back("ran200"); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
};

class ReflectingChild : public CWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{CWnd::GetThisMessageMap(),
                                    {msgmap::NotifyReflect(NM_RCLICK, &ReflectingChild::OnRClick),
                                     msgmap::NotifyReflectEx(NM_CLICK, &ReflectingChild::OnClick)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnRClick(NMHDR*, LRESULT* r)
    {
        ++rclicks;
        *r = 7;
    }
    BOOL OnClick(NMHDR*, LRESULT*)
    {
        ++clicks;
        return FALSE;
    }
    int rclicks = 0;
    int clicks = 0;
};

class NotifiedParent : public CWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{CWnd::GetThisMessageMap(),
                                    {msgmap::Notify(NM_CLICK, 5, &NotifiedParent::OnChildClick)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnChildClick(NMHDR*, LRESULT* r)
    {
        ++clicks;
        *r = 3;
    }
    int clicks = 0;
};

} // namespace

TEST(CommandRoutingTest, MostDerivedHandlerWinsAndMessagesFindBaseHandlers)
{
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "", 0, RECT{0, 0, 10, 10}, nullptr, 0));
    w.SendMessage(WM_COMMAND, 100, 0);
    w.SendMessage(WM_TIMER, 2, 0);
    EXPECT_EQ(w.log, (std::vector<std::string>{"derived100", "timer2"}));
}

TEST(CommandRoutingTest, DisabledCommandIsNotCarriedOutAndUnhandledOnesAreDisabled)
{
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "", 0, RECT{0, 0, 10, 10}, nullptr, 0));
    w.SendMessage(WM_COMMAND, 200, 0);
    EXPECT_TRUE(w.log.empty());
    CCmdUI ui;
    ui.m_nID = 300;
    ui.DoUpdate(&w, TRUE);
    EXPECT_FALSE(ui.enabled);
    ui.m_nID = 100;
    ui.DoUpdate(&w, TRUE);
    EXPECT_TRUE(ui.enabled);
    EXPECT_TRUE(w.log.empty()) << "asking for the state must not run the command";
}

TEST(CommandRoutingTest, NotificationsGoToTheChildFirstThenToTheParent)
{
    NotifiedParent parent;
    ASSERT_TRUE(parent.CreateEx(0, "", 0, RECT{0, 0, 100, 100}, nullptr, 0));
    ReflectingChild child;
    ASSERT_TRUE(child.CreateEx(0, "", WS_CHILD, RECT{0, 0, 10, 10}, &parent, 5));

    NMHDR hdr{&child, 5, NM_RCLICK};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&hdr)), 7);
    EXPECT_EQ(child.rclicks, 1);

    // A reflection that answers FALSE lets the parent see the notification too.
    hdr.code = NM_CLICK;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&hdr)), 3);
    EXPECT_EQ(child.clicks, 1);
    EXPECT_EQ(parent.clicks, 1);
}
