// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device commands: each selected row in turn gets its dialogs and packets;
// afterwards the list is emptied and refreshed once the devices had time to
// act, and that refresh shows whether they took the change.
#include "commands/command_builders.h"
#include "commands/default_browser.h"
#include "commands/packet_change.h"
#include "devices/device_texts.h"
#include "dialogs/input_ip_dlg.h"
#include "dialogs/input_mac_dlg.h"
#include "dialogs/input_password_dlg.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/services.h"
#include "system/socket_backend.h"
#include "view/varnex_view.h"

// Asks for the password and sends the packet that build makes from the chosen
// device as the table has it then; the device must still be listed when the
// password is given, or nothing goes out. The password goes from the dialog
// into the view's send buffer only, and leaves both as soon as the datagram is
// gone. The packet leaves by the interface the device answered on.
template <typename BuildPacket>
CVarnexView::Outcome CVarnexView::SendWithPassword(const ChosenDevice& chosen, const BuildPacket& build,
                                                   bool reopenFirst)
{
    CInputPasswordDlg password;
    password.m_strPassword.clear();
    if (password.DoModal() != IDOK)
        return Outcome::kNotSent;
    if (password.m_strPassword.size() > kMaxPasswordLength) {
        password.WipePassword();
        return Outcome::kNotSent;
    }
    const device::Device* now = FindChosenDevice(chosen);
    if (now == nullptr) {
        password.WipePassword();
        ReportDeviceGone(chosen);
        return Outcome::kDeviceGone;
    }
    // Copied before the socket is reopened: nothing that follows may move the table.
    const device::Device current = *now;
    if (reopenFirst && !ReopenDeviceSocket()) {
        password.WipePassword();
        return Outcome::kNotSent;
    }
    const COMMAND_PACKET packet = build(current);
    BroadcastCommandPacket(packet, password.m_strPassword, chosen.interfaceIndex);
    password.WipePassword();
    LogSent(packet, current);
    return Outcome::kSent;
}

void CVarnexView::LogSent(const COMMAND_PACKET& packet, const device::Device& target)
{
    // Sending anew gives up the last command's checks: what they wait for may never show.
    AbandonChecks();
    const std::string interfaceName = target.interfaceIndex != 0 ? Sockets().InterfaceName(target.interfaceIndex) : "";
    // The log holds no password: the packet's password bytes are zero, the password went by the send buffer.
    HeldChanges().Hold(ChangeOf(packet, target, "varnex", interfaceName), target.interfaceIndex);
}

void CVarnexView::OnUpdateDeviceCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(LVM_GETSELECTEDCOUNT) >= 1);
}

std::vector<CVarnexView::ChosenDevice> CVarnexView::ChooseSelectedDevices()
{
    std::vector<ChosenDevice> chosen;
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row))
        if (const device::Device* d = DeviceAtRow(row))
            chosen.push_back(*d);
    return chosen;
}

const device::Device* CVarnexView::FindChosenDevice(const ChosenDevice& chosen) const
{
    const auto id = Devices().FindByMac(chosen.mac, chosen.interfaceIndex);
    return id ? Devices().Find(*id) : nullptr;
}

void CVarnexView::ReportDeviceGone(const ChosenDevice& chosen)
{
    std::string text = AfxLoadString(IDS_DEVICE_GONE);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, device::FormatMac(chosen.mac));
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

int CVarnexView::NextSelectedRow(int after)
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
}

void CVarnexView::BroadcastCommandPacket(const COMMAND_PACKET& packet, std::string_view password, unsigned nInterface)
{
    if (!m_pSocket || !PacketWithPassword(packet, password, m_arrSendBuffer))
        return;
    const char* host = m_portsDiscovery.broadcastAddress.empty() ? nullptr : m_portsDiscovery.broadcastAddress.c_str();
    m_pSocket->SendToInterface(m_arrSendBuffer.data(), static_cast<int>(m_arrSendBuffer.size()),
                               m_portsDiscovery.devicePort, host, nInterface);
    WipePassword(m_arrSendBuffer);
}

void CVarnexView::ScheduleDelayedRefresh(UINT delayMs, UINT pauseMs)
{
    SetTimer(kDelayedRefreshTimer, delayMs);
    if (pauseMs != 0 && Platform().loop)
        Platform().loop->Sleep(pauseMs);
    DeleteAllRows();
}

