// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "listctrl/column_mapping.h"

#include <algorithm>

namespace listctrl {

namespace {

int Count(const ColumnArray& columns)
{
    return static_cast<int>(columns.size());
}

} // namespace

int LogicalToPhysicalColumn(const ColumnArray& columns, int c)
{
    int physical = 0;
    for (int i = 0; i < std::min(c, Count(columns)); ++i)
        if (columns[static_cast<std::size_t>(i)]->m_bVisible)
            ++physical;
    return physical;
}

int PhysicalToLogicalColumn(const ColumnArray& columns, int p)
{
    if (p < 0)
        return -1;
    int seen = 0;
    for (int i = 0; i < Count(columns); ++i) {
        if (!columns[static_cast<std::size_t>(i)]->m_bVisible)
            continue;
        if (seen++ == p)
            return i;
    }
    return -1;
}

int LogicalToPhysicalOrder(const ColumnArray& columns, int o)
{
    int physical = 0;
    for (const auto& column : columns)
        if (column->m_bVisible && column->m_nOrder < o)
            ++physical;
    return physical;
}

int ColumnAtOrder(const ColumnArray& columns, int o)
{
    for (int i = 0; i < Count(columns); ++i)
        if (columns[static_cast<std::size_t>(i)]->m_nOrder == o)
            return i;
    return -1;
}

int PhysicalToLogicalOrder(const ColumnArray& columns, int q)
{
    if (q < 0)
        return -1;
    int seen = 0;
    for (int order = 0; order < Count(columns); ++order) {
        const int c = ColumnAtOrder(columns, order);
        if (c < 0 || !columns[static_cast<std::size_t>(c)]->m_bVisible)
            continue;
        if (seen++ == q)
            return order;
    }
    return -1;
}

void MoveColumnToOrder(ColumnArray& columns, int c, int n)
{
    if (c < 0 || c >= Count(columns))
        return;
    n = std::clamp(n, 0, Count(columns) - 1);
    const int old = columns[static_cast<std::size_t>(c)]->m_nOrder;
    if (n == old)
        return;
    for (const auto& column : columns) {
        if (n < old && column->m_nOrder >= n && column->m_nOrder < old)
            ++column->m_nOrder;
        else if (n > old && column->m_nOrder > old && column->m_nOrder <= n)
            --column->m_nOrder;
    }
    columns[static_cast<std::size_t>(c)]->m_nOrder = n;
}

int PhysicalOrderAfterMove(const ColumnArray& columns, int c, int n)
{
    if (c < 0 || c >= Count(columns))
        return -1;
    n = std::clamp(n, 0, Count(columns) - 1);
    const int old = columns[static_cast<std::size_t>(c)]->m_nOrder;
    int before = 0;
    for (int j = 0; j < Count(columns); ++j) {
        const COLUMN_DATA& column = *columns[static_cast<std::size_t>(j)];
        if (j == c || !column.m_bVisible)
            continue;
        int order = column.m_nOrder;
        if (n < old && order >= n && order < old)
            ++order;
        else if (n > old && order > old && order <= n)
            --order;
        if (order < n)
            ++before;
    }
    return before;
}

bool OrdersArePermutation(const ColumnArray& columns)
{
    std::vector<bool> seen(columns.size(), false);
    for (const auto& column : columns) {
        const int o = column->m_nOrder;
        if (o < 0 || o >= Count(columns) || seen[static_cast<std::size_t>(o)])
            return false;
        seen[static_cast<std::size_t>(o)] = true;
    }
    return true;
}

int CountHideable(const ColumnArray& columns)
{
    return static_cast<int>(
        std::count_if(columns.begin(), columns.end(), [](const auto& column) { return column->m_bHideable; }));
}

} // namespace listctrl
