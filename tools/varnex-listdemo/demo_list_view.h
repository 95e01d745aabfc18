// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list engine's owner-drawn mode on show: a dozen rows with check boxes
// and icons, hot tracking, the sort column tinted, and column 0 dragged away
// from the left with the labels kept in the leftmost column.
#pragma once

#include "controls/image_list.h"
#include "listctrl/list_view_ex.h"

class CListDemoView : public CListViewEx {
public:
    CListDemoView();
    ~CListDemoView() override;
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}

protected:
    // A click on a heading moves the arrow (the engine's own handling) and
    // sorts the rows by that column in the arrow's direction.
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

private:
    void FillRows();
    void SortRows();
    CImageList m_imglstSmall;
};
