// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// "Address N devices" typed into at random: devices at addresses of the
// input's choosing, then keys into the start, mask, gateway and password
// fields, pastes and Send, in any order. It never crashes; every refusal is
// told; and a plan it lets through gives each device its own address inside
// the interface's subnet, none that is the network's, the broadcast's, this
// computer's, the gateway's or another device's, with a password a packet
// can carry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "controls/common_controls.h"
#include "dialogs/address_devices_dlg.h"
#include "framework/dialog_controls.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "system/services.h"

namespace {

constexpr unsigned kEth0 = 2;
constexpr std::uint32_t kOwn = 0x0A4D0001; // 10.77.0.1/24

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// Types the rest of the input into the dialog; each refusal must have been told.
class FuzzUser : public UserInterface {
public:
    explicit FuzzUser(Bytes& input) : m_input(input) {}
    int MessageBox(const std::string& text, const std::string&, UINT) override
    {
        if (text.empty())
            std::abort();
        ++boxes;
        return IDOK;
    }
    void TrackPopupMenu(const MenuItemDef&, int, int, CWnd*) override {}
    POINT GetCursorPos() const override { return {}; }
    INT_PTR RunModalDialog(CDialog& dialog) override
    {
        const UINT fields[] = {IDC_BATCH_START, IDC_BATCH_MASK, IDC_BATCH_GATEWAY, IDC_BATCH_PASSWORD};
        while (!m_input.Empty() && !dialog.IsEnded()) {
            const std::uint8_t action = m_input.Next();
            const std::uint8_t key = m_input.Next();
            CWnd* field = dialog.GetDlgItem(fields[action % 4]);
            switch (action / 4 % 4) {
            case 0: // a key, into the field's current place
                field->SendMessage(WM_CHAR, key);
                break;
            case 1: // a field of the address, or the password, set whole
                if (action % 4 == 3) {
                    const std::string text(key % 12, static_cast<char>('a' + key % 26));
                    SetControlText(*field, text);
                } else {
                    field->SendMessage(IPM_SETFOCUS, key % 5);
                }
                break;
            case 2: // cleared
                field->SendMessage(action % 4 == 3 ? WM_SETTEXT : IPM_CLEARADDRESS, 0, reinterpret_cast<LPARAM>(""));
                break;
            default: {
                const std::size_t before = boxes;
                dialog.OnOK();
                if (!dialog.IsEnded() && boxes == before)
                    std::abort(); // refused without a word
                break;
            }
            }
        }
        if (!dialog.IsEnded())
            dialog.OnCancel();
        return dialog.Result();
    }
    std::size_t boxes = 0;

private:
    Bytes& m_input;
};

std::uint32_t Value(const device::Ipv4& ip)
{
    return device::Ipv4Value(ip);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        InitCommonControls();
        res::InstallResources();
        return true;
    }();
    (void)ready;
    Bytes input(data, size);
    // One to eight devices to address, and as many others answering, at the input's addresses.
    std::vector<device::Device> chosen;
    device::DeviceTable answers;
    const int count = 1 + input.Next() % 8;
    const int others = input.Next() % 8;
    for (int i = 0; i < count + others; ++i) {
        device::Device d;
        d.ip = {10, 77, 0, input.Next()};
        if (input.Next() % 4 == 0)
            d.ip = {192, 168, 0, 100};
        d.mask = {255, 255, 255, 0};
        d.mac = {0, 0x0A, 0, 0, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)};
        d.interfaceIndex = kEth0;
        answers.Add(d);
        if (i < count)
            chosen.push_back(d);
    }
    const std::vector<device::Subnet> subnets = device::SubnetsOf({{"eth0", kEth0, "10.77.0.1", "255.255.255.0"}});

    FuzzUser user(input);
    UserInterface* previous = Platform().ui;
    Platform().ui = &user;
    PasswordBytes password;
    CAddressDevicesDlg dialog(chosen.size(), password, [&](const device::BatchRequest& request) {
        return device::PlanBatch(request, chosen, answers, subnets);
    });
    dialog.m_reqValues = device::ProposeBatch(chosen, answers, subnets, std::nullopt);
    const INT_PTR result = dialog.DoModal();
    Platform().ui = previous;
    if (result != IDOK) {
        if (!password.Empty())
            std::abort(); // a password kept though nothing is sent
        return 0;
    }

    const device::BatchPlan& plan = dialog.m_planBatch;
    if (!plan.Sendable() || plan.steps.size() != chosen.size() || password.View().size() > kMaxPasswordLength)
        std::abort();
    const std::uint32_t m = Value(plan.mask);
    const std::uint32_t gateway = Value(plan.gateway);
    std::set<std::uint32_t> moved;
    for (const device::Device& d : chosen)
        moved.insert(device::MacValue(d.mac) & 0xFFFF);
    std::set<std::uint32_t> given;
    for (const device::BatchStep& step : plan.steps) {
        const std::uint32_t ip = Value(step.ip);
        if (!given.insert(ip).second || (ip & 0xFFFFFF00u) != (kOwn & 0xFFFFFF00u) || (ip & 0xFF) == 0 ||
            (ip & 0xFF) == 0xFF || (ip & ~m) == 0 || (ip & ~m) == ~m || ip == kOwn || ip == gateway)
            std::abort();
        for (const device::Device& d : answers.All())
            if (Value(d.ip) == ip && !moved.count(device::MacValue(d.mac) & 0xFFFF))
                std::abort(); // the address of a device the plan leaves where it is
    }
    if (gateway != 0 && (gateway & m) != (Value(plan.steps.front().ip) & m))
        std::abort();
    return 0;
}
