// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device commands of the running program with a scripted user: the exact
// packets, the dialogs' cancel paths, the completion step, a taken socket.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "commands/command_packet.h"
#include "controls/ip_address_control.h"
#include "devices/change_log.h"
#include "framework/control_bars.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A packet of 52 bytes: magic, code, then the given bytes at their offsets.
Bytes Expected(std::uint8_t code, std::initializer_list<std::pair<std::size_t, Bytes>> fields)
{
    Bytes b(52, 0);
    std::memcpy(b.data(), "QZR", 3);
    b[3] = code;
    for (const auto& [at, bytes] : fields)
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
    return b;
}

class DeviceCommandsTest : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start());
        Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
        Answer(DeviceReply("Cam-Gate", {192, 168, 1, 21}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}));
        Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
        probesBefore = Sent().size();
    }

    void Select(std::initializer_list<std::string> names)
    {
        LVITEMA item;
        item.stateMask = LVIS_SELECTED;
        item.state = 0;
        View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        for (const std::string& name : names) {
            item.state = LVIS_SELECTED;
            View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(RowOf(name)), reinterpret_cast<LPARAM>(&item));
        }
    }
    void Command(UINT id) { Frame().SendMessage(WM_COMMAND, id, 0); }
    std::vector<Bytes> CommandPackets() const
    {
        std::vector<Bytes> packets;
        for (std::size_t i = probesBefore; i < Sent().size(); ++i)
            if (Sent()[i].bytes[3] != 0x39)
                packets.push_back(Sent()[i].bytes);
        return packets;
    }

    // Dialog answers.
    void Password(const std::string& text)
    {
        user.user.dialogAnswers.push_back([text](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), IDD_INPUT_PASSWORD);
            d.GetDlgItem(IDC_EDIT_PASSWORD)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
    }
    void Cancel(UINT expectedTemplate)
    {
        user.user.dialogAnswers.push_back([expectedTemplate](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), expectedTemplate);
            d.OnCancel();
            return static_cast<INT_PTR>(d.Result());
        });
    }
    // The IP dialog with some fields given new values (nullptr: left as shown).
    void IpDialog(const int* ip, const int* mask, const int* gateway)
    {
        user.user.dialogAnswers.push_back([ip, mask, gateway](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), IDD_INPUT_IP);
            const UINT ids[3] = {IDC_IPADDRESS_IP, IDC_IPADDRESS_MASK, IDC_IPADDRESS_GATEWAY};
            const int* values[3] = {ip, mask, gateway};
            for (int i = 0; i < 3; ++i)
                if (values[i])
                    d.GetDlgItem(ids[i])->SendMessage(
                        IPM_SETADDRESS, 0, MAKEIPADDRESS(values[i][0], values[i][1], values[i][2], values[i][3]));
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
    }
    void MacDialog(const std::string& text)
    {
        user.user.dialogAnswers.push_back([text](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), IDD_INPUT_MAC);
            d.GetDlgItem(IDC_EDIT_MAC)->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
    }

    std::size_t probesBefore = 0;
};

const int kIp50[4] = {192, 168, 1, 50};
const int kMask16[4] = {255, 255, 0, 0};
const int kGateway254[4] = {192, 168, 1, 254};

} // namespace

TEST_F(DeviceCommandsTest, CommandsAreEnabledOnlyWithASelection)
{
    for (UINT id : {ID_MODIFY_IP, ID_MODIFY_MAC, ID_WEB_BROWSER, ID_SOFT_RESET, ID_UPDATE_FIRMWARE}) {
        CCmdUI state;
        state.m_nID = id;
        state.DoUpdate(&Frame(), TRUE);
        EXPECT_FALSE(state.enabled) << id;
    }
    Command(ID_SOFT_RESET); // disabled: nothing happens
    EXPECT_TRUE(user.user.dialogsShown.empty());
    Select({"Cam-Gate"});
    for (UINT id : {ID_MODIFY_IP, ID_MODIFY_MAC, ID_WEB_BROWSER, ID_SOFT_RESET, ID_UPDATE_FIRMWARE}) {
        CCmdUI state;
        state.m_nID = id;
        state.DoUpdate(&Frame(), TRUE);
        EXPECT_TRUE(state.enabled) << id;
    }
}

