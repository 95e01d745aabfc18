// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Menus loaded from resources, shown as pop-ups through the user interface.
#pragma once

#include <optional>

#include "framework/resources.h"

class CWnd;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

// How a menu item shows: from its fixed state, or from the owner's update handlers.
struct MenuItemShown {
    bool enabled = true;
    bool checked = false;
};
MenuItemShown ShownState(const MenuItemDef& item, UINT index, CWnd* owner);

class CMenu {
public:
    BOOL LoadMenu(UINT nIDResource);
    // An empty pop-up menu, to be filled with InsertMenu.
    BOOL CreatePopupMenu();
    // Inserts an item before position nPosition (MF_BYPOSITION; past the end appends).
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    // Shows a pop-up made with CreatePopupMenu; the chosen command goes to pWnd.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd) const;
    BOOL DestroyMenu();
    bool IsLoaded() const { return m_optMenu.has_value(); }
    int GetMenuItemCount() const;
    // The pop-up at position nPos, or nullptr.
    const MenuItemDef* GetSubMenu(int nPos) const;
    // Shows a pop-up at screen point (x, y); the chosen command goes to pOwner.
    static BOOL TrackPopupMenu(const MenuItemDef& popup, UINT nFlags, int x, int y, CWnd* pOwner);

private:
    std::optional<MenuDef> m_optMenu;
    bool m_bPopup = false; // made by CreatePopupMenu: its items are the pop-up's
};
