// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Sorting: the sort state and its arrow in the header, and the comparator the
// engine gives the control, which hands the application's comparator the
// application's own lParams.
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
    // The header of these controls draws its own arrows (version 6 and later),
    // so no arrow pictures are made here.
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
        // Every answer asks for the arrow again; a header item already right is left alone.
        if (fmt == item.fmt)
            continue;
        item.fmt = fmt;
        header->SendMessage(HDM_SETITEMA, p, reinterpret_cast<LPARAM>(&item));
    }
}

LRESULT CListBase::OnSortItems(WPARAM wParam, LPARAM lParam)
{
    const auto compare = reinterpret_cast<PFNLVCOMPARE>(lParam);
    const auto sortParam = static_cast<LPARAM>(wParam);
    // The control sorts when the order is next read, always through the same
    // callback and engine: a sort still waiting must run with the comparator
    // it was asked with before this one takes the engine's place.
    if (m_pfnCompare != nullptr && (compare != m_pfnCompare || sortParam != m_lParamSort))
        PassToControl(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_ALL);
    m_pfnCompare = compare;
    m_lParamSort = sortParam;
    return PassToControl(LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&SortCallback));
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
