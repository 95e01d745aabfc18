// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The four numberings of columns and the column-move rule, as free functions
// over the column records, so that they can be checked without a window.
//   logical column: index into the records; physical column: the control's
//   index (visible columns only); logical order: display position among all
//   columns; physical order: the header's display position (visible only).
#pragma once

#include "listctrl/list_records.h"

namespace listctrl {

// The number of visible columns with logical index below c.
int LogicalToPhysicalColumn(const ColumnArray& columns, int c);
// The logical index of the visible column at physical index p, or -1.
int PhysicalToLogicalColumn(const ColumnArray& columns, int p);
// The number of visible columns whose logical order is below o.
int LogicalToPhysicalOrder(const ColumnArray& columns, int o);
// The logical order of the visible column at physical order q, or -1.
int PhysicalToLogicalOrder(const ColumnArray& columns, int q);
// The column whose logical order is o, or -1.
int ColumnAtOrder(const ColumnArray& columns, int o);

// Moves column c to logical order n; the columns between shift by one. An
// order outside 0..count-1 is clamped into it, so the orders stay a
// permutation (the header clamps its own orders the same way).
void MoveColumnToOrder(ColumnArray& columns, int c, int n);

// The physical order column c will have once moved to logical order n (n
// clamped as MoveColumnToOrder clamps it): the visible columns before it then.
int PhysicalOrderAfterMove(const ColumnArray& columns, int c, int n);

// Whether the logical orders are the numbers 0..count-1, each once.
bool OrdersArePermutation(const ColumnArray& columns);
int CountHideable(const ColumnArray& columns);

} // namespace listctrl
