// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A device's answer to the probe read into a typed device.
#pragma once

#include "devices/device.h"
#include "devices/device_texts.h"
#include "discovery/packet_frame.h"

namespace device {

// The device an answer describes. The frame was cleared before the datagram
// was read into it, so the bytes of a short datagram past its end are zero.
// The name is present when its field holds 1 to 16 bytes before a NUL; a
// field filled to its end without a NUL counts as empty. A device of unknown
// model has its gateway and version left at zero, as the list shows them.
Device DeviceFromReply(const packet::Bytes& frame, unsigned interfaceIndex = 0, Clock::time_point seen = {});

// The row the list shows for an answer.
inline DeviceRow ReplyToRow(const packet::Bytes& frame)
{
    return RowOf(DeviceFromReply(frame));
}

} // namespace device
