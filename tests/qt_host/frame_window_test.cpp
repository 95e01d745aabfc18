// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The frame on screen: tool bar tips and prompts, the message pane, the panes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>

#include "app/main_frame.h"
#include "framework/menu.h"
#include "qt_host/frame_window.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "support/picture_contrast.h"

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
    // Seven buttons and two separators in the resource's order, then the
    // spacer that pushes the filter field to the right, and the field.
    EXPECT_EQ(host->ToolBar()->actions().size(), 11);
    EXPECT_EQ(host->ToolBar()->iconSize(), QSize(32, 32));
    EXPECT_EQ(host->Pane(4)->text(), QStringLiteral("EXT"));
    EXPECT_GE(host->Pane(4)->minimumWidth(), 100);
    frame.GetMessageBar()->SetPaneText(4, "Online : 3");
    EXPECT_EQ(host->Pane(4)->text(), QStringLiteral("Online : 3"));
    // Without a handler anywhere, the device commands are disabled.
    host->IdleUpdate();
    EXPECT_FALSE(host->ActionFor(ID_SOFT_RESET)->isEnabled());
}

namespace {

// The Modify IP picture in the tool bar as it is drawn now: its share of pixels
// that stand out from the given tool bar colour.
double ModifyIpStandingOut(FrameWindow* host, std::uint32_t bar)
{
    const QImage image =
        host->ActionFor(ID_MODIFY_IP)->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> argb;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            argb.push_back(image.pixel(x, y));
    return test_support::ShareStandingOut(argb, bar, 2.0);
}

} // namespace

// A dark palette chosen while the program runs gives the tool bar its light-lined
// pictures; the light palette gives the dark-lined ones back.
TEST_F(FrameWindowTest, ToolBarPicturesFollowThePalette)
{
    const QPalette light = QApplication::palette();
    const std::uint32_t lightBar = host->ToolBar()->palette().color(host->ToolBar()->backgroundRole()).rgb() & 0xFFFFFF;
    EXPECT_GE(ModifyIpStandingOut(host, lightBar), 0.5);

    QPalette dark = light;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(role, QColor(0x35, 0x35, 0x35));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    EXPECT_GE(ModifyIpStandingOut(host, 0x353535), 0.5);

    QApplication::setPalette(light);
    QCoreApplication::processEvents();
    EXPECT_GE(ModifyIpStandingOut(host, lightBar), 0.5);
    EXPECT_LT(ModifyIpStandingOut(host, 0x353535), 0.2);
}

// The frame's place reads back as it was set, and the screens it is fitted
// to are Qt's, the primary first, each work area inside its screen.
TEST_F(FrameWindowTest, PlacementReadsBackAndTheScreensAreQtsOwn)
{
    host->SetPlacement(RECT{40, 30, 940, 630});
    RECT rc{};
    ASSERT_TRUE(frame.GetWindowPlacement(&rc));
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(rc.right - rc.left, 900);
    EXPECT_EQ(rc.bottom - rc.top, 600);

    const std::vector<ScreenArea> screens = frame.GetScreens();
    ASSERT_EQ(screens.size(), static_cast<std::size_t>(QGuiApplication::screens().size()));
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(screens[0].work.right - screens[0].work.left, primary.width());
    for (const ScreenArea& screen : screens)
        EXPECT_TRUE(screen.work.left >= screen.whole.left && screen.work.right <= screen.whole.right &&
                    screen.work.top >= screen.whole.top && screen.work.bottom <= screen.whole.bottom);
}

// Menu items show the key of their command; F5 and Ctrl+C are keys of the frame.
TEST_F(FrameWindowTest, MenusShowTheKeysOfTheirCommandsAndF5IsOne)
{
    QStringList texts;
    for (QAction* top : host->menuBar()->actions())
        if (top->menu())
            for (QAction* item : top->menu()->actions())
                texts << item->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("&Refresh\tF5"))) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Sort Addresses as &Numbers")));
    EXPECT_TRUE(texts.contains(QStringLiteral("&Export List...")));
    QList<QKeySequence> keys;
    for (const QShortcut* shortcut : host->findChildren<QShortcut*>())
        keys << shortcut->key();
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::Key_F5)));
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_C)));
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::Key_F6)));
    EXPECT_TRUE(keys.contains(QKeySequence(Qt::SHIFT | Qt::Key_F6)));
}

namespace {

// A frame whose handler makes the interface list, as the device view does.
class InterfaceListFrame : public CMainFrame {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{
            CMainFrame::GetThisMessageMap(),
            {msgmap::UpdateUI(ID_VIEW_INTERFACE_ALL, &InterfaceListFrame::OnUpdateList),
             msgmap::Command(ID_VIEW_INTERFACE_ALL, &InterfaceListFrame::OnAll),
             msgmap::CommandRange(ID_VIEW_INTERFACE_FIRST, ID_VIEW_INTERFACE_LAST, &InterfaceListFrame::OnChosen)}};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnUpdateList(CCmdUI* ui)
    {
        ui->SetCheck(0);
        if (ui->m_pMenuItems == nullptr)
            return;
        MenuItemDef item;
        item.text = names[opened++ % names.size()];
        item.id = ID_VIEW_INTERFACE_FIRST;
        item.fixedState = true;
        item.state = MF_CHECKED;
        ui->m_pMenuItems->insert(ui->m_pMenuItems->begin() + ui->m_nIndex + 1, item);
    }
    void OnAll() { chosen.push_back(0); }
    void OnChosen(UINT id) { chosen.push_back(id); }

    std::vector<std::string> names = {"eth0 (10.77.0.1)", "eth1 (10.88.0.1)"};
    std::size_t opened = 0;
    std::vector<UINT> chosen;
};

QMenu* SubMenu(QMenuBar* bar, const QString& menu, const QString& item)
{
    for (QAction* top : bar->actions())
        if (top->text() == menu && top->menu())
            for (QAction* action : top->menu()->actions())
                if (action->text() == item)
                    return action->menu();
    return nullptr;
}

} // namespace

TEST(FrameWindowMenus, TheInterfaceSubMenuIsMadeByTheFrameEachTimeItOpens)
{
    res::InstallResources();
    FrameWindowFactory factory;
    InstallFrameHostFactory(&factory);
    InterfaceListFrame frame;
    CCreateContext context;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &context));
    auto* host = dynamic_cast<FrameWindow*>(frame.Host());
    ASSERT_NE(host, nullptr);

    QMenu* menu = SubMenu(host->menuBar(), QStringLiteral("&View"), QStringLiteral("Network &Interface"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    QAction* all = menu->actions()[0];
    QAction* eth0 = menu->actions()[1];
    EXPECT_EQ(all->text(), QStringLiteral("&All Interfaces"));
    EXPECT_FALSE(all->isChecked());
    EXPECT_TRUE(all->isEnabled());
    EXPECT_EQ(all->statusTip(), QStringLiteral("Search for devices on every network interface"));
    EXPECT_EQ(eth0->text(), QStringLiteral("eth0 (10.77.0.1)"));
    EXPECT_TRUE(eth0->isCheckable() && eth0->isChecked());
    eth0->trigger();
    all->trigger();
    EXPECT_EQ(frame.chosen, (std::vector<UINT>{ID_VIEW_INTERFACE_FIRST, 0}));

    // Opened again: the list as the frame gives it now, nothing of before.
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("eth1 (10.88.0.1)"));

    frame.OnClose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    InstallFrameHostFactory(nullptr);
}
