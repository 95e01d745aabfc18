// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Which devices a typed filter text keeps: those whose shown name, IP
// address, mask, gateway or MAC contains it. Letters match in any case; a
// MAC matches with or without separators ("0a1b", "0A-1B", "0a:1b:2c" all
// find 00-0A-1B-2C-...), since people copy MACs from labels in every form.
#pragma once

#include <string>
#include <string_view>

#include "devices/device.h"

namespace device {

class DeviceFilter {
public:
    // Blanks around the text are dropped; an empty text keeps every device.
    explicit DeviceFilter(std::string_view text = {});

    bool Empty() const { return m_text.empty(); }
    bool Matches(const Device& d) const;

private:
    // The text in lower case (ASCII letters only: names are bytes).
    std::string m_text;
    // The text's hex digits in lower case when it is nothing but hex digits
    // and MAC separators; empty when it cannot be part of a MAC.
    std::string m_macDigits;
};

} // namespace device
