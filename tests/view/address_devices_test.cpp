// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Modify IP with several devices selected, against simulated devices fresh
// from the factory (all at one address outside this computer's subnet):
// "Address N devices" proposes the interface's subnet, refuses a plan that
// cannot be sent, sends each device the packet a Modify IP of its own would,
// stops between devices, confirms each with one search, and ends with a list
// of what became of each; the password is left in no buffer.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "controls/ip_address_control.h"
#include "devices/change_log.h"
#include "dialogs/batch_progress_dlg.h"
#include "framework/control_bars.h"
#include "framework/dialog_controls.h"
#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "support/app_fixture.h"
#include "support/memory_search.h"
#include "varnex-sim/sim_device_config.h"
#include "varnex-sim/sim_responder.h"

extern char** environ;

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr unsigned kEth0 = 2;
constexpr UINT kShared = INDEXTOOVERLAYMASK(CVarnexView::kDuplicateOverlay);

DWORD Address(int a, int b, int c, int d)
{
    return MAKEIPADDRESS(a, b, c, d);
}

class AddressDevicesTest : public AppFixture {
protected:
    void SetUp() override
    {
        network.net.interfaces = {{"eth0", kEth0, "10.77.0.1", "255.255.255.0"}};
        network.net.gateways[kEth0] = {10, 77, 0, 254};
        for (int k = 1; k <= 4; ++k)
            AddDevice("name=Cam-" + std::to_string(k) +
                      " ip=192.168.0.100 mask=255.255.255.0 gateway=0.0.0.0 mac=00-0A-1B-2C-3D-0" + std::to_string(k) +
                      " version=1.20 model=31 password=site");
        AddDevice("name=Door ip=10.77.0.9 mask=255.255.255.0 gateway=10.77.0.254 mac=00-0A-1B-2C-3D-50 "
                  "version=1.20 model=31 password=door");
        ASSERT_TRUE(Start());
        Pump();
        FinishTheSearch();
        ASSERT_EQ(RowCount(), 5);
    }
    void AddDevice(const std::string& line)
    {
        std::optional<sim::Device> device;
        std::string error;
        ASSERT_TRUE(sim::ParseDeviceLine(line, device, error)) << error;
        devices.push_back(*device);
    }

    // Hands every datagram the program sent to port 36 to the devices, and
    // their answers back to the program, in on eth0.
    void Pump()
    {
        for (; handled < Sent().size(); ++handled) {
            const auto& sent = Sent()[handled];
            if (sent.port != 36)
                continue;
            const sim::Reaction reaction =
                sim::HandleDatagram(devices, sent.bytes, sim::Clock::now(), std::chrono::seconds(1));
            for (const packet::Bytes& reply : reaction.replies)
                network.net.Deliver(4000, std::vector<std::uint8_t>(reply.begin(), reply.end()), kEth0);
        }
    }
    void FinishTheSearch()
    {
        for (int window = 0; window < 6 && ListenTimerRunning(); ++window) {
            loop.loop.Advance(CVarnexView::kListenWindowMs);
            Pump();
        }
        ASSERT_FALSE(ListenTimerRunning());
    }
    // The delayed refresh after the batch, and its search to the end.
    void RefreshAndJudge()
    {
        loop.loop.Advance(2000);
        Pump();
        FinishTheSearch();
    }

