// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The engine's invariants, checked against its records and the control it
// serves, for tests and the fuzzer: the logical orders a permutation; column 0
// shown and never hideable; the control holding exactly the visible columns
// in logical order and showing them in logical display order; every item's
// sub-item list aligned with the columns; the hideable count.
#include "listctrl/list_base.h"

#include <algorithm>
#include <vector>

#include "listctrl/column_mapping.h"

namespace {

std::string Heading(const LVCOLUMNA* column)
{
    return column && column->pszText ? column->pszText : "";
}

std::string ControlHeading(CWnd& list, int p)
{
    char buffer[300] = {};
    LVCOLUMNA column;
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = sizeof buffer;
    if (!list.DefWindowProc(LVM_GETCOLUMNA, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&column)))
        return "<no column>";
    return buffer;
}

} // namespace

std::string CListBase::CheckInvariants()
{
    if (m_pListCtrl == nullptr)
        return "the engine serves no window";
    CListBase& engine = *this;
    CWnd& list = *m_pListCtrl;
    const listctrl::ColumnArray& columns = engine.Columns();
    const int n = static_cast<int>(columns.size());
    if (!listctrl::OrdersArePermutation(columns))
        return "the logical orders are not a permutation of 0..n-1";
    if (n > 0 && (!columns.front()->m_bVisible || columns.front()->m_bHideable))
        return "column 0 is hidden or hideable";
    if (listctrl::CountHideable(columns) != engine.GetHideableColumnCount())
        return "the hideable count is " + std::to_string(engine.GetHideableColumnCount()) + ", records say " +
               std::to_string(listctrl::CountHideable(columns));
    auto* header = reinterpret_cast<CWnd*>(list.SendMessage(LVM_GETHEADER));
    const int physical = header ? static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT)) : 0;
    std::vector<int> visible;
    for (int c = 0; c < n; ++c)
        if (columns[static_cast<std::size_t>(c)]->m_bVisible)
            visible.push_back(c);
    if (physical != static_cast<int>(visible.size()))
        return "the control holds " + std::to_string(physical) + " columns, " + std::to_string(visible.size()) +
               " are visible";
    for (int p = 0; p < physical; ++p) {
        const int c = visible[static_cast<std::size_t>(p)];
        const std::string want = Heading(columns[static_cast<std::size_t>(c)]->m_pLVColumn);
        const std::string got = ControlHeading(list, p);
        if (got != want)
            return "control column " + std::to_string(p) + " is \"" + got + "\", logical column " + std::to_string(c) +
                   " is \"" + want + "\"";
    }
    if (physical > 0) {
        std::vector<int> order(static_cast<std::size_t>(physical), -1);
        list.DefWindowProc(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(physical),
                           reinterpret_cast<LPARAM>(order.data()));
        std::vector<int> want;
        for (int o = 0; o < n; ++o) {
            const int c = listctrl::ColumnAtOrder(columns, o);
            if (c >= 0 && columns[static_cast<std::size_t>(c)]->m_bVisible)
                want.push_back(listctrl::LogicalToPhysicalColumn(columns, c));
        }
        if (order != want)
            return "the control's display order differs from the logical order";
    }
    const int items = static_cast<int>(list.DefWindowProc(LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < items; ++i) {
        const CListBase::ITEM_DATA* data = engine.GetItemData(i);
        if (data == nullptr)
            return "item " + std::to_string(i) + " has no record";
        // Entry 0 is the item itself, kept even in a list without columns.
        if (static_cast<int>(data->m_aSubItems.size()) > std::max(n, 1))
            return "item " + std::to_string(i) + " has more sub-item entries than columns";
        for (int k = 1; k < static_cast<int>(data->m_aSubItems.size()); ++k) {
            const LVITEMA* entry = data->Entry(k);
            if (entry != nullptr && (entry->iSubItem != k || (entry->mask & (LVIF_PARAM | LVIF_STATE))))
                return "item " + std::to_string(i) + " entry " + std::to_string(k) +
                       " is not a sub-item entry of its column";
        }
    }
    return {};
}
