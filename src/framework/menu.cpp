#include "framework/menu.h"

#include "system/services.h"

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const MenuDef* def = AfxFindMenu(nIDResource);
    if (def == nullptr)
        return FALSE;
    m_menu = *def;
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_menu)
        return FALSE;
    m_menu.reset();
    return TRUE;
}

int CMenu::GetMenuItemCount() const { return m_menu ? static_cast<int>(m_menu->items.size()) : -1; }

const MenuItemDef* CMenu::GetSubMenu(int nPos) const
{
    if (!m_menu || nPos < 0 || nPos >= GetMenuItemCount())
        return nullptr;
    const MenuItemDef& item = m_menu->items[static_cast<std::size_t>(nPos)];
    return item.IsPopup() ? &item : nullptr;
}

BOOL CMenu::TrackPopupMenu(const MenuItemDef& popup, UINT, int x, int y, CWnd* pOwner)
{
    if (Platform().ui == nullptr || pOwner == nullptr)
        return FALSE;
    Platform().ui->TrackPopupMenu(popup, x, y, pOwner);
    return TRUE;
}
