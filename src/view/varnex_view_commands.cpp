// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device commands: each selected row in turn gets its dialogs and packets;
// afterwards the list is emptied and refreshed once the devices had time to act.
#include "commands/command_builders.h"
#include "commands/default_browser.h"
#include "dialogs/input_ip_dlg.h"
#include "dialogs/input_mac_dlg.h"
#include "dialogs/input_password_dlg.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/services.h"
#include "view/varnex_view.h"

namespace {

// What became of one packet of a command.
enum class Outcome { kSent, kNotSent, kDeviceGone };

// Asks for the password and sends the packet that build makes for the device's
// row as it is then; the device must still be listed when the password is
// given, or nothing goes out. The password goes from the dialog into the
// view's send buffer only, and leaves both as soon as the datagram is gone.
// The packet leaves by the interface the device answered on.
template <typename BuildPacket>
Outcome SendWithPassword(CVarnexView& view, const CVarnexView::ChosenDevice& device, const BuildPacket& build,
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
    const int row = view.FindChosenRow(device);
    if (row < 0) {
        password.WipePassword();
        view.ReportDeviceGone(device);
        return Outcome::kDeviceGone;
    }
    if (reopenFirst && !view.ReopenDeviceSocket()) {
        password.WipePassword();
        return Outcome::kNotSent;
    }
    view.BroadcastCommandPacket(build(row), password.m_strPassword, device.interfaceIndex);
    password.WipePassword();
    return Outcome::kSent;
}

} // namespace

void CVarnexView::OnUpdateDeviceCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(LVM_GETSELECTEDCOUNT) >= 1);
}

std::string CVarnexView::GetCellText(int row, int column)
{
    char buffer[260] = {};
    LVITEMA item;
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(sizeof buffer);
    if (!SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || item.pszText == nullptr)
        return {};
    return item.pszText;
}

std::vector<CVarnexView::ChosenDevice> CVarnexView::ChooseSelectedDevices()
{
    std::vector<ChosenDevice> chosen;
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row))
        chosen.push_back(ChosenDevice{GetCellText(row, device::kIp), GetCellText(row, device::kMask),
                                      GetCellText(row, device::kGateway), GetCellText(row, device::kMac),
                                      RowInterface(row)});
    return chosen;
}

int CVarnexView::FindChosenRow(const ChosenDevice& device)
{
    const int rows = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
    for (int row = 0; row < rows; ++row)
        if (GetCellText(row, device::kMac) == device.mac && RowInterface(row) == device.interfaceIndex)
            return row;
    return -1;
}

void CVarnexView::ReportDeviceGone(const ChosenDevice& device)
{
    std::string text = AfxLoadString(IDS_DEVICE_GONE);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, device.mac);
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
    bool sent = false;
    for (const ChosenDevice& device : ChooseSelectedDevices()) {
        // A fresh dialog per row, so a value changed for one device is never sent to another.
        CInputIPDlg dialog;
        dialog.m_strIP = device.ip;
        dialog.m_strMask = device.mask;
        dialog.m_strGateway = device.gateway;
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
        std::uint8_t mac[6];
        ParseMacBytes(device.mac, mac);
        for (const auto& value : values) {
            if (!value.changed)
                continue;
            const auto build = [&](int) {
                return BuildNetworkCommand(value.code, dialog.m_newIP, dialog.m_newMask, dialog.m_newGateway, mac);
            };
            const Outcome outcome = SendWithPassword(*this, device, build, false);
            if (outcome == Outcome::kSent)
                sent = true;
            else if (outcome == Outcome::kDeviceGone)
                break;
        }
    }
    if (sent)
        ScheduleDelayedRefresh(2000, 0);
}

void CVarnexView::OnModifyMAC()
{
    bool sent = false;
    for (const ChosenDevice& device : ChooseSelectedDevices()) {
        CInputMACDlg dialog;
        dialog.m_strMAC = device.mac;
        // A text that is not six groups would leave bytes of the address undefined:
        // refuse it and ask again with the text as typed.
        while (true) {
            if (dialog.DoModal() != IDOK)
                return; // the whole command ends, without the refresh
            if (IsWellFormedMac(dialog.m_strMAC))
                break;
            AfxMessageBox(IDS_BAD_MAC_FORMAT, MB_ICONEXCLAMATION);
        }
        std::uint8_t newMac[6];
        ParseMacBytes(dialog.m_strMAC, newMac);
        // The packet names the device by the address it has when the packet leaves.
        const auto build = [&](int row) {
            std::uint8_t currentIp[4];
            ParseDottedBytes(GetCellText(row, device::kIp), currentIp);
            return BuildSetMacCommand(currentIp, newMac);
        };
        if (SendWithPassword(*this, device, build, true) == Outcome::kSent)
            sent = true;
    }
    if (sent)
        ScheduleDelayedRefresh(5000, 2000);
}

void CVarnexView::SendDeviceOrder(std::uint8_t code)
{
    bool sent = false;
    for (const ChosenDevice& device : ChooseSelectedDevices()) {
        std::uint8_t mac[6];
        ParseMacBytes(device.mac, mac);
        const auto build = [&](int) { return BuildDeviceOrder(code, mac); };
        if (SendWithPassword(*this, device, build, true) == Outcome::kSent)
            sent = true;
    }
    if (sent)
        ScheduleDelayedRefresh(5000, 2000);
}

void CVarnexView::OnSoftReset()
{
    SendDeviceOrder(CMD_SOFT_RESET);
}

void CVarnexView::OnUpdateFirmware()
{
    SendDeviceOrder(CMD_UPDATE_FIRMWARE);
}

void CVarnexView::OnWebBrowser()
{
    const browser::BrowserEnvironment env = FindDefaultBrowser();
    for (const ChosenDevice& device : ChooseSelectedDevices()) {
        std::string error;
        OpenInBrowser(env, device.ip, error); // no message, as with the platform's shell
    }
}
