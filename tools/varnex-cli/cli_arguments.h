// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Checks and conversions of the values a user types: addresses, ports, seconds.
// Each returns false for anything but the exact form, so that nothing half
// understood is ever sent to a device.
#pragma once

#include <cstdint>
#include <string_view>

namespace cli {

// An IPv4 address, first dotted number first.
struct Ipv4 {
    std::uint8_t bytes[4]{};
    bool operator==(const Ipv4&) const = default;
};

// A MAC address, first group first.
struct Mac {
    std::uint8_t bytes[6]{};
    bool operator==(const Mac&) const = default;
};

// Four dotted decimal numbers 0-255 ("192.168.1.20"); no blanks, signs or
// empty pieces, at most three digits a piece.
bool ParseIpArgument(std::string_view text, Ipv4& ip);

// A MAC that names a device: six groups of one or two hexadecimal digits, any
// case, separated all by '-' or all by ':'.
bool ParseMacSelector(std::string_view text, Mac& mac);

// A MAC to be written to a device: six groups of one or two hexadecimal digits
// separated by '-' (the form the list shows and the MAC dialog takes).
bool ParseNewMac(std::string_view text, Mac& mac);

// A port number 1-65535 in decimal.
bool ParsePort(std::string_view text, std::uint16_t& port);

// Seconds as a decimal number with an optional fraction ("5", "0.5", ".5"),
// greater than zero and at most one hour.
bool ParseSeconds(std::string_view text, double& seconds);

} // namespace cli
