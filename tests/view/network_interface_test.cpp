// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The program on a machine with two network interfaces: one probe on each,
// View -> Network Interface with its items and check marks, the choice kept in
// the profile, an interface that went away, and each row's interface carried
// to the command packets of its device.
#include <gtest/gtest.h>

#include "commands/command_packet.h"
#include "controls/ip_address_control.h"
#include "framework/control_bars.h"
#include "framework/frame_wnd.h"
#include "framework/menu.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "system/profile.h"

namespace {

const NetworkInterface kEth0{"eth0", 2, "10.77.0.1"};
const NetworkInterface kEth1{"eth1", 3, "10.88.0.1"};

const std::vector<int> kLobbyMac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
const std::vector<int> kBenchMac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x77};

class NetworkInterfaceTest : public AppFixture {
protected:
    NetworkInterfaceTest() { network.net.interfaces = {kEth0, kEth1}; }

    // The interfaces the probes since the given send went out on.
    std::vector<unsigned> ProbesBy(std::size_t from = 0) const
    {
        std::vector<unsigned> by;
        for (std::size_t i = from; i < Sent().size(); ++i)
            if (Sent()[i].bytes[3] == 0x39)
                by.push_back(Sent()[i].interfaceIndex);
        return by;
    }

    // View -> Network Interface as it shows when opened now.
    std::vector<MenuItemDef> OpenInterfaceMenu()
    {
        const MenuDef* menu = AfxFindMenu(IDR_MAINFRAME);
        EXPECT_NE(menu, nullptr);
        for (const MenuItemDef& top : menu->items)
            for (const MenuItemDef& item : top.popup)
                if (item.IsPopup() && item.text == "Network &Interface") {
                    std::vector<MenuItemDef> items = item.popup;
                    Frame().OnInitMenuPopup(items);
                    return items;
                }
        ADD_FAILURE() << "no Network Interface pop-up in the View menu";
        return {};
    }
    static std::vector<std::string> Shown(const std::vector<MenuItemDef>& items)
    {
        std::vector<std::string> shown;
        for (const MenuItemDef& item : items)
            shown.push_back(((item.state & MF_CHECKED) ? "[x] " : "[ ] ") + item.text);
        return shown;
    }
    void Command(UINT id) { Frame().SendMessage(WM_COMMAND, id, 0); }
    std::optional<std::string> SavedChoice() const
    {
        return Profile(Profile::PathFor(kProfileRegistryKey, "Varnex")).GetString("Settings", "Interface");
    }
    void SaveChoice(const std::string& value)
    {
        ASSERT_TRUE(
            Profile(Profile::PathFor(kProfileRegistryKey, "Varnex")).WriteString("Settings", "Interface", value));
    }
    std::string MessagePane() const { return Frame().GetMessageBar()->GetPaneText(0); }
    int RowOf(const std::string& name)
    {
        const auto names = Column(0);
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name)
                return static_cast<int>(i);
        return -1;
    }
    void Select(const std::string& name)
    {
        LVITEMA item;
        item.stateMask = LVIS_SELECTED;
        item.state = 0;
        View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        item.state = LVIS_SELECTED;
        View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(RowOf(name)), reinterpret_cast<LPARAM>(&item));
    }
    void Password()
    {
        user.user.dialogAnswers.push_back([](CDialog& d) {
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
    }
    // The two devices answer, each on its own segment.
    void BothAnswer()
    {
        ASSERT_TRUE(network.net.Deliver(4000, DeviceReply("Cam-Lobby", {192, 168, 1, 20}, kLobbyMac), kEth0.index));
        ASSERT_TRUE(network.net.Deliver(4000, DeviceReply("Bench-2", {192, 168, 1, 30}, kBenchMac), kEth1.index));
    }
    const FakeNetwork::Sent& LastCommand() const
    {
        static const FakeNetwork::Sent none{};
        for (auto it = Sent().rbegin(); it != Sent().rend(); ++it)
            if (it->bytes[3] != 0x39)
                return *it;
        ADD_FAILURE() << "no command was sent";
        return none;
    }
};

} // namespace

