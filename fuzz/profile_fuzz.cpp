// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Any profile file: the values read from it are bounded by the line limit and
// each binary value decodes to bytes that encode back to it, or to nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "system/profile.h"

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    ProfileValues values;
    ReadProfileValues(in, values);
    for (const auto& [key, value] : values) {
        if (value.size() > Profile::kMaxLine || key.first.size() > Profile::kMaxLine)
            std::abort();
        const auto bytes = DecodeBinaryValue(value);
        if (!bytes)
            continue;
        if (bytes->size() * 2 + 4 != value.size())
            std::abort();
        const std::string again = EncodeBinaryValue(*bytes);
        for (std::size_t i = 0; i < value.size(); ++i)
            if (Lower(value[i]) != again[i])
                std::abort();
    }
    // The same bytes as one value.
    if (const auto bytes = DecodeBinaryValue(text); bytes && EncodeBinaryValue(*bytes).size() != text.size())
        std::abort();
    return 0;
}
