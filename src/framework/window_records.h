// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Records that travel with window messages between any two windows: the
// header of every WM_NOTIFY, the owner-draw requests and window positions.
// Controls build their own notification records on top of NMHDR.
#pragma once

#include <string>

#include "system/win_types.h"

class CDC;
class CImageList;
class CFont;
using HDC = CDC*;
using HIMAGELIST = CImageList*;
using HFONT = CFont*;

// The header every WM_NOTIFY record starts with.
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

// Owner draw: WM_MEASUREITEM and WM_DRAWITEM.
constexpr UINT ODT_LISTVIEW = 102;
constexpr UINT ODT_HEADER = 100;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};
    DWORD_PTR itemData = 0;
};

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    DWORD_PTR itemData = 0;
};

// Where a window goes; HDM_LAYOUT fills one for the header.
struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// WM_QUERYTIPTEXT: the point asked about, the tip the window gives, and the
// part of its client area over which that tip holds.
struct TIPTEXTQUERY {
    POINT pt{};
    std::string text;
    RECT rcArea{};
};
