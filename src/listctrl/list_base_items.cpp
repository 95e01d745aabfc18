// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The item messages: the engine keeps each item's fields for every logical
// column in the item's record (the control's lParam) and gives the control the
// callback marker for texts, answering its display-information requests from
// the record. Item indices are the control's; column numbers logical.
#include <algorithm>
#include <cstring>
#include <utility>

#include "listctrl/item_notifications.h"
#include "listctrl/list_base.h"

using listctrl::CopyItem;
using listctrl::FreeItem;
using listctrl::FreeText;
using listctrl::IsRealText;

namespace {

// Copies a text into the caller's buffer, cut to its size and always ended;
// returns the length copied.
int CopyOut(const char* text, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    const std::size_t n =
        IsRealText(text) ? std::min<std::size_t>(std::strlen(text), static_cast<std::size_t>(size - 1)) : 0;
    if (n > 0)
        std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

// A sub-item entry holds texts, images and indents; the item's lParam and
// state belong to the item (entry 0) and the control.
UINT EntryMask(int subItem, UINT mask)
{
    return subItem == 0 ? mask : mask & ~(LVIF_PARAM | LVIF_STATE);
}

// Stores text t in entry, freeing what it held.
void StoreText(LVITEMA& entry, char* t)
{
    if ((entry.mask & LVIF_TEXT))
        FreeText(entry.pszText);
    entry.pszText = t;
}

void PutEntry(CListBase::ITEM_DATA& data, int s, LVITEMA* entry)
{
    auto& entries = data.m_aSubItems;
    if (entries.size() < static_cast<std::size_t>(s) + 1)
        entries.resize(static_cast<std::size_t>(s) + 1, nullptr);
    FreeItem(entries[static_cast<std::size_t>(s)]);
    entries[static_cast<std::size_t>(s)] = entry;
}

} // namespace

void CListBase::ApplyCallbackText(LVITEMA& item) const
{
    // A control that sorts by itself needs the real text.
    if (ListStyle() & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
        return;
    item.pszText = LPSTR_TEXTCALLBACKA;
}

LRESULT CListBase::OnInsertItem(WPARAM, LPARAM lParam)
{
    const auto* caller = reinterpret_cast<const LVITEMA*>(lParam);
    if (caller == nullptr || caller->iItem < 0)
        return -1;
    LVITEMA* copy = CopyItem(*caller);
    auto* data = new ITEM_DATA;
    if (caller->mask & LVIF_PARAM)
        data->m_lParam = caller->lParam;
    char* const t = copy->pszText;
    copy->mask |= LVIF_PARAM;
    copy->lParam = reinterpret_cast<LPARAM>(data);
    if (caller->mask & LVIF_TEXT)
        ApplyCallbackText(*copy);
    ITEM_DATA* const outer = std::exchange(m_pInserting, data);
    const LRESULT r = PassToControl(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(copy));
    m_pInserting = outer;
    copy->pszText = t;
    if (r == -1) {
        FreeItem(copy);
        delete data;
        return -1;
    }
    copy->mask = caller->mask;
    copy->lParam = data->m_lParam;
    copy->iItem = static_cast<int>(r);
    data->m_aSubItems.insert(data->m_aSubItems.begin(), copy);
    return r;
}

LRESULT CListBase::OnDeleteItem(WPARAM wParam, LPARAM)
{
    const int i = static_cast<int>(wParam);
    if (i < 0)
        return 0;
    ITEM_DATA* data = GetItemData(i);
    if (data == nullptr || !DefaultProcessing())
        return 0;
    delete data;
    return 1;
}

LRESULT CListBase::OnDeleteAllItems(WPARAM, LPARAM)
{
    LRESULT result = 1;
    const int count = static_cast<int>(PassToControl(LVM_GETITEMCOUNT));
    for (int i = count - 1; i >= 0; --i) {
        ITEM_DATA* data = GetItemData(i);
        const bool deleted = PassToControl(LVM_DELETEITEM, static_cast<WPARAM>(i)) != 0;
        if (data != nullptr && deleted)
            delete data;
        else
            result = 0;
    }
    return result;
}

LRESULT CListBase::OnGetItem(WPARAM, LPARAM lParam)
{
    auto* caller = reinterpret_cast<LVITEMA*>(lParam);
    if (caller == nullptr || caller->iItem < 0 || !IsValidColumn(caller->iSubItem))
        return 0;
    const int s = caller->iSubItem;
    const UINT m = caller->mask;
    const LPARAM callersParam = caller->lParam;
    const bool visible = m_aColumnData[static_cast<std::size_t>(s)]->m_bVisible;
    if (visible) {
        caller->iSubItem = LogicalToPhysicalColumn(s);
    } else {
        // The control knows only the item itself: its state, and the record.
        if (m & ~LVIF_STATE)
            caller->mask |= LVIF_PARAM;
        caller->mask &= LVIF_PARAM | LVIF_STATE;
        caller->iSubItem = 0;
    }
    // Only an answer to LVIF_PARAM is the record: without it the field still
    // holds whatever the caller put there.
    const bool askedRecord = (caller->mask & LVIF_PARAM) != 0;
    const LRESULT r = DefaultProcessing();
    caller->mask = m;
    caller->iSubItem = s;
    const auto* data = askedRecord ? reinterpret_cast<const ITEM_DATA*>(caller->lParam) : nullptr;
    if (!(m & LVIF_PARAM))
        caller->lParam = callersParam;
    if (r == 0)
        return 0;
    if ((m & LVIF_PARAM) && data != nullptr)
        caller->lParam = data->m_lParam;
    if (visible || data == nullptr)
        return r;
    const LVITEMA* entry = data->Entry(s);
    if (m & LVIF_IMAGE)
        caller->iImage = entry && (entry->mask & LVIF_IMAGE) ? entry->iImage : 0;
    if (m & LVIF_INDENT)
        caller->iIndent = entry && (entry->mask & LVIF_INDENT) ? entry->iIndent : 0;
    if (m & LVIF_TEXT)
        CopyOut(entry && (entry->mask & LVIF_TEXT) ? entry->pszText : nullptr, caller->pszText, caller->cchTextMax);
    return r;
}

LRESULT CListBase::OnSetItem(WPARAM, LPARAM lParam)
{
    const auto* caller = reinterpret_cast<const LVITEMA*>(lParam);
    if (caller == nullptr || caller->iItem < 0 || !IsValidColumn(caller->iSubItem))
        return 0;
    const int s = caller->iSubItem;
    const UINT m = caller->mask;
    const bool visible = m_aColumnData[static_cast<std::size_t>(s)]->m_bVisible;
    LVITEMA* copy = CopyItem(*caller);
    char* const t = copy->pszText;
    LRESULT result = 1;
    const bool controlTakesPart = (visible && (m & ~LVIF_PARAM)) || (s == 0 && (m & LVIF_STATE));
    if (controlTakesPart) {
        copy->mask &= ~LVIF_PARAM; // the control's lParam stays the record
        if (visible && (m & LVIF_TEXT))
            ApplyCallbackText(*copy);
        if (!visible)
            copy->mask &= LVIF_STATE;
        if (copy->mask != 0) {
            copy->iSubItem = LogicalToPhysicalColumn(s);
            copy->iItem = caller->iItem;
            result = PassToControl(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(copy));
            if (!result) {
                copy->pszText = t;
                FreeItem(copy);
                return 0;
            }
        }
    }
    copy->pszText = t;
    ITEM_DATA* data = GetItemData(caller->iItem);
    if (data == nullptr) {
        // Without the control's answer, a missing item is a failure, as it is for the control.
        FreeItem(copy);
        return controlTakesPart ? result : 0;
    }
    if (m & LVIF_PARAM)
        data->m_lParam = caller->lParam;
    if (LVITEMA* entry = data->Entry(s)) {
        if (m & LVIF_IMAGE)
            entry->iImage = caller->iImage;
        if (m & LVIF_INDENT)
            entry->iIndent = caller->iIndent;
        if ((m & LVIF_TEXT) && t != nullptr) {
            StoreText(*entry, t);
            copy->pszText = nullptr;
        }
        entry->mask |= EntryMask(s, m);
        FreeItem(copy);
        return result;
    }
    copy->mask = EntryMask(s, m);
    if (s != 0) {
        copy->lParam = 0;
        copy->state = copy->stateMask = 0;
    }
    copy->iSubItem = s;
    copy->iItem = caller->iItem;
    PutEntry(*data, s, copy);
    return result;
}

LRESULT CListBase::OnGetItemText(WPARAM wParam, LPARAM lParam)
{
    const int i = static_cast<int>(wParam);
    auto* caller = reinterpret_cast<LVITEMA*>(lParam);
    if (caller == nullptr || i < 0 || !IsValidColumn(caller->iSubItem))
        return 0;
    const int s = caller->iSubItem;
    if (m_aColumnData[static_cast<std::size_t>(s)]->m_bVisible) {
        caller->iSubItem = LogicalToPhysicalColumn(s);
        const LRESULT r = PassToControl(LVM_GETITEMTEXTA, wParam, lParam);
        caller->iSubItem = s;
        return r;
    }
    const ITEM_DATA* data = GetItemData(i);
    if (data == nullptr)
        return 0;
    const LVITEMA* entry = data->Entry(s);
    return CopyOut(entry && (entry->mask & LVIF_TEXT) ? entry->pszText : nullptr, caller->pszText, caller->cchTextMax);
}

LRESULT CListBase::OnSetItemText(WPARAM wParam, LPARAM lParam)
{
    const int i = static_cast<int>(wParam);
    const auto* caller = reinterpret_cast<const LVITEMA*>(lParam);
    if (caller == nullptr || i < 0 || !IsValidColumn(caller->iSubItem))
        return 0;
    LVITEMA local = *caller;
    const int s = local.iSubItem;
    local.mask = LVIF_TEXT;
    LVITEMA* copy = CopyItem(local);
    char* const t = copy->pszText;
    LRESULT result = 1;
    const bool visible = m_aColumnData[static_cast<std::size_t>(s)]->m_bVisible;
    if (visible) {
        ApplyCallbackText(*copy);
        copy->iSubItem = LogicalToPhysicalColumn(s);
        result = PassToControl(LVM_SETITEMTEXTA, wParam, reinterpret_cast<LPARAM>(copy));
        copy->pszText = t;
        if (!result) {
            FreeItem(copy);
            return 0;
        }
    }
    ITEM_DATA* data = GetItemData(i);
    if (data == nullptr) {
        FreeItem(copy);
        return visible ? result : 0;
    }
    if (LVITEMA* entry = data->Entry(s)) {
        if (t != nullptr) {
            StoreText(*entry, t);
            copy->pszText = nullptr;
        }
        entry->mask |= LVIF_TEXT;
        FreeItem(copy);
        return result;
    }
    copy->iSubItem = s;
    copy->iItem = i;
    PutEntry(*data, s, copy);
    return result;
}

LRESULT CListBase::OnFindItem(WPARAM wParam, LPARAM lParam)
{
    const auto* find = reinterpret_cast<const LVFINDINFOA*>(lParam);
    if (find == nullptr || !(find->flags & LVFI_PARAM))
        return DefaultProcessing();
    const int start = static_cast<int>(wParam);
    const int count = static_cast<int>(Send(LVM_GETITEMCOUNT));
    const auto matches = [this, find](int i) {
        const ITEM_DATA* data = GetItemData(i);
        return data != nullptr && data->m_lParam == find->lParam;
    };
    for (int i = std::max(start + 1, 0); i < count; ++i)
        if (matches(i))
            return i;
    if (start >= 0 && (find->flags & LVFI_WRAP))
        for (int i = 0; i <= start && i < count; ++i)
            if (matches(i))
                return i;
    return -1;
}

BOOL CListBase::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (m_bInGetDispInfo)
        return FALSE; // our own forwarded request, reflected back: the parent's to answer
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    LVITEMA& item = info->item;
    m_bInGetDispInfo = true;
    if (pResult)
        *pResult = 0;
    const int p = item.iSubItem;
    item.iSubItem = PhysicalToLogicalColumn(p);
    auto* data = reinterpret_cast<ITEM_DATA*>(item.lParam);
    if (!(ListStyle() & LVS_OWNERDATA) && (item.mask & LVIF_TEXT) && data != nullptr) {
        const LVITEMA* entry = data->Entry(item.iSubItem);
        if (entry && (entry->mask & LVIF_TEXT) && IsRealText(entry->pszText)) {
            item.iSubItem = p;
            item.pszText = entry->pszText; // read by the control, not copied here
            m_bInGetDispInfo = false;
            return TRUE;
        }
    }
    // Not ours to answer: the application is asked, with its own lParam.
    if (CWnd* parent = m_pListCtrl ? m_pListCtrl->GetParent() : nullptr) {
        if (data != nullptr && !(ListStyle() & LVS_OWNERDATA))
            item.lParam = data->m_lParam;
        parent->SendMessage(WM_NOTIFY, m_pListCtrl->GetDlgCtrlID(), reinterpret_cast<LPARAM>(pNMHDR));
        if (data != nullptr && !(ListStyle() & LVS_OWNERDATA))
            item.lParam = reinterpret_cast<LPARAM>(data);
    }
    item.iSubItem = p;
    m_bInGetDispInfo = false;
    return TRUE;
}

LRESULT CListBase::OnHitTest(WPARAM, LPARAM lParam)
{
    auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
    const LRESULT r = DefaultProcessing();
    if (r == -1 || info == nullptr)
        return r;
    if (!(ListStyle() & LVS_OWNERDRAWFIXED) || info->iItem < 0 || info->flags != LVHT_ONITEM)
        return info->iItem;
    // The engine draws owner-drawn items itself, so it knows where their parts are.
    const POINT pt = info->pt;
    const auto inside = [&pt](const RECT& rc) {
        return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
    };
    RECT rc{};
    if (GetSubItemRectEx(info->iItem, 0, LVIR_LABEL, rc) && inside(rc)) {
        info->flags = LVHT_ONITEMLABEL;
    } else if (GetSubItemRectEx(info->iItem, 0, LVIR_ICON, rc) && inside(rc)) {
        info->flags = LVHT_ONITEMICON;
    } else if (GetStateIconRect(rc, info->iItem) && inside(rc)) {
        info->flags = LVHT_ONITEMSTATEICON;
    } else {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        if (!Send(LVM_GETITEMRECT, static_cast<WPARAM>(info->iItem), reinterpret_cast<LPARAM>(&bounds)))
            return info->iItem;
        if (!inside(bounds)) {
            info->flags = LVHT_NOWHERE;
        } else {
            const int left = bounds.left;
            const int g = m_nStateIconOffset;
            if (left > -g) {
                const int limit = left < 0 ? g + left : g;
                if (pt.x < limit)
                    info->flags = LVHT_NOWHERE;
            }
        }
    }
    return info->iItem;
}

void CListBase::TranslateOutgoingNotification(UINT message, LPARAM lParam)
{
    // Only a field that holds an item's record is replaced, so a record that
    // travels through several stages is translated once.
    const auto translate = [this](int index, LPARAM& field) {
        const ITEM_DATA* data = GetItemData(index);
        if (data != nullptr && field == reinterpret_cast<LPARAM>(data))
            field = data->m_lParam;
        else if (m_pInserting != nullptr && field == reinterpret_cast<LPARAM>(m_pInserting))
            field = m_pInserting->m_lParam;
    };
    if (message == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis == nullptr)
            return;
        LPARAM field = static_cast<LPARAM>(dis->itemData);
        translate(static_cast<int>(dis->itemID), field);
        dis->itemData = static_cast<DWORD_PTR>(field);
        return;
    }
    if (message != WM_NOTIFY || lParam == 0)
        return;
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->hwndFrom != m_pListCtrl)
        return;
    const listctrl::ItemField field = listctrl::ItemFieldOf(hdr);
    if (field.lParam != nullptr && field.item >= 0)
        translate(field.item, *field.lParam);
}
