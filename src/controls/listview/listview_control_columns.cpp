// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Columns of the list view. The header child holds each column's text, width
// and display order; the list keeps the format and image, and turns the
// header's notifications into its own.
#include <algorithm>
#include <cstring>
#include <utility>

#include "controls/header/header_control.h"
#include "controls/listview/listview_control.h"

namespace {

constexpr int kDefaultColumnWidth = 10;
// Space around a cell's text: the text starts this far in and ends this far before the edge.
constexpr int kCellTextInset = 6;
constexpr int kLabelTextInset = 2;
// Room the header needs beside its text for its own margins, and for a sort arrow.
constexpr int kHeaderTextPadding = 12;
constexpr int kHeaderArrowWidth = 16;

} // namespace

bool ListViewControl::HeaderVisible() const
{
    return m_header && View() == LVS_REPORT && !HasStyle(LVS_NOCOLUMNHEADER);
}

int ListViewControl::ListTop() const
{
    if (!HeaderVisible())
        return 0;
    const RECT rc = m_header->GetWindowRectInParent();
    return std::max<int>(0, rc.bottom);
}

void ListViewControl::CreateHeader()
{
    if (m_header)
        return;
    DWORD style = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
    if (!HasStyle(LVS_NOSORTHEADER))
        style |= HDS_BUTTONS;
    if (m_exStyle & LVS_EX_HEADERDRAGDROP)
        style |= HDS_DRAGDROP;
    RECT client;
    m_wnd->GetClientRect(&client);
    auto header = std::make_unique<CWnd>();
    if (!header->CreateEx(0, WC_HEADERA, style, RECT{0, 0, client.right, 0}, m_wnd, 0))
        return;
    m_header = std::move(header);
    if (m_font)
        m_header->SetFont(m_font, FALSE);
    if (m_smallImages)
        m_header->SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_smallImages));
    LayoutHeader();
}

void ListViewControl::LayoutHeader()
{
    if (!m_header)
        return;
    const bool visible = HeaderVisible();
    const DWORD style = m_header->GetStyle();
    if (visible && ((style & HDS_HIDDEN) || !(style & WS_VISIBLE)))
        m_header->ModifyStyle(HDS_HIDDEN, WS_VISIBLE);
    else if (!visible && (!(style & HDS_HIDDEN) || (style & WS_VISIBLE)))
        m_header->ModifyStyle(WS_VISIBLE, HDS_HIDDEN);

    RECT client;
    m_wnd->GetClientRect(&client);
    // Scrolled sideways, the header slides left with the columns.
    RECT area{-m_scrollX, 0, client.right, client.bottom};
    WINDOWPOS pos;
    HDLAYOUT layout{&area, &pos};
    m_header->SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    const RECT wanted{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    if (!(wanted == m_header->GetWindowRectInParent()))
        m_header->MoveWindow(wanted, m_redraw);
}

// The list keeps a record per column beside the header's item, so it knows
// the count without asking the header.
int ListViewControl::ColumnCount() const
{
    return static_cast<int>(m_columns.size());
}

RECT ListViewControl::ColumnRect(int column) const
{
    RECT rc{};
    if (!m_header ||
        !m_header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rc)))
        return RECT{};
    rc.left -= m_scrollX;
    rc.right -= m_scrollX;
    return rc;
}

std::vector<ListViewControl::ColumnSpan> ListViewControl::DisplayColumns() const
{
    std::vector<ColumnSpan> spans;
    const int count = ColumnCount();
    if (count == 0)
        return spans;
    std::vector<int> order(static_cast<std::size_t>(count));
    if (!m_header->SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data())))
        return spans;
    spans.reserve(order.size());
    for (int index : order) {
        const RECT rc = ColumnRect(index);
        spans.push_back(ColumnSpan{index, rc.left, rc.right});
    }
    return spans;
}

