// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The engine's life, the ways of reaching the control, and the geometry
// helpers that drawing and hit testing share.
#include "listctrl/list_base.h"

#include <algorithm>

#include "listctrl/column_mapping.h"

// The header draws the sort arrows itself, so the engine keeps no arrow
// pictures and needs no version of the controls.
CListBase::CListBase()
{
    m_clrHotText = GetSysColor(COLOR_HOTLIGHT);
}

// Items and their records go when the window is destroyed; the column records
// (and their copies) go with the array.
CListBase::~CListBase() = default;

LRESULT CListBase::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_pListCtrl ? m_pListCtrl->SendMessage(message, wParam, lParam) : 0;
}

LRESULT CListBase::PassToControl(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_pListCtrl ? m_pListCtrl->DefWindowProc(message, wParam, lParam) : 0;
}

LRESULT CListBase::DefaultProcessing() const
{
    return m_pListCtrl ? m_pListCtrl->Default() : 0;
}

CWnd* CListBase::GetHeader() const
{
    return reinterpret_cast<CWnd*>(PassToControl(LVM_GETHEADER));
}

DWORD CListBase::ListStyle() const
{
    return m_pListCtrl ? m_pListCtrl->GetStyle() : 0;
}

CListBase::ITEM_DATA* CListBase::GetItemData(int nItem)
{
    LVITEMA item;
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    if (nItem < 0 || !PassToControl(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<ITEM_DATA*>(item.lParam);
}

void CListBase::ForEachItemBackwards(const std::function<void(int, ITEM_DATA&)>& visit)
{
    const int count = static_cast<int>(PassToControl(LVM_GETITEMCOUNT));
    for (int i = count - 1; i >= 0; --i)
        if (ITEM_DATA* data = GetItemData(i))
            visit(i, *data);
}

int CListBase::LogicalToPhysicalColumn(int c) const
{
    return listctrl::LogicalToPhysicalColumn(m_aColumnData, c);
}

int CListBase::PhysicalToLogicalColumn(int p) const
{
    return listctrl::PhysicalToLogicalColumn(m_aColumnData, p);
}

int CListBase::LogicalToPhysicalOrder(int o) const
{
    return listctrl::LogicalToPhysicalOrder(m_aColumnData, o);
}

int CListBase::PhysicalToLogicalOrder(int q) const
{
    return listctrl::PhysicalToLogicalOrder(m_aColumnData, q);
}

// ---- Geometry -----------------------------------------------------------------

int CListBase::OrderToIndex(int nOrder)
{
    CWnd* header = GetHeader();
    return header ? static_cast<int>(header->SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(nOrder))) : -1;
}

int CListBase::GetHeaderItemOrder(int nIndex)
{
    CWnd* header = GetHeader();
    HDITEMA item;
    item.mask = HDI_ORDER;
    if (header == nullptr ||
        !header->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iOrder;
}

namespace {

bool ControlRect(const CListBase* engine, CWnd* list, UINT message, int item, int sub, int code, RECT& rc)
{
    (void)engine;
    rc = RECT{code, sub, 0, 0};
    return list->DefWindowProc(message, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rc)) != 0;
}

} // namespace

bool CListBase::GetSubItemRectEx(int nItem, int nSubItem, int nArea, RECT& rect)
{
    if (m_pListCtrl == nullptr)
        return false;
    const bool columnZeroMoved = GetHeaderItemOrder(0) > 0;
    if (nArea == LVIR_BOUNDS) {
        if (!ControlRect(this, m_pListCtrl, LVM_GETSUBITEMRECT, nItem, nSubItem, LVIR_BOUNDS, rect))
            return false;
        if (nSubItem == 0) {
            // Column 0's own cell: the control reports the whole row for it.
            RECT label{};
            if (ControlRect(this, m_pListCtrl, LVM_GETITEMRECT, nItem, 0, LVIR_LABEL, label))
                rect.right = label.right;
            if (columnZeroMoved) {
                RECT before{};
                const int previous = OrderToIndex(GetHeaderItemOrder(0) - 1);
                if (previous >= 0 &&
                    ControlRect(this, m_pListCtrl, LVM_GETSUBITEMRECT, nItem, previous, LVIR_BOUNDS, before))
                    rect.left = before.right;
            }
        }
        return true;
    }
    if (nArea != LVIR_ICON && nArea != LVIR_LABEL)
        return false;
    RECT r{};
    RECT bounds{};
    if (!ControlRect(this, m_pListCtrl, LVM_GETITEMRECT, nItem, 0, nArea, r) ||
        !GetSubItemRectEx(nItem, 0, LVIR_BOUNDS, bounds))
        return false;
    if (columnZeroMoved && m_bKeepLabelLeft) {
        const int first = OrderToIndex(0);
        RECT cell{};
        if (!ControlRect(this, m_pListCtrl, LVM_GETSUBITEMRECT, nItem, first, LVIR_BOUNDS, cell))
            return false;
        const int distance = r.left - bounds.left;
        if (nArea == LVIR_LABEL) {
            rect = cell;
            rect.left += distance;
            return true;
        }
        rect = r;
        rect.left = cell.left + distance;
        rect.right = cell.left + r.right - bounds.left;
        const int width = static_cast<int>(PassToControl(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(first)));
        if (distance + (r.right - r.left) >= width)
            rect.right = rect.left + width - distance - 1;
        return true;
    }
    rect = r;
    if (nArea == LVIR_ICON)
        rect.right = std::min(rect.right, bounds.right);
    return true;
}

bool CListBase::GetStateIconRect(RECT& rect, int nItem)
{
    RECT cell{};
    RECT icon{};
    if (!GetSubItemRectEx(nItem, m_bKeepLabelLeft ? OrderToIndex(0) : 0, LVIR_BOUNDS, cell) ||
        !GetSubItemRectEx(nItem, 0, LVIR_ICON, icon))
        return false;
    rect = RECT{cell.left, cell.top, icon.right > icon.left ? icon.left - 1 : icon.left, cell.bottom};
    if (!m_bStateIconOffsetKnown) {
        m_nStateIconOffset = 4;
        const auto* states = reinterpret_cast<const CImageList*>(PassToControl(LVM_GETIMAGELIST, LVSIL_STATE));
        IMAGEINFO info;
        if (states != nullptr && states->GetImageInfo(0, &info))
            m_nStateIconOffset = std::clamp((rect.right - rect.left) - (info.rcImage.right - info.rcImage.left), 0, 4);
        m_bStateIconOffsetKnown = true;
    }
    rect.left += m_nStateIconOffset;
    if (rect.right >= cell.right)
        rect.right = cell.right - 1;
    return true;
}
