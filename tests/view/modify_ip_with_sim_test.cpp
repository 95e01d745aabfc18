// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The program and the simulated devices on one in-memory wire: Modify IP goes
// out, the device applies it, and the delayed refresh shows it at its new address.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "controls/ip_address_control.h"
#include "devices/change_log.h"
#include "framework/control_bars.h"
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

namespace {

// The window's Modify IP and Modify MAC against a device that takes the change
// and one that drops it: the search after the command says which, in the
// message pane and in the tip of the device's row.
class ConfirmWithSimTest : public ModifyIpWithSimTest {
protected:
    std::string MessagePane() const { return Frame().GetMessageBar()->GetPaneText(0); }
    // Selects Cam-Lobby, sends the command with its dialogs answered, and
    // lets the delayed refresh's search run to its end.
    void SendToCamLobby(UINT command, UINT delayMs, std::function<void(CDialog&)> fill)
    {
        SelectRows({RowOf("Cam-Lobby")});
        user.user.dialogAnswers.push_back([fill](CDialog& d) {
            fill(d);
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
        user.user.dialogAnswers.push_back([](CDialog& d) {
            d.GetDlgItem(IDC_EDIT_PASSWORD)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
        Frame().SendMessage(WM_COMMAND, command, 0);
        Pump();
        loop.loop.Advance(delayMs);
        Pump();
        EndSearch();
    }
    // Windows with answers, then a quiet one that ends the search.
    void EndSearch()
    {
        for (int window = 0; window < 4 && ListenTimerRunning(); ++window)
            loop.loop.Advance(CVarnexView::kListenWindowMs);
        ASSERT_FALSE(ListenTimerRunning());
    }
    // The lines of the log of changes written since the last call.
    std::vector<std::string> NewLogLines()
    {
        std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        std::vector<std::string> fresh(lines.begin() + static_cast<long>(std::min(logLinesSeen, lines.size())),
                                       lines.end());
        logLinesSeen = lines.size();
        return fresh;
    }
    // Whether the one new line is for this command with this verdict.
    static bool Logged(const std::vector<std::string>& lines, const std::string& command, const char* confirmed)
    {
        return lines.size() == 1 && lines[0].find("\"command\": \"" + command + "\"") != std::string::npos &&
               lines[0].ends_with(std::string("\"confirmed\": ") + confirmed + "}");
    }
    std::size_t logLinesSeen = 0;
};

const auto kNewIp = [](CDialog& d) {
    d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 50));
};
const auto kNewMac = [](CDialog& d) {
    d.GetDlgItem(IDC_EDIT_MAC)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("02-00-00-00-00-07"));
};

} // namespace

TEST_F(ConfirmWithSimTest, TheSearchAfterTheCommandSaysWhetherItTook)
{
    const struct {
        UINT command;
        UINT delayMs;
        std::function<void(CDialog&)> fill;
        bool drops;
        const char* says; // the message pane's start and the row's tip
    } cases[] = {
        {ID_MODIFY_IP, 2000, kNewIp, false,
         "Confirmed: 00-0A-1B-2C-3D-4E answers at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1"},
        {ID_MODIFY_IP, 2000, kNewIp, true,
         "No answer from 00-0A-1B-2C-3D-4E at 192.168.1.50 mask 255.255.255.0 gateway 192.168.1.1"},
        {ID_MODIFY_MAC, 5000, kNewMac, false, "Confirmed: 02-00-00-00-00-07 answers at 192.168.1.20"},
        {ID_MODIFY_MAC, 5000, kNewMac, true, "No answer from 02-00-00-00-00-07 at 192.168.1.20"},
    };
    const auto commandName = [](UINT command) { return command == ID_MODIFY_IP ? "set-ip" : "set-mac"; };
    const std::vector<sim::Device> original = devices;
    for (const auto& c : cases) {
        devices = original;
        devices[0].ignoresCommands = c.drops;
        Command(ID_REFRESH);
        Pump();
        EndSearch();
        NewLogLines();
        SendToCamLobby(c.command, c.delayMs, c.fill);
        EXPECT_TRUE(MessagePane().starts_with(c.says)) << MessagePane();
        // One line for the command, written with the verdict.
        const std::vector<std::string> logged = NewLogLines();
        EXPECT_TRUE(Logged(logged, commandName(c.command), c.drops ? "false" : "true"))
            << (logged.empty() ? "no line" : logged.back());
        ASSERT_EQ(RowCount(), 2);
        EXPECT_TRUE(TipOver(RowOf("Cam-Lobby")).starts_with(c.says)) << TipOver(RowOf("Cam-Lobby"));
        EXPECT_EQ(TipOver(RowOf("Cam-Gate")), "");

        // A Refresh gives the pane back to the search; the row keeps its tip until the next command.
        Command(ID_REFRESH);
        Pump();
        EXPECT_FALSE(MessagePane().starts_with(c.says)) << MessagePane();
        EndSearch();
        EXPECT_TRUE(TipOver(RowOf("Cam-Lobby")).starts_with(c.says)) << TipOver(RowOf("Cam-Lobby"));
        EXPECT_TRUE(NewLogLines().empty());
    }
    std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
    std::stringstream log;
    log << file.rdbuf();
    EXPECT_EQ(log.str().find("secret"), std::string::npos) << log.str();
}

TEST_F(ConfirmWithSimTest, ACheckGivenUpLeavesItsCommandLoggedAsNotChecked)
{
    const auto sendModifyIp = [this] {
        SelectRows({RowOf("Cam-Lobby")});
        user.user.dialogAnswers.push_back([](CDialog& d) {
            kNewIp(d);
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
    };
    EndSearch();
    NewLogLines();

    // Refresh before the delayed refresh: the line at once, not checked; the
    // delayed refresh's search, when it comes, judges nothing.
    sendModifyIp();
    EXPECT_TRUE(NewLogLines().empty()); // waiting for the verdict
    Command(ID_REFRESH);
    EXPECT_TRUE(Logged(NewLogLines(), "set-ip", "null"));
    Pump();
    EndSearch();
    loop.loop.Advance(2000);
    Pump();
    EndSearch();
    EXPECT_FALSE(MessagePane().starts_with("Confirmed")) << MessagePane();
    EXPECT_TRUE(NewLogLines().empty());

    // A new command while the search that would judge the first is under
    // way: the first one's line is not checked; the second one's verdict
    // comes with its own search.
    devices[0].ip = {192, 168, 1, 20};
    Command(ID_REFRESH);
    Pump();
    EndSearch();
    sendModifyIp();
    loop.loop.Advance(2000);
    Pump();
    ASSERT_TRUE(ListenTimerRunning());
    SelectRows({RowOf("Cam-Gate")});
    user.user.dialogAnswers.push_back([](CDialog& d) {
        kNewMac(d);
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    user.user.dialogAnswers.push_back([](CDialog& d) {
        d.GetDlgItem(IDC_EDIT_PASSWORD)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("gate"));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Frame().SendMessage(WM_COMMAND, ID_MODIFY_MAC, 0);
    EXPECT_TRUE(Logged(NewLogLines(), "set-ip", "null"));
    Pump();
    loop.loop.Advance(5000);
    Pump();
    EndSearch();
    EXPECT_TRUE(Logged(NewLogLines(), "set-mac", "true"));

    // The window closes before the verdict: the line is written as it goes.
    devices[0].ip = {192, 168, 1, 20};
    Command(ID_REFRESH);
    Pump();
    EndSearch();
    sendModifyIp();
    EXPECT_TRUE(NewLogLines().empty());
    Command(ID_APP_EXIT);
    EXPECT_TRUE(Logged(NewLogLines(), "set-ip", "null"));
}