TEST_F(DeviceCommandsTest, ModifyIpOfTheAddressAloneSendsTheExactPacket)
{
    Select({"Cam-Lobby"});
    IpDialog(kIp50, nullptr, nullptr);
    Password("");
    Command(ID_MODIFY_IP);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], Expected(0x3A, {{4, {0xC0, 0xA8, 0x01, 0x32}},
                                          {8, {0xFF, 0xFF, 0xFF, 0x00}},
                                          {12, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}},
                                          {35, {0xC0, 0xA8, 0x01, 0x01}}}));
    const auto& sent = Sent().back();
    EXPECT_EQ(sent.fromPort, 4000);
    EXPECT_EQ(sent.host, "255.255.255.255");
    EXPECT_EQ(sent.port, 36);
    // Completion: the list empties at once and refreshes 2 s later, with no pause.
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(loop.loop.TimerPeriod(&View(), 2), 2000u);
    EXPECT_TRUE(loop.loop.sleeps.empty());
    loop.loop.Advance(2000);
    EXPECT_EQ(Sent().back().bytes[3], 0x39);
}

TEST_F(DeviceCommandsTest, HiddenColumnsStillGiveTheCommandsTheirCells)
{
    // The user hid the gateway and MAC columns; the packet needs both.
    View().ShowColumn(3, false);
    View().ShowColumn(4, false);
    Select({"Cam-Lobby"});
    IpDialog(kIp50, nullptr, nullptr);
    Password("");
    Command(ID_MODIFY_IP);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], Expected(0x3A, {{4, {0xC0, 0xA8, 0x01, 0x32}},
                                          {8, {0xFF, 0xFF, 0xFF, 0x00}},
                                          {12, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}},
                                          {35, {0xC0, 0xA8, 0x01, 0x01}}}));
}

TEST_F(DeviceCommandsTest, AllThreeValuesChangedMeansThreePasswordsAndThreePacketsInOrder)
{
    Select({"Cam-Lobby"});
    IpDialog(kIp50, kMask16, kGateway254);
    Password("a");
    Password("bb");
    Password("ccc");
    Command(ID_MODIFY_IP);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 3u);
    const std::uint8_t codes[3] = {0x3A, 0x3B, 0x3E};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(packets[i][3], codes[i]);
        // Same four data fields in every packet; only the code and the password differ.
        EXPECT_EQ(Bytes(packets[i].begin() + 4, packets[i].begin() + 42),
                  Bytes(packets[0].begin() + 4, packets[0].begin() + 42));
        EXPECT_EQ(packets[i][42], std::string("abc")[i]);
    }
    EXPECT_EQ(Bytes(packets[2].begin() + 42, packets[2].begin() + 46), (Bytes{'c', 'c', 'c', 0}));
    EXPECT_EQ(Bytes(packets[0].begin() + 8, packets[0].begin() + 12), (Bytes{255, 255, 0, 0}));
}

TEST_F(DeviceCommandsTest, ThePasswordGoesOnTheWireAndStaysInNoBufferOfTheView)
{
    Select({"Cam-Lobby"});
    IpDialog(kIp50, nullptr, nullptr);
    Password("secret");
    Command(ID_MODIFY_IP);
    Select({});
    Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    Select({"Cam-Yard"});
    Password("12345678");
    Command(ID_SOFT_RESET);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(Bytes(packets[0].begin() + 42, packets[0].begin() + 50), (Bytes{'s', 'e', 'c', 'r', 'e', 't', 0, 0}));
    EXPECT_EQ(Bytes(packets[1].begin() + 42, packets[1].begin() + 50), (Bytes{'1', '2', '3', '4', '5', '6', '7', '8'}));
    // The send buffer held the last packet, and holds it still without its password.
    const packet::Bytes& buffer = View().SendBuffer();
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 42), Bytes(packets[1].begin(), packets[1].begin() + 42));
    EXPECT_EQ(Bytes(buffer.begin() + 42, buffer.begin() + 50), Bytes(8, 0));
    // The log of changes has both commands and neither password; the reset's
    // line waits for its verdict until a Refresh gives up the check.
    Command(ID_REFRESH);
    std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
    const std::string log{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(log.find("\"program\": \"varnex\", \"interface\": null, \"mac\": \"00-0A-1B-2C-3D-4E\", \"command\": "
                       "\"set-ip\", \"before\": {\"ip\": \"192.168.1.20\"}, \"after\": {\"ip\": \"192.168.1.50\"}"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\"mac\": \"00-1A-2B-3C-4D-5E\", \"command\": \"reset\""), std::string::npos) << log;
    EXPECT_EQ(log.find("secret"), std::string::npos) << log;
    EXPECT_EQ(log.find("12345678"), std::string::npos) << log;
}

