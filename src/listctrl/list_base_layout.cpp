// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The saved column layout: count, sort state, and per column whether it is
// shown, its width and its display order, little-endian without padding
// (8 + 9 * count bytes). A layout is checked whole before any of it is applied;
// the layout written is the one RestoreState reads.
#include <cstring>
#include <vector>

#include "listctrl/list_base.h"

namespace {

void WriteInt32(std::vector<std::uint8_t>& out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::int32_t ReadInt32(const std::uint8_t* p)
{
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    std::int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

struct StoredColumn {
    bool visible;
    int width;
    int order;
};

} // namespace

bool CListBase::RestoreState(const std::uint8_t* pData, unsigned nSize)
{
    const int n = GetColumnCount();
    if (pData == nullptr || n == 0 || nSize != 8u + 9u * static_cast<unsigned>(n) || ReadInt32(pData) != n)
        return false;
    const int sort = ReadInt32(pData + 4);
    if (sort > n || sort < -n)
        return false;
    std::vector<StoredColumn> stored;
    std::vector<bool> orderTaken(static_cast<std::size_t>(n), false);
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* p = pData + 8 + 9 * i;
        const StoredColumn column{p[0] != 0, ReadInt32(p + 1) & 0xFFFF, ReadInt32(p + 5)};
        // Every order once, within range, and a shown flag that is 0 or 1:
        // anything else is not a layout this program wrote.
        if (p[0] > 1 || column.order < 0 || column.order >= n || orderTaken[static_cast<std::size_t>(column.order)])
            return false;
        orderTaken[static_cast<std::size_t>(column.order)] = true;
        stored.push_back(column);
    }
    SetSortColumn(sort);
    for (int i = 0; i < n; ++i) {
        COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(i)];
        const StoredColumn& s = stored[static_cast<std::size_t>(i)];
        if (s.visible != column.m_bVisible && (column.m_bHideable || !column.m_bVisible))
            ShowColumn(i, s.visible);
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(s.width, 0));
        column.m_nOrder = s.order;
    }
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        order[static_cast<std::size_t>(m_aColumnData[static_cast<std::size_t>(i)]->m_nOrder)] = i;
    Send(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(order.data()));
    return true;
}

std::vector<std::uint8_t> CListBase::SaveState()
{
    std::vector<std::uint8_t> out;
    const int n = GetColumnCount();
    WriteInt32(out, n);
    WriteInt32(out, m_nSortColumn);
    for (int i = 0; i < n; ++i) {
        const COLUMN_DATA& column = *m_aColumnData[static_cast<std::size_t>(i)];
        out.push_back(column.m_bVisible ? 1 : 0);
        const int width =
            column.m_bVisible ? static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i))) : column.m_nWidth;
        WriteInt32(out, width & 0xFFFF);
        WriteInt32(out, column.m_nOrder);
    }
    return out;
}
