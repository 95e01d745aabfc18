// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The version the programs print is the one the window title and the About box
// show: bumping one without the other would tell a technician two stories.
#include <gtest/gtest.h>

#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "res/text/version.h"

TEST(Version, TitleAndAboutBoxShowTheBuildsVersion)
{
    const std::string version = res::Version();
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(std::string(res::FindString(IDR_MAINFRAME)), "Varnex V" + version);
    const DialogTemplateDef* about = res::FindDialog(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    bool shown = false;
    for (const auto& control : about->controls)
        shown = shown || control.text == "Varnex v" + version;
    EXPECT_TRUE(shown) << "the About box does not show version " << version;
}
