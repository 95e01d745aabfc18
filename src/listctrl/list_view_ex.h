// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The extended list view: the framework's list view joined with the list
// engine. Its message map hands every list-view message that names a column,
// an item or a sort to the engine before the control sees it.
#pragma once

#include "framework/list_view.h"
#include "listctrl/list_base.h"

class CListViewEx : public CListView, public CListBase {
public:
    CListViewEx();
    ~CListViewEx() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct) override;

protected:
    // The engine's own column click: the sort column and its arrow.
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnContextMenuMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChangeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgndMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnHScrollMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocusMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocusMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClkMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUpMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUpMessage(WPARAM wParam, LPARAM lParam);
};
