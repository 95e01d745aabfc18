#include "listctrl/list_view_ex.h"
#include "controls/commctrl.h"

#include <cstring>

int CListViewEx::ColumnCount()
{
    auto* header = reinterpret_cast<CWnd*>(SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT)) : 0;
}

void CListViewEx::SetColumnHideable(int nColumn)
{
    if (nColumn < 1 || nColumn >= ColumnCount())
        return;
    if (m_arrHideable.size() <= static_cast<std::size_t>(nColumn))
        m_arrHideable.resize(static_cast<std::size_t>(nColumn) + 1, false);
    if (m_arrHideable[static_cast<std::size_t>(nColumn)])
        return;
    m_arrHideable[static_cast<std::size_t>(nColumn)] = true;
    ++m_nHideableColumns;
}

bool CListViewEx::IsColumnHideable(int nColumn) const
{
    return nColumn >= 0 && static_cast<std::size_t>(nColumn) < m_arrHideable.size() &&
           m_arrHideable[static_cast<std::size_t>(nColumn)];
}

void CListViewEx::SetSortColumn(int nSortState)
{
    if (nSortState == m_nSortColumn)
        return;
    const int old = m_nSortColumn;
    m_nSortColumn = nSortState;
    UpdateSortIcons();
    if ((old < 0 ? -old : old) != (nSortState < 0 ? -nSortState : nSortState))
        Invalidate();
}

void CListViewEx::EnableSortIcon(bool bEnable)
{
    m_bSortIconEnabled = bEnable ? TRUE : FALSE;
    UpdateSortIcons();
}

void CListViewEx::ColorSortColumn(bool bEnable)
{
    if ((m_bColorSortColumn != FALSE) == bEnable)
        return;
    m_bColorSortColumn = bEnable ? TRUE : FALSE;
    Invalidate();
}

void CListViewEx::UpdateSortIcons()
{
    auto* header = reinterpret_cast<CWnd*>(SendMessage(LVM_GETHEADER));
    if (header == nullptr)
        return;
    const int count = static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT));
    for (int i = count - 1; i >= 0; --i) {
        HDITEMA item;
        item.mask = HDI_FORMAT;
        if (!header->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        int fmt = (item.fmt & HDF_JUSTIFYMASK) | HDF_STRING;
        if (m_bSortIconEnabled && m_nSortColumn == i + 1)
            fmt |= HDF_SORTUP;
        else if (m_bSortIconEnabled && m_nSortColumn == -(i + 1))
            fmt |= HDF_SORTDOWN;
        item.mask = HDI_FORMAT;
        item.fmt = fmt;
        header->SendMessage(HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void CListViewEx::KeepLabelLeft(bool bKeep)
{
    m_bKeepLabelLeft = bKeep && (GetStyle() & LVS_OWNERDRAWFIXED) != 0;
}

namespace {

std::int32_t ReadInt32(const std::uint8_t* p)
{
    std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    std::int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

} // namespace

bool CListViewEx::RestoreState(const std::uint8_t* pData, unsigned nSize)
{
    const int n = ColumnCount();
    if (pData == nullptr || n == 0 || nSize != 8u + 9u * static_cast<unsigned>(n) || ReadInt32(pData) != n)
        return true;
    const int sort = ReadInt32(pData + 4);
    if (sort > n || sort < -n)
        return false;
    SetSortColumn(sort);
    std::vector<int> order(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* col = pData + 8 + 9 * i;
        const int width = ReadInt32(col + 1) & 0xFFFF;
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(width, 0));
        const int pos = ReadInt32(col + 5);
        if (pos < 0 || pos >= n || order[static_cast<std::size_t>(pos)] != -1)
            return false;
        order[static_cast<std::size_t>(pos)] = i;
    }
    SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(order.data()));
    return true;
}