int ListViewControl::TotalColumnWidth() const
{
    const int count = ColumnCount();
    if (count == 0 || !m_header)
        return 0;
    // The header lays its items out side by side: the last one shown ends where they all do.
    const LRESULT last = m_header->SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(count - 1));
    RECT rc{};
    if (!m_header->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&rc)))
        return 0;
    return rc.right;
}

int ListViewControl::HeaderFormat(int column, int fmt) const
{
    int hdf = HDF_STRING;
    // Column 0 is always left-aligned.
    if (column != 0)
        hdf |= fmt & LVCFMT_JUSTIFYMASK;
    if (fmt & LVCFMT_IMAGE)
        hdf |= HDF_IMAGE;
    if (fmt & LVCFMT_BITMAP_ON_RIGHT)
        hdf |= HDF_BITMAP_ON_RIGHT;
    return hdf;
}

// The header item that carries a column's fields: the list view keeps the
// header as the owner of widths, texts, images and the display order. A
// callback text has no header text; a missing text pointer is an empty text.
HDITEMA ListViewControl::HeaderItemFrom(const LVCOLUMNA& column, int index) const
{
    static char empty[] = "";
    HDITEMA hi;
    if (column.mask & LVCF_FMT) {
        hi.mask |= HDI_FORMAT;
        hi.fmt = HeaderFormat(index, column.fmt);
    }
    if (column.mask & LVCF_WIDTH) {
        hi.mask |= HDI_WIDTH;
        hi.cxy = std::max(0, column.cx);
    }
    if ((column.mask & LVCF_TEXT) && column.pszText != LPSTR_TEXTCALLBACKA) {
        hi.mask |= HDI_TEXT;
        hi.pszText = column.pszText ? column.pszText : empty;
    }
    if (column.mask & LVCF_IMAGE) {
        hi.mask |= HDI_IMAGE;
        hi.iImage = column.iImage;
    }
    if (column.mask & LVCF_ORDER) {
        hi.mask |= HDI_ORDER;
        hi.iOrder = column.iOrder;
    }
    return hi;
}

int ListViewControl::InsertColumn(int index, const LVCOLUMNA* column)
{
    if (column == nullptr || index < 0)
        return -1;
    CreateHeader();
    if (!m_header)
        return -1;
    index = std::min(index, ColumnCount());
    // A new column always has a format and a width: the caller's, or the defaults.
    LVCOLUMNA full = *column;
    full.mask |= LVCF_FMT | LVCF_WIDTH;
    const int fmt = full.fmt = (column->mask & LVCF_FMT) ? column->fmt : LVCFMT_LEFT;
    const int width = full.cx = (column->mask & LVCF_WIDTH) ? column->cx : kDefaultColumnWidth;
    HDITEMA hi = HeaderItemFrom(full, index);
    const int added = static_cast<int>(
        m_header->SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi)));
    if (added < 0)
        return -1;
    ColumnInfo info;
    info.fmt = fmt;
    info.image = (column->mask & LVCF_IMAGE) ? column->iImage : 0;
    m_columns.insert(m_columns.begin() + std::min<std::ptrdiff_t>(added, static_cast<std::ptrdiff_t>(m_columns.size())),
                     info);
    m_items.InsertColumn(added);
    if ((column->mask & LVCF_WIDTH) && (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER))
        SetColumnWidth(added, width);
    UpdateScrollBars();
    InvalidateAll();
    return added;
}

BOOL ListViewControl::DeleteColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return FALSE;
    if (!m_header->SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(index)))
        return FALSE;
    if (static_cast<std::size_t>(index) < m_columns.size())
        m_columns.erase(m_columns.begin() + index);
    m_items.DeleteColumn(index);
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

