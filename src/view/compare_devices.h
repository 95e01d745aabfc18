// Ordering of device rows by one field of their row text records.
#pragma once

#include "system/win_types.h"

// x and y are the rows' record texts; |code| - 1 names the field: 0 name,
// 1 IP address, 2 subnet mask, 3 gateway, 4 MAC; any other compares equal.
// The field is in reverse text order; equal addresses fall back to the names
// in text order. The sign of the code is not used.
int CompareDevices(LPARAM x, LPARAM y, LPARAM code);

// Case-sensitive comparison by unsigned byte values.
int CompareText(const char* s, const char* t);
