// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_commands.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli_apply.h"
#include "cli_change_log.h"
#include "cli_command_packets.h"
#include "cli_command_sender.h"
#include "cli_device_lookup.h"
#include "cli_device_socket.h"
#include "cli_listen.h"
#include "cli_output.h"
#include "cli_password.h"
#include "cli_shared_addresses.h"
#include "cli_steps.h"
#include "cli_texts.h"
#include "cli_unreachable.h"
#include "cli_verify.h"
#include "cli_watch.h"
#include "commands/command_builders.h"
#include "commands/default_browser.h"
#include "devices/command_confirmation.h"
#include "devices/device_texts.h"
#include "system/socket_backend.h"

namespace cli {

namespace {

std::string MacText(const Mac& mac)
{
    return device::FormatMac(mac.bytes);
}

// Sends every packet with the password from a freshly opened socket, as the
// desktop program does after its password prompt, by the interface the device
// answered on. The password is wiped from memory afterwards; the packets
// never hold it. The packets that went out wait in sent for their entries in
// the log of changes.
int SendPackets(const Options& options, const std::vector<COMMAND_PACKET>& packets, std::string& password,
                const device::Device& target, const std::string& interfaceName, SentChanges& sent)
{
    std::string error;
    DeviceSocket socket(options.ports);
    bool ok = socket.Open(error);
    if (ok) {
        CommandSender sender(socket, target.interfaceIndex);
        ok = sent.SendAndHold(sender, packets, password, error, target, interfaceName);
    }
    WipeText(password);
    if (!ok)
        return Fail(kRuntimeFailure, error);
    return kSuccess;
}

int SendWithPassword(const Options& options, const std::vector<COMMAND_PACKET>& packets,
                     const EnvironmentPassword& environment, const device::Device& target,
                     const std::string& interfaceName, SentChanges& sent)
{
    std::string password;
    if (const int status = AskPassword(options, environment, password); status != kSuccess)
        return status;
    return SendPackets(options, packets, password, target, interfaceName, sent);
}

// After a command that a probe can show: whether it took, unless --no-verify;
// then its entries in the log of changes, with that verdict.
int Confirmed(const Options& options, const InterfaceRoute& route, const device::ExpectedAnswer& expected,
              const std::string& interfaceName, SentChanges& sent)
{
    if (!options.verify || !Verifies(options.command)) {
        sent.WriteAll();
        return kSuccess;
    }
    const int status = ConfirmAnswer(options, route, expected, interfaceName);
    const std::optional<bool> verdict = status == kSuccess        ? std::optional<bool>(true)
                                        : status == kNotConfirmed ? std::optional<bool>(false)
                                                                  : std::nullopt;
    sent.WriteAll([&verdict](const device::PendingChanges::DeviceKey&) { return verdict; });
    return status;
}

// set-mac, reset and update-firmware: the password (a refusal sends nothing at
// all), then the device found by a discovery, then its packet by the interface
// the device answered on.
int RunDeviceOrder(const Options& options, const EnvironmentPassword& environment)
{
    InterfaceRoute route;
    if (const int status = ChooseRoute(options, route); status != kSuccess)
        return status;
    std::string password;
    if (const int status = AskPassword(options, environment, password); status != kSuccess)
        return status;
    ListenResult result;
    if (const int status = Discover(options, route, result); status != kSuccess) {
        WipeText(password);
        return status;
    }
    const bool byIp = options.command == Command::kSetMac;
    const std::optional<device::DeviceId> found =
        byIp ? FindDeviceByIp(result.devices, options.currentIp) : FindDeviceByMac(result.devices, options.device);
    if (!found) {
        WipeText(password);
        return Fail(kRuntimeFailure,
                    (byIp ? "no device with IP address " + device::FormatDotted(options.currentIp.bytes)
                          : "no device with MAC " + MacText(options.device)) +
                        " answered; nothing sent");
    }
    const device::Device& target = result.devices[*found];
    COMMAND_PACKET packet{};
    device::ExpectedAnswer expected;
    switch (options.command) {
    case Command::kSetMac:
        packet = SetMacPacket(options.currentIp, options.newMac);
        expected = device::AfterModifyMac(target, device::Mac(std::to_array(options.newMac.bytes)));
        break;
    case Command::kReset:
        packet = DeviceOrderPacket(CMD_SOFT_RESET, options.device);
        expected = device::AfterSoftReset(target);
        break;
    default:
        packet = DeviceOrderPacket(CMD_UPDATE_FIRMWARE, options.device);
        break;
    }
    SentChanges sent;
    if (const int status = SendPackets(options, {packet}, password, target, InterfaceNameOf(result, target), sent);
        status != kSuccess)
        return status;
    return Confirmed(options, route, expected, InterfaceNameOf(result, target), sent);
}

int RunDiscover(const Options& options)
{
    InterfaceRoute route;
    if (const int status = ChooseRoute(options, route); status != kSuccess)
        return status;
    ListenResult result;
    if (const int status = Discover(options, route, result); status != kSuccess)
        return status;
    bool written = true;
    WriteDevices(result, options.format, options.withModel, [&written](std::string_view text) {
        written = written && std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    });
    if (!written || std::fflush(stdout) != 0)
        return Fail(kRuntimeFailure, "cannot write the list");
    // JSON says it per device; the other formats get a line per address, kept off the list itself.
    if (options.format != Format::kJson) {
        for (const std::string& warning : SharedAddressWarnings(result))
            std::fprintf(stderr, "varnex-cli: %s\n", warning.c_str());
        for (const std::string& warning : UnreachableWarnings(result))
            std::fprintf(stderr, "varnex-cli: %s\n", warning.c_str());
    }
    return kSuccess;
}

int RunSetIp(const Options& options, const EnvironmentPassword& environment)
{
    InterfaceRoute route;
    if (const int status = ChooseRoute(options, route); status != kSuccess)
        return status;
    ListenResult result;
    if (const int status = Discover(options, route, result); status != kSuccess)
        return status;
    const std::optional<device::DeviceId> found = FindDeviceByMac(result.devices, options.device);
    if (!found)
        return Fail(kRuntimeFailure, "no device with MAC " + MacText(options.device) + " answered");
    const device::Device& target = result.devices[*found];
    std::vector<COMMAND_PACKET> packets = SetIpPackets(target, {options.newIp, options.newMask, options.newGateway});
    if (packets.empty()) {
        std::fprintf(stderr, "varnex-cli: %s already has these values; nothing sent\n",
                     MacText(options.device).c_str());
        return kSuccess;
    }
    // Values not given keep the device's, as in the packets.
    const device::ExpectedAnswer expected =
        device::AfterModifyIp(target, options.newIp ? std::to_array(options.newIp->bytes) : target.ip,
                              options.newMask ? std::to_array(options.newMask->bytes) : target.mask,
                              options.newGateway ? std::to_array(options.newGateway->bytes) : target.gateway);
    const std::string interfaceName = InterfaceNameOf(result, target);
    SentChanges sent;
    if (const int status = SendWithPassword(options, packets, environment, target, interfaceName, sent);
        status != kSuccess)
        return status;
    return Confirmed(options, route, expected, interfaceName, sent);
}

int RunWeb(const Options& options)
{
    std::string error;
    if (OpenInBrowser(FindDefaultBrowser(), options.webAddress, error))
        return kSuccess;
    return Fail(kRuntimeFailure, "cannot open " + options.webAddress + " in a web browser: " + error);
}

} // namespace

int RunCommand(const Options& options)
{
    // Before anything is sent or started, the password leaves the environment.
    const EnvironmentPassword environment;
    switch (options.command) {
    case Command::kDiscover:
        return RunDiscover(options);
    case Command::kSetIp:
        return RunSetIp(options, environment);
    case Command::kSetMac:
    case Command::kReset:
    case Command::kUpdateFirmware:
        return RunDeviceOrder(options, environment);
    case Command::kWeb:
        return RunWeb(options);
    case Command::kApply:
        return RunApply(options, environment);
    case Command::kWatch:
        return RunWatch(options);
    }
    return kBadInput;
}

} // namespace cli
