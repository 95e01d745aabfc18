// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The extended style the application set (the engine keeps it whole), the
// image lists and the background colour.
#include "listctrl/list_base.h"

namespace {

constexpr DWORD kEmulatedStyles = LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT;

} // namespace

LRESULT CListBase::OnSetExtendedStyle(WPARAM wParam, LPARAM lParam)
{
    const DWORD mask = wParam == 0 ? ~DWORD{0} : static_cast<DWORD>(wParam);
    const DWORD style = static_cast<DWORD>(lParam);
    const DWORD previous = m_dwExtendedStyle;
    m_dwExtendedStyle = (previous & ~mask) | (style & mask);
    if (ListStyle() & LVS_OWNERDRAWFIXED) {
        // An owner-drawn list activates and tracks hot items itself.
        if (mask & kEmulatedStyles) {
            if (style & mask & kEmulatedStyles)
                LoadCursors();
            PassToControl(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(m_dwExtendedStyle & ~kEmulatedStyles));
            return static_cast<LRESULT>(previous);
        }
        m_hCurrentCursor.reset();
    }
    return DefaultProcessing();
}

LRESULT CListBase::OnGetExtendedStyle(WPARAM, LPARAM)
{
    return static_cast<LRESULT>(m_dwExtendedStyle);
}

LRESULT CListBase::OnSetImageList(WPARAM wParam, LPARAM lParam)
{
    const LRESULT previous = DefaultProcessing();
    // The control gives its small list to the header too; the header shows no
    // pictures of the rows (it draws the sort arrows itself), so it gets none.
    if (wParam == LVSIL_SMALL && lParam != 0)
        if (CWnd* header = GetHeader())
            header->SendMessage(HDM_SETIMAGELIST, 0, 0);
    return previous;
}

LRESULT CListBase::OnSetBkColor(WPARAM, LPARAM)
{
    if (!DefaultProcessing())
        return 0;
    if (m_bColorSortColumn) {
        m_bColorSortColumn = FALSE;
        ColorSortColumn(true);
    }
    return 1;
}
