// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Ordering of device rows by one field of their row text records.
#pragma once

#include "system/win_types.h"

// x and y are the rows' record texts; |code| - 1 names the field: 0 name,
// 1 IP address, 2 subnet mask, 3 gateway, 4 MAC, 5 version; any other compares
// equal. A positive code puts the field in ascending text order (byte values),
// a negative one in descending order, as the header's arrow shows; rows with
// equal fields go by device name, ascending. Addresses compare as text.
int CompareDevices(LPARAM x, LPARAM y, LPARAM code);
// The same order, except that the IP address, subnet mask and gateway go by
// their four numbers (10.20.0.9 before 10.20.0.100); a text that is not a
// dotted address comes after every address, in text order.
int CompareDevicesByNumbers(LPARAM x, LPARAM y, LPARAM code);

// Case-sensitive comparison by unsigned byte values.
int CompareText(const char* s, const char* t);
