// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/menu.h"

#include <algorithm>

#include "framework/cmd_target.h"
#include "framework/wnd.h"
#include "system/services.h"

MenuItemShown ShownState(const MenuItemDef& item, UINT index, CWnd* owner)
{
    MenuItemShown shown;
    if (item.fixedState) {
        shown.enabled = (item.state & (MF_GRAYED | MF_DISABLED)) == 0;
        shown.checked = (item.state & MF_CHECKED) != 0;
        return shown;
    }
    CCmdUI state;
    state.m_nID = item.id;
    state.m_nIndex = index;
    state.DoUpdate(owner, TRUE);
    shown.enabled = state.enabled != FALSE;
    shown.checked = state.checked != 0;
    return shown;
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_optMenu)
        return FALSE;
    m_optMenu = MenuDef{};
    m_bPopup = true;
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    if (!m_optMenu || !(nFlags & MF_BYPOSITION))
        return FALSE;
    MenuItemDef item;
    if (!(nFlags & MF_SEPARATOR)) {
        item.text = lpszNewItem ? lpszNewItem : "";
        item.id = static_cast<UINT>(nIDNewItem);
        item.fixedState = true;
        item.state = nFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    }
    std::vector<MenuItemDef>& items = m_optMenu->items;
    const std::size_t at = std::min<std::size_t>(nPosition, items.size());
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd) const
{
    if (!m_optMenu || !m_bPopup)
        return FALSE;
    MenuItemDef popup;
    popup.popup = m_optMenu->items;
    return TrackPopupMenu(popup, nFlags, x, y, pWnd);
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const MenuDef* def = AfxFindMenu(nIDResource);
    if (def == nullptr)
        return FALSE;
    m_optMenu = *def;
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_optMenu)
        return FALSE;
    m_optMenu.reset();
    m_bPopup = false;
    return TRUE;
}

int CMenu::GetMenuItemCount() const
{
    return m_optMenu ? static_cast<int>(m_optMenu->items.size()) : -1;
}

const MenuItemDef* CMenu::GetSubMenu(int nPos) const
{
    if (!m_optMenu || nPos < 0 || nPos >= GetMenuItemCount())
        return nullptr;
    const MenuItemDef& item = m_optMenu->items[static_cast<std::size_t>(nPos)];
    return item.IsPopup() ? &item : nullptr;
}

BOOL CMenu::TrackPopupMenu(const MenuItemDef& popup, UINT, int x, int y, CWnd* pOwner)
{
    if (Platform().ui == nullptr || pOwner == nullptr)
        return FALSE;
    Platform().ui->TrackPopupMenu(popup, x, y, pOwner);
    return TRUE;
}
