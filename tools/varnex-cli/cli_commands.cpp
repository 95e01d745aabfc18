#include "cli_commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli_command_packets.h"
#include "cli_device_lookup.h"
#include "cli_device_socket.h"
#include "cli_listen.h"
#include "cli_output.h"
#include "cli_password.h"
#include "commands/command_builders.h"
#include "commands/default_browser.h"

namespace cli {

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "varnex-cli: %s\n", message.c_str());
    return status;
}

std::string MacText(const Mac& mac)
{
    return device::FormatMac(mac.bytes);
}

// Probes and listens through a socket that is closed again afterwards.
int Discover(const Options& options, std::vector<DiscoveredDevice>& devices)
{
    DeviceSocket socket(options.ports);
    std::string error;
    if (!socket.Open(error) || !ListenForDevices(socket, options.waitSeconds, devices, error))
        return Fail(kRuntimeFailure, error);
    return kSuccess;
}

// Asks for the password, then sends every packet with it from a freshly
// opened socket, as the desktop program does after its password prompt.
// The password is wiped from the packets and from memory afterwards.
int SendWithPassword(const Options& options, std::vector<COMMAND_PACKET> packets)
{
    std::string password;
    std::string error;
    const PasswordStatus status = ObtainPassword(ProcessPasswordSources(options.passwordFromStdin), password, error);
    ForgetEnvironmentPassword();
    if (status != PasswordStatus::kOk)
        return Fail(status == PasswordStatus::kTooLong ? kBadInput : kRuntimeFailure, error);

    DeviceSocket socket(options.ports);
    bool ok = socket.Open(error);
    for (COMMAND_PACKET& packet : packets) {
        if (ok) {
            SetPacketPassword(packet, password);
            ok = socket.Send(PacketBytes(packet), error);
        }
        WipePassword(packet);
    }
    WipeText(password);
    return ok ? kSuccess : Fail(kRuntimeFailure, error);
}

int RunDiscover(const Options& options)
{
    std::vector<DiscoveredDevice> devices;
    if (const int status = Discover(options, devices); status != kSuccess)
        return status;
    const std::string text = FormatDevices(devices, options.format, options.withModel);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kSuccess : Fail(kRuntimeFailure, "cannot write the list");
}

int RunSetIp(const Options& options)
{
    std::vector<DiscoveredDevice> devices;
    if (const int status = Discover(options, devices); status != kSuccess)
        return status;
    const int index = FindDeviceByMac(devices, options.device);
    if (index < 0)
        return Fail(kRuntimeFailure, "no device with MAC " + MacText(options.device) + " answered");
    std::vector<COMMAND_PACKET> packets =
        SetIpPackets(devices[index].row, {options.newIp, options.newMask, options.newGateway});
    if (packets.empty()) {
        std::fprintf(stderr, "varnex-cli: %s already has these values; nothing sent\n",
                     MacText(options.device).c_str());
        return kSuccess;
    }
    return SendWithPassword(options, std::move(packets));
}

int RunWeb(const Options& options)
{
    ForgetEnvironmentPassword(); // the browser inherits the environment
    std::string error;
    if (OpenInBrowser(FindDefaultBrowser(), options.webAddress, error))
        return kSuccess;
    return Fail(kRuntimeFailure, "cannot open " + options.webAddress + " in a web browser: " + error);
}

} // namespace

int RunCommand(const Options& options)
{
    switch (options.command) {
    case Command::kDiscover:
        return RunDiscover(options);
    case Command::kSetIp:
        return RunSetIp(options);
    case Command::kSetMac:
        return SendWithPassword(options, {SetMacPacket(options.currentIp, options.newMac)});
    case Command::kReset:
        return SendWithPassword(options, {DeviceOrderPacket(CMD_SOFT_RESET, options.device)});
    case Command::kUpdateFirmware:
        return SendWithPassword(options, {DeviceOrderPacket(CMD_UPDATE_FIRMWARE, options.device)});
    case Command::kWeb:
        return RunWeb(options);
    }
    return kBadInput;
}

} // namespace cli
