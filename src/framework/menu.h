// Menus loaded from resources, shown as pop-ups through the user interface.
#pragma once

#include <optional>

#include "framework/resources.h"

class CWnd;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;

class CMenu {
public:
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    bool IsLoaded() const { return m_optMenu.has_value(); }
    int GetMenuItemCount() const;
    // The pop-up at position nPos, or nullptr.
    const MenuItemDef* GetSubMenu(int nPos) const;
    // Shows a pop-up at screen point (x, y); the chosen command goes to pOwner.
    static BOOL TrackPopupMenu(const MenuItemDef& popup, UINT nFlags, int x, int y, CWnd* pOwner);

private:
    std::optional<MenuDef> m_optMenu;
};
