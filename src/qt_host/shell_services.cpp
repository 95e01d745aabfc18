// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/shell_services.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>

#include "qt_host/auto_answer.h"
#include "qt_host/dialog_host.h"
#include "qt_host/scripted_dialogs.h"
#include "qt_host/wire_text.h"

namespace {

// "All Files (*.*)" means every file; Qt spells that pattern "*".
QString QtFilter(const std::string& filter)
{
    QString f = TextFromBytes(filter);
    f.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return f;
}

} // namespace

bool ShellEventLoop::Startup()
{
    return QAbstractEventDispatcher::instance() != nullptr;
}

void ShellEventLoop::Quit()
{
    QMetaObject::invokeMethod(qApp, "quit", Qt::QueuedConnection);
}

INT_PTR ShellUserInterface::RunModalDialog(CDialog& dialog)
{
    if (ScriptedDialogs::Instance().Active()) {
        if (ScriptedDialogs::Instance().TakeWait(dialog)) {
            AppendUiLog("Dialog|" + std::to_string(dialog.TemplateId()) + "|Wait");
            const INT_PTR result = RunDialogModally(dialog, QApplication::activeWindow());
            AppendUiLog("Dialog|" + std::to_string(dialog.TemplateId()) + "|Ended|" + std::to_string(result));
            return result;
        }
        std::string log;
        const INT_PTR result = ScriptedDialogs::Instance().AnswerDialog(dialog, log);
        AppendUiLog("Dialog|" + std::to_string(dialog.TemplateId()) + "|" + EscapeForLog(log));
        return result;
    }
    if (AutoAnswerEnabled()) {
        AppendUiLog("Dialog|" + std::to_string(dialog.TemplateId()));
        return IDCANCEL;
    }
    return RunDialogModally(dialog, QApplication::activeWindow());
}

std::string ShellUserInterface::GetOpenFileName(const std::string& title, const std::string& filter)
{
    if (AutoAnswerEnabled()) {
        AppendUiLog("OpenFile|" + EscapeForLog(title));
        return {};
    }
    return BytesFromText(
        QFileDialog::getOpenFileName(QApplication::activeWindow(), TextFromBytes(title), QString(), QtFilter(filter)));
}

std::string ShellUserInterface::GetSaveFileName(const std::string& title, const std::string& filter)
{
    if (AutoAnswerEnabled()) {
        AppendUiLog("SaveFile|" + EscapeForLog(title));
        return {};
    }
    return BytesFromText(
        QFileDialog::getSaveFileName(QApplication::activeWindow(), TextFromBytes(title), QString(), QtFilter(filter)));
}

UserInterface::SaveFileChoice ShellUserInterface::ChooseSaveFile(const std::string& title, const std::string& filters,
                                                                 const std::string& suggestedName)
{
    if (AutoAnswerEnabled()) {
        AppendUiLog("SaveFile|" + EscapeForLog(title) + "|" + EscapeForLog(filters));
        return SaveFileChoice{AutoSaveFileAnswer(), {}};
    }
    QString chosen;
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), TextFromBytes(title),
                                                      TextFromBytes(suggestedName), QtFilter(filters), &chosen);
    return SaveFileChoice{BytesFromText(path), BytesFromText(chosen)};
}
