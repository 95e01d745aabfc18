// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list as the benchmarks build it: a report-style list-view
// control with the six device columns, in a parent window of its own, and the
// comparator that sorts its rows by IP address text, descending.
#pragma once

#include <cstring>

#include "controls/common_controls.h"
#include "device_rows.h"
#include "framework/list_ctrl.h"

inline int CompareIpDescending(LPARAM a, LPARAM b, LPARAM)
{
    const auto* x = reinterpret_cast<const BenchRow*>(a);
    const auto* y = reinterpret_cast<const BenchRow*>(b);
    return -std::strcmp(x->texts[1].c_str(), y->texts[1].c_str());
}

struct DeviceList {
    CWnd parent;
    CListCtrl list;
    explicit DeviceList(int height)
    {
        InitCommonControls();
        parent.CreateEx(0, "", 0, RECT{0, 0, 900, height}, nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 900, height}, &parent, 1);
        list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
        const char* headings[6] = {"Device Name", "IP Address", "Subnet Mask", "Gateway IP", "MAC", "Version"};
        const int widths[6] = {120, 120, 120, 120, 130, 95};
        for (int c = 0; c < 6; ++c)
            list.InsertColumn(c, headings[c], c == 5 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[c]);
    }
    void Add(const BenchRow& row, bool sort)
    {
        const int index = list.InsertItem(LVIF_TEXT | LVIF_PARAM, list.GetItemCount(), row.texts[0].c_str(), 0, 0, 0,
                                          reinterpret_cast<LPARAM>(&row));
        for (int c = 1; c < 6; ++c)
            list.SetItemText(index, c, row.texts[static_cast<std::size_t>(c)].c_str());
        if (sort)
            list.SortItems(CompareIpDescending, 0);
    }
};
