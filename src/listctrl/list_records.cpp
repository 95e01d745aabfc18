// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "listctrl/list_records.h"

#include <cstring>

namespace listctrl {

bool IsRealText(const char* text)
{
    return text != nullptr && text != LPSTR_TEXTCALLBACKA;
}

char* DuplicateText(const char* text)
{
    if (!IsRealText(text))
        return const_cast<char*>(text);
    const std::size_t n = std::strlen(text);
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n + 1);
    return copy;
}

void FreeText(char* text)
{
    if (IsRealText(text))
        delete[] text;
}

LVCOLUMNA* CopyColumn(const LVCOLUMNA& column)
{
    auto* copy = new LVCOLUMNA(column);
    if (!(copy->mask & LVCF_FMT))
        copy->fmt = 0;
    if (!(copy->mask & LVCF_WIDTH))
        copy->cx = 0;
    if (!(copy->mask & LVCF_SUBITEM))
        copy->iSubItem = 0;
    if (!(copy->mask & LVCF_IMAGE))
        copy->iImage = 0;
    if (!(copy->mask & LVCF_ORDER))
        copy->iOrder = 0;
    // A column heading is never the callback marker: keep text or nothing.
    copy->pszText = (copy->mask & LVCF_TEXT) && IsRealText(column.pszText) ? DuplicateText(column.pszText) : nullptr;
    copy->cchTextMax = 0;
    return copy;
}

void FreeColumn(LVCOLUMNA* column)
{
    if (column == nullptr)
        return;
    FreeText(column->pszText);
    delete column;
}

LVITEMA* CopyItem(const LVITEMA& item)
{
    auto* copy = new LVITEMA(item);
    if (!(copy->mask & LVIF_IMAGE))
        copy->iImage = 0;
    if (!(copy->mask & LVIF_INDENT))
        copy->iIndent = 0;
    if (!(copy->mask & LVIF_PARAM))
        copy->lParam = 0;
    if (copy->mask & LVIF_STATE) {
        copy->state &= copy->stateMask;
    } else {
        copy->state = 0;
        copy->stateMask = 0;
    }
    copy->pszText = (copy->mask & LVIF_TEXT) ? DuplicateText(item.pszText) : nullptr;
    copy->iSubItem = 0;
    copy->cchTextMax = 0;
    return copy;
}

void FreeItem(LVITEMA* item)
{
    if (item == nullptr)
        return;
    FreeText(item->pszText);
    delete item;
}

} // namespace listctrl
