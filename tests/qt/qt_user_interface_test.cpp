#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "framework/cmd_target.h"
#include "qt_host/qt_user_interface.h"
#include "framework/resources.h"
#include "framework/wnd.h"

namespace {

constexpr UINT kRefresh = 32772;
constexpr UINT kPing = 32780;
constexpr UINT kAutoArrange = 32790;

// Handles Refresh and Auto Arrange (checked); Ping has no handler.
class MenuOwner : public CWnd {
public:
    static const MessageMap* GetThisMessageMap()
    {
        static const MessageMap map{CWnd::GetThisMessageMap(),
                                    {
                                        msgmap::Command(kRefresh, &MenuOwner::OnRefresh),
                                        msgmap::Command(kAutoArrange, &MenuOwner::OnAutoArrange),
                                        msgmap::UpdateUI(kAutoArrange, &MenuOwner::OnUpdateAutoArrange),
                                    }};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnRefresh() { commands.push_back(kRefresh); }
    void OnAutoArrange() { commands.push_back(kAutoArrange); }
    void OnUpdateAutoArrange(CCmdUI* ui) { ui->SetCheck(1); }
    std::vector<UINT> commands;
};

class AutoAnswerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        logPath = dir.filePath(QStringLiteral("ui.log"));
        qputenv("VARNEX_AUTO_ANSWER", "1");
        qputenv("VARNEX_UI_LOG", logPath.toLocal8Bit());
    }
    void TearDown() override
    {
        qunsetenv("VARNEX_AUTO_ANSWER");
        qunsetenv("VARNEX_UI_LOG");
        qunsetenv("VARNEX_AUTO_MENU_COMMAND");
    }
    QStringList LogLines() const
    {
        QFile f(logPath);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QTemporaryDir dir;
    QString logPath;
    QtUserInterface ui;
};

} // namespace

TEST_F(AutoAnswerTest, MessageBoxIsLoggedOnOneLineAndAnswered)
{
    EXPECT_EQ(ui.MessageBox("Socket port '4000'\nOpen fail", "Varnex", MB_ICONEXCLAMATION), IDOK);
    qputenv("VARNEX_AUTO_ANSWER", "7");
    EXPECT_EQ(ui.MessageBox("Reset?", "Varnex", MB_YESNO | MB_ICONQUESTION), IDNO);
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("MessageBox|Varnex|Socket port '4000'\\nOpen fail|48"));
    EXPECT_EQ(lines[1], QStringLiteral("MessageBox|Varnex|Reset?|36"));
}

TEST_F(AutoAnswerTest, PopupMenuShowsItemStatesAndSendsTheChosenCommandAfterwards)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, "", 0, RECT{}, nullptr, 1));
    MenuItemDef popup;
    popup.text = "Context";
    popup.popup = {{"&Refresh", kRefresh, {}}, {"", 0, {}}, {"&Ping", kPing, {}}, {"&Auto Arrange", kAutoArrange, {}}};

    ui.TrackPopupMenu(popup, 30, 40, &owner);
    EXPECT_TRUE(owner.commands.empty());
    qputenv("VARNEX_AUTO_MENU_COMMAND", "32790");
    ui.TrackPopupMenu(popup, 30, 40, &owner);
    qputenv("VARNEX_AUTO_MENU_COMMAND", "32780"); // disabled: nothing happens
    ui.TrackPopupMenu(popup, 30, 40, &owner);
    EXPECT_EQ(owner.commands, std::vector<UINT>{kAutoArrange});

    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("TrackPopupMenu|30|40|32772::&Refresh|-|32780:D:&Ping|32790:C:&Auto Arrange"));
}

TEST(QtUserInterface, PopupMenuItemsCarryTheirStateAndTheChoiceArrivesAsACommand)
{
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, "", 0, RECT{}, nullptr, 1));
    MenuItemDef popup;
    popup.popup = {{"&Refresh", kRefresh, {}}, {"", 0, {}}, {"&Ping", kPing, {}}, {"&Auto Arrange", kAutoArrange, {}}};
    QStringList seen;
    // The user looks at the open menu and picks Auto Arrange.
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        for (QAction* a : menu->actions())
            seen << (a->isSeparator() ? QStringLiteral("-")
                                      : a->text() + (a->isEnabled() ? "" : " D") + (a->isChecked() ? " C" : ""));
        menu->setActiveAction(menu->actions().at(3));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(menu, &enter);
    });
    QTimer::singleShot(3000, [] {
        if (QWidget* w = QApplication::activePopupWidget())
            w->close(); // never hang the run
    });
    QtUserInterface ui;
    ui.TrackPopupMenu(popup, 10, 10, &owner);
    EXPECT_EQ(seen, QStringList({"&Refresh", "-", "&Ping D", "&Auto Arrange C"}));
    EXPECT_EQ(owner.commands, std::vector<UINT>{kAutoArrange});
}
