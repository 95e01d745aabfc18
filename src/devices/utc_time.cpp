// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/utc_time.h"

#include <ctime>

namespace device {

std::string UtcText(std::chrono::system_clock::time_point when)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

} // namespace device