    void SelectCams(int count)
    {
        SelectRows({});
        LVITEMA item;
        item.stateMask = item.state = LVIS_SELECTED;
        for (int k = 1; k <= count; ++k)
            View().SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(RowOf("Cam-" + std::to_string(k))),
                               reinterpret_cast<LPARAM>(&item));
    }
    UINT Overlay(int row) const
    {
        return static_cast<UINT>(View().SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_OVERLAYMASK));
    }
    std::vector<Bytes> CommandPackets() const
    {
        std::vector<Bytes> packets;
        for (const auto& sent : Sent())
            if (sent.port == 36 && sent.bytes[3] != 0x39)
                packets.push_back(sent.bytes);
        return packets;
    }
    std::string Log() const
    {
        std::ifstream file(device::ChangeLog::DefaultPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static std::string Text(CDialog& d, UINT id) { return GetControlText(*d.GetDlgItem(id)); }

    // "Address N devices" with these values; the password typed key by key.
    void AddressDialog(DWORD start, DWORD mask, DWORD gateway, std::string password = "site")
    {
        user.user.dialogAnswers.push_back([this, start, mask, gateway, password](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), IDD_ADDRESS_DEVICES);
            shownCaption = d.Caption();
            shownPlan = Text(d, IDC_BATCH_PLAN);
            d.GetDlgItem(IDC_BATCH_START)->SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(start));
            d.GetDlgItem(IDC_BATCH_MASK)->SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(mask));
            d.GetDlgItem(IDC_BATCH_GATEWAY)->SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(gateway));
            for (char c : password)
                d.GetDlgItem(IDC_BATCH_PASSWORD)->SendMessage(WM_CHAR, static_cast<unsigned char>(c));
            d.OnOK();
            if (!d.IsEnded())
                d.OnCancel();
            return static_cast<INT_PTR>(d.Result());
        });
    }
    // The progress, let run to its end or stopped after some devices.
    void Progress(std::size_t stopAfter = SIZE_MAX)
    {
        user.user.dialogAnswers.push_back([this, stopAfter](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), IDD_BATCH_PROGRESS);
            auto& progress = static_cast<CBatchProgressDlg&>(d);
            while (!d.IsEnded() && progress.Done() < stopAfter)
                loop.loop.Advance(CBatchProgressDlg::kStepMs);
            progressText = Text(d, IDC_BATCH_PROGRESS_TEXT);
            if (!d.IsEnded())
                d.OnCancel();
            return static_cast<INT_PTR>(d.Result());
        });
    }
    // The list at the end: read, copied, closed.
    void Results()
    {
        user.user.dialogAnswers.push_back([this](CDialog& d) {
            EXPECT_EQ(d.TemplateId(), IDD_BATCH_RESULTS);
            results = Text(d, IDC_BATCH_RESULTS);
            d.SendMessage(WM_COMMAND, IDC_BATCH_COPY, 0);
            d.OnOK();
            return static_cast<INT_PTR>(d.Result());
        });
    }

    std::vector<sim::Device> devices;
    std::size_t handled = 0;
    std::string shownCaption;
    std::string shownPlan;
    std::string progressText;
    std::string results;
};

// A Modify IP packet as the protocol lays it out: new IP, mask, MAC, gateway, password.
Bytes SetIpPacket(Bytes ip, Bytes mac, const std::string& password)
{
    Bytes b(52, 0);
    std::memcpy(b.data(), "QZR:", 4);
    std::copy(ip.begin(), ip.end(), b.begin() + 4);
    const Bytes mask = {255, 255, 255, 0};
    std::copy(mask.begin(), mask.end(), b.begin() + 8);
    std::copy(mac.begin(), mac.end(), b.begin() + 12);
    std::copy(password.begin(), password.end(), b.begin() + 42);
    return b;
}

} // namespace

TEST_F(AddressDevicesTest, SeveralRowsAreOfferedTheInterfacesSubnetFromItsFirstFreeAddresses)
{
    SelectCams(3);
    user.user.dialogAnswers.push_back([this](CDialog& d) {
        EXPECT_EQ(d.TemplateId(), IDD_ADDRESS_DEVICES);
        shownCaption = d.Caption();
        shownPlan = Text(d, IDC_BATCH_PLAN);
        for (UINT id : {IDC_BATCH_START, IDC_BATCH_MASK, IDC_BATCH_GATEWAY}) {
            DWORD a = 0;
            d.GetDlgItem(id)->SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a));
            shownPlan += "\n" + std::to_string(a);
        }
        d.OnCancel();
        return static_cast<INT_PTR>(d.Result());
    });
    Command(ID_MODIFY_IP);
    EXPECT_EQ(shownCaption, "Address 3 devices");
    // .1 is this computer, .9 is Door: the first three free are .2 to .4.
    EXPECT_NE(shownPlan.find("3 devices into eth0's 10.77.0.0/24,\nmask 255.255.255.0, gateway 10.77.0.254:\n"
                             "00-0A-1B-2C-3D-01  Cam-1  192.168.0.100   → 10.77.0.2\n"),
              std::string::npos)
        << shownPlan;
    EXPECT_NE(shownPlan.find("\n" + std::to_string(Address(10, 77, 0, 2)) + "\n" +
                             std::to_string(Address(255, 255, 255, 0)) + "\n" +
                             std::to_string(Address(10, 77, 0, 254))),
              std::string::npos);
    EXPECT_TRUE(CommandPackets().empty());
    EXPECT_EQ(RowCount(), 5);
    EXPECT_EQ(user.user.dialogsShown, (std::vector<UINT>{IDD_ADDRESS_DEVICES}));
}

