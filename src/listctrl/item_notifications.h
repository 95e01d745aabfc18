// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The notifications a list-view control sends its parent that name an item and
// carry its lParam, each with the record that holds them. The engine gives the
// control its own record as every item's lParam; on the way to the parent
// every notification of this table gets the application's lParam back. A new
// notification that carries an item belongs here, and its tests follow from
// the table.
#pragma once

#include "framework/commctrl.h"

namespace listctrl {

// The record a notification comes in, by where it keeps the item and its lParam.
enum class ItemCarrier {
    ListView,     // NMLISTVIEW: iItem, lParam
    ItemActivate, // NMITEMACTIVATE: iItem, lParam
    InfoTip,      // NMLVGETINFOTIPA: iItem, lParam
    CustomDraw,   // NMLVCUSTOMDRAW: nmcd.dwItemSpec, nmcd.lItemlParam (item stages only)
    DispInfo,     // NMLVDISPINFOA: item.iItem, item.lParam
};

struct ItemNotification {
    UINT code;
    ItemCarrier carrier;
};

// LVN_GETDISPINFOA is not here: the engine answers it itself and forwards
// what it cannot answer with the application's lParam.
// Custom draw first: a paint sends it for every cell.
// clang-format off
inline constexpr ItemNotification kItemNotifications[] = {
    {NM_CUSTOMDRAW, ItemCarrier::CustomDraw},
    {LVN_ITEMCHANGING, ItemCarrier::ListView},
    {LVN_ITEMCHANGED, ItemCarrier::ListView},
    {LVN_INSERTITEM, ItemCarrier::ListView},
    {LVN_DELETEITEM, ItemCarrier::ListView},
    {LVN_BEGINDRAG, ItemCarrier::ListView},
    {LVN_BEGINRDRAG, ItemCarrier::ListView},
    {LVN_HOTTRACK, ItemCarrier::ListView},
    {NM_CLICK, ItemCarrier::ItemActivate},
    {NM_DBLCLK, ItemCarrier::ItemActivate},
    {NM_RCLICK, ItemCarrier::ItemActivate},
    {NM_RDBLCLK, ItemCarrier::ItemActivate},
    {LVN_ITEMACTIVATE, ItemCarrier::ItemActivate},
    {LVN_GETINFOTIPA, ItemCarrier::InfoTip},
    {LVN_BEGINLABELEDITA, ItemCarrier::DispInfo},
    {LVN_ENDLABELEDITA, ItemCarrier::DispInfo},
    {LVN_SETDISPINFOA, ItemCarrier::DispInfo},
};
// clang-format on

// Where a notification keeps its item and that item's lParam; lParam is
// nullptr when the notification carries none (not in the table, or a custom
// draw stage that is not an item's).
struct ItemField {
    int item = -1;
    LPARAM* lParam = nullptr;
};
ItemField ItemFieldOf(NMHDR* hdr);

} // namespace listctrl
