// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The column messages: inserting, deleting, reading and changing columns, their
// widths and their order, each translated from logical to physical numbers;
// hidden columns are answered from the engine's records.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "listctrl/column_mapping.h"
#include "listctrl/list_base.h"

using listctrl::COLUMN_DATA;
using listctrl::CopyColumn;
using listctrl::FreeColumn;

namespace {

// Copies text into the caller's buffer, cut to its size and always ended.
void CopyOut(const char* text, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return;
    const std::size_t n = text ? std::min<std::size_t>(std::strlen(text), static_cast<std::size_t>(size - 1)) : 0;
    if (n > 0)
        std::memcpy(buffer, text, n);
    buffer[n] = '\0';
}

// Logical sort state after column i was inserted (+1) or deleted (-1).
int ShiftedSortState(int sort, int i, int delta)
{
    const int column = (sort < 0 ? -sort : sort) - 1;
    if (sort == 0)
        return 0;
    if (delta < 0 && column == i)
        return 0;
    if ((delta > 0 && i <= column) || (delta < 0 && i < column))
        return sort > 0 ? sort + delta : sort - delta;
    return sort;
}

// Entries from position `from` on name their new column; only entry 0 speaks
// for the item itself (its lParam and state).
void Renumber(std::vector<LVITEMA*>& entries, int from)
{
    for (std::size_t k = static_cast<std::size_t>(from); k < entries.size(); ++k) {
        if (entries[k] == nullptr)
            continue;
        entries[k]->iSubItem = static_cast<int>(k);
        if (k > 0)
            entries[k]->mask &= ~(LVIF_PARAM | LVIF_STATE);
    }
}

} // namespace

LRESULT CListBase::OnInsertColumn(WPARAM wParam, LPARAM lParam)
{
    const int i = static_cast<int>(wParam);
    const auto* caller = reinterpret_cast<const LVCOLUMNA*>(lParam);
    if (caller == nullptr || i < 0 || i > GetColumnCount())
        return -1;
    LVCOLUMNA* copy = CopyColumn(*caller);
    copy->mask &= ~LVCF_SUBITEM;
    // The new column's logical order, kept within 0..count so the orders stay a permutation.
    const int order = (caller->mask & LVCF_ORDER) ? std::clamp(caller->iOrder, 0, GetColumnCount()) : i;
    // The control always learns the display place: left to itself it would put
    // the column at its own index, which differs from ours once columns moved.
    const UINT callersMask = copy->mask;
    copy->mask |= LVCF_ORDER;
    copy->iOrder = LogicalToPhysicalOrder(order);
    const LRESULT result = PassToControl(LVM_INSERTCOLUMNA, static_cast<WPARAM>(LogicalToPhysicalColumn(i)),
                                         reinterpret_cast<LPARAM>(copy));
    copy->mask = callersMask;
    if (result == -1) {
        FreeColumn(copy);
        return -1;
    }
    if (i == 0)
        SetFirstColumnFormat(caller->fmt);
    auto data = std::make_unique<COLUMN_DATA>();
    copy->mask |= LVCF_WIDTH;
    copy->cx = 0;
    data->m_pLVColumn = copy;
    data->m_nOrder = order;
    for (const auto& column : m_aColumnData)
        if (column->m_nOrder >= order)
            ++column->m_nOrder;
    const bool firstColumn = m_aColumnData.empty();
    m_aColumnData.insert(m_aColumnData.begin() + i, std::move(data));
    m_nSortColumn = ShiftedSortState(m_nSortColumn, i, +1);
    // Items inserted while there was no column keep their entry as column 0's.
    if (firstColumn)
        return result;
    ForEachItemBackwards([i](int, ITEM_DATA& item) {
        auto& entries = item.m_aSubItems;
        if (entries.size() < static_cast<std::size_t>(i))
            entries.resize(static_cast<std::size_t>(i), nullptr);
        entries.insert(entries.begin() + i, nullptr);
        Renumber(entries, i + 1);
    });
    return result;
}

