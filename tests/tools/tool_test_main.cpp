// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <gtest/gtest.h>

#include "res/install_resources.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The model names and the password's refusal come from the string table,
    // as in the programs; this goes once the texts load without the framework.
    res::InstallResources();
    return RUN_ALL_TESTS();
}
