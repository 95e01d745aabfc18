// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_apply.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "cli_change_log.h"
#include "cli_command_packets.h"
#include "cli_command_sender.h"
#include "cli_commands.h"
#include "cli_device_socket.h"
#include "cli_steps.h"
#include "cli_texts.h"
#include "cli_verify.h"
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

// Sends each line's packets with the password by the interface its device
// answered on, from one socket that is closed again before the devices are
// looked for. Each line sent waits in sent for its entries in the log, and
// its device in awaited for the look; false when any line was not sent.
bool SendPlan(const Options& options, const ListenResult& found,
              const std::vector<std::vector<COMMAND_PACKET>>& packets, const std::string& password,
              std::vector<ApplyResult>& results, SentChanges& sent, std::vector<AwaitedAnswer>& awaited,
              std::vector<std::size_t>& awaitedLine)
{
    std::string error;
    DeviceSocket socket(options.ports);
    const bool open = socket.Open(error);
    bool allSent = open;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (packets[i].empty())
            continue;
        ApplyResult& r = results[i];
        const device::Device& target = found.devices[*device::FindPlannedDevice(found.devices, r.line.mac)];
        const std::string interfaceName = InterfaceNameOf(found, target);
        std::string failure = error;
        if (open) {
            CommandSender sender(socket, target.interfaceIndex);
            if (sent.SendAndHold(sender, packets[i], password, failure, target, interfaceName)) {
                r.result = "sent";
                awaited.push_back({device::AfterModifyIp(target, r.line.ip, r.mask, r.gateway), interfaceName});
                awaitedLine.push_back(i);
                continue;
            }
        }
        r.result = "not sent: " + failure;
        allSent = false;
    }
    return allSent;
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
    SentChanges sent;
    std::vector<AwaitedAnswer> awaited;
    std::vector<std::size_t> awaitedLine; // the result of each awaited device
    bool allSent = SendPlan(options, found, packets, password, results, sent, awaited, awaitedLine);
    WipeText(password);

    int status = allSent ? kSuccess : kRuntimeFailure;
    std::map<device::PendingChanges::DeviceKey, bool> verdictOf;
    if (options.verify && !awaited.empty()) {
        std::vector<device::Confirmation> verdicts;
        if (AwaitAnswers(options, route, awaited, verdicts)) {
            for (std::size_t k = 0; k < awaited.size(); ++k) {
                ApplyResult& r = results[awaitedLine[k]];
                r.confirmed = verdicts[k].confirmed;
                r.result = verdicts[k].confirmed ? "confirmed" : "not confirmed: " + verdicts[k].text;
                const device::ExpectedAnswer& e = awaited[k].expected;
                verdictOf[{e.mac, e.interfaceIndex}] = verdicts[k].confirmed;
            }
            const bool allConfirmed = std::all_of(verdicts.begin(), verdicts.end(),
                                                  [](const device::Confirmation& c) { return c.confirmed; });
            if (status == kSuccess && !allConfirmed)
                status = kNotConfirmed;
        } else {
            status = kRuntimeFailure; // the lines stay "sent", their entries not checked
        }
    }
    sent.WriteAll([&verdictOf](const device::PendingChanges::DeviceKey& key) -> std::optional<bool> {
        const auto it = verdictOf.find(key);
        return it == verdictOf.end() ? std::nullopt : std::optional<bool>(it->second);
    });
    Print(results, options.format);
    return status;
}

} // namespace cli