TEST_F(AddressDevicesTest, EachDeviceGetsItsOwnModifyIpPacketAndTheSearchConfirmsEveryOne)
{
    SelectCams(4);
    const int before = RowOf("Cam-1");
    EXPECT_EQ(Overlay(before), kShared); // all four at one factory address
    AddressDialog(Address(10, 77, 0, 100), Address(255, 255, 255, 0), 0);
    Progress();
    Results();
    Command(ID_MODIFY_IP);
    // One packet each, in the order of the rows, byte for byte what a Modify IP of its own sends.
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(packets[k], SetIpPacket({10, 77, 0, static_cast<std::uint8_t>(100 + k)},
                                          {0x00, 0x0A, 0x1B, 0x2C, 0x3D, static_cast<std::uint8_t>(k + 1)}, "site"))
            << k;
    EXPECT_EQ(Sent().back().interfaceIndex, kEth0);
    EXPECT_TRUE(progressText.starts_with("4 of 4 devices done.\n00-0A-1B-2C-3D-04 → 10.77.0.103: sent"))
        << progressText;
    // The list empties for the delayed refresh; the list of results waits for its search.
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(results.empty());
    RefreshAndJudge();
    EXPECT_TRUE(results.starts_with("4 devices: 4 confirmed\n\n")) << results;
    EXPECT_NE(results.find("00-0A-1B-2C-3D-02  Cam-2  192.168.0.100   → 10.77.0.101      confirmed\n"),
              std::string::npos)
        << results;
    ASSERT_EQ(user.user.clipboard.size(), 1u);
    EXPECT_NE(user.user.clipboard[0].find("00-0A-1B-2C-3D-04\tCam-4\t192.168.0.100\t10.77.0.103\t255.255.255.0\t"
                                          "0.0.0.0\tconfirmed\n"),
              std::string::npos);
    // The list shows them at their new addresses, reachable: no mark.
    for (int k = 1; k <= 4; ++k) {
        const int row = RowOf("Cam-" + std::to_string(k));
        ASSERT_GE(row, 0);
        EXPECT_EQ(Row(row)[1], "10.77.0." + std::to_string(99 + k));
        EXPECT_EQ(Overlay(row), 0u);
    }
    // One line in the log of changes per packet.
    const std::string log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
    EXPECT_NE(log.find("\"mac\": \"00-0A-1B-2C-3D-03\", \"command\": \"set-ip\", \"before\": {\"ip\": "
                       "\"192.168.0.100\"}, \"after\": {\"ip\": \"10.77.0.102\"}"),
              std::string::npos)
        << log;
}

TEST_F(AddressDevicesTest, ASearchUnderWayWhenTheBatchIsSentJudgesNothing)
{
    // A search that began before the batch (its second, quiet window has
    // begun) would end before the delayed refresh, with the list emptied.
    Command(ID_REFRESH);
    Pump();
    loop.loop.Advance(CVarnexView::kListenWindowMs);
    loop.loop.Advance(CVarnexView::kListenWindowMs - 1000);
    ASSERT_TRUE(ListenTimerRunning());
    SelectCams(3);
    AddressDialog(Address(10, 77, 0, 100), Address(255, 255, 255, 0), 0);
    Progress();
    Results();
    Command(ID_MODIFY_IP);
    loop.loop.Advance(1500); // past the end of that window, before the delayed refresh
    EXPECT_TRUE(results.empty()) << results;
    RefreshAndJudge();
    EXPECT_TRUE(results.starts_with("3 devices: 3 confirmed\n")) << results;
}

TEST_F(AddressDevicesTest, AChangedGatewayGoesInASecondPacketAsModifyIpSendsIt)
{
    SelectCams(2);
    AddressDialog(Address(10, 77, 0, 100), Address(255, 255, 255, 0), Address(10, 77, 0, 254));
    Progress();
    Results();
    Command(ID_MODIFY_IP);
    const auto packets = CommandPackets();
    ASSERT_EQ(packets.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(packets[k][3], k % 2 == 0 ? 0x3A : 0x3E);
        EXPECT_EQ(packets[k][17], k / 2 + 1); // device by device
        EXPECT_EQ(Bytes(packets[k].begin() + 35, packets[k].begin() + 39), (Bytes{10, 77, 0, 254}));
    }
    RefreshAndJudge();
    EXPECT_TRUE(results.starts_with("2 devices: 2 confirmed\n")) << results;
}

