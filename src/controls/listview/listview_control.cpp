// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list-view control: creation, the message dispatch, styles, colours and
// image lists. Columns, items, geometry, painting and input have files of their own.
#include "controls/listview/listview_control.h"

#include <algorithm>

#include "controls/header/header_control.h"

namespace {

template <class T> T* Ptr(LPARAM lParam)
{
    return reinterpret_cast<T*>(lParam);
}

int IntOf(WPARAM wParam)
{
    return static_cast<int>(static_cast<INT_PTR>(wParam));
}
POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

constexpr int kCheckBoxSize = 16;

} // namespace

void RegisterListViewClass()
{
    RegisterWindowClass(
        WC_LISTVIEWA, [](CWnd* wnd) -> std::unique_ptr<ControlProc> { return std::make_unique<ListViewControl>(wnd); });
}

ListViewControl::ListViewControl(CWnd* wnd) : m_wnd(wnd), m_bkColour(GetSysColor(COLOR_WINDOW)) {}

ListViewControl::~ListViewControl() = default;

// One switch that only decodes arguments; every job lives in a typed handler.
LRESULT ListViewControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // Colours and image lists.
    case LVM_GETBKCOLOR:
        return m_bkColour;
    case LVM_SETBKCOLOR:
        return SetBkColor(static_cast<COLORREF>(lParam));
    case LVM_GETTEXTCOLOR:
        return m_textColour;
    case LVM_SETTEXTCOLOR:
        return SetTextColor(static_cast<COLORREF>(lParam));
    case LVM_GETTEXTBKCOLOR:
        return m_textBkColour;
    case LVM_SETTEXTBKCOLOR:
        return SetTextBkColor(static_cast<COLORREF>(lParam));
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(GetImageList(wParam));
    case LVM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(SetImageList(wParam, Ptr<CImageList>(lParam)));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_exStyle;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETCALLBACKMASK:
        return m_callbackMask;
    case LVM_SETCALLBACKMASK:
        m_callbackMask = static_cast<UINT>(wParam);
        return TRUE;

    // Rows.
    case LVM_GETITEMCOUNT:
        return m_items.Count();
    case LVM_INSERTITEMA:
        return InsertItem(Ptr<const LVITEMA>(lParam));
    case LVM_DELETEITEM:
        return DeleteItem(IntOf(wParam));
    case LVM_DELETEALLITEMS:
        return DeleteAllItems(false);
    case LVM_GETITEMA:
        return GetItem(Ptr<LVITEMA>(lParam));
    case LVM_SETITEMA:
        return SetItem(Ptr<const LVITEMA>(lParam));
    case LVM_GETITEMTEXTA:
        return GetItemText(IntOf(wParam), Ptr<LVITEMA>(lParam));
    case LVM_SETITEMTEXTA:
        return SetItemText(IntOf(wParam), Ptr<const LVITEMA>(lParam));
    case LVM_GETITEMSTATE:
        return GetItemState(IntOf(wParam), static_cast<UINT>(lParam));
    case LVM_SETITEMSTATE:
        return SetItemState(IntOf(wParam), Ptr<const LVITEMA>(lParam));
    case LVM_GETNEXTITEM:
        return GetNextItem(IntOf(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)));
    case LVM_FINDITEMA:
        return FindItem(IntOf(wParam), Ptr<const LVFINDINFOA>(lParam));
    case LVM_SORTITEMS:
        return SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
    case LVM_GETSELECTEDCOUNT:
        return GetSelectedCount();
    case LVM_SETITEMCOUNT:
        return SetItemCount(IntOf(wParam));
    case LVM_GETSELECTIONMARK:
        return m_mark;
    case LVM_SETSELECTIONMARK:
        return SetSelectionMark(static_cast<int>(lParam));
    case LVM_GETHOTITEM:
        return m_hot;
    case LVM_SETHOTITEM:
        return SetHotItem(IntOf(wParam));

    // Columns.
    case LVM_INSERTCOLUMNA:
        return InsertColumn(IntOf(wParam), Ptr<const LVCOLUMNA>(lParam));
    case LVM_DELETECOLUMN:
        return DeleteColumn(IntOf(wParam));
    case LVM_GETCOLUMNA:
        return GetColumn(IntOf(wParam), Ptr<LVCOLUMNA>(lParam));
    case LVM_SETCOLUMNA:
        return SetColumn(IntOf(wParam), Ptr<const LVCOLUMNA>(lParam));
    case LVM_GETCOLUMNWIDTH:
        return GetColumnWidth(IntOf(wParam));
    case LVM_SETCOLUMNWIDTH:
        // The width travels in the low word, so -1 and -2 arrive as 0xFFFF and 0xFFFE.
        return SetColumnWidth(IntOf(wParam), static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case LVM_GETCOLUMNORDERARRAY:
        return GetColumnOrderArray(IntOf(wParam), Ptr<int>(lParam));
    case LVM_SETCOLUMNORDERARRAY:
        return SetColumnOrderArray(IntOf(wParam), Ptr<const int>(lParam));
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header.get());

    // Geometry and scrolling.
    case LVM_GETITEMRECT:
        return GetItemRect(IntOf(wParam), Ptr<RECT>(lParam));
    case LVM_GETSUBITEMRECT:
        return GetSubItemRect(IntOf(wParam), Ptr<RECT>(lParam));
    case LVM_HITTEST:
        return HitTest(Ptr<LVHITTESTINFO>(lParam), false);
    case LVM_SUBITEMHITTEST:
        return HitTest(Ptr<LVHITTESTINFO>(lParam), true);
    case LVM_GETTOPINDEX:
        return TopIndex();
    case LVM_GETCOUNTPERPAGE:
        return CountPerPage();
    case LVM_ENSUREVISIBLE:
        return EnsureVisible(IntOf(wParam), lParam != 0);
    case LVM_SCROLL:
        return Scroll(IntOf(wParam), static_cast<int>(lParam));
    case LVM_REDRAWITEMS:
        return RedrawItems(IntOf(wParam), static_cast<int>(lParam));
    case LVM_UPDATE:
        ArrangeIfAuto();
        InvalidateItem(IntOf(wParam));
        return m_items.IsValid(IntOf(wParam));
    case LVM_ARRANGE:
        return Arrange(static_cast<UINT>(wParam));
    case LVM_GETITEMPOSITION:
        return GetItemPosition(IntOf(wParam), Ptr<POINT>(lParam));
    case LVM_SETITEMPOSITION:
        return SetItemPosition(IntOf(wParam), PointOf(lParam));
    case LVM_SETITEMPOSITION32:
        return Ptr<POINT>(lParam) ? SetItemPosition(IntOf(wParam), *Ptr<POINT>(lParam)) : FALSE;
    case LVM_GETORIGIN:
        return GetOrigin(Ptr<POINT>(lParam));
    case LVM_GETVIEWRECT:
        return GetViewRect(Ptr<RECT>(lParam));
    case LVM_GETITEMSPACING:
        return GetItemSpacing(wParam != 0);
    case LVM_GETSTRINGWIDTHA:
        return StringWidth(Ptr<const char>(lParam));

    // Window messages.
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_STYLECHANGED:
        OnStyleChanged(wParam, Ptr<const STYLESTRUCT>(lParam));
        return 0;
    case WM_SETFONT:
        OnSetFont(reinterpret_cast<CFont*>(wParam), lParam != 0);
        return 0;
    case WM_GETFONT: {
        // Without a font of its own the list shows the desktop's default one.
        static CFont desktopFont;
        return reinterpret_cast<LRESULT>(m_font ? m_font : &desktopFont);
    }
    case WM_SETREDRAW:
        OnSetRedraw(wParam != 0);
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_PAINT:
        OnPaint(reinterpret_cast<CDC*>(wParam));
        return 0;
    case WM_NOTIFY: {
        auto* hdr = Ptr<NMHDR>(lParam);
        if (hdr && m_header && hdr->hwndFrom == m_header.get())
            return OnHeaderNotify(hdr);
        return 0;
    }
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam), static_cast<std::int16_t>(HIWORD(wParam)));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam), static_cast<std::int16_t>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(static_cast<std::int16_t>(HIWORD(wParam)));
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(PointOf(lParam), wParam, false, false);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnButtonDown(PointOf(lParam), wParam, false, true);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(PointOf(lParam), wParam);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        OnButtonDown(PointOf(lParam), wParam, true, message == WM_RBUTTONDBLCLK);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(PointOf(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam), wParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_SETFOCUS:
        OnFocus(true);
        return 0;
    case WM_KILLFOCUS:
        OnFocus(false);
        return 0;
    case WM_SYSCOLORCHANGE:
        // A background nobody chose follows the desktop's window colour.
        if (!m_bkColourChosen)
            m_bkColour = GetSysColor(COLOR_WINDOW);
        InvalidateAll();
        return 0;
    case WM_QUERYTIPTEXT:
        return OnQueryTipText(Ptr<TIPTEXTQUERY>(lParam)) ? 1 : 0;
    case WM_CONTEXTMENU:
        // Unhandled, the request goes on to the parent as for any child window.
        if ((m_wnd->GetStyle() & WS_CHILD) && m_wnd->GetParent())
            return m_wnd->GetParent()->SendMessage(WM_CONTEXTMENU, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

int ListViewControl::View() const
{
    return static_cast<int>(m_wnd->GetStyle() & LVS_TYPEMASK);
}

bool ListViewControl::HasStyle(DWORD style) const
{
    return (m_wnd->GetStyle() & style) != 0;
}

LRESULT ListViewControl::OnCreate()
{
    m_items.SetVirtual(HasStyle(LVS_OWNERDATA));
    MeasureFont();
    if (View() == LVS_REPORT)
        CreateHeader();
    if (View() == LVS_REPORT && HasStyle(LVS_OWNERDRAWFIXED))
        MeasureOwnerDrawItem();
    UpdateItemMetrics();
    UpdateScrollBars();
    return 0;
}

void ListViewControl::OnDestroy()
{
    DeleteAllItems(true);
    m_hot = -1;
}

void ListViewControl::OnStyleChanged(WPARAM which, const STYLESTRUCT* change)
{
    if (which != GWL_STYLE || change == nullptr)
        return;
    const DWORD oldStyle = change->styleOld;
    const DWORD newStyle = change->styleNew;
    const DWORD oldView = oldStyle & LVS_TYPEMASK;
    const DWORD newView = newStyle & LVS_TYPEMASK;
    if (oldView != newView) {
        m_scrollX = 0;
        m_scrollY = 0;
        if (newView == LVS_REPORT)
            CreateHeader();
        if (newView == LVS_ICON || newView == LVS_SMALLICON) {
            m_smallItemWidth = -1;
            Arrange(LVA_DEFAULT);
        }
    } else if ((newStyle ^ oldStyle) & LVS_AUTOARRANGE) {
        // Switched on, the icons line up now; switched off, they stay where they are.
        Arrange(LVA_DEFAULT);
    }
    if (m_header) {
        const DWORD buttons = (newStyle & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS;
        m_header->ModifyStyle(HDS_BUTTONS & ~buttons, buttons);
    }
    if (((oldStyle ^ newStyle) & LVS_OWNERDRAWFIXED) || oldView != newView) {
        if ((newStyle & LVS_OWNERDRAWFIXED) && newView == LVS_REPORT)
            MeasureOwnerDrawItem();
    }
    LayoutHeader();
    UpdateItemMetrics();
    UpdateScrollBars();
    InvalidateAll();
}

void ListViewControl::OnSize()
{
    LayoutHeader();
    UpdateScrollBars();
    InvalidateAll();
}

void ListViewControl::OnSetFont(CFont* font, bool redraw)
{
    m_font = font;
    m_hotFont.reset();
    if (m_header)
        m_header->SetFont(font, FALSE);
    MeasureFont();
    m_smallItemWidth = -1;
    if (View() == LVS_REPORT && HasStyle(LVS_OWNERDRAWFIXED))
        MeasureOwnerDrawItem();
    UpdateItemMetrics();
    LayoutHeader();
    UpdateScrollBars();
    if (redraw)
        InvalidateAll();
}

void ListViewControl::OnSetRedraw(bool redraw)
{
    m_redraw = redraw;
    if (redraw)
        InvalidateAll();
}

std::unique_ptr<CDC> ListViewControl::MeasureDC() const
{
    std::unique_ptr<CDC> dc = m_wnd->CreateMeasureDC();
    if (m_font)
        dc->SelectObject(m_font);
    return dc;
}

void ListViewControl::MeasureFont()
{
    std::unique_ptr<CDC> dc = MeasureDC();
    TEXTMETRIC tm;
    if (dc->GetTextMetrics(&tm)) {
        m_lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
        m_charWidth = std::max<int>(1, tm.tmAveCharWidth);
    }
}

void ListViewControl::UpdateItemMetrics()
{
    if (View() == LVS_REPORT && HasStyle(LVS_OWNERDRAWFIXED) && m_ownerDrawHeight > 0) {
        m_itemHeight = m_ownerDrawHeight;
        return;
    }
    int height = m_lineHeight;
    if (m_smallImages)
        height = std::max(height, m_smallImages->Height());
    if (m_stateImages)
        height = std::max(height, m_stateImages->Height());
    height += 1;
    // Room for the line under each row.
    if (View() == LVS_REPORT && (m_exStyle & LVS_EX_GRIDLINES))
        height += 1;
    m_itemHeight = height;
}

void ListViewControl::MeasureOwnerDrawItem()
{
    int height = std::max(m_lineHeight, m_smallImages ? m_smallImages->Height() : 0) + 1;
    CWnd* parent = m_wnd->GetParent();
    if (parent) {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTVIEW;
        mis.CtlID = m_wnd->GetDlgCtrlID();
        mis.itemID = 0;
        mis.itemHeight = static_cast<UINT>(height);
        parent->SendMessage(WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        if (mis.itemHeight > 0)
            height = static_cast<int>(mis.itemHeight);
    }
    m_ownerDrawHeight = height;
}

DWORD ListViewControl::SetExtendedStyle(DWORD mask, DWORD style)
{
    if (mask == 0)
        mask = ~DWORD{0};
    const DWORD old = m_exStyle;
    m_exStyle = (old & ~mask) | (style & mask);
    const DWORD changed = old ^ m_exStyle;

    if (changed & LVS_EX_CHECKBOXES) {
        if (m_exStyle & LVS_EX_CHECKBOXES) {
            EnsureCheckBoxImages();
            m_stateImages = m_checkBoxes.get();
            // Every row starts unchecked.
            for (int i = 0; i < m_items.Count(); ++i)
                m_items.SetState(i, (m_items.State(i) & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(1));
        } else if (m_stateImages == m_checkBoxes.get()) {
            m_stateImages = nullptr;
        }
    }
    if ((changed & LVS_EX_HEADERDRAGDROP) && m_header) {
        if (m_exStyle & LVS_EX_HEADERDRAGDROP)
            m_header->ModifyStyle(0, HDS_DRAGDROP);
        else
            m_header->ModifyStyle(HDS_DRAGDROP, 0);
    }
    if (changed & (LVS_EX_UNDERLINEHOT | LVS_EX_UNDERLINECOLD))
        m_hotFont.reset();
    if (changed) {
        UpdateItemMetrics();
        UpdateScrollBars();
        InvalidateAll();
    }
    return old;
}

void ListViewControl::EnsureCheckBoxImages()
{
    if (m_checkBoxes)
        return;
    m_checkBoxes = std::make_unique<CImageList>();
    m_checkBoxes->Create(kCheckBoxSize, kCheckBoxSize, ILC_COLOR32 | ILC_MASK, 2, 0);
    // The pictures are drawn natively (CDC::DrawCheckBox); the images give the size,
    // and whoever draws the list's state images gets native boxes too.
    m_checkBoxes->MarkAsCheckBoxes();
    ImageData blank;
    blank.width = kCheckBoxSize;
    blank.height = kCheckBoxSize;
    blank.argb.assign(static_cast<std::size_t>(kCheckBoxSize * kCheckBoxSize), 0);
    m_checkBoxes->Add(blank);
    m_checkBoxes->Add(blank);
}

CImageList* ListViewControl::GetImageList(WPARAM which) const
{
    switch (which) {
    case LVSIL_NORMAL:
        return m_normalImages;
    case LVSIL_SMALL:
        return m_smallImages;
    case LVSIL_STATE:
        return m_stateImages;
    default:
        return nullptr;
    }
}

CImageList* ListViewControl::SetImageList(WPARAM which, CImageList* list)
{
    CImageList* old = nullptr;
    switch (which) {
    case LVSIL_NORMAL:
        old = m_normalImages;
        m_normalImages = list;
        break;
    case LVSIL_SMALL:
        old = m_smallImages;
        m_smallImages = list;
        // The header shows its images from the small list.
        if (m_header)
            m_header->SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
        break;
    case LVSIL_STATE:
        old = m_stateImages;
        m_stateImages = list;
        break;
    default:
        return nullptr;
    }
    m_smallItemWidth = -1;
    UpdateItemMetrics();
    ArrangeIfAuto();
    UpdateScrollBars();
    InvalidateAll();
    return old;
}

BOOL ListViewControl::SetBkColor(COLORREF colour)
{
    m_bkColour = colour;
    m_bkColourChosen = true;
    InvalidateAll();
    return TRUE;
}

BOOL ListViewControl::SetTextColor(COLORREF colour)
{
    m_textColour = colour;
    InvalidateAll();
    return TRUE;
}

BOOL ListViewControl::SetTextBkColor(COLORREF colour)
{
    m_textBkColour = colour;
    InvalidateAll();
    return TRUE;
}

void ListViewControl::InvalidateAll()
{
    if (m_redraw)
        m_wnd->Invalidate();
}

LRESULT ListViewControl::Notify(NMHDR& hdr, UINT code)
{
    hdr.hwndFrom = m_wnd;
    hdr.idFrom = m_wnd->GetDlgCtrlID();
    hdr.code = code;
    CWnd* parent = m_wnd->GetParent();
    if (parent == nullptr)
        return 0;
    return parent->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

LRESULT ListViewControl::NotifyListView(UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed,
                                        LPARAM lParam, POINT pt)
{
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.lParam = lParam;
    nm.ptAction = pt;
    return Notify(nm.hdr, code);
}
