// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The engine's records: one per logical column (COLUMN_DATA) and one per item
// (ITEM_DATA), with the column and item copies they keep. Each record owns
// what it points to and frees it when it goes.
#pragma once

#include <memory>
#include <vector>

#include "framework/commctrl.h"

namespace listctrl {

// A heap copy of a text, or nullptr for nullptr; the callback marker stays the marker.
char* DuplicateText(const char* text);
// Frees a text made by DuplicateText (nothing for nullptr or the marker).
void FreeText(char* text);
bool IsRealText(const char* text);

// The caller's column description as the engine keeps it: fields whose mask
// bit is absent are 0, the heading is the engine's own copy, no text length.
LVCOLUMNA* CopyColumn(const LVCOLUMNA& column);
void FreeColumn(LVCOLUMNA* column);

// The caller's item as the engine keeps it: fields whose mask bit is absent
// are 0, state only within stateMask, the text the engine's own copy (or the
// callback marker), no sub-item number and no text length.
LVITEMA* CopyItem(const LVITEMA& item);
void FreeItem(LVITEMA* item);

struct COLUMN_DATA {
    COLUMN_DATA() = default;
    COLUMN_DATA(const COLUMN_DATA&) = delete;
    COLUMN_DATA& operator=(const COLUMN_DATA&) = delete;
    ~COLUMN_DATA() { FreeColumn(m_pLVColumn); }

    bool m_bHideable = false;
    bool m_bVisible = true;
    int m_nWidth = 0;
    int m_nOrder = 0;
    LVCOLUMNA* m_pLVColumn = nullptr;
};

struct ITEM_DATA {
    ITEM_DATA() = default;
    ITEM_DATA(const ITEM_DATA&) = delete;
    ITEM_DATA& operator=(const ITEM_DATA&) = delete;
    ~ITEM_DATA()
    {
        for (LVITEMA* entry : m_aSubItems)
            FreeItem(entry);
    }
    // Entry k, or nullptr when the list is shorter or the entry is empty.
    LVITEMA* Entry(int k) const
    {
        return k >= 0 && static_cast<std::size_t>(k) < m_aSubItems.size() ? m_aSubItems[static_cast<std::size_t>(k)]
                                                                          : nullptr;
    }

    LPARAM m_lParam = 0;
    std::vector<LVITEMA*> m_aSubItems;
};

using ColumnArray = std::vector<std::unique_ptr<COLUMN_DATA>>;

} // namespace listctrl
