// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The string table read without a window: the tools' texts must not depend on
// a resource provider being installed first.
#include <gtest/gtest.h>

#include "res/text/resource_ids.h"
#include "res/text/strings.h"
#include "system/win_messages.h"

TEST(Strings, KnownIdsGiveTheirTextAndUnknownOnesNothing)
{
    EXPECT_STREQ(res::FindString(IDS_COLUMN_IP_ADDRESS), "IP Address");
    EXPECT_EQ(res::LoadText(AFX_IDS_APP_TITLE), "Varnex");
    EXPECT_EQ(res::FindString(1), nullptr);
    EXPECT_EQ(res::LoadText(1), "");
}
