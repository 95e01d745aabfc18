// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sorting: the sort state and its arrow in the header, and the comparator the
// engine gives the control, which hands the application's comparator the
// application's own lParams.
#include <utility>

#include "listctrl/list_base.h"

namespace {

int Magnitude(int sortState)
{
    return sortState < 0 ? -sortState : sortState;
}

} // namespace

void CListBase::SetSortColumn(int nSortState)
{
    if (nSortState == m_nSortColumn)
        return;
    const int old = m_nSortColumn;
    m_nSortColumn = nSortState;
    UpdateSortIcons();
    // The tint of the sort column moves with it.
    if (Magnitude(old) != Magnitude(nSortState) && m_pListCtrl != nullptr)
        m_pListCtrl->Invalidate(TRUE);
}

void CListBase::EnableSortIcon(bool bEnable)
{
    // The header draws the arrows from its items' format bits; the engine has
    // no pictures of its own to make or hand over.
    m_bSortIconEnabled = bEnable ? TRUE : FALSE;
    UpdateSortIcons();
}

void CListBase::UpdateSortIcons()
{
    CWnd* header = GetHeader();
    if (header == nullptr)
        return;
    for (int i = GetColumnCount() - 1; i >= 0; --i) {
        if (!m_aColumnData[static_cast<std::size_t>(i)]->m_bVisible)
            continue;
        const auto p = static_cast<WPARAM>(LogicalToPhysicalColumn(i));
        HDITEMA item;
        item.mask = HDI_FORMAT;
        if (!header->SendMessage(HDM_GETITEMA, p, reinterpret_cast<LPARAM>(&item)))
            continue;
        int fmt = (item.fmt & HDF_JUSTIFYMASK) | HDF_STRING;
        if (m_bSortIconEnabled && m_nSortColumn == i + 1)
            fmt |= HDF_SORTUP;
        else if (m_bSortIconEnabled && m_nSortColumn == -(i + 1))
            fmt |= HDF_SORTDOWN;
        // A header item already right is left alone: no change notices, no repaint.
        if (fmt == item.fmt)
            continue;
        item.fmt = fmt;
        header->SendMessage(HDM_SETITEMA, p, reinterpret_cast<LPARAM>(&item));
    }
}

LRESULT CListBase::OnSortItems(WPARAM wParam, LPARAM lParam)
{
    // The control calls SortCallback before it returns. The fields hold the
    // running sort's comparator only while it runs, so a comparator that asks
    // for another sort meanwhile (the control refuses it) leaves the running
    // one as it was.
    const PFNLVCOMPARE outerCompare = std::exchange(m_pfnCompare, reinterpret_cast<PFNLVCOMPARE>(lParam));
    const LPARAM outerParam = std::exchange(m_lParamSort, static_cast<LPARAM>(wParam));
    const LRESULT result =
        PassToControl(LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&SortCallback));
    m_pfnCompare = outerCompare;
    m_lParamSort = outerParam;
    return result;
}

int CListBase::SortCallback(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* engine = reinterpret_cast<const CListBase*>(lParamSort);
    const auto* a = reinterpret_cast<const ITEM_DATA*>(lParam1);
    const auto* b = reinterpret_cast<const ITEM_DATA*>(lParam2);
    if (engine == nullptr || engine->m_pfnCompare == nullptr || a == nullptr || b == nullptr)
        return 0;
    return engine->m_pfnCompare(a->m_lParam, b->m_lParam, engine->m_lParamSort);
}
