// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/auto_answer.h"

#include <optional>

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <fstream>

#include "system/win_messages.h"

namespace {

bool g_unattended = false;

std::vector<std::string>& Answered()
{
    static std::vector<std::string> texts;
    return texts;
}

} // namespace

bool AutoAnswerEnabled()
{
    return qEnvironmentVariableIsSet("VARNEX_AUTO_ANSWER");
}

void AnswerMessageBoxesUnattended()
{
    g_unattended = true;
}

bool MessageBoxesAnswered()
{
    return g_unattended || AutoAnswerEnabled();
}

const std::vector<std::string>& AnsweredMessages()
{
    return Answered();
}

void NoteAnsweredMessage(const std::string& text)
{
    Answered().push_back(text);
}

int AutoAnswerResult()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("VARNEX_AUTO_ANSWER", &ok);
    if (ok && (value == IDOK || value == IDCANCEL || value == IDYES || value == IDNO))
        return value;
    return IDOK;
}

std::optional<unsigned> AutoMenuCommand()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("VARNEX_AUTO_MENU_COMMAND", &ok);
    if (!ok || value < 0)
        return std::nullopt;
    return static_cast<unsigned>(value);
}

std::string AutoSaveFileAnswer()
{
    return qEnvironmentVariable("VARNEX_AUTO_SAVE_FILE").toStdString();
}

void AppendUiLog(const std::string& line)
{
    const QByteArray path = qgetenv("VARNEX_UI_LOG");
    if (path.isEmpty())
        return;
    std::ofstream out(path.toStdString(), std::ios::app | std::ios::binary);
    out << line << '\n';
}

std::string EscapeForLog(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}
