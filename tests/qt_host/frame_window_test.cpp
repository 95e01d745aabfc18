// The frame on screen: tool bar tips and prompts, the message pane, the panes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QStatusTipEvent>

#include "app/main_frame.h"
#include "qt_host/frame_window.h"
#include "res/install_resources.h"
#include "res/resource_ids.h"

namespace {

class FrameWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res::InstallResources();
        InstallFrameHostFactory(&factory);
        CCreateContext context;
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &context));
        host = dynamic_cast<FrameWindow*>(frame.Host());
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override
    {
        frame.OnClose();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        InstallFrameHostFactory(nullptr);
    }

    FrameWindowFactory factory;
    CMainFrame frame;
    FrameWindow* host = nullptr;
};

} // namespace

TEST_F(FrameWindowTest, ToolBarButtonShowsItsTipAndPromptsInTheMessagePane)
{
    QAction* modifyIp = host->ActionFor(ID_MODIFY_IP);
    ASSERT_NE(modifyIp, nullptr);
    EXPECT_EQ(modifyIp->toolTip(), QStringLiteral("Modify IP"));
    EXPECT_EQ(modifyIp->statusTip(), QStringLiteral("Modify IP which selects device。"));
    ASSERT_NE(host->Pane(0), nullptr);
    EXPECT_EQ(host->Pane(0)->text(), QStringLiteral("Ready"));

    QStatusTipEvent hover(modifyIp->statusTip());
    QApplication::sendEvent(host, &hover);
    EXPECT_EQ(host->Pane(0)->text(), QStringLiteral("Modify IP which selects device。"));
    EXPECT_EQ(frame.GetMessageBar()->GetPaneText(0), "Modify IP which selects device。");
    QStatusTipEvent leave(QString{});
    QApplication::sendEvent(host, &leave);
    EXPECT_EQ(host->Pane(0)->text(), QStringLiteral("Ready"));
}

TEST_F(FrameWindowTest, PanesAndButtonsFollowTheFrame)
{
    // Nine entries: seven buttons and two separators, in the resource's order.
    EXPECT_EQ(host->ToolBar()->actions().size(), 9);
    EXPECT_EQ(host->ToolBar()->iconSize(), QSize(32, 32));
    EXPECT_EQ(host->Pane(4)->text(), QStringLiteral("EXT"));
    EXPECT_GE(host->Pane(4)->minimumWidth(), 100);
    frame.GetMessageBar()->SetPaneText(4, "Online : 3");
    EXPECT_EQ(host->Pane(4)->text(), QStringLiteral("Online : 3"));
    // Without a handler anywhere, the device commands are disabled.
    host->IdleUpdate();
    EXPECT_FALSE(host->ActionFor(ID_SOFT_RESET)->isEnabled());
}
