// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Desktop entries: the Exec line quoted and expanded as desktops do.
#include <gtest/gtest.h>

#include "commands/desktop_entry.h"

namespace {

using browser::CommandLine;

TEST(DesktopEntryTest, QuotingEscapesAndFieldCodes)
{
    browser::DesktopEntry entry;
    entry.name = "Web";
    entry.exec = R"("/opt/My Browser/run" "a \"q\" \\ b" %f %k %% %d)";
    const auto argv = browser::ExpandExec(entry, "/x/web.desktop", "10.0.0.1");
    ASSERT_TRUE(argv);
    EXPECT_EQ(*argv, (CommandLine{"/opt/My Browser/run", "a \"q\" \\ b", "10.0.0.1", "/x/web.desktop", "%"}));
    entry.exec = "\"unclosed %u";
    EXPECT_FALSE(browser::ExpandExec(entry, "", "10.0.0.1"));
    entry.exec = "   ";
    EXPECT_FALSE(browser::ExpandExec(entry, "", "10.0.0.1"));
}

} // namespace
