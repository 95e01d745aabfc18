#include "view/compare_devices.h"

#include <cstdlib>
#include <cstring>

#include "discovery/device_record.h"

int CompareText(const char* s, const char* t)
{
    const int c = std::strcmp(s, t);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareDevices(LPARAM x, LPARAM y, LPARAM code)
{
    const auto* a = reinterpret_cast<const char*>(x);
    const auto* b = reinterpret_cast<const char*>(y);
    if (a == nullptr || b == nullptr)
        return 0;
    const long long magnitude = std::llabs(static_cast<long long>(code));
    const long long k = magnitude - 1;
    switch (k) {
    case 0:
        return -CompareText(a, b);
    case 1:
    case 2:
    case 3: {
        const int field = static_cast<int>(k);
        const int c = CompareText(device::GetField(a, field), device::GetField(b, field));
        return c != 0 ? -c : CompareText(a, b);
    }
    case 4:
        return -CompareText(device::GetField(a, 4), device::GetField(b, 4));
    default:
        return 0;
    }
}
