// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/address_plan.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

#include "devices/device_texts.h"
#include "system/percent_text.h"

namespace device {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The fields of one line: split at commas outside quotes; "" in quotes is a quote.
// False when a quote is left open.
bool SplitFields(std::string_view line, std::vector<std::string>& fields)
{
    fields.assign(1, std::string());
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& f : fields)
        f = std::string(Trim(f));
    return !quoted;
}

bool ParseIp(std::string_view text, Ipv4& ip)
{
    int part = 0;
    std::size_t at = 0;
    for (; part < 4; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.')
                return false;
            ++at;
        }
        unsigned value = 0;
        std::size_t digits = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[at] - '0');
            ++at;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        ip[static_cast<std::size_t>(part)] = static_cast<std::uint8_t>(value);
    }
    return at == text.size();
}

// Six groups of one or two hexadecimal digits joined by '-' or ':'.
bool ParseMacText(std::string_view text, Mac& mac)
{
    std::size_t at = 0;
    for (std::size_t group = 0; group < mac.size(); ++group) {
        if (group > 0) {
            if (at >= text.size() || (text[at] != '-' && text[at] != ':'))
                return false;
            ++at;
        }
        int value = 0;
        std::size_t digits = 0;
        while (at < text.size() && HexDigitValue(text[at]) >= 0 && digits < 3) {
            value = value * 16 + HexDigitValue(text[at]);
            ++at;
            ++digits;
        }
        if (digits == 0 || digits > 2)
            return false;
        mac[group] = static_cast<std::uint8_t>(value);
    }
    return at == text.size();
}

// A field as the message quotes it, shortened: a plan is outside input.
std::string Quoted(std::string_view field)
{
    constexpr std::size_t kShown = 40;
    std::string shown;
    for (char c : field.substr(0, kShown))
        shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    return "'" + shown + (field.size() > kShown ? "...'" : "'");
}

std::string Dotted(const Ipv4& ip)
{
    return FormatDotted(ip);
}

} // namespace

AddressPlan ReadPlan(std::string_view text)
{
    AddressPlan plan;
    if (text.size() > kMaxPlanBytes) {
        plan.problems.push_back({0, "the plan is larger than " + std::to_string(kMaxPlanBytes) + " bytes"});
        return plan;
    }
    int number = 0;
    bool headerSeen = false;
    std::vector<std::string> fields;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (Trim(line).empty())
            continue;
        const auto problem = [&plan, number](std::string message) {
            plan.problems.push_back({number, std::move(message)});
        };
        if (!SplitFields(line, fields)) {
            problem("a quote is not closed");
            continue;
        }
        if (!headerSeen) {
            headerSeen = true;
            std::string header;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                std::string lower = fields[i];
                std::transform(lower.begin(), lower.end(), lower.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                header += (i ? "," : "") + lower;
            }
            // A UTF-8 byte order mark, as some spreadsheets write it.
            if (header.rfind("\xEF\xBB\xBF", 0) == 0)
                header.erase(0, 3);
            if (header != "mac,ip,mask,gateway")
                problem("the header must be mac,ip,mask,gateway, not " + Quoted(line));
            continue;
        }
        if (fields.size() != 4) {
            problem("4 fields (mac,ip,mask,gateway) expected, " + std::to_string(fields.size()) + " found");
            continue;
        }
        PlanLine entry;
        entry.line = number;
        bool ok = true;
        if (!ParseMacText(fields[0], entry.mac)) {
            problem("MAC " + Quoted(fields[0]) + ": not six groups of one or two hexadecimal digits");
            ok = false;
        }
        if (!ParseIp(fields[1], entry.ip)) {
            problem("IP " + Quoted(fields[1]) + ": not four dotted numbers 0-255");
            ok = false;
        }
        if (!fields[2].empty()) {
            Ipv4 mask{};
            if (!ParseIp(fields[2], mask) || !IsSubnetMask(mask)) {
                problem("mask " + Quoted(fields[2]) + ": not a subnet mask such as 255.255.255.0");
                ok = false;
            } else {
                entry.mask = mask;
            }
        }
        if (!fields[3].empty()) {
            Ipv4 gateway{};
            if (!ParseIp(fields[3], gateway)) {
                problem("gateway " + Quoted(fields[3]) + ": not four dotted numbers 0-255");
                ok = false;
            } else {
                entry.gateway = gateway;
            }
        }
        if (ok)
            plan.lines.push_back(entry);
    }
    if (!headerSeen)
        plan.problems.push_back({0, "the plan is empty: it needs the header mac,ip,mask,gateway"});
    return plan;
}