TEST_F(AddressDevicesTest, StoppedBetweenDevicesTheRestAreNotSentAndSaySo)
{
    devices[1].ignoresCommands = true; // Cam-2 takes no command
    SelectCams(4);
    AddressDialog(Address(10, 77, 0, 100), Address(255, 255, 255, 0), 0);
    Progress(2);
    Results();
    Command(ID_MODIFY_IP);
    ASSERT_EQ(CommandPackets().size(), 2u);
    RefreshAndJudge();
    EXPECT_TRUE(results.starts_with("4 devices: 1 confirmed, 1 sent, no answer, 2 not sent (cancelled)\n")) << results;
    EXPECT_NE(results.find("00-0A-1B-2C-3D-02  Cam-2  192.168.0.100   → 10.77.0.101      sent, no answer\n"),
              std::string::npos)
        << results;
    EXPECT_NE(results.find("00-0A-1B-2C-3D-04  Cam-4  192.168.0.100   → 10.77.0.103      not sent (cancelled)\n"),
              std::string::npos)
        << results;
    const std::string pane = Frame().GetMessageBar()->GetPaneText(0);
    EXPECT_TRUE(pane.starts_with("No answer from 00-0A-1B-2C-3D-02 at 10.77.0.101")) << pane;
}

TEST_F(AddressDevicesTest, ABatchStartedBeforeTheLastOnesSearchEndedShowsTheLastOnesListFirst)
{
    SelectCams(2);
    AddressDialog(Address(10, 77, 0, 100), Address(255, 255, 255, 0), 0);
    Progress();
    Command(ID_MODIFY_IP);
    loop.loop.Advance(2000); // the delayed refresh: its search has begun
    Pump();
    SelectCams(4);
    Results();
    user.user.dialogAnswers.push_back([](CDialog& d) {
        EXPECT_EQ(d.TemplateId(), IDD_ADDRESS_DEVICES);
        d.OnCancel();
        return static_cast<INT_PTR>(d.Result());
    });
    Command(ID_MODIFY_IP);
    EXPECT_TRUE(results.starts_with("2 devices: 2 sent\n")) << results;
}

