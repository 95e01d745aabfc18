// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_apply.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "cli_change_log.h"
#include "cli_command_packets.h"
#include "cli_command_sender.h"
#include "cli_commands.h"
#include "cli_device_socket.h"
#include "cli_steps.h"
#include "cli_texts.h"
#include "commands/command_builders.h"
#include "devices/device_export.h"
#include "devices/device_texts.h"

namespace cli {

namespace {

// The plan's text, refused unread when it is larger than a plan can be.
bool ReadPlanFile(const std::string& path, std::string& text, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the plan " + QuoteArgument(path);
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), {});
    // One byte more than allowed is enough to refuse it; the reader says why.
    if (file.bad()) {
        error = "cannot read the plan " + QuoteArgument(path);
        return false;
    }
    return true;
}

Ipv4 ToCli(const device::Ipv4& ip)
{
    Ipv4 out;
    std::copy(ip.begin(), ip.end(), out.bytes);
    return out;
}

NewNetworkValues ValuesOf(const device::PlanLine& line)
{
    NewNetworkValues values;
    values.ip = ToCli(line.ip);
    if (line.mask)
        values.mask = ToCli(*line.mask);
    if (line.gateway)
        values.gateway = ToCli(*line.gateway);
    return values;
}

void Print(const std::vector<ApplyResult>& results, Format format)
{
    const std::string text = FormatApplyResults(results, format);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

} // namespace

std::string FormatApplyResults(const std::vector<ApplyResult>& results, Format format)
{
    std::string out;
    if (format == Format::kJson) {
        out = results.empty() ? "[]\n" : "[\n";
        for (std::size_t i = 0; i < results.size(); ++i) {
            const ApplyResult& r = results[i];
            out += "  {\"line\": " + std::to_string(r.line.line) + ", \"mac\": \"" + device::FormatMac(r.line.mac) +
                   "\", \"ip\": \"" + device::FormatDotted(r.line.ip) + "\", \"mask\": \"" +
                   device::FormatDotted(r.mask) + "\", \"gateway\": \"" + device::FormatDotted(r.gateway) +
                   "\", \"result\": " + device::JsonString(r.result) +
                   ", \"confirmed\": " + (r.confirmed ? (*r.confirmed ? "true" : "false") : "null") + "}";
            out += i + 1 < results.size() ? ",\n" : "\n]\n";
        }
        return out;
    }
    out = "Line,MAC,IP Address,Subnet Mask,Gateway IP,Result\r\n";
    for (const ApplyResult& r : results)
        out += std::to_string(r.line.line) + "," + device::FormatMac(r.line.mac) + "," +
               device::FormatDotted(r.line.ip) + "," + device::FormatDotted(r.mask) + "," +
               device::FormatDotted(r.gateway) + "," + device::CsvField(r.result) + "\r\n";
    return out;
}

int RunApply(const Options& options, const EnvironmentPassword& environment)
{
    std::string text;
    std::string error;
    if (!ReadPlanFile(options.planPath, text, error))
        return Fail(kRuntimeFailure, error);
    device::AddressPlan plan = device::ReadPlan(text);
    text.clear();
    InterfaceRoute route;
    if (const int status = ChooseRoute(options, route); status != kSuccess)
        return status;
    ListenResult found;
    if (const int status = Discover(options, route, found); status != kSuccess)
        return status;
    std::vector<device::PlanProblem> problems = device::CheckPlan(plan.lines, found.devices, found.subnets);
    problems.insert(problems.end(), plan.problems.begin(), plan.problems.end());
    std::stable_sort(problems.begin(), problems.end(),
                     [](const device::PlanProblem& a, const device::PlanProblem& b) { return a.line < b.line; });
    if (!problems.empty()) {
        for (const device::PlanProblem& problem : problems)
            std::fprintf(stderr, "varnex-cli: %s: %s\n", options.planPath.c_str(),
                         device::ProblemText(problem).c_str());
        return Fail(kBadInput, std::to_string(problems.size()) + (problems.size() == 1 ? " problem" : " problems") +
                                   " in the plan; nothing sent");
    }

    std::vector<ApplyResult> results;
    std::vector<std::vector<COMMAND_PACKET>> packets;
    for (const device::PlanLine& line : plan.lines) {
        const device::Device& target = found.devices[*device::FindPlannedDevice(found.devices, line.mac)];
        ApplyResult r{line, line.mask.value_or(target.mask), line.gateway.value_or(target.gateway), {}, {}};
        packets.push_back(SetIpPackets(target, ValuesOf(line)));
        r.result = packets.back().empty() ? "unchanged" : options.dryRun ? "would send" : "";
        results.push_back(r);
    }
    if (options.dryRun) {
        Print(results, options.format);
        return kSuccess;
    }

    std::string password;
    if (const int status = AskPassword(options, environment, password); status != kSuccess)
        return status;
    DeviceSocket socket(options.ports);
    const bool open = socket.Open(error);
    bool allSent = open;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (packets[i].empty())
            continue;
        const device::Device& target = found.devices[*device::FindPlannedDevice(found.devices, results[i].line.mac)];
        std::string failure = error;
        if (open) {
            CommandSender sender(socket, target.interfaceIndex);
            if (sender.SendAll(packets[i], password, failure)) {
                // Nothing checks yet whether the device took the change: "sent", confirmed null.
                results[i].result = "sent";
                LogSent(packets[i], target, InterfaceNameOf(found, target));
                continue;
            }
        }
        results[i].result = "not sent: " + failure;
        allSent = false;
    }
    WipeText(password);
    Print(results, options.format);
    return allSent ? kSuccess : kRuntimeFailure;
}

} // namespace cli
