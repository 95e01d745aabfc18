// Telling valid UTF-8 from other bytes in texts that came off the wire.
#pragma once

#include <cstddef>
#include <string_view>

namespace cli {

// The length (1-4) of the well-formed UTF-8 sequence that starts at pos, or 0
// when the byte there does not start one (overlong forms, surrogates and code
// points above U+10FFFF are not well formed).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

} // namespace cli