TEST_F(AddressDevicesTest, APlanThatCannotBeSentIsNamedAndNothingGoesOut)
{
    SelectCams(4);
    // .9 is Door's; a run from .252 passes the broadcast address.
    AddressDialog(Address(10, 77, 0, 7), Address(255, 255, 255, 0), 0);
    AddressDialog(Address(10, 77, 0, 252), Address(255, 255, 255, 0), 0);
    Command(ID_MODIFY_IP);
    Command(ID_MODIFY_IP);
    EXPECT_TRUE(CommandPackets().empty());
    ASSERT_EQ(user.user.boxes.size(), 2u);
    EXPECT_EQ(user.user.boxes[0].text, "Nothing was sent: the plan cannot be sent as it is.\n\n"
                                       "00-0A-1B-2C-3D-03 → 10.77.0.9: 10.77.0.9 is the address 00-0A-1B-2C-3D-50 "
                                       "answers from.\n");
    EXPECT_EQ(user.user.boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_NE(user.user.boxes[1].text.find("4 devices from 10.77.0.252 run past the end of 10.77.0.0/24: the last "
                                           "address a device can have is 10.77.0.254, room for 3 devices."),
              std::string::npos);
    EXPECT_TRUE(shownPlan.starts_with("4 devices into eth0's 10.77.0.0/24")) << shownPlan;
    EXPECT_EQ(RowCount(), 5);
    EXPECT_FALSE(loop.loop.IsTimerRunning(&View(), CVarnexView::kDelayedRefreshTimer));
}

TEST_F(AddressDevicesTest, FieldsLeftBlankOrTooLongAreRefusedWithTheDialogKeptOpen)
{
    SelectCams(2);
    const struct {
        UINT field;
        const char* value; // IP fields: the text typed into an emptied field
        std::string message;
    } cases[] = {
        {IDC_BATCH_START, "", "Enter the start address, all four numbers."},
        {IDC_BATCH_START, "10.77", "Enter the start address, all four numbers."},
        {IDC_BATCH_MASK, "255.255.255", "Enter the subnet mask, all four numbers, such as 255.255.255.0."},
        {IDC_BATCH_MASK, "255.0.255.0", "255.0.255.0 is not a subnet mask such as 255.255.255.0."},
        {IDC_BATCH_GATEWAY, "10.77.0", "Enter all four numbers of the gateway, or none for no gateway."},
        {IDC_BATCH_GATEWAY, "10.78.0.1",
         "The gateway 10.78.0.1 is outside 10.77.0.0/24: the devices could not "
         "reach it."},
        {IDC_BATCH_PASSWORD, "123456789", "Please enter no more than 8 characters."},
        // Eight characters, but more than the eight bytes a packet carries.
        {IDC_BATCH_PASSWORD, "pässwörd", "Please enter no more than 8 characters."},
    };
    std::vector<std::string> refused;
    user.user.dialogAnswers.push_back([&](CDialog& d) {
        for (const auto& c : cases) {
            const std::size_t boxes = user.user.boxes.size();
            CWnd* field = d.GetDlgItem(c.field);
            if (c.field == IDC_BATCH_PASSWORD) {
                // Set as a paste past the limit would be, or a scripted answer.
                SetControlText(*field, c.value);
            } else {
                field->SendMessage(IPM_CLEARADDRESS);
                field->SendMessage(IPM_SETFOCUS, 0);
                for (const char* p = c.value; *p; ++p)
                    field->SendMessage(WM_CHAR, static_cast<unsigned char>(*p));
            }
            d.OnOK();
            EXPECT_FALSE(d.IsEnded()) << c.value;
            refused.push_back(user.user.boxes.size() > boxes ? user.user.boxes.back().text : "(no message)");
            // Good values again for the next case.
            d.GetDlgItem(IDC_BATCH_START)->SendMessage(IPM_SETADDRESS, 0, Address(10, 77, 0, 100));
            d.GetDlgItem(IDC_BATCH_MASK)->SendMessage(IPM_SETADDRESS, 0, Address(255, 255, 255, 0));
            d.GetDlgItem(IDC_BATCH_GATEWAY)->SendMessage(IPM_CLEARADDRESS);
            SetControlText(*d.GetDlgItem(IDC_BATCH_PASSWORD), "");
        }
        d.OnCancel();
        return static_cast<INT_PTR>(d.Result());
    });
    Command(ID_MODIFY_IP);
    ASSERT_EQ(refused.size(), std::size(cases));
    for (std::size_t i = 0; i < refused.size(); ++i)
        EXPECT_NE(refused[i].find(cases[i].message), std::string::npos) << refused[i];
    EXPECT_TRUE(CommandPackets().empty());
}

TEST_F(AddressDevicesTest, ThePasswordIsInNoBufferTheLogOrTheEnvironmentAfterTheLastSend)
{
    // The password is kept masked here, so that the search does not find the test's own copy.
    constexpr std::uint8_t kMask = 0x5A;
    const std::vector<std::uint8_t> masked = {'Q' ^ kMask, '7' ^ kMask, 'z' ^ kMask, '#' ^ kMask,
                                              'k' ^ kMask, 'P' ^ kMask, '2' ^ kMask, 'w' ^ kMask};
    SelectCams(3);
    user.user.dialogAnswers.push_back([&](CDialog& d) {
        d.GetDlgItem(IDC_BATCH_START)->SendMessage(IPM_SETADDRESS, 0, Address(10, 77, 0, 100));
        for (std::uint8_t c : masked)
            d.GetDlgItem(IDC_BATCH_PASSWORD)->SendMessage(WM_CHAR, static_cast<WPARAM>(c ^ kMask));
        d.OnOK();
        return static_cast<INT_PTR>(d.Result());
    });
    Progress();
    Results();
    Command(ID_MODIFY_IP);
    // Checked where the wire's record holds them, without a copy.
    std::size_t packets = 0;
    for (const auto& sent : Sent())
        if (sent.port == 36 && sent.bytes[3] != 0x39) {
            ++packets;
            for (std::size_t i = 0; i < masked.size(); ++i)
                ASSERT_EQ(sent.bytes[42 + i], masked[i] ^ kMask);
        }
    EXPECT_EQ(packets, 6u); // IP and gateway: the proposal gives the interface's gateway
    // What the wire took is the test's record, not the program's: gone before the search.
    for (auto& sent : network.net.sent)
        std::fill(sent.bytes.begin(), sent.bytes.end(), 0);
    handled = Sent().size();

    std::string error;
    EXPECT_EQ(FindInProcessMemory(masked, kMask, &error), std::vector<std::string>{});
    EXPECT_EQ(error, "");
    EXPECT_EQ(Bytes(View().SendBuffer().begin() + 42, View().SendBuffer().end()), Bytes(10, 0));
    RefreshAndJudge();
    EXPECT_TRUE(results.starts_with("3 devices: 3 sent, no answer")) << results;
    EXPECT_EQ(FindInProcessMemory(masked, kMask, &error), std::vector<std::string>{});
    const std::string log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6);
    std::string unmasked;
    for (std::uint8_t c : masked)
        unmasked += static_cast<char>(c ^ kMask);
    EXPECT_EQ(log.find(unmasked), std::string::npos);
    for (char** e = environ; *e != nullptr; ++e)
        EXPECT_EQ(std::strstr(*e, unmasked.c_str()), nullptr) << *e;
    std::fill(unmasked.begin(), unmasked.end(), '\0');
}
