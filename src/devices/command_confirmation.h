// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether a device command took: what the device should answer with after
// Modify IP, Modify MAC or Soft Reset, judged against the answers of a probe
// sent after the command. The window and varnex-cli say the same words.
#pragma once

#include <string>

#include "devices/device.h"
#include "devices/device_table.h"

namespace device {

enum class ConfirmedCommand { kModifyIp, kModifyMac, kSoftReset };

// What a device should answer with once its command took.
struct ExpectedAnswer {
    ConfirmedCommand command = ConfirmedCommand::kSoftReset;
    // The MAC the device answers with afterwards: the new one after Modify MAC.
    Mac mac{};
    // After Modify IP the new values; otherwise the address the device had,
    // which the message names when it does not answer.
    Ipv4 ip{};
    Ipv4 mask{};
    Ipv4 gateway{};
    // The interface the device answered on; it stays on that segment.
    unsigned interfaceIndex = 0;
};

ExpectedAnswer AfterModifyIp(const Device& before, const Ipv4& ip, const Ipv4& mask, const Ipv4& gateway);
ExpectedAnswer AfterModifyMac(const Device& before, const Mac& newMac);
ExpectedAnswer AfterSoftReset(const Device& before);

struct Confirmation {
    bool confirmed = false;
    // "Confirmed: ..." or "No answer from ... at ...".
    std::string text;
};

// Judges the answers of one probe after the command. The device is known by
// the MAC it should answer with, on its interface; its latest answer counts.
// interfaceName is that interface's name for the text (empty: not named).
Confirmation Confirm(const ExpectedAnswer& expected, const DeviceTable& answers, const std::string& interfaceName);

} // namespace device
