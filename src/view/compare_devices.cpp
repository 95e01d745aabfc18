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
    const long long k = std::llabs(static_cast<long long>(code)) - 1;
    if (a == nullptr || b == nullptr || k < 0 || k >= device::kColumnCount)
        return 0;
    const int field = static_cast<int>(k);
    const int c = CompareText(device::GetField(a, field), device::GetField(b, field));
    if (c != 0)
        return code < 0 ? -c : c;
    // Equal fields: by name, always ascending.
    return field == 0 ? 0 : CompareText(a, b);
}