TEST_F(DeviceCommandsTest, UnchangedIpDialogAsksNoPasswordAndKeepsTheRows)
{
    Select({"Cam-Lobby"});
    IpDialog(nullptr, nullptr, nullptr);
    Command(ID_MODIFY_IP);
    EXPECT_TRUE(CommandPackets().empty());
    EXPECT_EQ(user.user.dialogsShown, (std::vector<UINT>{IDD_INPUT_IP}));
    EXPECT_EQ(RowCount(), 3);
    EXPECT_FALSE(loop.loop.IsTimerRunning(&View(), 2));
}

TEST_F(DeviceCommandsTest, EachRowGetsAFreshIpDialogAndCancelledRowsAreSkipped)
{
    Select({"Cam-Lobby", "Cam-Gate", "Cam-Yard"});
    // "Address 3 devices" first: the devices' own dialogs instead.
    user.user.dialogAnswers.push_back([](CDialog& d) {
        EXPECT_EQ(d.TemplateId(), IDD_ADDRESS_DEVICES);
        d.SendMessage(WM_COMMAND, IDC_BATCH_ONE_AT_A_TIME, 0);
        return static_cast<INT_PTR>(d.Result());
    });
    // Rows in ascending index order: Lobby (.20), Gate (.21), Yard (.22).
    IpDialog(nullptr, nullptr, nullptr);     // Lobby: nothing changed, so nothing is sent
    Cancel(IDD_INPUT_IP);                    // Gate: cancelled, still goes on
    IpDialog(nullptr, nullptr, kGateway254); // Yard: gateway changed
    Password("");
    Command(ID_MODIFY_IP);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0][3], 0x3E);
    EXPECT_EQ(Bytes(packets[0].begin() + 12, packets[0].begin() + 18), (Bytes{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    EXPECT_EQ(Bytes(packets[0].begin() + 35, packets[0].begin() + 39), (Bytes{192, 168, 1, 254}));
    EXPECT_EQ(user.user.dialogsShown.size(), 5u);
}

TEST_F(DeviceCommandsTest, CancelledPasswordSkipsOnlyThatValue)
{
    Select({"Cam-Lobby"});
    IpDialog(kIp50, kMask16, nullptr);
    Cancel(IDD_INPUT_PASSWORD);
    Password("pw");
    Command(ID_MODIFY_IP);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0][3], 0x3B);
}

