// The extended list view: a list view with a sort column whose arrow the
// header shows, a tint for the sort column, and columns the user may hide.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/list_view.h"

class CListViewEx : public CListView {
public:
    // Marks a column (1 .. count-1) as one the user may hide.
    void SetColumnHideable(int nColumn);
    bool IsColumnHideable(int nColumn) const;
    int HideableColumnCount() const { return m_nHideableColumns; }

    // Sort state: +(c+1) column c ascending, -(c+1) descending, 0 none.
    void SetSortColumn(int nSortState);
    int GetSortColumn() const { return m_nSortColumn; }
    void EnableSortIcon(bool bEnable);
    bool IsSortIconEnabled() const { return m_bSortIconEnabled != FALSE; }
    void ColorSortColumn(bool bEnable);
    bool IsSortColumnColored() const { return m_bColorSortColumn != FALSE; }
    // Writes the sort state into the header items' arrows.
    void UpdateSortIcons();

    // Owner-drawn lists only: draw the label in the leftmost displayed column.
    void KeepLabelLeft(bool bKeep);

    // Applies a saved column layout; true when the blob does not describe the
    // current columns (nothing changes) or when it was applied.
    bool RestoreState(const std::uint8_t* pData, unsigned nSize);

protected:
    int ColumnCount();

    int m_nSortColumn = 0;
    BOOL m_bSortIconEnabled = FALSE;
    BOOL m_bColorSortColumn = FALSE;
    bool m_bKeepLabelLeft = false;
    int m_nHideableColumns = 0;
    std::vector<bool> m_arrHideable;
};
