// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/command_confirmation.h"

#include "devices/device_texts.h"
#include "res/text/resource_ids.h"
#include "res/text/strings.h"

namespace device {

namespace {

ExpectedAnswer From(ConfirmedCommand command, const Device& before)
{
    ExpectedAnswer expected;
    expected.command = command;
    expected.mac = before.mac;
    expected.ip = before.ip;
    expected.mask = before.mask;
    expected.gateway = before.gateway;
    expected.interfaceIndex = before.interfaceIndex;
    return expected;
}

bool Took(const ExpectedAnswer& expected, const Device& answer)
{
    if (expected.command != ConfirmedCommand::kModifyIp)
        return true; // answering at all, with the MAC looked for, is the proof
    // A device of unknown model sends no gateway: its zero proves nothing either way.
    const bool gatewayKnown = IsKnownModel(answer.model);
    return answer.ip == expected.ip && answer.mask == expected.mask &&
           (!gatewayKnown || answer.gateway == expected.gateway);
}

std::string AddressText(const ExpectedAnswer& expected, const Ipv4& ip, const Ipv4& mask, const Ipv4& gateway)
{
    std::string text = FormatDotted(ip);
    if (expected.command == ConfirmedCommand::kModifyIp)
        text += " mask " + FormatDotted(mask) + " gateway " + FormatDotted(gateway);
    return text;
}

std::string Filled(UINT id, const std::string& mac, const std::string& address, const std::string& interfaceName)
{
    std::string on;
    if (!interfaceName.empty()) {
        on = res::LoadText(IDS_ON_INTERFACE);
        if (const auto at = on.find("%1"); at != std::string::npos)
            on.replace(at, 2, interfaceName);
    }
    std::string text = res::LoadText(id);
    // Filled from the last placeholder back, so that a value holding "%2" is never read as one.
    const std::string* values[] = {&mac, &address, &on};
    for (int i = 2; i >= 0; --i)
        if (const auto at = text.find("%" + std::to_string(i + 1)); at != std::string::npos)
            text.replace(at, 2, *values[i]);
    return text;
}

} // namespace

ExpectedAnswer AfterModifyIp(const Device& before, const Ipv4& ip, const Ipv4& mask, const Ipv4& gateway)
{
    ExpectedAnswer expected = From(ConfirmedCommand::kModifyIp, before);
    expected.ip = ip;
    expected.mask = mask;
    expected.gateway = gateway;
    return expected;
}

ExpectedAnswer AfterModifyMac(const Device& before, const Mac& newMac)
{
    ExpectedAnswer expected = From(ConfirmedCommand::kModifyMac, before);
    expected.mac = newMac;
    return expected;
}

ExpectedAnswer AfterSoftReset(const Device& before)
{
    return From(ConfirmedCommand::kSoftReset, before);
}

Confirmation Confirm(const ExpectedAnswer& expected, const DeviceTable& answers, const std::string& interfaceName)
{
    Confirmation result;
    const std::string mac = FormatMac(expected.mac);
    if (const auto id = answers.FindByMac(expected.mac, expected.interfaceIndex)) {
        const Device& answer = answers[*id];
        if (Took(expected, answer)) {
            result.confirmed = true;
            result.text = Filled(IDS_CONFIRMED, mac, AddressText(expected, answer.ip, answer.mask, answer.gateway),
                                 interfaceName);
            return result;
        }
    }
    result.text =
        Filled(IDS_NO_ANSWER, mac, AddressText(expected, expected.ip, expected.mask, expected.gateway), interfaceName);
    return result;
}

} // namespace device
