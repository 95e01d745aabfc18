// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Rows of devices outside the subnet of the interface they answered on: their
// own overlay (a shared address wins), a tip that says why, and Web Browser
// asking first.
#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "framework/dialog_controls.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

const std::vector<int> kMacA = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0A};
const std::vector<int> kMacB = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0B};
const std::vector<int> kMacC = {0x00, 0x0A, 0x00, 0x00, 0x00, 0x0C};
constexpr unsigned kEth0 = 2;

class UnreachableRowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        network.net.interfaces = {{"eth0", kEth0, "192.168.1.10", "255.255.255.0"}};
        ASSERT_TRUE(Start());
    }
    void AnswerOnEth0(const std::string& name, const std::vector<int>& ip, const std::vector<int>& mac)
    {
        network.net.Deliver(4000, DeviceReply(name, ip, mac), kEth0);
    }
    UINT Overlay(const std::string& name) const
    {
        return static_cast<UINT>(
            View().SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(RowOf(name)), LVIS_OVERLAYMASK));
    }
};

constexpr UINT kShared = INDEXTOOVERLAYMASK(CVarnexView::kDuplicateOverlay);
constexpr UINT kUnreachable = INDEXTOOVERLAYMASK(CVarnexView::kUnreachableOverlay);
constexpr const char* kWhy = "10.0.0.50 is outside eth0's 192.168.1.0/24: this computer cannot reach it directly";

} // namespace

TEST_F(UnreachableRowsTest, ARowOutsideTheSubnetIsMarkedAndSaysWhyASharedAddressWins)
{
    Command(ID_REFRESH); // the subnets are read as the probe goes out
    AnswerOnEth0("Near", {192, 168, 1, 20}, kMacA);
    AnswerOnEth0("Far", {10, 0, 0, 50}, kMacB);
    EXPECT_EQ(Overlay("Near"), 0u);
    EXPECT_EQ(Overlay("Far"), kUnreachable);
    EXPECT_EQ(TipOver("Near"), "");
    EXPECT_EQ(TipOver("Far"), kWhy);

    // A second device at the far address: both rows now carry the shared mark
    // and both reasons are in the tip.
    AnswerOnEth0("Far2", {10, 0, 0, 50}, kMacC);
    loop.loop.Advance(CVarnexView::kDuplicateMarkDelayMs);
    EXPECT_EQ(Overlay("Far"), kShared);
    EXPECT_EQ(Overlay("Far2"), kShared);
    EXPECT_EQ(TipOver("Far"), std::string("Another device answers from this address too. Also at this address: "
                                          "00-0A-00-00-00-0C\n") +
                                  kWhy);
}

TEST_F(UnreachableRowsTest, RowsThatComeBackFromTheFilterKeepTheirMarks)
{
    Command(ID_REFRESH);
    AnswerOnEth0("Near", {192, 168, 1, 20}, kMacA);
    AnswerOnEth0("Far", {10, 0, 0, 50}, kMacB);
    CWnd& field = dynamic_cast<CMainFrame&>(Frame()).m_wndFilter;
    field.SendMessage(WM_CHAR, 'N');
    ASSERT_EQ(Column(0), std::vector<std::string>{"Near"});
    SetControlText(field, {});
    ASSERT_EQ(Column(0).size(), 2u);
    EXPECT_EQ(Overlay("Near"), 0u);
    EXPECT_EQ(Overlay("Far"), kUnreachable);
}

TEST_F(UnreachableRowsTest, WebBrowserOnAnUnreachableDeviceSaysWhyAndOpensNothingWhenDeclined)
{
    Command(ID_REFRESH);
    AnswerOnEth0("Far", {10, 0, 0, 50}, kMacB);
    SelectRows({RowOf("Far")});
    Command(ID_WEB_BROWSER);
    ASSERT_EQ(user.user.boxes.size(), 1u); // the scripted user answers OK, not Yes: nothing is opened
    EXPECT_NE(user.user.boxes[0].text.find(kWhy), std::string::npos) << user.user.boxes[0].text;
    EXPECT_EQ(user.user.boxes[0].type & 0x0F, MB_YESNO);
}