TEST_F(NetworkInterfaceTest, StartSendsTheProbeOnceOnEachInterfaceAndListsEveryAnswer)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(ProbesBy(), (std::vector<unsigned>{2, 3}));
    const packet::Bytes expected = packet::BuildProbe();
    for (const auto& probe : Sent()) {
        EXPECT_EQ(probe.fromPort, 4000);
        EXPECT_EQ(probe.host, "255.255.255.255");
        EXPECT_EQ(probe.port, 36);
        EXPECT_EQ(probe.bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    }
    BothAnswer();
    EXPECT_EQ(RowCount(), 2);
    EXPECT_EQ(StatusExt(), "Online : 2");
    EXPECT_FALSE(SavedChoice().has_value()); // nothing is written until the user chooses
}

TEST_F(NetworkInterfaceTest, TheMenuListsAllInterfacesThenEachByNameAndAddressWithTheChoiceChecked)
{
    ASSERT_TRUE(Start());
    std::vector<MenuItemDef> items = OpenInterfaceMenu();
    EXPECT_EQ(Shown(items),
              (std::vector<std::string>{"[x] &All Interfaces", "[ ] eth0 (10.77.0.1)", "[ ] eth1 (10.88.0.1)"}));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, ID_VIEW_INTERFACE_ALL);
    EXPECT_EQ(items[1].id, ID_VIEW_INTERFACE_FIRST);
    EXPECT_EQ(items[2].id, ID_VIEW_INTERFACE_FIRST + 1);
    for (const MenuItemDef& item : items)
        EXPECT_EQ(item.state & MF_GRAYED, 0u) << item.text;

    // Choosing eth1 refreshes: one probe, on eth1; the profile keeps the name.
    const std::size_t before = Sent().size();
    Command(items[2].id);
    EXPECT_EQ(ProbesBy(before), std::vector<unsigned>{3});
    EXPECT_EQ(SavedChoice(), "eth1");
    EXPECT_EQ(Shown(OpenInterfaceMenu()),
              (std::vector<std::string>{"[ ] &All Interfaces", "[ ] eth0 (10.77.0.1)", "[x] eth1 (10.88.0.1)"}));

    // An interface that appears is listed the next time the menu opens; the
    // ids stand for the list as it was read then.
    network.net.interfaces = {kEth0, {"usb0", 7, "192.168.7.1"}, kEth1};
    items = OpenInterfaceMenu();
    EXPECT_EQ(Shown(items), (std::vector<std::string>{"[ ] &All Interfaces", "[ ] eth0 (10.77.0.1)",
                                                      "[ ] usb0 (192.168.7.1)", "[x] eth1 (10.88.0.1)"}));
    const std::size_t beforeUsb = Sent().size();
    Command(items[2].id);
    EXPECT_EQ(ProbesBy(beforeUsb), std::vector<unsigned>{7});
    EXPECT_EQ(SavedChoice(), "usb0");

    // Back to every interface: an empty value.
    const std::size_t beforeAll = Sent().size();
    Command(ID_VIEW_INTERFACE_ALL);
    EXPECT_EQ(ProbesBy(beforeAll), (std::vector<unsigned>{2, 7, 3}));
    EXPECT_EQ(SavedChoice(), "");
    EXPECT_EQ(Shown(OpenInterfaceMenu())[0], "[x] &All Interfaces");
}

TEST_F(NetworkInterfaceTest, WithOneInterfaceChosenOnlyItsAnswersAreRows)
{
    SaveChoice("eth0");
    ASSERT_TRUE(Start());
    EXPECT_EQ(ProbesBy(), std::vector<unsigned>{2});
    BothAnswer(); // Bench-2's answer came by eth1: someone else's probe, not ours
    EXPECT_EQ(Column(0), std::vector<std::string>{"Cam-Lobby"});
    EXPECT_EQ(StatusExt(), "Online : 1");
}

