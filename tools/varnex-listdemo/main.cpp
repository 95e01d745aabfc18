// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-listdemo: the list engine's owner-drawn mode in a window of its own.
// It sends nothing on the network.
#include "demo_app.h"
#include "qt_host/app_runner.h"
#include "res/install_resources.h"
#include "res/text/version.h"

int main(int argc, char** argv)
{
    res::InstallResources();
    const ProgramInfo info{"varnex-listdemo", res::Version(),
                           "Shows the list engine's owner-drawn mode: check boxes, icons, hot tracking, the\n"
                           "tinted sort column, and column 0 dragged away from the left.\n",
                           ""};
    CListDemoApp app;
    return RunWinApp(app, info, argc, argv);
}