std::optional<DeviceId> FindPlannedDevice(const DeviceTable& devices, const Mac& mac)
{
    std::optional<DeviceId> latest;
    for (const DeviceId id : devices.Ids())
        if (devices[id].mac == mac)
            latest = id;
    return latest;
}

std::vector<PlanProblem> CheckPlan(const std::vector<PlanLine>& lines, const DeviceTable& devices,
                                   const std::vector<Subnet>& subnets)
{
    std::vector<PlanProblem> problems;
    std::unordered_map<std::uint64_t, int> lineOfMac;
    std::map<AddressKey, int> lineOfAddress;
    // Each MAC's latest answer, as FindPlannedDevice finds it, read in one pass:
    // a plan of thousands of lines is checked as each key is typed.
    std::unordered_map<std::uint64_t, DeviceId> latest;
    for (DeviceId id = 0; id < devices.Size(); ++id)
        latest[MacValue(devices[id].mac)] = id;
    for (const PlanLine& entry : lines) {
        const auto [seen, first] = lineOfMac.emplace(MacValue(entry.mac), entry.line);
        if (!first)
            problems.push_back(
                {entry.line, FormatMac(entry.mac) + " is already on line " + std::to_string(seen->second)});
    }
    for (const PlanLine& entry : lines) {
        const auto problem = [&problems, &entry](std::string text) { problems.push_back({entry.line, text}); };
        const auto found = latest.find(MacValue(entry.mac));
        if (found == latest.end()) {
            problem("no device with MAC " + FormatMac(entry.mac) + " answered the discovery");
            continue;
        }
        const Device& d = devices[found->second];
        const auto [given, first] = lineOfAddress.emplace(AddressKeyOf(entry.ip, d.interfaceIndex), entry.line);
        if (!first)
            problem(Dotted(entry.ip) + " is also given to the device on line " + std::to_string(given->second));
        // A device the plan leaves where it is keeps answering from its address.
        for (const Mac& other : devices.MacsAt(AddressKeyOf(entry.ip, d.interfaceIndex)))
            if (other != entry.mac && !lineOfMac.contains(MacValue(other))) {
                problem(Dotted(entry.ip) + " is the address " + FormatMac(other) + " answers from");
                break;
            }
        // A device at its gateway's address would take the gateway's traffic.
        const Ipv4 gateway = entry.gateway.value_or(d.gateway);
        if (gateway == entry.ip && Ipv4Value(gateway) != 0)
            problem(Dotted(entry.ip) + " is the address of the gateway " + Dotted(gateway));
        const Ipv4 mask = entry.mask.value_or(d.mask);
        const std::uint32_t m = Ipv4Value(mask);
        const std::uint32_t ip = Ipv4Value(entry.ip);
        if (IsSubnetMask(mask) && m != 0xFFFFFFFFu && m != 0xFFFFFFFEu) {
            if ((ip & ~m) == 0)
                problem(Dotted(entry.ip) + " is the network address of its subnet (mask " + Dotted(mask) + ")");
            else if ((ip & ~m) == ~m)
                problem(Dotted(entry.ip) + " is the broadcast address of its subnet (mask " + Dotted(mask) + ")");
        }
        const auto own = std::find_if(subnets.begin(), subnets.end(),
                                      [&d](const Subnet& s) { return s.interfaceIndex == d.interfaceIndex; });
        if (own != subnets.end()) {
            if (own->address == entry.ip)
                problem(Dotted(entry.ip) + " is the address of this computer's " + own->interfaceName);
            else if (!own->Contains(entry.ip))
                problem(Dotted(entry.ip) + " is outside " + own->interfaceName + "'s " + SubnetText(*own) +
                        ": this computer could not reach the device there");
        }
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const PlanProblem& a, const PlanProblem& b) { return a.line < b.line; });
    return problems;
}

std::string ProblemText(const PlanProblem& problem)
{
    return problem.line > 0 ? "line " + std::to_string(problem.line) + ": " + problem.text : problem.text;
}

} // namespace device