TEST_F(DeviceCommandsTest, ModifyMacSendsTheExampleAfterAPauseAndEmptiesTheList)
{
    Select({"Cam-Lobby"});
    MacDialog("00-0a-1b-2c-3d-4f");
    Password("");
    Command(ID_MODIFY_MAC);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], Expected(0x3C, {{4, {0xC0, 0xA8, 0x01, 0x14}}, {12, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}}}));
    EXPECT_EQ(loop.loop.sleeps, (std::vector<UINT>{2000}));
    EXPECT_EQ(loop.loop.TimerPeriod(&View(), 2), 5000u);
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(DeviceCommandsTest, MalformedMacIsRefusedAndTheDialogShownAgain)
{
    Select({"Cam-Lobby"});
    MacDialog("00-0A-1B-2C-3D"); // five groups
    MacDialog("00-0A-1B-2C-3D-4G");
    MacDialog("00-0A-1B-2C-3D-4F");
    Password("");
    Command(ID_MODIFY_MAC);
    ASSERT_EQ(user.user.boxes.size(), 2u);
    EXPECT_NE(user.user.boxes[0].text.find("six groups"), std::string::npos);
    EXPECT_EQ(user.user.boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    ASSERT_EQ(CommandPackets().size(), 1u);
    EXPECT_EQ(CommandPackets()[0][17], 0x4F);
}

TEST_F(DeviceCommandsTest, CancelledMacDialogEndsTheWholeCommandWithoutRefresh)
{
    Select({"Cam-Lobby", "Cam-Gate"});
    MacDialog("00-0A-1B-2C-3D-99"); // first row (Lobby) confirmed and sent
    Password("");
    Cancel(IDD_INPUT_MAC); // second row: the command ends here
    Command(ID_MODIFY_MAC);
    EXPECT_EQ(CommandPackets().size(), 1u);
    EXPECT_FALSE(loop.loop.IsTimerRunning(&View(), 2));
    EXPECT_TRUE(loop.loop.sleeps.empty());
    EXPECT_EQ(RowCount(), 3);

    // The next command to that device gives up the check of the one that
    // went out: its line is written then, not checked, and never with the
    // next command's verdict.
    Select({"Cam-Lobby"});
    Password("");
    Command(ID_SOFT_RESET);
    std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
    const std::string log{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(log.find("\"command\": \"set-mac\", \"before\": {\"mac\": \"00-0A-1B-2C-3D-4E\"}, \"after\": "
                       "{\"mac\": \"00-0A-1B-2C-3D-99\"}, \"confirmed\": null}"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("\"reset\""), std::string::npos) << log; // waiting for its own verdict
}

TEST_F(DeviceCommandsTest, SoftResetAndFirmwareDifferOnlyInTheCode)
{
    Select({"Cam-Yard"});
    Password("");
    Command(ID_SOFT_RESET);
    ASSERT_EQ(CommandPackets().size(), 1u);
    EXPECT_EQ(CommandPackets()[0], Expected(0x3D, {{12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}}));
    loop.loop.Advance(6000);
    Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    Select({"Cam-Yard"});
    probesBefore = Sent().size();
    Password("");
    Command(ID_UPDATE_FIRMWARE);
    ASSERT_EQ(CommandPackets().size(), 1u);
    EXPECT_EQ(CommandPackets()[0], Expected(0x3F, {{12, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}}));
}

TEST_F(DeviceCommandsTest, TheSearchAfterASoftResetNamesTheDevicesThatDidNotAnswerFirst)
{
    Select({"Cam-Lobby", "Cam-Yard"});
    Password("");
    Password("");
    Command(ID_SOFT_RESET);
    loop.loop.Advance(5000); // the delayed refresh: only Cam-Yard is back
    Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    for (int window = 0; window < 4 && ListenTimerRunning(); ++window)
        loop.loop.Advance(CVarnexView::kListenWindowMs);
    ASSERT_FALSE(ListenTimerRunning());
    const std::string pane = Frame().GetMessageBar()->GetPaneText(0);
    EXPECT_TRUE(pane.starts_with("No answer from 00-0A-1B-2C-3D-4E at 192.168.1.20")) << pane;
    EXPECT_NE(pane.find("; Confirmed: 00-1A-2B-3C-4D-5E answers at 192.168.1.22"), std::string::npos) << pane;

    // The next command's search judges that command only.
    Select({"Cam-Yard"});
    Password("");
    Command(ID_UPDATE_FIRMWARE);
    loop.loop.Advance(5000);
    Answer(DeviceReply("FW-Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    for (int window = 0; window < 4 && ListenTimerRunning(); ++window)
        loop.loop.Advance(CVarnexView::kListenWindowMs);
    EXPECT_TRUE(Frame().GetMessageBar()->GetPaneText(0).starts_with("Found 1 device"))
        << Frame().GetMessageBar()->GetPaneText(0);
}

TEST_F(DeviceCommandsTest, ASearchUnderWayWhenACommandLeavesGivesNoVerdict)
{
    // The search's second window (quiet so far) ends after the command, before its delayed refresh.
    Command(ID_REFRESH);
    Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    loop.loop.Advance(CVarnexView::kListenWindowMs);
    loop.loop.Advance(CVarnexView::kListenWindowMs - 1000);
    ASSERT_TRUE(ListenTimerRunning());
    Select({"Cam-Yard"});
    Password("");
    Command(ID_SOFT_RESET);
    loop.loop.Advance(1500);
    EXPECT_FALSE(Frame().GetMessageBar()->GetPaneText(0).starts_with("No answer"))
        << Frame().GetMessageBar()->GetPaneText(0);
    loop.loop.Advance(3500); // the delayed refresh: the device answers its probe
    Answer(DeviceReply("Cam-Yard", {192, 168, 1, 22}, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    for (int window = 0; window < 4 && ListenTimerRunning(); ++window)
        loop.loop.Advance(CVarnexView::kListenWindowMs);
    EXPECT_TRUE(Frame().GetMessageBar()->GetPaneText(0).starts_with("Confirmed: 00-1A-2B-3C-4D-5E"))
        << Frame().GetMessageBar()->GetPaneText(0);
}

TEST_F(DeviceCommandsTest, EightBytePasswordFillsTheField)
{
    Select({"Cam-Yard"});
    Password("12345678");
    Command(ID_SOFT_RESET);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(Bytes(packets[0].begin() + 42, packets[0].end()), (Bytes{'1', '2', '3', '4', '5', '6', '7', '8', 0, 0}));
}

TEST_F(DeviceCommandsTest, ThreeRowsThreePromptsCancellingTheSecondStillSendsTheOthers)
{
    Select({"Cam-Lobby", "Cam-Gate", "Cam-Yard"});
    Password("");
    Cancel(IDD_INPUT_PASSWORD);
    Password("");
    Command(ID_SOFT_RESET);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0][17], 0x4E); // Lobby, the first row
    EXPECT_EQ(packets[1][17], 0x5E); // Yard, the third
    EXPECT_EQ(loop.loop.sleeps.size(), 1u);
}

TEST_F(DeviceCommandsTest, TakenSocketShowsTheMessageAndSendsNothing)
{
    loop.loop.Advance(10000); // the discovery socket has closed
    network.net.TakePort(4000);
    Select({"Cam-Yard"});
    Password("");
    Command(ID_SOFT_RESET);
    EXPECT_TRUE(CommandPackets().empty());
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_EQ(user.user.boxes[0].text, "Socket port '4000' Open fail ！");
    EXPECT_FALSE(loop.loop.IsTimerRunning(&View(), 2));
    EXPECT_EQ(RowCount(), 3);
}

TEST_F(DeviceCommandsTest, NothingSelectedDoesNothingEvenWhenRunDirectly)
{
    View().OnSoftReset();
    View().OnModifyIP();
    View().OnModifyMAC();
    EXPECT_TRUE(user.user.dialogsShown.empty());
    EXPECT_TRUE(CommandPackets().empty());
}

// Rows move while a command's dialog is open (an answer sorted in above them,
// a refresh); the command still acts on the device the user chose.
class ChosenDeviceTest : public DeviceCommandsTest {
protected:
    // Answers a dialog after an answer arrived: Cam-Early sorts above every row.
    void AnswerArrivesFirst(ScriptedUser::DialogAnswer answer)
    {
        user.user.dialogAnswers.push_back([this, answer](CDialog& d) {
            Answer(DeviceReply("Cam-Early", {192, 168, 1, 10}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x10}));
            return answer(d);
        });
    }
    static Bytes MacOf(const Bytes& packet) { return Bytes(packet.begin() + 12, packet.begin() + 18); }
};

TEST_F(ChosenDeviceTest, ModifyIpKeepsItsDeviceWhenAnAnswerShiftsTheRows)
{
    Select({"Cam-Gate"});
    AnswerArrivesFirst([](CDialog& d) {
        d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 50));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Password("");
    Command(ID_MODIFY_IP);
    ASSERT_EQ(CommandPackets().size(), 1u);
    EXPECT_EQ(MacOf(CommandPackets()[0]), (Bytes{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F}));
    EXPECT_EQ(user.user.dialogsShown.size(), 2u); // no dialog for another device
}

TEST_F(ChosenDeviceTest, OrdersLeaveByTheChosenDevicesInterface)
{
    network.net.interfaces.push_back({"usb0", 7, "192.168.7.1"});
    ASSERT_TRUE(
        network.net.Deliver(4000, DeviceReply("Cam-Far", {192, 168, 1, 30}, {0, 0x0A, 0x1B, 0x2C, 0x3D, 0x30}), 7));
    Select({"Cam-Far"});
    AnswerArrivesFirst([](CDialog& d) {
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Command(ID_SOFT_RESET);
    ASSERT_EQ(CommandPackets().size(), 1u);
    EXPECT_EQ(MacOf(CommandPackets()[0]), (Bytes{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x30}));
    EXPECT_EQ(Sent().back().interfaceIndex, 7u);
}

TEST_F(ChosenDeviceTest, ADeviceGoneBeforeItsPacketGetsAMessageAndNothingIsSent)
{
    Select({"Cam-Lobby", "Cam-Yard"});
    // While the first password is asked, a refresh empties the list and only
    // Cam-Lobby answers again.
    user.user.dialogAnswers.push_back([this](CDialog& d) {
        Command(ID_REFRESH);
        Answer(DeviceReply("Cam-Lobby", {192, 168, 1, 20}, {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Password("");
    Command(ID_SOFT_RESET);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(MacOf(packets[0]), (Bytes{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
    ASSERT_EQ(user.user.boxes.size(), 1u);
    EXPECT_NE(user.user.boxes[0].text.find("00-1A-2B-3C-4D-5E"), std::string::npos);
}
