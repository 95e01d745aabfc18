// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/app_runner.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "controls/commctrl.h"
#include "framework/frame_wnd.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "qt_host/auto_answer.h"
#include "qt_host/frame_window.h"
#include "qt_host/lock_keys.h"
#include "qt_host/qt_print_service.h"
#include "qt_host/scripted_dialogs.h"
#include "qt_host/shell_services.h"
#include "qt_host/window_report.h"
#include "qt_host/x_display_probe.h"
#include "system/quoted_argument.h"
#include "system/services.h"

namespace {

// --report FILE [--report-after MS]: after the delay, write what the frame shows
// to FILE and end the program. --command ID (repeatable): carry out a command a
// second after start, as if chosen from a menu; --select ROW selects that row
// of the list (counted from 0, in the order shown) just before. For scripts
// that drive the program unattended (tests, screenshots).
struct ReportRequest {
    std::string path;
    int afterMs = 6000;
    std::vector<UINT> commands;
    int selectRow = -1; // --select ROW: the row of the active view to select first
};

// A whole number of milliseconds or a command id: digits only, at most max.
bool ParseCount(const std::string& text, unsigned long max, unsigned long* value)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::strtoul(text.c_str(), nullptr, 10);
    return *value <= max;
}

// The program's own options are taken out; the rest is the document command
// line. False after telling what was wrong.
bool ProgramArguments(int argc, char** argv, ReportRequest* report, std::vector<std::string>* args)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        unsigned long value = 0;
        if (arg == "--report" && i + 1 < argc) {
            report->path = argv[++i];
        } else if (arg == "--report-after" && i + 1 < argc) {
            if (!ParseCount(argv[++i], 24ul * 60 * 60 * 1000, &value)) {
                std::fprintf(stderr, "varnex: --report-after %s: not a number of milliseconds up to a day\n",
                             QuoteArgument(argv[i]).c_str());
                return false;
            }
            report->afterMs = static_cast<int>(value);
        } else if (arg == "--select" && i + 1 < argc) {
            if (!ParseCount(argv[++i], 1000000, &value)) {
                std::fprintf(stderr, "varnex: --select %s: not a row number\n", QuoteArgument(argv[i]).c_str());
                return false;
            }
            report->selectRow = static_cast<int>(value);
        } else if (arg == "--command" && i + 1 < argc) {
            if (!ParseCount(argv[++i], 0xFFFF, &value)) {
                std::fprintf(stderr, "varnex: --command %s: not a command number 0-65535\n",
                             QuoteArgument(argv[i]).c_str());
                return false;
            }
            report->commands.push_back(static_cast<UINT>(value));
        } else {
            args->push_back(arg);
        }
    }
    return true;
}

// The report's folder must exist: the report is how an unattended run tells
// what it saw, and it cannot wait until the end to find out it has nowhere to go.
bool ReportFolderExists(const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec))
        return true;
    std::fprintf(stderr, "varnex: --report %s: the folder %s does not exist\n", QuoteArgument(path).c_str(),
                 QuoteArgument(folder.string()).c_str());
    return false;
}

} // namespace

int RunWinApp(CWinApp& app, const ProgramInfo& info, int argc, char** argv)
{
    // Settled before Qt and the application start, so that these never open a
    // window or a socket.
    const std::vector<std::string> args(argv + 1, argv + argc);
    switch (ReadStartOptions(args)) {
    case StartAction::kHelp:
        std::fputs(StartHelp(info).c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case StartAction::kVersion:
        std::fputs(StartVersion(info).c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case StartAction::kRun:
        break;
    }
    if (const std::string reason = NoDisplayReason(
            args, [](const char* name) { return std::getenv(name); }, &CanOpenXDisplay);
        !reason.empty()) {
        std::fprintf(stderr, "%s: %s\n", info.name.c_str(), reason.c_str());
        return 1;
    }

    // The program's own options, checked before any window opens.
    ReportRequest report;
    std::vector<std::string> programArgs;
    if (!ProgramArguments(argc, argv, &report, &programArgs))
        return 2;
    if (!report.path.empty() && !ReportFolderExists(report.path))
        return 1;

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(app.AppName()));

    ShellEventLoop loop;
    ShellUserInterface ui;
    QtPrintService printing;
    FrameWindowFactory frames;
    Platform().loop = &loop;
    Platform().ui = &ui;
    Platform().printing = &printing;
    InstallFrameHostFactory(&frames);
    SetLockKeyReader(&ReadLockKey);

    // Dialog answers for an unattended run, read once before anything is shown.
    if (const char* answers = std::getenv("VARNEX_DIALOG_ANSWERS"); answers != nullptr && *answers != '\0') {
        std::string error;
        if (!ScriptedDialogs::Instance().Load(answers, error)) {
            std::fprintf(stderr, "varnex: VARNEX_DIALOG_ANSWERS: %s\n", error.c_str());
            return 2;
        }
    }
    app.m_arrArgs = std::move(programArgs);

    int rc = 1;
    bool reportFailed = false;
    const auto writeReport = [&report, &reportFailed](CFrameWnd* frame) {
        if (!WriteReport(report.path, frame)) {
            std::fprintf(stderr, "varnex: cannot write the report to %s\n", QuoteArgument(report.path).c_str());
            reportFailed = true;
        }
    };
    // No message box waits for a person in a run that reports: a box at start
    // would otherwise hold it before the report is due.
    if (!report.path.empty())
        AnswerMessageBoxesUnattended();
    if (app.InitInstance()) {
        if (!report.path.empty()) {
            QTimer::singleShot(report.afterMs, &qapp, [&app, &writeReport] {
                if (app.m_pMainWnd) {
                    writeReport(app.m_pMainWnd);
                    app.m_pMainWnd->OnClose();
                }
                QApplication::quit();
            });
        }
        if (!report.commands.empty() || report.selectRow >= 0) {
            QTimer::singleShot(1000, &qapp, [&app, &report] {
                if (report.selectRow >= 0 && app.m_pMainWnd && app.m_pMainWnd->GetActiveView()) {
                    LVITEMA item;
                    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                    item.state = LVIS_SELECTED | LVIS_FOCUSED;
                    app.m_pMainWnd->GetActiveView()->SendMessage(
                        LVM_SETITEMSTATE, static_cast<WPARAM>(report.selectRow), reinterpret_cast<LPARAM>(&item));
                }
                for (UINT id : report.commands)
                    if (app.m_pMainWnd && app.m_pMainWnd->IsWindow())
                        app.m_pMainWnd->SendMessage(WM_COMMAND, id, 0);
            });
        }
        rc = QApplication::exec();
        if (app.m_pMainWnd && !app.m_pMainWnd->IsClosed())
            app.m_pMainWnd->OnClose();
        const int exitCode = app.ExitInstance();
        rc = rc != 0 ? rc : exitCode;
        if (reportFailed && rc == 0)
            rc = 1;
    } else if (!report.path.empty()) {
        // A start that failed still tells what it said.
        writeReport(nullptr);
    }
    // The frame's windows go before the services they use.
    if (app.GetDocTemplate())
        app.GetDocTemplate()->CloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    InstallFrameHostFactory(nullptr);
    Platform() = PlatformServices{};
    return rc;
}
