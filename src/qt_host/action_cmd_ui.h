// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A QAction's state as a command's update handler sets it, for menus, pop-up
// menus and the tool bar alike.
//
// The check rule: an action shows a check mark only while its handler says
// checked; an unchecked action is not checkable at all, so a menu shows no
// empty box beside it, as the platform's menus show none. A tool-bar button
// whose command is checked therefore appears pressed, and plain otherwise.
#pragma once

#include "framework/cmd_target.h"

class QAction;

class ActionCmdUI : public CCmdUI {
public:
    explicit ActionCmdUI(QAction* action) : m_action(action) {}
    void Enable(BOOL bOn) override;
    void SetCheck(int nCheck) override;
    void SetText(const std::string& text) override;

private:
    QAction* m_action;
};
