// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Runs an application object of ours on Qt: answers --help and --version and
// refuses to start without a display (before Qt or the application starts),
// then installs the platform's services, starts the application and runs the
// event loop until the frame closes.
#pragma once

#include "qt_host/start/start_options.h"

class CWinApp;

int RunWinApp(CWinApp& app, const ProgramInfo& info, int argc, char** argv);