LRESULT CListBase::OnDeleteColumn(WPARAM wParam, LPARAM)
{
    const int i = static_cast<int>(wParam);
    if (!IsValidColumn(i))
        return 0;
    COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(i)];
    if (column.m_bVisible && !PassToControl(LVM_DELETECOLUMN, static_cast<WPARAM>(LogicalToPhysicalColumn(i))))
        return 0;
    for (const auto& other : m_aColumnData)
        if (other->m_nOrder > column.m_nOrder)
            --other->m_nOrder;
    if (column.m_bHideable)
        --m_nHideableColumns;
    m_aColumnData.erase(m_aColumnData.begin() + i);
    m_nSortColumn = ShiftedSortState(m_nSortColumn, i, -1);
    ForEachItemBackwards([i](int, ITEM_DATA& item) {
        auto& entries = item.m_aSubItems;
        if (static_cast<std::size_t>(i) < entries.size()) {
            listctrl::FreeItem(entries[static_cast<std::size_t>(i)]);
            entries.erase(entries.begin() + i);
            Renumber(entries, i);
        }
    });
    if (i == 0)
        KeepColumnZeroShown();
    return 1;
}

LRESULT CListBase::OnGetColumn(WPARAM wParam, LPARAM lParam)
{
    const int i = static_cast<int>(wParam);
    auto* caller = reinterpret_cast<LVCOLUMNA*>(lParam);
    if (caller == nullptr || !IsValidColumn(i))
        return 0;
    const COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(i)];
    if (column.m_bVisible) {
        const LRESULT result = PassToControl(LVM_GETCOLUMNA, static_cast<WPARAM>(LogicalToPhysicalColumn(i)), lParam);
        if (result) {
            if (caller->mask & LVCF_ORDER)
                caller->iOrder = column.m_nOrder;
            if (caller->mask & LVCF_SUBITEM)
                caller->iSubItem = i;
        }
        return result;
    }
    const LVCOLUMNA& saved = *column.m_pLVColumn;
    if (caller->mask & LVCF_FMT)
        caller->fmt = (saved.mask & LVCF_FMT) ? saved.fmt : 0;
    if (caller->mask & LVCF_IMAGE)
        caller->iImage = (saved.mask & LVCF_IMAGE) ? saved.iImage : -1;
    if (caller->mask & LVCF_ORDER)
        caller->iOrder = column.m_nOrder;
    if (caller->mask & LVCF_SUBITEM)
        caller->iSubItem = i;
    if (caller->mask & LVCF_TEXT)
        CopyOut(saved.pszText, caller->pszText, caller->cchTextMax);
    if (caller->mask & LVCF_WIDTH)
        caller->cx = column.m_nWidth;
    return 1;
}

LRESULT CListBase::OnSetColumn(WPARAM wParam, LPARAM lParam)
{
    const int i = static_cast<int>(wParam);
    const auto* caller = reinterpret_cast<const LVCOLUMNA*>(lParam);
    if (caller == nullptr || !IsValidColumn(i))
        return 0;
    COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(i)];
    std::unique_ptr<LVCOLUMNA, void (*)(LVCOLUMNA*)> copy(CopyColumn(*caller), &FreeColumn);
    copy->mask &= ~LVCF_SUBITEM;
    const int order = (caller->mask & LVCF_ORDER) ? std::clamp(caller->iOrder, 0, GetColumnCount() - 1) : 0;
    // Where the column lands among the shown ones once moved: counting before
    // the move would count the column itself when it moves right.
    if (copy->mask & LVCF_ORDER)
        copy->iOrder = listctrl::PhysicalOrderAfterMove(m_aColumnData, i, order);
    LRESULT result = 1;
    if (column.m_bVisible) {
        result = PassToControl(LVM_SETCOLUMNA, static_cast<WPARAM>(LogicalToPhysicalColumn(i)),
                               reinterpret_cast<LPARAM>(copy.get()));
        if (!result)
            return 0;
    }
    // A hidden column keeps its width here until it is shown again, whichever message set it.
    if (!column.m_bVisible && (copy->mask & LVCF_WIDTH))
        column.m_nWidth = copy->cx;
    LVCOLUMNA& saved = *column.m_pLVColumn;
    if (copy->mask & LVCF_FMT)
        saved.fmt = copy->fmt;
    if (copy->mask & LVCF_IMAGE)
        saved.iImage = copy->iImage;
    if ((copy->mask & LVCF_TEXT) && copy->pszText != nullptr) {
        listctrl::FreeText(saved.pszText);
        saved.pszText = std::exchange(copy->pszText, nullptr);
    }
    saved.mask |= copy->mask;
    if (caller->mask & LVCF_ORDER)
        listctrl::MoveColumnToOrder(m_aColumnData, i, order);
    return result;
}

