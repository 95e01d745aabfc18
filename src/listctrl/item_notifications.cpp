// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "listctrl/item_notifications.h"

namespace listctrl {

ItemField ItemFieldOf(NMHDR* hdr)
{
    if (hdr == nullptr)
        return {};
    for (const ItemNotification& entry : kItemNotifications) {
        if (entry.code != hdr->code)
            continue;
        switch (entry.carrier) {
        case ItemCarrier::ListView: {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
            return {nm->iItem, &nm->lParam};
        }
        case ItemCarrier::ItemActivate: {
            auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
            return {nm->iItem, &nm->lParam};
        }
        case ItemCarrier::InfoTip: {
            auto* nm = reinterpret_cast<NMLVGETINFOTIPA*>(hdr);
            return {nm->iItem, &nm->lParam};
        }
        case ItemCarrier::CustomDraw: {
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
            if (!(cd->nmcd.dwDrawStage & CDDS_ITEM))
                return {};
            return {static_cast<int>(cd->nmcd.dwItemSpec), &cd->nmcd.lItemlParam};
        }
        case ItemCarrier::DispInfo: {
            auto* di = reinterpret_cast<NMLVDISPINFOA*>(hdr);
            return {di->item.iItem, &di->item.lParam};
        }
        }
    }
    return {};
}

} // namespace listctrl
