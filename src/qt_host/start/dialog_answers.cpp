// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/start/dialog_answers.h"

#include <cstring>

#include "system/percent_text.h"
#include "system/regular_file.h"

namespace {

bool ParseId(std::string_view text, UINT* id)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    UINT value = 0;
    for (char c : text)
        value = value * 10 + static_cast<UINT>(c - '0');
    *id = value;
    return value <= 0xFFFF;
}

std::string ProblemText(const FileError& error)
{
    switch (error.problem) {
    case FileProblem::kFolder:
        return "it is a folder";
    case FileProblem::kNotRegular:
        return "it is not a regular file";
    case FileProblem::kTooLarge:
        return "it is larger than 1 MiB";
    default:
        return std::strerror(error.error);
    }
}

} // namespace

DialogAnswers::~DialogAnswers()
{
    while (!m_answers.empty())
        PopFront();
}

void DialogAnswers::Wipe(std::string& text)
{
    volatile char* p = text.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        p[i] = 0;
    text.clear();
}

void DialogAnswers::PopFront()
{
    for (Field& field : m_answers.front().fields)
        Wipe(field.value);
    m_answers.pop_front();
}

bool DialogAnswers::Parse(std::string_view text, std::string& error)
{
    // Words are views into the text, so that no copy of a value is made but
    // the one that is wiped after use.
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        std::vector<std::string_view> words;
        for (std::size_t i = 0; i < line.size();) {
            while (i < line.size() && blank(line[i]))
                ++i;
            std::size_t j = i;
            while (j < line.size() && !blank(line[j]))
                ++j;
            if (j > i)
                words.push_back(line.substr(i, j - i));
            i = j;
        }
        if (words.empty() || words[0][0] == '#')
            continue;
        Answer answer;
        const auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(number) + ": " + what;
            for (Field& field : answer.fields)
                Wipe(field.value);
            return false;
        };
        if (!ParseId(words[0], &answer.dialog))
            return fail("the dialog is not a template number");
        if (words.size() < 2 || (words[1] != "OK" && words[1] != "Cancel" && words[1] != "Wait"))
            return fail("the button is not OK, Cancel or Wait");
        answer.ok = words[1] == "OK";
        answer.wait = words[1] == "Wait";
        if (answer.wait && words.size() > 2)
            return fail("a dialog waited for takes no fields");
        for (std::size_t w = 2; w < words.size(); ++w) {
            const std::string_view word = words[w];
            const auto eq = word.find('=');
            Field field;
            if (eq == std::string_view::npos || !ParseId(word.substr(0, eq), &field.control))
                return fail("a field is not CONTROL=VALUE");
            field.value.reserve(word.size() - eq);
            const bool decoded = AppendPercentDecoded(word.substr(eq + 1), field.value);
            answer.fields.push_back(std::move(field));
            if (!decoded)
                return fail("'%' must be followed by two hex digits");
        }
        m_answers.push_back(std::move(answer));
    }
    return true;
}

bool DialogAnswers::Load(const std::string& path, std::string& error)
{
    // A FIFO or a device would hold the start, or fill memory: only a regular
    // file is read, into one buffer that is wiped after.
    std::vector<unsigned char> data;
    FileError problem;
    if (!ReadRegularFile(path, kMaxFileBytes, data, problem)) {
        error = "cannot read " + path + ": " + ProblemText(problem);
        return false;
    }
    const bool ok = Parse(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), error);
    volatile unsigned char* p = data.data();
    for (std::size_t i = 0; i < data.size(); ++i)
        p[i] = 0;
    if (!ok)
        error = path + ": " + error;
    return ok;
}
