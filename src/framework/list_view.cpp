// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/list_view.h"

void CListView::DrawItem(DRAWITEMSTRUCT*) {}

void CListView::MeasureItem(MEASUREITEMSTRUCT*) {}

BOOL CListView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    if (message == WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CCtrlView::OnChildNotify(message, wParam, lParam, pResult);
}
