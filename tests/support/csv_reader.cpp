// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/csv_reader.h"

std::optional<CsvRecords> ReadCsv(const std::string& text, std::string* error)
{
    CsvRecords records;
    std::vector<std::string> record;
    std::string field;
    std::size_t i = 0;
    const auto fail = [&](const std::string& why) -> std::optional<CsvRecords> {
        *error = why + " at byte " + std::to_string(i);
        return std::nullopt;
    };
    while (i < text.size()) {
        if (text[i] == '"') {
            ++i;
            for (;;) {
                if (i >= text.size())
                    return fail("a quoted field is not closed");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\r')
                return fail("text after a closing quote");
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r') {
                if (text[i] == '"' || text[i] == '\n')
                    return fail("a quote or line feed in an unquoted field");
                field += text[i++];
            }
        }
        if (i >= text.size())
            return fail("the last record does not end with CR LF");
        record.push_back(std::move(field));
        field.clear();
        if (text[i] == ',') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] != '\n')
            return fail("a CR without LF");
        i += 2;
        records.push_back(std::move(record));
        record.clear();
    }
    return records;
}
