// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device commands: each selected row in turn gets its dialogs and packets;
// afterwards the list is emptied and refreshed once the devices had time to act.
#include "commands/command_builders.h"
#include "commands/default_browser.h"
#include "commands/input_ip_dlg.h"
#include "commands/input_mac_dlg.h"
#include "commands/input_password_dlg.h"
#include "framework/win_app.h"
#include "res/resource_ids.h"
#include "system/services.h"
#include "view/varnex_view.h"

namespace {

// Asks for the password and sends the packet with it; false when the user cancelled.
// The password goes from the dialog into the view's send buffer only, and
// leaves both as soon as the datagram is gone.
// The packet leaves by the interface the row's device answered on.
bool SendWithPassword(CVarnexView& view, int row, const COMMAND_PACKET& packet, bool reopenFirst,
                      bool* socketFailed = nullptr)
{
    CInputPasswordDlg password;
    password.m_strPassword.clear();
    if (password.DoModal() != IDOK)
        return false;
    if (password.m_strPassword.size() > kMaxPasswordLength) {
        password.WipePassword();
        return false;
    }
    if (reopenFirst && !view.ReopenDeviceSocket()) {
        password.WipePassword();
        if (socketFailed)
            *socketFailed = true;
        return false;
    }
    view.BroadcastCommandPacket(packet, password.m_strPassword, view.RowInterface(row));
    password.WipePassword();
    return true;
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
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row)) {
        // A fresh dialog per row, so a value changed for one device is never sent to another.
        CInputIPDlg dialog;
        dialog.m_strIP = GetCellText(row, device::kIp);
        dialog.m_strMask = GetCellText(row, device::kMask);
        dialog.m_strGateway = GetCellText(row, device::kGateway);
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
        for (const auto& value : values) {
            if (!value.changed)
                continue;
            std::uint8_t mac[6];
            ParseMacBytes(GetCellText(row, device::kMac), mac);
            const COMMAND_PACKET packet =
                BuildNetworkCommand(value.code, dialog.m_newIP, dialog.m_newMask, dialog.m_newGateway, mac);
            if (SendWithPassword(*this, row, packet, false))
                sent = true;
        }
    }
    if (sent)
        ScheduleDelayedRefresh(2000, 0);
}

void CVarnexView::OnModifyMAC()
{
    bool sent = false;
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row)) {
        std::uint8_t currentIp[4];
        ParseDottedBytes(GetCellText(row, device::kIp), currentIp);
        CInputMACDlg dialog;
        dialog.m_strMAC = GetCellText(row, device::kMac);
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
        if (SendWithPassword(*this, row, BuildSetMacCommand(currentIp, newMac), true))
            sent = true;
    }
    if (sent)
        ScheduleDelayedRefresh(5000, 2000);
}

void CVarnexView::SendDeviceOrder(std::uint8_t code)
{
    bool sent = false;
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row)) {
        std::uint8_t mac[6];
        ParseMacBytes(GetCellText(row, device::kMac), mac);
        if (SendWithPassword(*this, row, BuildDeviceOrder(code, mac), true))
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
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row)) {
        std::string error;
        OpenInBrowser(env, GetCellText(row, device::kIp), error); // no message, as with the platform's shell
    }
}