BOOL ListViewControl::GetColumn(int index, LVCOLUMNA* column)
{
    if (column == nullptr || index < 0 || index >= ColumnCount())
        return FALSE;
    HDITEMA hi;
    hi.mask = HDI_WIDTH | HDI_ORDER;
    if ((column->mask & LVCF_TEXT) && column->pszText && column->cchTextMax > 0) {
        hi.mask |= HDI_TEXT;
        hi.pszText = column->pszText;
        hi.cchTextMax = column->cchTextMax;
    }
    if (!m_header->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi)))
        return FALSE;
    const ColumnInfo info =
        static_cast<std::size_t>(index) < m_columns.size() ? m_columns[static_cast<std::size_t>(index)] : ColumnInfo{};
    if (column->mask & LVCF_FMT)
        column->fmt = info.fmt;
    if (column->mask & LVCF_WIDTH)
        column->cx = hi.cxy;
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = index;
    if (column->mask & LVCF_IMAGE)
        column->iImage = info.image;
    if (column->mask & LVCF_ORDER)
        column->iOrder = hi.iOrder;
    return TRUE;
}

BOOL ListViewControl::SetColumn(int index, const LVCOLUMNA* column)
{
    if (column == nullptr || index < 0 || index >= ColumnCount())
        return FALSE;
    if (static_cast<std::size_t>(index) >= m_columns.size())
        m_columns.resize(static_cast<std::size_t>(index) + 1);
    ColumnInfo& info = m_columns[static_cast<std::size_t>(index)];
    HDITEMA hi = HeaderItemFrom(*column, index);
    // The header's notices of this change go to the list only, not on to its parent.
    const bool wasSetting = std::exchange(m_settingColumn, true);
    const bool set =
        hi.mask == 0 || m_header->SendMessage(HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi));
    m_settingColumn = wasSetting;
    if (!set)
        return FALSE;
    if (column->mask & LVCF_FMT)
        info.fmt = column->fmt;
    if (column->mask & LVCF_IMAGE)
        info.image = column->iImage;
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

int ListViewControl::GetColumnWidth(int index) const
{
    if (View() == LVS_LIST)
        return index == 0 ? const_cast<ListViewControl*>(this)->SmallCell().cx : 0;
    if (index < 0 || index >= ColumnCount())
        return 0;
    HDITEMA hi;
    hi.mask = HDI_WIDTH;
    if (!m_header->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi)))
        return 0;
    return hi.cxy;
}

BOOL ListViewControl::SetColumnWidth(int index, int width)
{
    const int view = View();
    if (view == LVS_LIST) {
        if (index != 0)
            return FALSE;
        m_listColumnWidth = width > 0 ? width : 0;
        m_smallItemWidth = -1;
        UpdateScrollBars();
        InvalidateAll();
        return TRUE;
    }
    if (view != LVS_REPORT || index < 0 || index >= ColumnCount())
        return FALSE;
    if (width == LVSCW_AUTOSIZE)
        width = AutoSizeWidth(index, false);
    else if (width == LVSCW_AUTOSIZE_USEHEADER)
        width = AutoSizeWidth(index, true);
    else if (width < 0)
        return FALSE;
    HDITEMA hi;
    hi.mask = HDI_WIDTH;
    hi.cxy = width;
    // The header tells the list (HDN_ITEMCHANGING / HDN_ITEMCHANGED), which lays itself out again.
    return m_header->SendMessage(HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hi)) ? TRUE
                                                                                                          : FALSE;
}

