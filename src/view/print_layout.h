// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// How the device list falls onto printed pages: a heading line at the top of
// every page, then the rows, in six columns.
#pragma once

#include <array>

constexpr int kPrintColumns = 6;

struct PrintLayout {
    int linesPerPage = 0; // the printable height in lines, less one
    int rowsPerPage = 1;  // below the heading line, every page the same
    int pageCount = 1;    // an empty list still prints one page
};

// Rows fill a page below its heading while a whole line still fits above the
// bottom edge.
PrintLayout ComputePrintLayout(int rowCount, int printableHeight, int lineHeight);

// Left edges of the six columns, in average character widths, where the texts leave room.
constexpr int kPrintColumnOffsets[kPrintColumns] = {0, 10, 25, 40, 55, 72};

// The columns' left edges in device units: each at its offset, unless the
// widest text of the column before (its heading included) would reach it; then
// just past that text and a gap.
std::array<int, kPrintColumns> PrintColumnLefts(int charWidth, const std::array<int, kPrintColumns>& widest, int gap);
