// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The unattended mode: message boxes and menus answered and logged.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "framework/resources.h"
#include "framework/wnd.h"
#include "qt_host/qt_user_interface.h"
#include "support/menu_owner.h"

namespace {

using namespace menu_test;

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
