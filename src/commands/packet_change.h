// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What a command packet changes on a device, read from the packet itself, so
// that the window and varnex-cli log the same record for the same packet.
#pragma once

#include <string>

#include "commands/command_packet.h"
#include "devices/change_log.h"

// The record of a packet sent to the device as it was (before): the command's
// name and the field it changes, before and after. The password bytes are
// never read.
device::ChangeRecord ChangeOf(const COMMAND_PACKET& packet, const device::Device& before, std::string program,
                              std::string interfaceName);
