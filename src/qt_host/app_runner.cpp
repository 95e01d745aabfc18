#include "qt_host/app_runner.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "framework/frame_wnd.h"
#include "framework/win_app.h"
#include "qt_host/frame_window.h"
#include "qt_host/lock_keys.h"
#include "qt_host/qt_print_service.h"
#include "qt_host/shell_services.h"
#include "qt_host/window_report.h"
#include "qt_host/x_display_probe.h"
#include "system/services.h"

namespace {

// --report FILE [--report-after MS]: after the delay, write what the frame shows
// to FILE and end the program. --command ID (repeatable): carry out a command a
// second after start, as if chosen from a menu. For scripts that drive the
// program unattended (tests, screenshots).
struct ReportRequest {
    std::string path;
    int afterMs = 6000;
    std::vector<UINT> commands;
};

std::vector<std::string> ProgramArguments(int argc, char** argv, ReportRequest* report)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--report" && i + 1 < argc)
            report->path = argv[++i];
        else if (arg == "--report-after" && i + 1 < argc)
            report->afterMs = std::atoi(argv[++i]);
        else if (arg == "--command" && i + 1 < argc)
            report->commands.push_back(static_cast<UINT>(std::strtoul(argv[++i], nullptr, 10)));
        else
            args.push_back(arg);
    }
    return args;
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

    ReportRequest report;
    app.m_arrArgs = ProgramArguments(argc, argv, &report);

    int rc = 1;
    if (app.InitInstance()) {
        if (!report.path.empty()) {
            QTimer::singleShot(report.afterMs, &qapp, [&app, &report] {
                if (app.m_pMainWnd) {
                    std::ofstream out(report.path, std::ios::trunc);
                    out << DescribeFrame(*app.m_pMainWnd);
                    app.m_pMainWnd->OnClose();
                }
                QApplication::quit();
            });
        }
        if (!report.commands.empty()) {
            QTimer::singleShot(1000, &qapp, [&app, &report] {
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
    }
    // The frame's windows go before the services they use.
    if (app.GetDocTemplate())
        app.GetDocTemplate()->CloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    InstallFrameHostFactory(nullptr);
    Platform() = PlatformServices{};
    return rc;
}
