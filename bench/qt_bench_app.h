// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The one Qt application object of the benchmark program: a widget
// application on the offscreen platform, so that the Qt peers, the real
// pixels and the desktop program's own windows run without a screen.
#pragma once

#ifdef VARNEX_BENCH_QT

#include <QApplication>
#include <QtGlobal>

inline void EnsureQtApplication()
{
    static int argc = 1;
    static char name[] = "varnex_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

#endif
