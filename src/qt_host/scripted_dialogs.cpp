// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/scripted_dialogs.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/commctrl.h"
#include "framework/dialog.h"
#include "framework/resources.h"
#include "system/percent_text.h"

namespace {

void Wipe(std::string& text)
{
    volatile char* p = text.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        p[i] = 0;
    text.clear();
}

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

// Four dotted numbers 0-255, as the IP address control holds them.
bool ParseAddress(const std::string& text, LPARAM* address)
{
    int parts[4] = {};
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (pos >= text.size() || text[pos++] != '.'))
            return false;
        int digits = 0;
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 3) {
            value = value * 10 + (text[pos++] - '0');
            ++digits;
        }
        if (digits == 0 || value > 255)
            return false;
        parts[i] = value;
    }
    if (pos != text.size())
        return false;
    *address = MAKEIPADDRESS(parts[0], parts[1], parts[2], parts[3]);
    return true;
}

bool IsAddressControl(UINT dialog, UINT control)
{
    if (const DialogTemplateDef* def = AfxFindDialog(dialog))
        for (const DialogControlDef& c : def->controls)
            if (c.id == control)
                return c.kind == DialogControlKind::IPAddress;
    return false;
}

} // namespace

ScriptedDialogs::~ScriptedDialogs()
{
    while (!m_answers.empty())
        WipeFront();
}

ScriptedDialogs& ScriptedDialogs::Instance()
{
    static ScriptedDialogs answers;
    return answers;
}

void ScriptedDialogs::WipeFront()
{
    for (Field& field : m_answers.front().fields)
        Wipe(field.value);
    m_answers.pop_front();
}

bool ScriptedDialogs::Parse(std::string_view text, std::string& error)
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
        if (words.size() < 2 || (words[1] != "OK" && words[1] != "Cancel"))
            return fail("the button is not OK or Cancel");
        answer.ok = words[1] == "OK";
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

bool ScriptedDialogs::Load(const std::string& path, std::string& error)
{
    // Read straight into one buffer of the file's size, which is wiped after.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    constexpr off_t kMaxBytes = 1 << 20;
    if (info.st_size > kMaxBytes) {
        ::close(fd);
        error = path + " is larger than 1 MiB";
        return false;
    }
    std::string text(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    const bool ok = Parse(std::string_view(text.data(), got), error);
    Wipe(text);
    if (!ok)
        error = path + ": " + error;
    m_active = ok;
    return ok;
}

INT_PTR ScriptedDialogs::AnswerDialog(CDialog& dialog, std::string& log)
{
    if (m_answers.empty()) {
        log = "no answer left";
        dialog.OnCancel();
        return IDCANCEL;
    }
    Answer& answer = m_answers.front();
    if (answer.dialog != dialog.TemplateId()) {
        log = "the next answer is for dialog " + std::to_string(answer.dialog);
        dialog.OnCancel();
        return IDCANCEL;
    }
    for (Field& field : answer.fields) {
        CWnd* control = dialog.GetDlgItem(field.control);
        if (control == nullptr) {
            log = "no control " + std::to_string(field.control);
            WipeFront();
            dialog.OnCancel();
            return IDCANCEL;
        }
        LPARAM address = 0;
        if (!IsAddressControl(answer.dialog, field.control))
            control->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(field.value.c_str()));
        else if (field.value.empty())
            control->SendMessage(IPM_CLEARADDRESS);
        else if (ParseAddress(field.value, &address))
            control->SendMessage(IPM_SETADDRESS, 0, address);
        else
            log = "control " + std::to_string(field.control) + " takes four dotted numbers";
        Wipe(field.value);
    }
    const bool ok = answer.ok;
    WipeFront();
    if (ok)
        dialog.OnOK();
    if (!dialog.IsEnded()) // cancelled, or its checks refused the values
        dialog.OnCancel();
    if (log.empty())
        log = dialog.Result() == IDOK ? "OK" : "Cancel";
    return dialog.Result();
}
