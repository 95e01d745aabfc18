// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Where things are: item rectangles in every view, hit tests, the view's
// arrangement of icons, and scrolling.
#include <algorithm>
#include <limits>

#include "controls/listview/listview_control.h"

namespace {

constexpr int kDefaultIconSize = 32;
constexpr int kDefaultIconSpacing = 75;
constexpr int kReportMarginX = 2;
constexpr int kLabelPadding = 4;
constexpr int kSmallLabelTrailing = 12;
constexpr int kWheelLines = 3;
constexpr int kWheelDelta = 120;

RECT Union(const RECT& a, const RECT& b)
{
    if (IsRectEmpty(a))
        return b;
    if (IsRectEmpty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

} // namespace

bool ListViewControl::AutoArranged() const
{
    return HasStyle(LVS_AUTOARRANGE) || m_items.IsVirtual();
}

SIZE ListViewControl::IconCell() const
{
    const int iconW = m_normalImages ? m_normalImages->Width() : kDefaultIconSize;
    const int iconH = m_normalImages ? m_normalImages->Height() : kDefaultIconSize;
    return SIZE{std::max(kDefaultIconSpacing, iconW + 16), iconH + 6 + 2 * m_lineHeight};
}

SIZE ListViewControl::SmallCell()
{
    if (View() == LVS_LIST && m_listColumnWidth > 0)
        return SIZE{m_listColumnWidth, m_itemHeight};
    if (m_smallItemWidth < 0) {
        std::unique_ptr<CDC> dc = MeasureDC();
        int widest = 0;
        for (int i = 0; i < m_items.Count(); ++i)
            widest = std::max(widest, static_cast<int>(dc->GetTextExtent(DisplayText(i, 0)).cx));
        const int images = (m_stateImages ? m_stateImages->Width() : 0) + (m_smallImages ? m_smallImages->Width() : 0);
        m_smallItemWidth = images + kLabelPadding + widest + kSmallLabelTrailing;
    }
    return SIZE{m_smallItemWidth, m_itemHeight};
}

int ListViewControl::RowsPerColumn() const
{
    RECT client;
    m_wnd->GetClientRect(&client);
    return std::max(1, static_cast<int>(client.bottom) / std::max(1, m_itemHeight));
}

POINT ListViewControl::SlotPosition(int slot)
{
    RECT client;
    m_wnd->GetClientRect(&client);
    switch (View()) {
    case LVS_ICON:
    case LVS_SMALLICON: {
        const SIZE cell = View() == LVS_ICON ? IconCell() : SmallCell();
        const int perRow = std::max(1, static_cast<int>(client.right / std::max<LONG>(1, cell.cx)));
        return POINT{(slot % perRow) * cell.cx, (slot / perRow) * cell.cy};
    }
    case LVS_LIST: {
        const SIZE cell = SmallCell();
        const int rows = RowsPerColumn();
        return POINT{(slot / rows) * cell.cx, (slot % rows) * cell.cy};
    }
    default:
        return POINT{0, slot * m_itemHeight};
    }
}

POINT ListViewControl::ItemViewPosition(int index)
{
    const int view = View();
    if ((view == LVS_ICON || view == LVS_SMALLICON) && !AutoArranged())
        if (const ListItem* row = m_items.Item(index))
            return row->position;
    return SlotPosition(index);
}

bool ListViewControl::GetItemParts(int index, ItemParts* parts)
{
    const int view = View();
    const int stateW = m_stateImages ? m_stateImages->Width() : 0;
    const int stateH = m_stateImages ? m_stateImages->Height() : 0;
    const ListItem* row = m_items.Item(index);

    if (view == LVS_REPORT) {
        const LONG top = ListTop() + (index - m_scrollY) * m_itemHeight;
        const LONG bottom = top + m_itemHeight;
        RECT col0 = ColumnRect(0);
        if (ColumnCount() == 0)
            col0 = RECT{-m_scrollX, 0, -m_scrollX, 0};
        const int indentUnit = m_smallImages ? m_smallImages->Width() : 16;
        const LONG x = col0.left + kReportMarginX + (row ? row->indent : 0) * indentUnit;
        parts->state = RECT{x, top, x + stateW, bottom};
        const int iconW = m_smallImages ? m_smallImages->Width() : 0;
        parts->icon = RECT{parts->state.right, top, parts->state.right + iconW, bottom};
        parts->label = RECT{parts->icon.right, top, std::max(parts->icon.right, col0.right), bottom};
        parts->bounds = RECT{-m_scrollX, top, -m_scrollX + TotalColumnWidth(), bottom};
        return true;
    }

    const POINT pos = ItemViewPosition(index);
    const LONG x = pos.x - m_scrollX;
    const LONG y = pos.y - m_scrollY;
    std::unique_ptr<CDC> dc = MeasureDC();
    const std::string text = DisplayText(index, 0);
    const int textW = text.empty() ? 0 : static_cast<int>(dc->GetTextExtent(text).cx);
    if (view == LVS_ICON) {
        const SIZE cell = IconCell();
        const int iconW = m_normalImages ? m_normalImages->Width() : kDefaultIconSize;
        const int iconH = m_normalImages ? m_normalImages->Height() : kDefaultIconSize;
        parts->icon = RECT{x + (cell.cx - iconW) / 2, y + 2, x + (cell.cx - iconW) / 2 + iconW, y + 2 + iconH};
        parts->state =
            RECT{parts->icon.left - stateW, parts->icon.bottom - stateH, parts->icon.left, parts->icon.bottom};
        const int w = std::min<int>(textW + kLabelPadding, cell.cx - 2);
        parts->label = RECT{x + (cell.cx - w) / 2, parts->icon.bottom + 2, x + (cell.cx - w) / 2 + w,
                            parts->icon.bottom + 2 + m_lineHeight + 2};
        parts->bounds = Union(parts->icon, parts->label);
        return true;
    }
    const SIZE cell = SmallCell();
    const int iconW = m_smallImages ? m_smallImages->Width() : 0;
    parts->state = RECT{x, y, x + stateW, y + m_itemHeight};
    parts->icon = RECT{parts->state.right, y, parts->state.right + iconW, y + m_itemHeight};
    parts->label = RECT{parts->icon.right, y, std::min<LONG>(x + cell.cx, parts->icon.right + textW + kLabelPadding),
                        y + m_itemHeight};
    parts->bounds = RECT{x, y, std::max(parts->label.right, parts->icon.right), y + m_itemHeight};
    return true;
}

BOOL ListViewControl::GetItemRect(int index, RECT* rc)
{
    if (rc == nullptr || !m_items.IsValid(index))
        return FALSE;
    ItemParts parts;
    if (!GetItemParts(index, &parts))
        return FALSE;
    return PartOfItem(parts, rc->left, rc);
}

// One part of an item's rectangles by its LVIR_ code; FALSE for another code.
BOOL ListViewControl::PartOfItem(const ItemParts& parts, int code, RECT* rc)
{
    switch (code) {
    case LVIR_BOUNDS:
        *rc = parts.bounds;
        return TRUE;
    case LVIR_ICON:
        *rc = parts.icon;
        return TRUE;
    case LVIR_LABEL:
        *rc = parts.label;
        return TRUE;
    case LVIR_SELECTBOUNDS:
        *rc = Union(parts.icon, parts.label);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL ListViewControl::GetSubItemRect(int index, RECT* rc)
{
    if (rc == nullptr || View() != LVS_REPORT)
        return FALSE;
    const int sub = rc->top;
    const int code = rc->left;
    if (sub < 0 || (sub > 0 && sub >= ColumnCount()))
        return FALSE;
    if (sub == 0) {
        // Sub-item 0 is the whole row, for rows that exist.
        if (!m_items.IsValid(index))
            return FALSE;
        ItemParts parts;
        GetItemParts(index, &parts);
        return PartOfItem(parts, code, rc);
    }
    // A column's cell is computed for any row, one that does not exist (-1 is
    // the row above the first) being where it would be: the column from the
    // header, the row from its height.
    const RECT column = ColumnRect(sub);
    const long long top = ListTop() + (static_cast<long long>(index) - m_scrollY) * m_itemHeight;
    const auto clampY = [](long long y) {
        return static_cast<LONG>(
            std::clamp<long long>(y, std::numeric_limits<LONG>::min() / 2, std::numeric_limits<LONG>::max() / 2));
    };
    const RECT cell{column.left, clampY(top), column.right, clampY(top + m_itemHeight)};
    switch (code) {
    case LVIR_BOUNDS:
    case LVIR_LABEL:
    case LVIR_SELECTBOUNDS:
        *rc = cell;
        return TRUE;
    case LVIR_ICON:
        *rc = RECT{cell.left, cell.top, cell.left + (m_smallImages ? m_smallImages->Width() : 0), cell.bottom};
        return TRUE;
    default:
        return FALSE;
    }
}

// LVM_SUBITEMHITTEST in report view answers from the header's columns, not
// the client area: the column under x wherever it lies, the row by arithmetic
// from the first row's top, rounded toward zero like the platform's (so the
// strip just above row 0, the header, still names row 0).
int ListViewControl::ReportSubItemHitTest(LVHITTESTINFO* info)
{
    const POINT pt = info->pt;
    info->iItem = -1;
    info->iSubItem = -1;
    info->flags = LVHT_NOWHERE;
    for (const ColumnSpan& span : DisplayColumns())
        if (pt.x >= span.left && pt.x < span.right)
            info->iSubItem = span.index;
    if (info->iSubItem < 0 || m_itemHeight <= 0)
        return -1;
    const long long fromFirst =
        static_cast<long long>(pt.y) - (ListTop() - static_cast<long long>(m_scrollY) * m_itemHeight);
    const long long row = fromFirst / m_itemHeight;
    // Further above, the platform answers negative rows; here every row that does not exist is -1.
    if (row < 0 || row >= m_items.Count())
        return -1;
    const int item = static_cast<int>(row);
    UINT flags = LVHT_ONITEMLABEL;
    if (info->iSubItem == 0) {
        ItemParts parts;
        GetItemParts(item, &parts);
        if (pt.x >= parts.icon.left && pt.x < parts.icon.right)
            flags = LVHT_ONITEMICON;
        else if (m_stateImages && pt.x >= parts.state.left && pt.x < parts.state.right)
            flags = LVHT_ONITEMSTATEICON;
    }
    info->iItem = item;
    info->flags = flags;
    return item;
}

int ListViewControl::HitTest(LVHITTESTINFO* info, bool subItem)
{
    if (info == nullptr)
        return -1;
    if (subItem && View() == LVS_REPORT)
        return ReportSubItemHitTest(info);
    const POINT pt = info->pt;
    RECT client;
    m_wnd->GetClientRect(&client);
    UINT flags = 0;
    if (pt.x < client.left)
        flags |= LVHT_TOLEFT;
    else if (pt.x >= client.right)
        flags |= LVHT_TORIGHT;
    if (pt.y < client.top)
        flags |= LVHT_ABOVE;
    else if (pt.y >= client.bottom)
        flags |= LVHT_BELOW;
    info->iItem = -1;
    if (subItem)
        info->iSubItem = -1;
    if (flags) {
        info->flags = flags;
        return -1;
    }
    info->flags = LVHT_NOWHERE;

    const int view = View();
    int candidate = -1;
    if (view == LVS_REPORT) {
        if (pt.y < ListTop() || m_itemHeight <= 0)
            return -1;
        candidate = m_scrollY + (pt.y - ListTop()) / m_itemHeight;
    } else if (view == LVS_LIST || AutoArranged()) {
        // Arranged views find the one cell under the point by arithmetic.
        const SIZE cell = view == LVS_ICON ? IconCell() : SmallCell();
        const int vx = pt.x + m_scrollX;
        const int vy = pt.y + m_scrollY;
        if (cell.cx <= 0 || cell.cy <= 0 || vx < 0 || vy < 0)
            return -1;
        const int col = vx / cell.cx;
        const int row = vy / cell.cy;
        if (view == LVS_LIST) {
            const int rows = RowsPerColumn();
            candidate = row < rows ? col * rows + row : -1;
        } else {
            const int perRow = std::max(1, static_cast<int>(client.right / cell.cx));
            candidate = col < perRow ? row * perRow + col : -1;
        }
    }

    auto test = [&](int i) -> UINT {
        ItemParts parts;
        if (!GetItemParts(i, &parts))
            return 0;
        if (view == LVS_REPORT) {
            if (!PtInRect(parts.bounds, pt))
                return 0;
            if ((m_exStyle & LVS_EX_FULLROWSELECT) || HasStyle(LVS_OWNERDRAWFIXED))
                return LVHT_ONITEM;
        }
        if (PtInRect(parts.icon, pt))
            return LVHT_ONITEMICON;
        if (PtInRect(parts.label, pt))
            return LVHT_ONITEMLABEL;
        if (m_stateImages && PtInRect(parts.state, pt))
            return LVHT_ONITEMSTATEICON;
        return 0;
    };

    int found = -1;
    UINT foundFlags = 0;
    if (view == LVS_REPORT || view == LVS_LIST || AutoArranged()) {
        if (m_items.IsValid(candidate)) {
            foundFlags = test(candidate);
            if (foundFlags)
                found = candidate;
        }
    } else {
        // Icons placed by hand may overlap: the last drawn is on top.
        for (int i = m_items.Count() - 1; i >= 0 && found < 0; --i) {
            foundFlags = test(i);
            if (foundFlags)
                found = i;
        }
    }
    if (subItem && found >= 0)
        info->iSubItem = 0;
    if (found < 0)
        return -1;
    info->flags = foundFlags;
    info->iItem = found;
    return found;
}

int ListViewControl::TopIndex() const
{
    switch (View()) {
    case LVS_REPORT:
        return m_items.Count() == 0 ? 0 : m_scrollY;
    case LVS_LIST: {
        const int cx = const_cast<ListViewControl*>(this)->SmallCell().cx;
        return cx > 0 ? (m_scrollX / cx) * RowsPerColumn() : 0;
    }
    default:
        return 0;
    }
}

int ListViewControl::CountPerPage() const
{
    RECT client;
    m_wnd->GetClientRect(&client);
    switch (View()) {
    case LVS_REPORT:
        return std::max(0, static_cast<int>(client.bottom - ListTop()) / std::max(1, m_itemHeight));
    case LVS_LIST: {
        const int cx = std::max<LONG>(1, const_cast<ListViewControl*>(this)->SmallCell().cx);
        return RowsPerColumn() * std::max(1, static_cast<int>(client.right) / cx);
    }
    default:
        return m_items.Count();
    }
}

RECT ListViewControl::ViewExtent()
{
    RECT extent{};
    const int view = View();
    const SIZE cell = view == LVS_ICON ? IconCell() : SmallCell();
    if (AutoArranged() || view == LVS_LIST) {
        if (m_items.Count() == 0)
            return extent;
        // Arranged cells fill rows (or columns) in order; the last one reaches farthest.
        RECT client;
        m_wnd->GetClientRect(&client);
        const int n = m_items.Count();
        if (view == LVS_LIST) {
            const int rows = RowsPerColumn();
            extent.right = ((n + rows - 1) / rows) * cell.cx;
            extent.bottom = std::min(n, rows) * cell.cy;
        } else {
            const int perRow = std::max(1, static_cast<int>(client.right / std::max<LONG>(1, cell.cx)));
            extent.right = std::min(n, perRow) * cell.cx;
            extent.bottom = ((n + perRow - 1) / perRow) * cell.cy;
        }
        return extent;
    }
    for (int i = 0; i < m_items.Count(); ++i) {
        const POINT p = ItemViewPosition(i);
        extent.right = std::max<LONG>(extent.right, p.x + cell.cx);
        extent.bottom = std::max<LONG>(extent.bottom, p.y + cell.cy);
    }
    return extent;
}

void ListViewControl::ScrollTo(int x, int y)
{
    RECT client;
    m_wnd->GetClientRect(&client);
    int maxX = 0;
    int maxY = 0;
    switch (View()) {
    case LVS_REPORT:
        maxX = std::max(0, TotalColumnWidth() - static_cast<int>(client.right));
        maxY = std::max(0, m_items.Count() - std::max(1, CountPerPage()));
        break;
    case LVS_LIST:
        maxX = std::max(0, static_cast<int>(ViewExtent().right - client.right));
        break;
    default: {
        const RECT extent = ViewExtent();
        maxX = std::max(0, static_cast<int>(extent.right - client.right));
        maxY = std::max(0, static_cast<int>(extent.bottom - client.bottom));
        break;
    }
    }
    x = std::clamp(x, 0, maxX);
    y = std::clamp(y, 0, maxY);
    const bool movedX = x != m_scrollX;
    const bool movedY = y != m_scrollY;
    m_scrollX = x;
    m_scrollY = y;
    if (movedX)
        LayoutHeader();
    if (movedX || movedY)
        InvalidateAll();
}

void ListViewControl::UpdateScrollBars()
{
    ScrollTo(m_scrollX, m_scrollY);
    RECT client;
    m_wnd->GetClientRect(&client);
    SCROLLINFO h;
    SCROLLINFO v;
    h.fMask = v.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    switch (View()) {
    case LVS_REPORT: {
        const int width = TotalColumnWidth();
        h.nMax = std::max(0, width - 1);
        h.nPage = static_cast<UINT>(std::max<LONG>(0, client.right));
        v.nMax = std::max(0, m_items.Count() - 1);
        v.nPage = static_cast<UINT>(CountPerPage());
        break;
    }
    case LVS_LIST:
        h.nMax = std::max(0, static_cast<int>(ViewExtent().right) - 1);
        h.nPage = static_cast<UINT>(std::max<LONG>(0, client.right));
        v.nPage = 0;
        break;
    default: {
        const RECT extent = ViewExtent();
        h.nMax = std::max(0, static_cast<int>(extent.right) - 1);
        h.nPage = static_cast<UINT>(std::max<LONG>(0, client.right));
        v.nMax = std::max(0, static_cast<int>(extent.bottom) - 1);
        v.nPage = static_cast<UINT>(std::max<LONG>(0, client.bottom));
        break;
    }
    }
    h.nPos = m_scrollX;
    v.nPos = m_scrollY;
    if (HasStyle(LVS_NOSCROLL)) {
        h = SCROLLINFO{SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        v = h;
    }
    m_wnd->SetScrollInfo(SB_HORZ, h, m_redraw);
    m_wnd->SetScrollInfo(SB_VERT, v, m_redraw);
}

BOOL ListViewControl::EnsureVisible(int index, bool partialOk)
{
    if (!m_items.IsValid(index))
        return FALSE;
    RECT client;
    m_wnd->GetClientRect(&client);
    const int view = View();
    if (view == LVS_REPORT) {
        const int perPage = std::max(1, CountPerPage());
        int top = m_scrollY;
        if (index < top) {
            top = index;
        } else if (index >= top + perPage) {
            const bool partlyShown = index == top + perPage && ListTop() + perPage * m_itemHeight < client.bottom;
            if (!(partialOk && partlyShown))
                top = index - perPage + 1;
        }
        ScrollTo(m_scrollX, top);
        UpdateScrollBars();
        return TRUE;
    }
    ItemParts parts;
    GetItemParts(index, &parts);
    int x = m_scrollX;
    int y = m_scrollY;
    if (parts.bounds.left < 0)
        x += parts.bounds.left;
    else if (parts.bounds.right > client.right && !partialOk)
        x += std::min<int>(parts.bounds.left, parts.bounds.right - client.right);
    if (view != LVS_LIST) {
        if (parts.bounds.top < 0)
            y += parts.bounds.top;
        else if (parts.bounds.bottom > client.bottom && !partialOk)
            y += std::min<int>(parts.bounds.top, parts.bounds.bottom - client.bottom);
    }
    ScrollTo(x, y);
    UpdateScrollBars();
    return TRUE;
}

BOOL ListViewControl::Scroll(int dx, int dy)
{
    switch (View()) {
    case LVS_REPORT:
        ScrollTo(m_scrollX + dx, m_scrollY + dy / std::max(1, m_itemHeight));
        break;
    case LVS_LIST: {
        const int cx = std::max<LONG>(1, SmallCell().cx);
        ScrollTo(m_scrollX + (dx / cx) * cx, 0);
        break;
    }
    default:
        ScrollTo(m_scrollX + dx, m_scrollY + dy);
        break;
    }
    UpdateScrollBars();
    return TRUE;
}

void ListViewControl::OnScroll(int bar, int code, int pos)
{
    RECT client;
    m_wnd->GetClientRect(&client);
    const int view = View();
    const bool rows = bar == SB_VERT && view == LVS_REPORT;
    int line = rows ? 1 : (bar == SB_VERT ? m_lineHeight : m_charWidth);
    if (bar == SB_HORZ && view == LVS_LIST)
        line = std::max<LONG>(1, SmallCell().cx);
    int page = rows ? std::max(1, CountPerPage() - 1)
                    : std::max(1, static_cast<int>(bar == SB_VERT ? client.bottom : client.right));
    if (bar == SB_HORZ && view == LVS_LIST)
        page = std::max(line, (static_cast<int>(client.right) / line) * line);
    const int current = bar == SB_VERT ? m_scrollY : m_scrollX;
    int target = current;
    switch (code) {
    case SB_LINEUP:
        target -= line;
        break;
    case SB_LINEDOWN:
        target += line;
        break;
    case SB_PAGEUP:
        target -= page;
        break;
    case SB_PAGEDOWN:
        target += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        target = pos;
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = 1 << 30;
        break;
    default:
        return;
    }
    if (bar == SB_VERT)
        ScrollTo(m_scrollX, target);
    else
        ScrollTo(target, m_scrollY);
    UpdateScrollBars();
}

void ListViewControl::OnMouseWheel(int delta)
{
    const int notches = delta / kWheelDelta;
    if (notches == 0)
        return;
    switch (View()) {
    case LVS_REPORT:
        ScrollTo(m_scrollX, m_scrollY - notches * kWheelLines);
        break;
    case LVS_LIST:
        ScrollTo(m_scrollX - notches * std::max<LONG>(1, SmallCell().cx), 0);
        break;
    default:
        ScrollTo(m_scrollX, m_scrollY - notches * kWheelLines * m_lineHeight);
        break;
    }
    UpdateScrollBars();
}

BOOL ListViewControl::Arrange(UINT)
{
    const int view = View();
    if (view != LVS_ICON && view != LVS_SMALLICON)
        return FALSE;
    for (int i = 0; i < m_items.Count(); ++i)
        if (ListItem* row = m_items.Item(i))
            row->position = SlotPosition(i);
    m_nextSlot = m_items.Count();
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

void ListViewControl::ArrangeIfAuto()
{
    if ((View() == LVS_ICON || View() == LVS_SMALLICON) && HasStyle(LVS_AUTOARRANGE))
        Arrange(LVA_DEFAULT);
}

BOOL ListViewControl::GetItemPosition(int index, POINT* pt)
{
    if (pt == nullptr || !m_items.IsValid(index))
        return FALSE;
    if (View() == LVS_REPORT) {
        // Two pixels into column 0, wherever the header shows it.
        const int left = ColumnCount() == 0 ? -m_scrollX : static_cast<int>(ColumnRect(0).left);
        *pt = POINT{left + kReportMarginX, ListTop() + (index - m_scrollY) * m_itemHeight};
        return TRUE;
    }
    const POINT p = ItemViewPosition(index);
    *pt = POINT{p.x - m_scrollX, p.y - m_scrollY};
    return TRUE;
}

BOOL ListViewControl::SetItemPosition(int index, POINT pt)
{
    const int view = View();
    ListItem* row = m_items.Item(index);
    if (row == nullptr || (view != LVS_ICON && view != LVS_SMALLICON))
        return FALSE;
    row->position = POINT{pt.x + m_scrollX, pt.y + m_scrollY};
    ArrangeIfAuto();
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

BOOL ListViewControl::GetOrigin(POINT* pt) const
{
    if (pt == nullptr || (View() != LVS_ICON && View() != LVS_SMALLICON))
        return FALSE;
    *pt = POINT{m_scrollX, m_scrollY};
    return TRUE;
}

BOOL ListViewControl::GetViewRect(RECT* rc)
{
    if (rc == nullptr || (View() != LVS_ICON && View() != LVS_SMALLICON))
        return FALSE;
    const RECT extent = ViewExtent();
    *rc = RECT{extent.left - m_scrollX, extent.top - m_scrollY, extent.right - m_scrollX, extent.bottom - m_scrollY};
    return TRUE;
}

LRESULT ListViewControl::GetItemSpacing(bool small)
{
    const SIZE cell = small ? SmallCell() : IconCell();
    return MAKELPARAM(cell.cx, cell.cy);
}

BOOL ListViewControl::RedrawItems(int first, int last)
{
    if (first < 0 || last < first)
        return FALSE;
    for (int i = first; i <= std::min(last, m_items.Count() - 1); ++i)
        InvalidateItem(i);
    return TRUE;
}

int ListViewControl::StringWidth(const char* text) const
{
    if (text == nullptr)
        return 0;
    return static_cast<int>(MeasureDC()->GetTextExtent(text).cx);
}

void ListViewControl::InvalidateItem(int index)
{
    if (!m_redraw || !m_items.IsValid(index))
        return;
    if (View() != LVS_REPORT) {
        m_wnd->Invalidate();
        return;
    }
    RECT client;
    m_wnd->GetClientRect(&client);
    const LONG top = ListTop() + (index - m_scrollY) * m_itemHeight;
    if (top + m_itemHeight <= ListTop() || top >= client.bottom)
        return;
    const RECT row{0, top, client.right, top + m_itemHeight};
    m_wnd->InvalidateRect(&row);
}
