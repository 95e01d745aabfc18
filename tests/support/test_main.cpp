// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <gtest/gtest.h>

#include "controls/common_controls.h"
#include "res/install_resources.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    res::InstallResources();
    // The window classes every program registers at start, as the application does.
    InitCommonControls();
    return RUN_ALL_TESTS();
}