int ListViewControl::AutoSizeWidth(int column, bool useHeader)
{
    std::unique_ptr<CDC> dc = MeasureDC();
    int widest = 0;
    for (int i = 0; i < m_items.Count(); ++i)
        widest = std::max(widest, static_cast<int>(dc->GetTextExtent(DisplayText(i, column)).cx));
    int width = 0;
    if (column == 0) {
        ItemParts parts;
        int labelOffset = kLabelTextInset;
        if (m_items.Count() > 0 && GetItemParts(0, &parts))
            labelOffset = parts.label.left - ColumnRect(0).left;
        width = labelOffset + kLabelTextInset + widest + kCellTextInset;
    } else {
        width = widest + 2 * kCellTextInset;
    }
    if (useHeader) {
        char text[260] = {};
        HDITEMA hi;
        hi.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        hi.pszText = text;
        hi.cchTextMax = sizeof text;
        if (m_header->SendMessage(HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&hi))) {
            int headerWidth = static_cast<int>(dc->GetTextExtent(text).cx) + kHeaderTextPadding;
            if ((hi.fmt & HDF_IMAGE) && m_smallImages)
                headerWidth += m_smallImages->Width() + kCellTextInset;
            if (hi.fmt & (HDF_SORTUP | HDF_SORTDOWN))
                headerWidth += kHeaderArrowWidth;
            width = std::max(width, headerWidth);
        }
        // The last displayed column reaches to the right edge of the window.
        const std::vector<ColumnSpan> spans = DisplayColumns();
        if (!spans.empty() && spans.back().index == column) {
            RECT client;
            m_wnd->GetClientRect(&client);
            width = std::max(width, static_cast<int>(client.right - spans.back().left));
        }
    }
    return width;
}

// Both go to the header as they are, which refuses a bad count or a missing array.
BOOL ListViewControl::GetColumnOrderArray(int count, int* order) const
{
    if (!m_header)
        return FALSE;
    return m_header->SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order))
               ? TRUE
               : FALSE;
}

BOOL ListViewControl::SetColumnOrderArray(int count, const int* order)
{
    if (!m_header)
        return FALSE;
    const BOOL ok =
        m_header->SendMessage(HDM_SETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)) ? TRUE
                                                                                                              : FALSE;
    if (ok)
        InvalidateAll();
    return ok;
}

LRESULT ListViewControl::ForwardHeaderNotify(const NMHEADERA* nm)
{
    CWnd* parent = m_wnd->GetParent();
    if (parent == nullptr)
        return 0;
    NMHEADERA copy = *nm;
    return parent->SendMessage(WM_NOTIFY, copy.hdr.idFrom, reinterpret_cast<LPARAM>(&copy));
}

LRESULT ListViewControl::ForwardToParent(NMHDR* hdr)
{
    CWnd* parent = m_wnd->GetParent();
    return parent ? parent->SendMessage(WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr)) : 0;
}

// What the header tells the list, and what of it reaches the list's parent:
// changes of items (except those the list makes through LVM_SETCOLUMN), clicks
// after the list's own LVN_COLUMNCLICK, divider double-clicks after the list
// has sized the column, tracking, the end of a drag, and custom draw, which
// goes on unchanged with the parent's answer coming back to the header.
LRESULT ListViewControl::OnHeaderNotify(NMHDR* hdr)
{
    auto* nm = reinterpret_cast<NMHEADERA*>(hdr);
    switch (hdr->code) {
    case NM_CUSTOMDRAW:
        return ForwardToParent(hdr);
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
        return m_settingColumn ? 0 : ForwardHeaderNotify(nm);
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
        UpdateScrollBars();
        InvalidateAll();
        if (!m_settingColumn)
            ForwardHeaderNotify(nm);
        return 0;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
        NotifyListView(LVN_COLUMNCLICK, -1, nm->iItem);
        ForwardHeaderNotify(nm);
        return 0;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        SetColumnWidth(nm->iItem, LVSCW_AUTOSIZE);
        ForwardHeaderNotify(nm);
        return 0;
    case HDN_BEGINDRAG:
        return (m_exStyle & LVS_EX_HEADERDRAGDROP) ? 0 : 1;
    case HDN_ENDDRAG: {
        const LRESULT refused = ForwardHeaderNotify(nm);
        if (!refused)
            InvalidateAll();
        return refused;
    }
    case HDN_TRACKA:
    case HDN_TRACKW:
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        return ForwardHeaderNotify(nm);
    default:
        return 0;
    }
}
