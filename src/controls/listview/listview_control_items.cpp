// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Rows of the list view: insert, delete, read and change items, their states
// with the notifications around them, sort and find.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "controls/listview/listview_control.h"

namespace {

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;
constexpr int kDispInfoBuffer = 260;

int CompareNoCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

void CopyText(const std::string& text, LPSTR buffer, int size)
{
    if (buffer == nullptr || buffer == LPSTR_TEXTCALLBACKA || size <= 0)
        return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

bool IsRealText(LPCSTR text)
{
    return text != nullptr && text != LPSTR_TEXTCALLBACKA;
}

} // namespace

LPARAM ListViewControl::ItemParam(int index) const
{
    return m_items.Param(index);
}

void ListViewControl::ShiftIndices(int from, int delta)
{
    for (int* index : {&m_focused, &m_mark, &m_hot}) {
        if (*index < 0)
            continue;
        if (delta > 0 && *index >= from)
            *index += delta;
        else if (delta < 0 && *index == from)
            *index = -1;
        else if (delta < 0 && *index > from)
            *index += delta;
    }
}

int ListViewControl::InsertPosition(const std::string& text, int requested) const
{
    const DWORD style = m_wnd->GetStyle();
    const bool ascending = (style & LVS_SORTASCENDING) != 0;
    const bool descending = (style & LVS_SORTDESCENDING) != 0;
    if ((!ascending && !descending) || (style & LVS_OWNERDRAWFIXED))
        return requested;
    // A new row goes after the rows that sort equal to it.
    int lo = 0;
    int hi = m_items.Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const ListItem* item = m_items.Item(mid);
        const int c = CompareNoCase(text, item ? item->text : std::string());
        const bool before = ascending ? c < 0 : c > 0;
        if (before)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

int ListViewControl::InsertItem(const LVITEMA* src)
{
    if (src == nullptr || src->iSubItem != 0 || src->iItem < 0 || m_sorting)
        return -1;
    const int count = m_items.Count();
    if (m_items.IsVirtual()) {
        const int index = m_items.Insert(std::min(src->iItem, count), nullptr);
        ShiftIndices(index, 1);
        UpdateScrollBars();
        InvalidateAll();
        return index;
    }

    auto row = std::make_unique<ListItem>();
    if (src->mask & LVIF_TEXT) {
        if (src->pszText == LPSTR_TEXTCALLBACKA)
            row->textCallback = true;
        else if (src->pszText)
            row->text = src->pszText;
    }
    if (src->mask & LVIF_IMAGE)
        row->image = src->iImage;
    const LPARAM lParam = (src->mask & LVIF_PARAM) ? src->lParam : 0;
    if (src->mask & LVIF_INDENT)
        row->indent = src->iIndent;
    // The state is taken as given, whatever stateMask says; selection and
    // focus are set after insertion, with their notifications. With check
    // boxes every new row starts unchecked.
    const UINT initial = (src->mask & LVIF_STATE) ? src->state : 0;
    row->state = initial & ~kSelFocus;
    if (m_exStyle & LVS_EX_CHECKBOXES)
        row->state = (row->state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(1);
    if ((View() == LVS_ICON || View() == LVS_SMALLICON) && !AutoArranged())
        row->position = SlotPosition(m_nextSlot++);

    int where = std::min(src->iItem, count);
    if (!row->textCallback)
        where = InsertPosition(row->text, where);
    const int index = m_items.Insert(where, std::move(row), lParam);
    ShiftIndices(index, 1);
    m_smallItemWidth = -1;

    if (initial & kSelFocus)
        ChangeState(index, initial & kSelFocus, initial & kSelFocus);
    NotifyListView(LVN_INSERTITEM, index, 0, 0, 0, 0, lParam);
    UpdateScrollBars();
    InvalidateAll();
    return index;
}

BOOL ListViewControl::DeleteItem(int index)
{
    if (!m_items.IsValid(index) || m_sorting)
        return FALSE;
    const int focus = m_focused;
    if (m_items.State(index) & kSelFocus)
        ChangeState(index, 0, kSelFocus);
    if (!m_items.IsValid(index))
        return FALSE;
    if (!m_items.IsVirtual())
        NotifyListView(LVN_DELETEITEM, index, 0, 0, 0, 0, ItemParam(index));
    if (!m_items.IsValid(index))
        return FALSE;
    m_items.Remove(index);
    ShiftIndices(index, -1);
    if (focus == index && m_items.Count() > 0) {
        // The focus goes to the row that took the deleted one's place, quietly.
        ChangeState(std::min(index, m_items.Count() - 1), LVIS_FOCUSED, LVIS_FOCUSED, false);
    }
    m_smallItemWidth = -1;
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

BOOL ListViewControl::DeleteAllItems(bool destroying)
{
    if (m_sorting)
        return FALSE;
    const bool isVirtual = m_items.IsVirtual();
    LRESULT suppress = 0;
    if (!(destroying && isVirtual))
        suppress = NotifyListView(LVN_DELETEALLITEMS, -1);
    if (!isVirtual) {
        for (int i = m_items.Count() - 1; i >= 0; --i) {
            if (i >= m_items.Count())
                continue;
            if (!suppress)
                NotifyListView(LVN_DELETEITEM, i, 0, 0, 0, 0, ItemParam(i));
            m_items.Remove(std::min(i, m_items.Count() - 1));
        }
    }
    m_items.Clear();
    m_focused = -1;
    m_mark = -1;
    m_hot = -1;
    m_nextSlot = 0;
    m_scrollY = 0;
    m_smallItemWidth = -1;
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

bool ListViewControl::AskDispInfo(int index, int subItem, UINT mask, char* buffer, int size, NMLVDISPINFOA* out)
{
    NMLVDISPINFOA di;
    di.item.mask = mask;
    di.item.iItem = index;
    di.item.iSubItem = subItem;
    di.item.state = m_items.State(index);
    di.item.stateMask = (mask & LVIF_STATE) ? m_callbackMask : 0;
    di.item.pszText = buffer;
    di.item.cchTextMax = buffer ? size : 0;
    if (buffer && size > 0)
        buffer[0] = '\0';
    di.item.lParam = ItemParam(index);
    Notify(di.hdr, LVN_GETDISPINFOA);
    // The parent may ask the control to keep the answer; only the row's own label and image.
    if ((di.item.mask & LVIF_DI_SETITEM) && subItem == 0) {
        if (ListItem* row = m_items.Item(index)) {
            if ((mask & LVIF_TEXT) && IsRealText(di.item.pszText)) {
                row->text = di.item.pszText;
                row->textCallback = false;
            }
            if ((mask & LVIF_IMAGE) && row->image == I_IMAGECALLBACK)
                row->image = di.item.iImage;
        }
    }
    if (out)
        *out = di;
    return true;
}

std::string ListViewControl::DisplayText(int index, int subItem)
{
    bool callback = m_items.IsVirtual();
    if (const ListItem* row = m_items.Item(index)) {
        if (subItem == 0) {
            if (!row->textCallback)
                return row->text;
        } else {
            const ListSubItem* sub = ListItemStore::SubItem(*row, subItem);
            if (sub == nullptr)
                return std::string();
            if (!sub->callback)
                return sub->text;
        }
        callback = true;
    }
    if (!callback)
        return std::string();
    char buffer[kDispInfoBuffer];
    NMLVDISPINFOA di;
    AskDispInfo(index, subItem, LVIF_TEXT, buffer, kDispInfoBuffer, &di);
    if (!IsRealText(di.item.pszText))
        return std::string();
    if (di.item.pszText == buffer)
        return std::string(buffer, strnlen(buffer, kDispInfoBuffer));
    return std::string(di.item.pszText);
}

int ListViewControl::DisplayImage(int index, int subItem)
{
    int image = 0;
    if (const ListItem* row = m_items.Item(index)) {
        if (subItem == 0) {
            image = row->image;
        } else {
            const ListSubItem* sub = ListItemStore::SubItem(*row, subItem);
            image = sub ? sub->image : I_IMAGENONE;
        }
    } else if (m_items.IsVirtual()) {
        image = I_IMAGECALLBACK;
    }
    if (image == I_IMAGECALLBACK) {
        NMLVDISPINFOA di;
        di.item.iImage = I_IMAGENONE;
        AskDispInfo(index, subItem, LVIF_IMAGE, nullptr, 0, &di);
        image = di.item.iImage;
    }
    return image;
}

BOOL ListViewControl::GetItem(LVITEMA* it)
{
    if (it == nullptr || !m_items.IsValid(it->iItem))
        return FALSE;
    const int index = it->iItem;
    const int sub = it->iSubItem;
    if (sub < 0)
        return FALSE;
    // The most asked: the row's lParam alone (a sub-item's is its row's).
    if (it->mask == LVIF_PARAM) {
        it->lParam = m_items.Param(index);
        return TRUE;
    }
    // A sub-item past the last column answers as an empty one, without asking the parent.
    const bool pastColumns = sub > 0 && sub >= ColumnCount();

    const ListItem* row = m_items.Item(index);
    const ListSubItem* cell = (row && sub > 0) ? ListItemStore::SubItem(*row, sub) : nullptr;
    // A column's text that was never given is asked of the parent like a callback text.
    bool callbackText = row == nullptr;
    if (row != nullptr && !pastColumns)
        callbackText = sub == 0 ? row->textCallback : (cell == nullptr || !cell->textSet || cell->callback);
    UINT ask = 0;
    if ((it->mask & LVIF_TEXT) && callbackText && !(it->mask & LVIF_NORECOMPUTE))
        ask |= LVIF_TEXT;
    if (it->mask & LVIF_IMAGE) {
        int image = 0;
        if (row == nullptr)
            image = I_IMAGECALLBACK;
        else if (!pastColumns)
            image = sub == 0 ? row->image : (cell ? cell->image : 0);
        if (image == I_IMAGECALLBACK)
            ask |= LVIF_IMAGE;
        else
            it->iImage = image;
    }
    if ((it->mask & LVIF_INDENT))
        it->iIndent = (row && sub == 0) ? row->indent : 0;
    if (it->mask & LVIF_PARAM)
        it->lParam = m_items.Param(index);
    if (it->mask & LVIF_STATE) {
        // Selection, focus and the other states belong to the item; a sub-item has none of its own.
        it->state = sub == 0 ? (m_items.State(index) & it->stateMask) : 0;
        if ((m_callbackMask & it->stateMask) && !pastColumns)
            ask |= LVIF_STATE;
    }
    if ((it->mask & LVIF_TEXT) && !(ask & LVIF_TEXT)) {
        if ((it->mask & LVIF_NORECOMPUTE) && callbackText)
            it->pszText = LPSTR_TEXTCALLBACKA;
        else
            CopyText(sub == 0 ? (row ? row->text : std::string()) : (cell ? cell->text : std::string()), it->pszText,
                     it->cchTextMax);
    }
    if (ask == 0)
        return TRUE;

    const bool ownBuffer = (ask & LVIF_TEXT) && it->pszText != nullptr && it->cchTextMax > 0;
    NMLVDISPINFOA di;
    di.item.iImage = it->iImage;
    AskDispInfo(index, sub, ask, ownBuffer ? it->pszText : nullptr, ownBuffer ? it->cchTextMax : 0, &di);
    if (ask & LVIF_TEXT) {
        if (ownBuffer) {
            if (IsRealText(di.item.pszText) && di.item.pszText != it->pszText)
                CopyText(di.item.pszText, it->pszText, it->cchTextMax);
            else if (!IsRealText(di.item.pszText))
                it->pszText[0] = '\0';
            it->pszText[it->cchTextMax - 1] = '\0';
        } else {
            it->pszText = di.item.pszText;
        }
    }
    if (ask & LVIF_IMAGE)
        it->iImage = di.item.iImage;
    if (ask & LVIF_STATE)
        it->state = (it->state & ~m_callbackMask) | (di.item.state & m_callbackMask & it->stateMask);
    return TRUE;
}

bool ListViewControl::SetMainItem(int index, const LVITEMA& change, bool notify, bool askEvenIfUnchanged)
{
    if (!m_items.IsValid(index))
        return false;
    const UINT oldState = m_items.State(index);
    const UINT mask = (change.mask & LVIF_STATE) ? change.stateMask : 0;
    const UINT newState = (oldState & ~mask) | (change.state & mask);
    UINT changed = 0;
    if (newState != oldState)
        changed |= LVIF_STATE;
    if (const ListItem* row = m_items.Item(index)) {
        if (change.mask & LVIF_TEXT) {
            // A callback text is never the same as the one before: the parent may answer anew.
            const bool callback = change.pszText == LPSTR_TEXTCALLBACKA;
            if (callback || row->textCallback || row->text != (change.pszText ? change.pszText : ""))
                changed |= LVIF_TEXT;
        }
        if ((change.mask & LVIF_IMAGE) && change.iImage != row->image)
            changed |= LVIF_IMAGE;
        if ((change.mask & LVIF_PARAM) && change.lParam != m_items.Param(index))
            changed |= LVIF_PARAM;
        if ((change.mask & LVIF_INDENT) && change.iIndent != row->indent)
            changed |= LVIF_INDENT;
    }
    if (changed == 0) {
        if (notify && askEvenIfUnchanged)
            NotifyListView(LVN_ITEMCHANGING, index, 0, newState, oldState, LVIF_STATE, ItemParam(index));
        return true;
    }
    if (notify && NotifyListView(LVN_ITEMCHANGING, index, 0, newState, oldState, changed, ItemParam(index)) != 0)
        return false;
    if (!m_items.IsValid(index))
        return false;

    if (ListItem* row = m_items.Item(index)) {
        if (changed & LVIF_TEXT) {
            row->textCallback = change.pszText == LPSTR_TEXTCALLBACKA;
            row->text = row->textCallback || change.pszText == nullptr ? std::string() : std::string(change.pszText);
            m_smallItemWidth = -1;
        }
        if (changed & LVIF_IMAGE)
            row->image = change.iImage;
        if (changed & LVIF_PARAM)
            m_items.SetParam(index, change.lParam);
        if (changed & LVIF_INDENT)
            row->indent = change.iIndent;
    }
    if (changed & LVIF_STATE) {
        m_items.SetState(index, newState);
        const UINT gained = newState & ~oldState;
        const UINT lost = oldState & ~newState;
        if (gained & LVIS_FOCUSED) {
            const int previous = m_focused;
            m_focused = index;
            // Focusing a row sets the selection mark when there is none (not the
            // quiet move of the focus off a deleted row).
            if (m_mark == -1 && notify)
                m_mark = index;
            if (previous >= 0 && previous != index)
                ChangeState(previous, 0, LVIS_FOCUSED, notify);
            m_focused = index;
        } else if ((lost & LVIS_FOCUSED) && m_focused == index) {
            m_focused = -1;
        }
        if ((gained & LVIS_SELECTED) && HasStyle(LVS_SINGLESEL))
            DeselectAllExcept(index);
        InvalidateItem(index);
    }
    if (notify && m_items.IsValid(index))
        NotifyListView(LVN_ITEMCHANGED, index, 0, newState, oldState, changed, ItemParam(index));
    if (changed & ~LVIF_STATE) {
        ArrangeIfAuto();
        InvalidateItem(index);
    }
    return true;
}

bool ListViewControl::ChangeState(int index, UINT state, UINT mask, bool notify, bool askEvenIfUnchanged)
{
    LVITEMA change;
    change.mask = LVIF_STATE;
    change.state = state;
    change.stateMask = mask;
    return SetMainItem(index, change, notify, askEvenIfUnchanged);
}

void ListViewControl::DeselectAllExcept(int keep)
{
    for (int i = 0; i < m_items.Count(); ++i)
        if (i != keep && (m_items.State(i) & LVIS_SELECTED))
            ChangeState(i, 0, LVIS_SELECTED);
}

void ListViewControl::SelectRange(int from, int to, bool clearOthers)
{
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    for (int i = 0; i < m_items.Count(); ++i) {
        const bool inside = i >= lo && i <= hi;
        const bool selected = (m_items.State(i) & LVIS_SELECTED) != 0;
        if (inside && !selected)
            ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
        else if (!inside && selected && clearOthers)
            ChangeState(i, 0, LVIS_SELECTED);
    }
}

bool ListViewControl::SetSubItem(int index, const LVITEMA& change)
{
    ListItem* row = m_items.Item(index);
    if (row == nullptr)
        return false;
    ListSubItem& cell = ListItemStore::SubItemForWrite(*row, change.iSubItem, ColumnCount());
    if (change.mask & LVIF_TEXT) {
        cell.textSet = true;
        cell.callback = change.pszText == LPSTR_TEXTCALLBACKA;
        cell.text = cell.callback || change.pszText == nullptr ? std::string() : std::string(change.pszText);
    }
    if (change.mask & LVIF_IMAGE)
        cell.image = change.iImage;
    InvalidateItem(index);
    return true;
}

BOOL ListViewControl::SetItem(const LVITEMA* it)
{
    if (it == nullptr || !m_items.IsValid(it->iItem))
        return FALSE;
    if (m_items.IsVirtual() && (it->mask & ~LVIF_STATE))
        return FALSE;
    if (it->iSubItem == 0)
        return SetMainItem(it->iItem, *it) ? TRUE : FALSE;
    // A sub-item has no lParam of its own.
    if (it->iSubItem < 0 || it->iSubItem >= ColumnCount() || (it->mask & LVIF_PARAM))
        return FALSE;
    return SetSubItem(it->iItem, *it) ? TRUE : FALSE;
}

int ListViewControl::GetItemText(int index, LVITEMA* it)
{
    if (it == nullptr || it->pszText == nullptr || it->cchTextMax <= 0)
        return 0;
    LVITEMA request;
    request.mask = LVIF_TEXT;
    request.iItem = index;
    request.iSubItem = it->iSubItem;
    request.pszText = it->pszText;
    request.cchTextMax = it->cchTextMax;
    if (!GetItem(&request))
        return 0;
    return static_cast<int>(strnlen(it->pszText, static_cast<std::size_t>(it->cchTextMax)));
}

BOOL ListViewControl::SetItemText(int index, const LVITEMA* it)
{
    if (it == nullptr || m_items.IsVirtual())
        return FALSE;
    LVITEMA change;
    change.mask = LVIF_TEXT;
    change.iItem = index;
    change.iSubItem = it->iSubItem;
    change.pszText = it->pszText;
    return SetItem(&change);
}

BOOL ListViewControl::SetItemState(int index, const LVITEMA* it)
{
    if (it == nullptr)
        return FALSE;
    if (index == -1) {
        const UINT setting = it->state & it->stateMask;
        // Selecting every row of a single-selection list, or focusing them all, makes no sense.
        if (((setting & LVIS_SELECTED) && HasStyle(LVS_SINGLESEL)) || (setting & LVIS_FOCUSED))
            return FALSE;
        // A state asked for that is not zero asks every row, even one it leaves as
        // it is (that row gets no LVN_ITEMCHANGED).
        const bool askAll = it->state != 0 && !m_items.IsVirtual();
        for (int i = 0; i < m_items.Count(); ++i)
            ChangeState(i, it->state, it->stateMask, true, askAll);
        return TRUE;
    }
    if (!m_items.IsValid(index))
        return FALSE;
    return ChangeState(index, it->state, it->stateMask) ? TRUE : FALSE;
}

UINT ListViewControl::GetItemState(int index, UINT mask) const
{
    if (!m_items.IsValid(index))
        return 0;
    return m_items.State(index) & mask;
}

int ListViewControl::GetSelectedCount() const
{
    int n = 0;
    for (int i = 0; i < m_items.Count(); ++i)
        if (m_items.State(i) & LVIS_SELECTED)
            ++n;
    return n;
}

int ListViewControl::SetSelectionMark(int index)
{
    // Only -1 and the rows there are; anything else keeps the old mark.
    const int old = m_mark;
    if (index >= -1 && index < m_items.Count())
        m_mark = index;
    return old;
}

BOOL ListViewControl::SetItemCount(int count)
{
    if (!m_items.IsVirtual())
        return TRUE; // only a hint to reserve room
    m_items.SetVirtualCount(count);
    for (int* index : {&m_focused, &m_mark, &m_hot})
        if (*index >= m_items.Count())
            *index = -1;
    UpdateScrollBars();
    InvalidateAll();
    return TRUE;
}

int ListViewControl::GetNextItem(int start, UINT flags)
{
    const int count = m_items.Count();
    UINT want = 0;
    if (flags & LVNI_SELECTED)
        want |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED)
        want |= LVIS_FOCUSED;
    if (flags & LVNI_CUT)
        want |= LVIS_CUT;
    if (flags & LVNI_DROPHILITED)
        want |= LVIS_DROPHILITED;
    auto matches = [&](int i) { return (m_items.State(i) & want) == want; };

    const UINT direction = flags & (LVNI_ABOVE | LVNI_BELOW | LVNI_TOLEFT | LVNI_TORIGHT);
    if (direction != 0) {
        if (!m_items.IsValid(start))
            return -1;
        const int view = View();
        if (view == LVS_REPORT || view == LVS_LIST) {
            int step = 0;
            const int rows = view == LVS_LIST ? RowsPerColumn() : 1;
            if (direction & LVNI_ABOVE)
                step = -1;
            else if (direction & LVNI_BELOW)
                step = 1;
            else if (view == LVS_LIST)
                step = (direction & LVNI_TOLEFT) ? -rows : rows;
            if (step == 0)
                return -1;
            for (int i = start + step; i >= 0 && i < count; i += step)
                if (matches(i))
                    return i;
            return -1;
        }
        // Icon views: the nearest row whose cell lies in that direction.
        const POINT from = ItemViewPosition(start);
        int best = -1;
        long bestDistance = 0;
        for (int i = 0; i < count; ++i) {
            if (i == start || !matches(i))
                continue;
            const POINT p = ItemViewPosition(i);
            const long dx = p.x - from.x;
            const long dy = p.y - from.y;
            bool inDirection = false;
            if (direction & LVNI_ABOVE)
                inDirection = dy < 0 && dx == 0;
            else if (direction & LVNI_BELOW)
                inDirection = dy > 0 && dx == 0;
            else if (direction & LVNI_TOLEFT)
                inDirection = dx < 0 && dy == 0;
            else
                inDirection = dx > 0 && dy == 0;
            const long distance = dx * dx + dy * dy;
            if (inDirection && (best < 0 || distance < bestDistance)) {
                best = i;
                bestDistance = distance;
            }
        }
        return best;
    }

    if (want == LVIS_FOCUSED && m_focused > start)
        return m_focused;
    for (int i = std::max(-1, start) + 1; i < count; ++i)
        if (matches(i))
            return i;
    return -1;
}

int ListViewControl::FindItem(int start, const LVFINDINFOA* info)
{
    if (info == nullptr || m_items.IsVirtual())
        return -1;
    const int count = m_items.Count();
    const bool byParam = (info->flags & LVFI_PARAM) != 0;
    const bool byText = (info->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    if (!byParam && !(byText && info->psz))
        return -1;
    const std::string wanted = byText && info->psz ? info->psz : "";
    // LVFI_SUBSTRING matches the start of the text too, even with LVFI_STRING.
    const bool partial = (info->flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    auto matches = [&](int i) {
        if (byParam)
            return ItemParam(i) == info->lParam;
        const std::string text = DisplayText(i, 0);
        return partial ? StartsWithNoCase(text, wanted) : CompareNoCase(text, wanted) == 0;
    };
    const int first = std::max(-1, start) + 1;
    for (int i = first; i < m_items.Count(); ++i)
        if (matches(i))
            return i;
    if ((info->flags & LVFI_WRAP) && start >= 0)
        for (int i = 0; i <= std::min(start, count - 1) && i < m_items.Count(); ++i)
            if (matches(i))
                return i;
    return -1;
}

BOOL ListViewControl::SortItems(PFNLVCOMPARE compare, LPARAM lParamSort)
{
    if (compare == nullptr || m_items.IsVirtual() || m_sorting)
        return FALSE;
    if (m_items.Count() < 2)
        return TRUE;
    m_sorting = true;
    SortRows(m_items.Count(), [compare, lParamSort](LPARAM a, LPARAM b) { return compare(a, b, lParamSort); });
    m_sorting = false;
    InvalidateAll();
    return TRUE;
}

template <class Less> void ListViewControl::SortRows(int count, Less less)
{
    // Focus, selection mark and hot row travel with their rows.
    auto sorted = [count, this](int index) { return index < count ? m_items.Item(index) : nullptr; };
    const ListItem* focused = sorted(m_focused);
    const ListItem* mark = sorted(m_mark);
    const ListItem* hot = sorted(m_hot);
    // Icon places stay by index where the user may have placed the icons.
    const bool keepPlaces = (View() == LVS_ICON || View() == LVS_SMALLICON) && !AutoArranged();
    std::vector<POINT> places;
    if (keepPlaces) {
        places.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            places.push_back(m_items.Item(i)->position);
    }
    m_items.Sort(count, less);
    if (keepPlaces)
        for (int i = 0; i < count; ++i)
            m_items.Item(i)->position = places[static_cast<std::size_t>(i)];
    int left = (focused != nullptr) + (mark != nullptr) + (hot != nullptr);
    for (int i = 0; i < count && left > 0; ++i) {
        const ListItem* row = m_items.Item(i);
        for (auto [was, index] : {std::pair{focused, &m_focused}, std::pair{mark, &m_mark}, std::pair{hot, &m_hot}}) {
            if (row == was) {
                *index = i;
                --left;
            }
        }
    }
}
