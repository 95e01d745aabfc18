// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The program and the simulated devices on one in-memory wire: Modify IP goes
// out, the device applies it, and the delayed refresh shows it at its new address.
#include <gtest/gtest.h>

#include <optional>

#include "controls/ip_address_control.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "varnex-sim/sim_device_config.h"
#include "varnex-sim/sim_responder.h"

namespace {

class ModifyIpWithSimTest : public AppFixture {
protected:
    void SetUp() override
    {
        for (const char* line : {"name=Cam-Lobby ip=192.168.1.20 mask=255.255.255.0 gateway=192.168.1.1 "
                                 "mac=00-0A-1B-2C-3D-4E version=1.20 model=31 password=secret",
                                 "name=Cam-Gate ip=192.168.1.21 mask=255.255.255.0 gateway=192.168.1.1 "
                                 "mac=00-0A-1B-2C-3D-4F version=1.20 model=32 password=gate"}) {
            std::optional<sim::Device> device;
            std::string error;
            ASSERT_TRUE(sim::ParseDeviceLine(line, device, error)) << error;
            devices.push_back(*device);
        }
        ASSERT_TRUE(Start());
        Pump();
    }

    // Hands every datagram the program sent to port 36 to the devices, and
    // their answers back to the program's port.
    void Pump()
    {
        for (; handled < Sent().size(); ++handled) {
            const auto& sent = Sent()[handled];
            if (sent.port != 36)
                continue;
            const sim::Reaction reaction =
                sim::HandleDatagram(devices, sent.bytes, sim::Clock::now(), std::chrono::seconds(1));
            verdicts.push_back(reaction.verdict);
            for (const packet::Bytes& reply : reaction.replies)
                Answer(std::vector<std::uint8_t>(reply.begin(), reply.end()));
        }
    }

    std::vector<sim::Device> devices;
    std::vector<std::string> verdicts;
    std::size_t handled = 0;
};

} // namespace

TEST_F(ModifyIpWithSimTest, DelayedRefreshShowsTheDeviceAtItsNewAddress)
{
    ASSERT_EQ(Column(1), (std::vector<std::string>{"192.168.1.20", "192.168.1.21"}));
    LVITEMA select;
    select.stateMask = select.state = LVIS_SELECTED;
    View().SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select)); // Cam-Lobby

    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 50));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_EDIT_PASSWORD)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Frame().SendMessage(WM_COMMAND, ID_MODIFY_IP, 0);
    Pump();
    ASSERT_FALSE(verdicts.empty());
    EXPECT_NE(verdicts.back().find("applied set-ip"), std::string::npos) << verdicts.back();
    EXPECT_EQ(RowCount(), 0);

    loop.loop.Advance(2000);
    Pump();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Cam-Gate", "Cam-Lobby"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"192.168.1.21", "192.168.1.50"}));
    EXPECT_EQ(StatusExt(), "Online : 2");
}

TEST_F(ModifyIpWithSimTest, WrongPasswordChangesNothing)
{
    LVITEMA select;
    select.stateMask = select.state = LVIS_SELECTED;
    View().SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select)); // Cam-Lobby
    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 50));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_EDIT_PASSWORD)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("guess"));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Frame().SendMessage(WM_COMMAND, ID_MODIFY_IP, 0);
    Pump();
    loop.loop.Advance(2000);
    Pump();
    EXPECT_EQ(Column(1), (std::vector<std::string>{"192.168.1.20", "192.168.1.21"}));
}