TEST_F(NetworkInterfaceTest, AChosenInterfaceThatIsGoneSendsNothingAndSaysSo)
{
    SaveChoice("usb0");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(ProbesBy().empty());
    EXPECT_FALSE(ListenTimerRunning());
    EXPECT_EQ(MessagePane(), "The network interface usb0 is not available, so no devices were searched for. "
                             "Choose another under View, Network Interface.");
    // The menu still shows the choice, checked, so the user sees why.
    const std::vector<MenuItemDef> items = OpenInterfaceMenu();
    EXPECT_EQ(Shown(items), (std::vector<std::string>{"[ ] &All Interfaces", "[ ] eth0 (10.77.0.1)",
                                                      "[ ] eth1 (10.88.0.1)", "[x] usb0 (not available)"}));
    // It comes back; a Refresh uses it and the message goes.
    network.net.interfaces.push_back({"usb0", 7, "192.168.7.1"});
    Command(ID_REFRESH);
    EXPECT_EQ(ProbesBy(), std::vector<unsigned>{7});
    EXPECT_EQ(MessagePane(), "Searching on usb0... 0 found");
    EXPECT_EQ(SavedChoice(), "usb0");
}

TEST_F(NetworkInterfaceTest, AProfileValueThatIsNoInterfaceNameMeansEveryInterfaceAndStays)
{
    SaveChoice("eth0:1/x");
    ASSERT_TRUE(Start());
    EXPECT_EQ(ProbesBy(), (std::vector<unsigned>{2, 3}));
    EXPECT_EQ(Shown(OpenInterfaceMenu())[0], "[x] &All Interfaces");
    EXPECT_EQ(SavedChoice(), "eth0:1/x");
}

TEST_F(NetworkInterfaceTest, AnAmpersandInANameIsShownNotTakenForAMnemonic)
{
    network.net.interfaces = {{"a&b", 4, "10.1.0.1"}};
    ASSERT_TRUE(Start());
    EXPECT_EQ(Shown(OpenInterfaceMenu())[1], "[ ] a&&b (10.1.0.1)");
    Command(ID_VIEW_INTERFACE_FIRST);
    EXPECT_EQ(SavedChoice(), "a&b");
}

TEST_F(NetworkInterfaceTest, ACommandLeavesByTheInterfaceItsDeviceAnsweredOn)
{
    ASSERT_TRUE(Start());
    BothAnswer();

    Select("Bench-2");
    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 60));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Password();
    Command(ID_MODIFY_IP);
    const FakeNetwork::Sent setIp = LastCommand();
    EXPECT_EQ(setIp.bytes[3], CMD_SET_IP);
    EXPECT_EQ(setIp.bytes[17], 0x77);
    EXPECT_EQ(setIp.interfaceIndex, kEth1.index);
    EXPECT_EQ(setIp.host, "255.255.255.255");
    EXPECT_EQ(setIp.fromPort, 4000);

    // The delayed refresh asks both segments again.
    const std::size_t before = Sent().size();
    loop.loop.Advance(2000);
    EXPECT_EQ(ProbesBy(before), (std::vector<unsigned>{2, 3}));
    BothAnswer();

    Select("Cam-Lobby");
    Password();
    Command(ID_SOFT_RESET);
    EXPECT_EQ(LastCommand().bytes[3], CMD_SOFT_RESET);
    EXPECT_EQ(LastCommand().interfaceIndex, kEth0.index);
}

TEST_F(NetworkInterfaceTest, ARowWhoseInterfaceIsNotKnownIsSentWhereTheRoutesSendIt)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(network.net.Deliver(4000, DeviceReply("Cam-Lobby", {192, 168, 1, 20}, kLobbyMac)));
    Select("Cam-Lobby");
    Password();
    Command(ID_UPDATE_FIRMWARE);
    EXPECT_EQ(LastCommand().bytes[3], CMD_UPDATE_FIRMWARE);
    EXPECT_EQ(LastCommand().interfaceIndex, 0u);
}
