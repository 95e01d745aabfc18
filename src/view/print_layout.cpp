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
    // Every full line but the heading's.
    layout.rowsPerPage = std::max(1, layout.linesPerPage);
    layout.pageCount = std::max(1, (std::max(0, rowCount) + layout.rowsPerPage - 1) / layout.rowsPerPage);
    return layout;
}

std::array<int, kPrintColumns> PrintColumnLefts(int charWidth, const std::array<int, kPrintColumns>& widest, int gap)
{
    std::array<int, kPrintColumns> lefts{};
    for (int c = 1; c < kPrintColumns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        lefts[i] = std::max(kPrintColumnOffsets[i] * charWidth, lefts[i - 1] + widest[i - 1] + std::max(1, gap));
    }
    return lefts;
}
