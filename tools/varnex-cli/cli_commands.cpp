#include "cli_commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli_command_packets.h"
#include "cli_command_sender.h"
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

// Probes and listens through a socket that is closed again afterwards. Answers
// the kernel dropped are counted on standard error; they are no failure.
int Discover(const Options& options, ListenResult& result)
{
    DeviceSocket socket(options.ports);
    std::string error;
    if (!socket.Open(error) || !ListenForDevices(socket, options.waitSeconds, options.maxWaitSeconds, result, error))
        return Fail(kRuntimeFailure, error);
    if (result.dropped > 0)
        std::fprintf(stderr,
                     "varnex-cli: %lld answers were lost: the receive buffer (%d bytes) was full; "
                     "running discover again may find those devices\n",
                     result.dropped, result.receiveBuffer);
    if (result.cutShort)
        std::fprintf(stderr, "varnex-cli: answers were still arriving when --max-wait (%g s) ended listening\n",
                     options.maxWaitSeconds);
    return kSuccess;
}

// Asks for the password, then sends every packet with it from a freshly
// opened socket, as the desktop program does after its password prompt.
// The password is wiped from memory afterwards; the packets never hold it.
int SendWithPassword(const Options& options, const std::vector<COMMAND_PACKET>& packets,
                     const EnvironmentPassword& environment)
{
    std::string password;
    std::string error;
    const PasswordStatus status =
        ObtainPassword(ProcessPasswordSources(options.passwordFromStdin, environment.Value()), password, error);
    if (status != PasswordStatus::kOk)
        return Fail(status == PasswordStatus::kTooLong ? kBadInput : kRuntimeFailure, error);

    DeviceSocket socket(options.ports);
    bool ok = socket.Open(error);
    if (ok) {
        CommandSender sender(socket);
        ok = sender.SendAll(packets, password, error);
    }
    WipeText(password);
    return ok ? kSuccess : Fail(kRuntimeFailure, error);
}

int RunDiscover(const Options& options)
{
    ListenResult result;
    if (const int status = Discover(options, result); status != kSuccess)
        return status;
    bool written = true;
    WriteDevices(ListOfAnswers(result.answers), options.format, options.withModel, [&written](std::string_view text) {
        written = written && std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    });
    return written && std::fflush(stdout) == 0 ? kSuccess : Fail(kRuntimeFailure, "cannot write the list");
}

int RunSetIp(const Options& options, const EnvironmentPassword& environment)
{
    ListenResult result;
    if (const int status = Discover(options, result); status != kSuccess)
        return status;
    const int index = FindAnswerByMac(result.answers, options.device);
    if (index < 0)
        return Fail(kRuntimeFailure, "no device with MAC " + MacText(options.device) + " answered");
    std::vector<COMMAND_PACKET> packets =
        SetIpPackets(DeviceFromReply(result.answers[index]).row, {options.newIp, options.newMask, options.newGateway});
    if (packets.empty()) {
        std::fprintf(stderr, "varnex-cli: %s already has these values; nothing sent\n",
                     MacText(options.device).c_str());
        return kSuccess;
    }
    return SendWithPassword(options, packets, environment);
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
        return SendWithPassword(options, {SetMacPacket(options.currentIp, options.newMac)}, environment);
    case Command::kReset:
        return SendWithPassword(options, {DeviceOrderPacket(CMD_SOFT_RESET, options.device)}, environment);
    case Command::kUpdateFirmware:
        return SendWithPassword(options, {DeviceOrderPacket(CMD_UPDATE_FIRMWARE, options.device)}, environment);
    case Command::kWeb:
        return RunWeb(options);
    }
    return kBadInput;
}

} // namespace cli
