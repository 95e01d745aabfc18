// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Pop-up menus on Qt: item states from the owner, the choice as a command.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include "framework/resources.h"
#include "qt_host/qt_user_interface.h"
#include "support/menu_owner.h"

using namespace menu_test;

TEST(QtUserInterfaceTest, PopupMenuItemsCarryTheirStateAndTheChoiceArrivesAsACommand)
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
