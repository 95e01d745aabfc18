// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/batch_results.h"

#include <algorithm>
#include <array>

#include "devices/device_texts.h"

namespace device {

namespace {

constexpr std::array kOrder = {BatchOutcome::kConfirmed, BatchOutcome::kNoAnswer,  BatchOutcome::kSent,
                               BatchOutcome::kUnchanged, BatchOutcome::kCancelled, BatchOutcome::kGone,
                               BatchOutcome::kNotSent};

// A tab or line break inside a cell would split it; it becomes a blank.
std::string Cell(const std::string& text)
{
    std::string cell = text;
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return cell;
}

std::string Padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.resize(width, ' ');
    return text;
}

} // namespace

std::string OutcomeText(BatchOutcome outcome)
{
    switch (outcome) {
    case BatchOutcome::kCancelled:
        return "not sent (cancelled)";
    case BatchOutcome::kGone:
        return "not sent (no longer listed)";
    case BatchOutcome::kNotSent:
        return "not sent (the socket could not be opened)";
    case BatchOutcome::kUnchanged:
        return "unchanged (it has these values)";
    case BatchOutcome::kSent:
        return "sent";
    case BatchOutcome::kConfirmed:
        return "confirmed";
    case BatchOutcome::kNoAnswer:
        return "sent, no answer";
    }
    return {};
}

std::string ResultsSummary(const std::vector<BatchResult>& results)
{
    std::string text = std::to_string(results.size()) + (results.size() == 1 ? " device" : " devices");
    const char* separator = ": ";
    for (const BatchOutcome outcome : kOrder) {
        const auto n = std::count_if(results.begin(), results.end(),
                                     [outcome](const BatchResult& r) { return r.outcome == outcome; });
        if (n == 0)
            continue;
        text += separator + std::to_string(n) + " " + OutcomeText(outcome);
        separator = ", ";
    }
    return text;
}

std::string ResultsText(const std::vector<BatchResult>& results)
{
    std::size_t nameWidth = 0;
    for (const BatchResult& r : results)
        nameWidth = std::max(nameWidth, ColumnText(r.step.before, kName).size());
    std::string text = ResultsSummary(results) + "\n\n";
    for (const BatchResult& r : results)
        text += FormatMac(r.step.before.mac) + "  " + Padded(Cell(ColumnText(r.step.before, kName)), nameWidth) + "  " +
                Padded(FormatDotted(r.step.before.ip), 15) + " → " + Padded(FormatDotted(r.step.ip), 15) + "  " +
                OutcomeText(r.outcome) + "\n";
    return text;
}

std::string ResultsClipboardText(const std::vector<BatchResult>& results, const Ipv4& mask, const Ipv4& gateway)
{
    std::string text = "MAC\tDevice Name\tOld IP Address\tIP Address\tSubnet Mask\tGateway IP\tResult\n";
    for (const BatchResult& r : results)
        text += FormatMac(r.step.before.mac) + "\t" + Cell(ColumnText(r.step.before, kName)) + "\t" +
                FormatDotted(r.step.before.ip) + "\t" + FormatDotted(r.step.ip) + "\t" + FormatDotted(mask) + "\t" +
                FormatDotted(gateway) + "\t" + OutcomeText(r.outcome) + "\n";
    return text;
}

} // namespace device
