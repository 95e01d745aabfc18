// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <QApplication>
#include <gtest/gtest.h>

#include "controls/common_controls.h"

int main(int argc, char** argv)
{
    // The tests draw and send events without a screen; test discovery runs
    // this program too, without CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    InitCommonControls();
    return RUN_ALL_TESTS();
}
