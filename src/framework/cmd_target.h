// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Command targets and command-state objects: the routing that takes a command
// id from a menu, tool bar button or accelerator to the first object with a
// handler, and asks the same objects whether the command is enabled or checked.
#pragma once

#include <string>
#include <vector>

#include "framework/message_map.h"
#include "system/win_types.h"

class CCmdTarget;
struct MenuItemDef;

// Given to OnCmdMsg, it asks only whether a handler exists, and which object has it.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // Looks nCode (CN_COMMAND or CN_UPDATE_COMMAND_UI) for nID up this object's
    // message maps. pExtra is the CCmdUI for an update query; a non-null
    // pHandlerInfo only asks whether a handler exists. Derived classes route
    // further (view -> document, frame -> view -> frame -> application).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo = nullptr);

    // Whether a command handler for nID exists along this target's route.
    BOOL HasCommandHandler(UINT nID);

protected:
    // Finds the map entry of nCode for nID in this object's own maps only.
    BOOL DispatchOwnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
};

// The state of one user-interface element for one command id: a menu item,
// a tool bar button or a status-bar pane. Hosts derive from it.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    bool m_bEnableChanged = false;
    bool m_bContinueRouting = false;
    // For an item of a pop-up menu about to open: the pop-up's items, m_nIndex
    // being this one's position. An update handler may insert items of its own
    // right after it (a list that changes, as a recent-file list does), each
    // with its state fixed; the items after those are updated as usual.
    std::vector<MenuItemDef>* m_pMenuItems = nullptr;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(const std::string& text);

    // Asks pTarget for the state; with bDisableIfNoHandler, a command that no
    // object handles is disabled, as the framework does for menus.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    // The last values set, for hosts that read them after the update.
    bool enabled = true;
    int checked = 0;
};
