// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "view/compare_devices.h"

#include <cstdlib>
#include <cstring>

#include "devices/device_texts.h"

int CompareText(const char* s, const char* t)
{
    const int c = std::strcmp(s, t);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

namespace {

// The address as one number, or -1 when the text is not four numbers 0-255 joined by dots.
long long AddressNumber(const char* s)
{
    long long value = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && *s++ != '.')
            return -1;
        int digits = 0;
        int number = 0;
        while (*s >= '0' && *s <= '9' && digits < 3) {
            number = number * 10 + (*s++ - '0');
            ++digits;
        }
        if (digits == 0 || number > 255)
            return -1;
        value = value * 256 + number;
    }
    return *s == '\0' ? value : -1;
}

int CompareAddresses(const char* s, const char* t)
{
    const long long a = AddressNumber(s);
    const long long b = AddressNumber(t);
    if (a < 0 || b < 0) {
        if (a >= 0 || b >= 0)
            return a >= 0 ? -1 : 1;
        return CompareText(s, t);
    }
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareRecords(LPARAM x, LPARAM y, LPARAM code, bool addressesAsNumbers)
{
    const auto* a = reinterpret_cast<const char*>(x);
    const auto* b = reinterpret_cast<const char*>(y);
    const long long k = std::llabs(static_cast<long long>(code)) - 1;
    if (a == nullptr || b == nullptr || k < 0 || k >= device::kColumnCount)
        return 0;
    const int field = static_cast<int>(k);
    const bool address = addressesAsNumbers && field >= 1 && field <= 3;
    const char* s = device::GetField(a, field);
    const char* t = device::GetField(b, field);
    const int c = address ? CompareAddresses(s, t) : CompareText(s, t);
    if (c != 0)
        return code < 0 ? -c : c;
    // Equal fields: by name, always ascending.
    return field == 0 ? 0 : CompareText(a, b);
}

} // namespace

int CompareDevices(LPARAM x, LPARAM y, LPARAM code)
{
    return CompareRecords(x, y, code, false);
}

int CompareDevicesByNumbers(LPARAM x, LPARAM y, LPARAM code)
{
    return CompareRecords(x, y, code, true);
}