void CVarnexView::OnModifyIP()
{
    const std::vector<ChosenDevice> selected = ChooseSelectedDevices();
    if (selected.size() > 1 && AddressDevices(selected))
        return;
    bool sent = false;
    std::vector<CommandCheck> checks;
    for (const ChosenDevice& chosen : selected) {
        // A fresh dialog per row, so a value changed for one device is never sent to another.
        CInputIPDlg dialog;
        dialog.m_strIP = device::FormatDotted(chosen.ip);
        dialog.m_strMask = device::FormatDotted(chosen.mask);
        dialog.m_strGateway = device::FormatDotted(chosen.gateway);
        if (dialog.DoModal() != IDOK)
            continue;
        if (!ReopenDeviceSocket())
            continue;
        const struct {
            BOOL changed;
            std::uint8_t code;
        } values[] = {{dialog.m_bIPChanged, CMD_SET_IP},
                      {dialog.m_bMaskChanged, CMD_SET_SUBNET_MASK},
                      {dialog.m_bGatewayChanged, CMD_SET_GATEWAY}};
        bool sentToThis = false;
        for (const auto& value : values) {
            if (!value.changed)
                continue;
            const auto build = [&](const device::Device& current) {
                return BuildNetworkCommand(value.code, dialog.m_newIP, dialog.m_newMask, dialog.m_newGateway,
                                           current.mac);
            };
            const Outcome outcome = SendWithPassword(chosen, build, false);
            if (outcome == Outcome::kSent)
                sentToThis = true;
            else if (outcome == Outcome::kDeviceGone)
                break;
        }
        if (sentToThis) {
            // Every packet carries all three values: the device should answer with all three.
            const auto ipv4 = [](const BYTE* b) { return device::Ipv4{b[0], b[1], b[2], b[3]}; };
            checks.push_back(
                {chosen.mac,
                 device::AfterModifyIp(chosen, ipv4(dialog.m_newIP), ipv4(dialog.m_newMask), ipv4(dialog.m_newGateway)),
                 std::nullopt});
            sent = true;
        }
    }
    if (sent) {
        BeginChecks(std::move(checks));
        ScheduleDelayedRefresh(2000, 0);
    }
}

void CVarnexView::OnModifyMAC()
{
    bool sent = false;
    std::vector<CommandCheck> checks;
    for (const ChosenDevice& chosen : ChooseSelectedDevices()) {
        CInputMACDlg dialog;
        dialog.m_strMAC = device::FormatMac(chosen.mac);
        // A text that is not six groups would leave bytes of the address undefined:
        // refuse it and ask again with the text as typed.
        while (true) {
            if (dialog.DoModal() != IDOK) {
                // The whole command ends, without the refresh; what went out
                // waits for a verdict like any command's.
                if (sent)
                    BeginChecks(std::move(checks));
                return;
            }
            if (IsWellFormedMac(dialog.m_strMAC))
                break;
            AfxMessageBox(IDS_BAD_MAC_FORMAT, MB_ICONEXCLAMATION);
        }
        std::uint8_t newMac[6];
        ParseMacBytes(dialog.m_strMAC, newMac);
        // The packet names the device by the address it has when the packet leaves.
        const auto build = [&](const device::Device& current) { return BuildSetMacCommand(current.ip, newMac); };
        if (SendWithPassword(chosen, build, true) == Outcome::kSent) {
            const device::Mac mac{newMac[0], newMac[1], newMac[2], newMac[3], newMac[4], newMac[5]};
            checks.push_back({chosen.mac, device::AfterModifyMac(chosen, mac), std::nullopt});
            sent = true;
        }
    }
    if (sent) {
        BeginChecks(std::move(checks));
        ScheduleDelayedRefresh(5000, 2000);
    }
}

void CVarnexView::SendDeviceOrder(std::uint8_t code)
{
    bool sent = false;
    std::vector<CommandCheck> checks;
    for (const ChosenDevice& chosen : ChooseSelectedDevices()) {
        const auto build = [&](const device::Device& current) { return BuildDeviceOrder(code, current.mac); };
        if (SendWithPassword(chosen, build, true) == Outcome::kSent) {
            // A device in firmware-update mode answers as another: nothing to check.
            if (code == CMD_SOFT_RESET)
                checks.push_back({chosen.mac, device::AfterSoftReset(chosen), std::nullopt});
            sent = true;
        }
    }
    if (sent) {
        BeginChecks(std::move(checks));
        ScheduleDelayedRefresh(5000, 2000);
    }
}

void CVarnexView::OnSoftReset()
{
    SendDeviceOrder(CMD_SOFT_RESET);
}

void CVarnexView::OnUpdateFirmware()
{
    SendDeviceOrder(CMD_UPDATE_FIRMWARE);
}

bool CVarnexView::ConfirmOpenUnreachable(const device::Device& d)
{
    const std::optional<std::string> reason = UnreachableReason(d);
    if (!reason)
        return true;
    std::string text = AfxLoadString(IDS_OPEN_UNREACHABLE);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, *reason);
    return AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CVarnexView::OnWebBrowser()
{
    const browser::BrowserEnvironment env = FindDefaultBrowser();
    for (const ChosenDevice& chosen : ChooseSelectedDevices()) {
        if (!ConfirmOpenUnreachable(chosen))
            continue;
        std::string error;
        OpenInBrowser(env, device::FormatDotted(chosen.ip), error); // no message, as with the platform's shell
    }
}
