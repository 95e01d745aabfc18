// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Columns the user may hide: marking them, hiding and showing one (the control
// loses or regains it, the engine keeps its texts, width and place), and the
// header's context menu that lists every column.
#include "framework/menu.h"
#include "listctrl/column_mapping.h"
#include "listctrl/list_base.h"
#include "system/services.h"

void CListBase::SetColumnHideable(int nColumn)
{
    if (nColumn < 1 || nColumn >= GetColumnCount())
        return;
    COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(nColumn)];
    if (column.m_bHideable)
        return;
    column.m_bHideable = true;
    ++m_nHideableColumns;
}

bool CListBase::IsColumnHideable(int nColumn) const
{
    return IsValidColumn(nColumn) && m_aColumnData[static_cast<std::size_t>(nColumn)]->m_bHideable;
}

bool CListBase::IsColumnVisible(int nColumn) const
{
    return IsValidColumn(nColumn) && m_aColumnData[static_cast<std::size_t>(nColumn)]->m_bVisible;
}

void CListBase::KeepLabelLeft(bool bKeep)
{
    m_bKeepLabelLeft = bKeep && (ListStyle() & LVS_OWNERDRAWFIXED) != 0;
}

void CListBase::RefillColumn(int c)
{
    ForEachItemBackwards([this, c](int index, ITEM_DATA& data) {
        const LVITEMA* entry = data.Entry(c);
        if (entry == nullptr)
            return;
        LVITEMA item = *entry;
        item.mask &= ~(LVIF_PARAM | LVIF_STATE); // the item's own fields stay as they are
        item.iItem = index;
        item.iSubItem = c;
        Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    });
}

void CListBase::ShowColumn(int nColumn, bool bShow)
{
    if (!IsColumnHideable(nColumn))
        return;
    COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(nColumn)];
    if (column.m_bVisible == bShow)
        return;
    if (bShow) {
        ReinsertColumn(nColumn);
        return;
    }
    column.m_nWidth = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nColumn)));
    // Hidden only once the control has let the column go.
    if (PassToControl(LVM_DELETECOLUMN, static_cast<WPARAM>(LogicalToPhysicalColumn(nColumn))))
        column.m_bVisible = false;
}

void CListBase::ReinsertColumn(int nColumn)
{
    COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(nColumn)];
    const int p = LogicalToPhysicalColumn(nColumn);
    bool anyVisible = false;
    for (const auto& other : m_aColumnData)
        anyVisible = anyVisible || other->m_bVisible;
    LVCOLUMNA description = *column.m_pLVColumn;
    description.mask |= LVCF_ORDER;
    description.iOrder = LogicalToPhysicalOrder(column.m_nOrder);
    // Shown only once the control has taken the column.
    if (PassToControl(LVM_INSERTCOLUMNA, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&description)) == -1)
        return;
    column.m_bVisible = true;
    if (p == 0)
        SetFirstColumnFormat(description.fmt);
    if (m_nSortColumn == nColumn + 1 || m_nSortColumn == -(nColumn + 1))
        UpdateSortIcons();
    if (!(ListStyle() & LVS_OWNERDATA)) {
        RefillColumn(nColumn);
        if (p == 0 && anyVisible)
            RefillColumn(PhysicalToLogicalColumn(1));
    }
    Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nColumn), MAKELPARAM(column.m_nWidth & 0xFFFF, 0));
}

void CListBase::KeepColumnZeroShown()
{
    if (m_aColumnData.empty())
        return;
    COLUMN_DATA& first = *m_aColumnData.front();
    if (first.m_bHideable) {
        first.m_bHideable = false;
        --m_nHideableColumns;
    }
    if (!first.m_bVisible)
        ReinsertColumn(0);
}

void CListBase::OnContextMenu(CWnd* pWnd, POINT)
{
    if (pWnd == nullptr || pWnd != GetHeader() || m_nHideableColumns <= 0)
        return;
    CMenu menu;
    menu.CreatePopupMenu();
    for (int c = GetColumnCount() - 1; c >= 0; --c) {
        const COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(c)];
        const UINT flags = MF_BYPOSITION | MF_STRING | (column.m_bVisible ? MF_CHECKED : MF_UNCHECKED) |
                           (column.m_bHideable ? MF_ENABLED : MF_GRAYED);
        const char* heading = column.m_pLVColumn->pszText ? column.m_pLVColumn->pszText : "";
        menu.InsertMenu(0, flags, static_cast<UINT_PTR>(c), heading);
    }
    // At the mouse, wherever the message says it was.
    const POINT at = Platform().ui ? Platform().ui->GetCursorPos() : POINT{0, 0};
    menu.TrackPopupMenu(TPM_LEFTALIGN, at.x, at.y, m_pListCtrl);
}