LRESULT CListBase::OnGetColumnWidth(WPARAM wParam, LPARAM)
{
    const int i = static_cast<int>(wParam);
    if (!IsValidColumn(i) || !m_aColumnData[static_cast<std::size_t>(i)]->m_bVisible)
        return 0;
    return PassToControl(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(LogicalToPhysicalColumn(i)));
}

LRESULT CListBase::OnSetColumnWidth(WPARAM wParam, LPARAM lParam)
{
    const int i = static_cast<int>(wParam);
    if (!IsValidColumn(i))
        return 0;
    COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(i)];
    if (column.m_bVisible)
        return PassToControl(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(LogicalToPhysicalColumn(i)), lParam);
    column.m_nWidth = static_cast<int>(lParam);
    return 1;
}

LRESULT CListBase::OnGetColumnOrderArray(WPARAM wParam, LPARAM lParam)
{
    auto* order = reinterpret_cast<int*>(lParam);
    int n = static_cast<int>(wParam);
    if (n <= 0 || order == nullptr)
        return 0;
    n = std::min(n, GetColumnCount());
    for (int p = 0; p < n; ++p) {
        const int c = listctrl::ColumnAtOrder(m_aColumnData, p);
        if (c >= 0)
            order[p] = c;
    }
    return n;
}

LRESULT CListBase::OnSetColumnOrderArray(WPARAM wParam, LPARAM lParam)
{
    const auto* order = reinterpret_cast<const int*>(lParam);
    int n = static_cast<int>(wParam);
    if (n < 1 || order == nullptr)
        return 0;
    n = std::min(n, GetColumnCount());
    std::vector<int> physical;
    std::vector<bool> seen(static_cast<std::size_t>(GetColumnCount()), false);
    for (int j = 0; j < n; ++j) {
        const int c = order[j];
        // A column named twice would leave the control's order and ours apart.
        if (!IsValidColumn(c) || seen[static_cast<std::size_t>(c)])
            return 0;
        seen[static_cast<std::size_t>(c)] = true;
        if (m_aColumnData[static_cast<std::size_t>(c)]->m_bVisible)
            physical.push_back(LogicalToPhysicalColumn(c));
    }
    const LRESULT result = PassToControl(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(physical.size()),
                                         reinterpret_cast<LPARAM>(physical.data()));
    if (!result)
        return 0;
    for (int j = 0; j < n; ++j)
        listctrl::MoveColumnToOrder(m_aColumnData, order[j], j);
    return result;
}

void CListBase::SetFirstColumnFormat(int fmt)
{
    m_nFirstColumnFormat = fmt;
    if (!(ListStyle() & LVS_OWNERDRAWFIXED) && !(m_dwExtendedStyle & LVS_EX_FULLROWSELECT))
        return;
    CWnd* header = GetHeader();
    HDITEMA item;
    item.mask = HDI_FORMAT;
    if (header == nullptr || !header->SendMessage(HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return;
    item.fmt = (item.fmt & ~HDF_JUSTIFYMASK) | (fmt & HDF_JUSTIFYMASK);
    header->SendMessage(HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
