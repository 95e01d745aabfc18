// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The dialog answers file: whatever it holds, it is read without a crash, a
// refusal names a line of the text, and what it accepts reads back the same
// when written out again with every value byte as %XX.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "qt_host/start/dialog_answers.h"

namespace {

std::string Written(const DialogAnswers::Answer& answer)
{
    std::string line = std::to_string(answer.dialog) + (answer.ok ? " OK" : " Cancel");
    for (const DialogAnswers::Field& field : answer.fields) {
        line += ' ' + std::to_string(field.control) + '=';
        for (unsigned char c : field.value) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            line += hex;
        }
    }
    return line + '\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    DialogAnswers answers;
    std::string error;
    if (!answers.Parse(text, error)) {
        const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        if (error.rfind("line ", 0) != 0 || std::strtoul(error.c_str() + 5, nullptr, 10) > lines)
            std::abort();
        return 0;
    }
    while (!answers.Empty()) {
        const DialogAnswers::Answer answer = answers.Front();
        answers.PopFront();
        DialogAnswers reread;
        std::string rereadError;
        if (!reread.Parse(Written(answer), rereadError) || reread.Count() != 1)
            std::abort();
        const DialogAnswers::Answer& back = reread.Front();
        if (back.dialog != answer.dialog || back.ok != answer.ok || back.fields.size() != answer.fields.size())
            std::abort();
        for (std::size_t f = 0; f < answer.fields.size(); ++f)
            if (back.fields[f].control != answer.fields[f].control || back.fields[f].value != answer.fields[f].value)
                std::abort();
    }
    return 0;
}
