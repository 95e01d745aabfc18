// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "view/print_layout.h"

#include <algorithm>

PrintLayout ComputePrintLayout(int rowCount, int printableHeight, int lineHeight)
{
    PrintLayout layout;
    if (lineHeight <= 0)
        lineHeight = 1;
    layout.linesPerPage = printableHeight / lineHeight - 1;
    layout.rowsPerPage = std::max(1, layout.linesPerPage + 1);
    layout.pageCount = std::max(1, (std::max(0, rowCount) + layout.rowsPerPage - 1) / layout.rowsPerPage);
    return layout;
}
