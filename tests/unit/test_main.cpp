#include <gtest/gtest.h>

#include "res/install_resources.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    res::InstallResources();
    return RUN_ALL_TESTS();
}
