// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// How the device list falls onto printed pages.
#pragma once

struct PrintLayout {
    int linesPerPage = 0; // the printable height in lines, less one
    int rowsPerPage = 1;  // every page, the first included
    int pageCount = 1;    // an empty list still prints one page
};

// Rows fill a page while a whole line still fits above the bottom edge.
PrintLayout ComputePrintLayout(int rowCount, int printableHeight, int lineHeight);

// Left edges of the six columns, in average character widths.
constexpr int kPrintColumnOffsets[6] = {0, 10, 25, 40, 55, 72};
