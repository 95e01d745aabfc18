// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/app_runner.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "framework/commctrl.h"
#include "framework/frame_wnd.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "qt_host/auto_answer.h"
#include "qt_host/display_probe.h"
#include "qt_host/frame_window.h"
#include "qt_host/lock_keys.h"
#include "qt_host/platform_plugins.h"
#include "qt_host/qt_print_service.h"
#include "qt_host/scripted_dialogs.h"
#include "qt_host/shell_services.h"
#include "qt_host/start/platform_choice.h"
#include "qt_host/start/qt_options.h"
#include "qt_host/window_report.h"
#include "system/quoted_argument.h"
#include "system/services.h"
#include "system/standard_output.h"

namespace {

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
    const StartOptions options = ReadStartOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case StartAction::kHelp:
        return WriteStandardOutput(info.name, StartHelp(info)) ? 0 : 1;
    case StartAction::kVersion:
        return WriteStandardOutput(info.name, StartVersion(info)) ? 0 : 1;
    case StartAction::kUsageError:
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", info.name.c_str(), options.error.c_str(), info.name.c_str());
        return 2;
    case StartAction::kRun:
        break;
    }
    const DisplayProbe probe{
        [](const char* name) { return std::getenv(name); }, &CanOpenXDisplay,
        [](const std::string& name) { return CanOpenWaylandDisplay(name, std::getenv("XDG_RUNTIME_DIR")); },
        [&options] { return InstalledPlatformPlugins(QtOptionValue(options.qtArgs, "platformpluginpath")); }};
    if (const std::string reason = NoDisplayReason(options.qtArgs, probe); !reason.empty()) {
        std::fprintf(stderr, "%s: %s\n", info.name.c_str(), reason.c_str());
        return 1;
    }
    if (!options.reportPath.empty() && !ReportFolderExists(options.reportPath))
        return 1;

    // Qt sees its own options only: a value of ours never reads as one of Qt's.
    std::vector<std::string> qtArgs{argv[0]};
    qtArgs.insert(qtArgs.end(), options.qtArgs.begin(), options.qtArgs.end());
    std::vector<char*> qtArgv;
    for (std::string& arg : qtArgs)
        qtArgv.push_back(arg.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArgs.size());
    QApplication qapp(qtArgc, qtArgv.data());
    QApplication::setApplicationName(QString::fromStdString(app.AppName()));
    // Docks and task bars tie the window to its launcher by this name.
    if (!info.desktopId.empty())
        QGuiApplication::setDesktopFileName(QString::fromStdString(info.desktopId));

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
    if (!options.file.empty())
        app.m_arrArgs = {options.file};
    if (options.watchIntervalSeconds > 0)
        app.SetRunSetting("Settings", "WatchInterval", std::to_string(options.watchIntervalSeconds));

    int rc = 1;
    bool reportFailed = false;
    const auto writeReport = [&options, &reportFailed](CFrameWnd* frame) {
        if (!WriteReport(options.reportPath, frame)) {
            std::fprintf(stderr, "varnex: cannot write the report to %s\n", QuoteArgument(options.reportPath).c_str());
            reportFailed = true;
        }
    };
    // No message box waits for a person in a run that reports: a box at start
    // would otherwise hold it before the report is due.
    if (!options.reportPath.empty())
        AnswerMessageBoxesUnattended();
    // The report is written once: at its time, or when the answers are used, whichever comes first.
    bool reported = false;
    if (app.InitInstance()) {
        if (!options.reportPath.empty()) {
            const auto report = [&app, &writeReport, &reported] {
                if (reported)
                    return;
                reported = true;
                if (app.m_pMainWnd) {
                    writeReport(app.m_pMainWnd);
                    app.m_pMainWnd->OnClose();
                }
                QApplication::quit();
            };
            QTimer::singleShot(options.reportAfterMs, &qapp, report);
            // Once the last dialog has closed and its command has returned.
            if (options.reportWhenAnswered)
                ScriptedDialogs::Instance().SetAllAnsweredHandler(
                    [&qapp, report] { QTimer::singleShot(0, &qapp, report); });
        }
        if (!options.commands.empty() || options.selectRow >= 0) {
            QTimer::singleShot(1000, &qapp, [&app, &options] {
                if (options.selectRow >= 0 && app.m_pMainWnd && app.m_pMainWnd->GetActiveView()) {
                    LVITEMA item;
                    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                    for (int row = options.selectRow; row <= std::max(options.selectRow, options.selectLast); ++row) {
                        item.state = row == options.selectRow ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
                        app.m_pMainWnd->GetActiveView()->SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                                                     reinterpret_cast<LPARAM>(&item));
                    }
                }
                for (const unsigned id : options.commands)
                    if (app.m_pMainWnd && app.m_pMainWnd->IsWindow())
                        app.m_pMainWnd->SendMessage(WM_COMMAND, id, 0);
            });
        }
        rc = QApplication::exec();
        ScriptedDialogs::Instance().SetAllAnsweredHandler({});
        if (app.m_pMainWnd && !app.m_pMainWnd->IsClosed())
            app.m_pMainWnd->OnClose();
        const int exitCode = app.ExitInstance();
        rc = rc != 0 ? rc : exitCode;
        if (reportFailed && rc == 0)
            rc = 1;
    } else if (!options.reportPath.empty()) {
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
