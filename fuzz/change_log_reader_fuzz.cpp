// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The reader of the log of changes on any bytes: it never crashes, each line
// is an entry, bad or blank, and an entry's texts are UTF-8 without control
// characters, so that the list and the CSV file show them as they are.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "devices/change_log_reader.h"
#include "devices/change_log_texts.h"
#include "system/utf8_text.h"

namespace {

bool Clean(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0 || static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F)
            return false;
        i += n;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const device::ChangeLines lines = device::ParseChangeLines(text);
    const auto lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (lines.entries.size() + lines.badLines > lineCount)
        std::abort();
    if ((lines.badLines > 0) != (lines.firstBadLine > 0) || lines.firstBadLine > lineCount)
        std::abort();
    for (const device::ChangeEntry& entry : lines.entries) {
        bool clean = Clean(entry.program) && Clean(entry.interfaceName) && Clean(entry.mac) && Clean(entry.command);
        for (const auto& fields : {entry.before, entry.after})
            for (const auto& [name, value] : fields)
                clean = clean && Clean(name) && Clean(value);
        if (!clean)
            std::abort();
    }
    // The texts the dialog shows and exports.
    if (device::ChangeLogCsv(lines.entries).empty())
        std::abort();
    return 0;
}
