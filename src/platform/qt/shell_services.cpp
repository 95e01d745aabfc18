#include "platform/qt/shell_services.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>

#include "platform/qt/auto_answer.h"
#include "platform/qt/dialog_host.h"
#include "platform/qt/wire_text.h"

namespace {

// "All Files (*.*)" means every file; Qt spells that pattern "*".
QString QtFilter(const std::string& filter)
{
    QString f = TextFromBytes(filter);
    f.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return f;
}

}  // namespace

bool ShellEventLoop::Startup() { return QAbstractEventDispatcher::instance() != nullptr; }

void ShellEventLoop::Quit() { QMetaObject::invokeMethod(qApp, "quit", Qt::QueuedConnection); }

INT_PTR ShellUserInterface::RunModalDialog(CDialog& dialog)
{
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
