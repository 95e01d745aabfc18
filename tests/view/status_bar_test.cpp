// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the message pane tells while the program searches and after, kept
// while a command's prompt comes and goes.
#include <gtest/gtest.h>

#include <regex>

#include "framework/control_bars.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

class StatusBarTest : public AppFixture {
protected:
    std::string MessagePane() const { return Frame().GetMessageBar()->GetPaneText(0); }
};

} // namespace

TEST_F(StatusBarTest, TheMessagePaneTellsTheSearchAsItGoesAndWhenItEnded)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 0 found");
    ASSERT_TRUE(Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20})));
    ASSERT_TRUE(Answer(DeviceReply("Cam-Gate", {192, 168, 1, 21})));
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 2 found");
    // A prompt shown while the pointer rests on a command, then the search again.
    Frame().SetMessageText(ID_REFRESH);
    EXPECT_EQ(MessagePane(), "Search all device again。");
    ASSERT_TRUE(Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22})));
    Frame().SetMessageText(0u);
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 3 found");

    loop.loop.Advance(5000); // the window brought answers: another one opens
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 3 found");
    loop.loop.Advance(5000); // a quiet window ends the search
    EXPECT_TRUE(std::regex_match(MessagePane(), std::regex("Found 3 devices at [0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
        << MessagePane();

    Command(ID_REFRESH);
    EXPECT_EQ(MessagePane(), "Searching on all interfaces... 0 found");
    ASSERT_TRUE(Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20})));
    loop.loop.Advance(10000);
    EXPECT_EQ(MessagePane().rfind("Found 1 device at ", 0), 0u) << MessagePane();
}

TEST_F(StatusBarTest, TheSearchOnOneInterfaceNamesIt)
{
    network.net.interfaces = {{"eth0", 2, "10.77.0.1"}, {"eth1", 3, "10.88.0.1"}};
    ASSERT_TRUE(Start());
    View().ChooseInterface("eth1");
    EXPECT_EQ(MessagePane(), "Searching on eth1... 0 found");
    loop.loop.Advance(5000);
    EXPECT_EQ(MessagePane().rfind("Found 0 devices on eth1 at ", 0), 0u) << MessagePane();
}
