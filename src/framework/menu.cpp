#include "framework/menu.h"

#include "system/services.h"

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
