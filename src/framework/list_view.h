// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list view: a view whose window is a list-view control. Owner-draw
// requests that the control sends to the frame come back here as DrawItem.
#pragma once

#include "framework/view.h"

class CListView : public CCtrlView {
public:
    CListView() : CCtrlView("SysListView32") {}

    virtual void DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct);
    virtual void MeasureItem(MEASUREITEMSTRUCT* lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
