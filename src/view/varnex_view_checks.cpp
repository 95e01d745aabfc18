// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether Modify IP, Modify MAC and Soft Reset took: the search that the
// delayed refresh starts is the probe after the command, and its answers are
// judged when it ends. A command's entries in the log of changes are written
// then, with the verdict; a check given up before (Refresh, a new command,
// the window closing) writes them as not checked, as do commands without one.
#include <algorithm>
#include <utility>

#include "system/network_interfaces.h"
#include "view/varnex_view.h"

namespace {

// Verdicts the message pane names; the tips name every one.
constexpr std::size_t kPaneVerdicts = 3;

} // namespace

void CVarnexView::BeginChecks(std::vector<CommandCheck> checks)
{
    AbandonChecks();
    m_arrChecks = std::move(checks);
    m_bCheckInPane = FALSE;
    std::optional<std::string> failure;
    for (const device::PendingChanges::DeviceKey& device : HeldChanges().HeldDevices()) {
        const bool checked = std::any_of(m_arrChecks.begin(), m_arrChecks.end(), [&device](const CommandCheck& c) {
            return c.macBefore == device.first && c.expected.interfaceIndex == device.second;
        });
        if (!checked)
            if (auto told = HeldChanges().Settle(device, std::nullopt))
                failure = std::move(told);
    }
    TellLogFailure(failure);
}

void CVarnexView::StartJudgingSearch()
{
    StartSearch();
    // A search that could not start judges nothing: the checks end unchecked.
    if (m_nSearchState == SearchState::kSearching)
        m_bSearchJudges = TRUE;
    else
        AbandonChecks();
}

void CVarnexView::AbandonChecks()
{
    m_bSearchJudges = FALSE;
    std::optional<std::string> failure;
    const auto unjudged = std::stable_partition(m_arrChecks.begin(), m_arrChecks.end(),
                                                [](const CommandCheck& c) { return c.verdict.has_value(); });
    for (auto it = unjudged; it != m_arrChecks.end(); ++it)
        if (auto told = HeldChanges().Settle({it->macBefore, it->expected.interfaceIndex}, std::nullopt))
            failure = std::move(told);
    m_arrChecks.erase(unjudged, m_arrChecks.end());
    TellLogFailure(failure);
}

void CVarnexView::JudgeChecks()
{
    if (!std::exchange(m_bSearchJudges, FALSE))
        return;
    // Read once: a command can have gone to thousands of rows.
    const std::vector<NetworkInterface> present = PresentInterfaces();
    const auto nameOf = [&present](unsigned index) {
        const auto it = std::find_if(present.begin(), present.end(),
                                     [index](const NetworkInterface& entry) { return entry.index == index; });
        return it == present.end() ? std::string() : it->name;
    };
    std::vector<const device::Confirmation*> judged;
    std::optional<std::string> failure;
    for (CommandCheck& check : m_arrChecks) {
        if (check.verdict)
            continue;
        check.verdict = device::Confirm(check.expected, Devices(), nameOf(check.expected.interfaceIndex));
        judged.push_back(&*check.verdict);
        if (auto told =
                HeldChanges().Settle({check.macBefore, check.expected.interfaceIndex}, check.verdict->confirmed))
            failure = std::move(told);
    }
    TellLogFailure(failure);
    if (judged.empty())
        return;
    // One line however many rows the command went to: the devices that did
    // not answer first, as they are what needs doing; the rest are counted.
    std::stable_partition(judged.begin(), judged.end(), [](const device::Confirmation* c) { return !c->confirmed; });
    std::string message;
    for (std::size_t i = 0; i < judged.size() && i < kPaneVerdicts; ++i)
        message += (i ? "; " : "") + judged[i]->text;
    if (judged.size() > kPaneVerdicts)
        message += " (+" + std::to_string(judged.size() - kPaneVerdicts) + ")";
    m_strCheckMessage = std::move(message);
    m_bCheckInPane = TRUE;
}

std::string CVarnexView::CheckTip(const device::Device* d) const
{
    if (d == nullptr)
        return {};
    // The row may show the device before or after its change.
    for (const CommandCheck& check : m_arrChecks)
        if (check.verdict && check.expected.interfaceIndex == d->interfaceIndex &&
            (d->mac == check.expected.mac || d->mac == check.macBefore))
            return check.verdict->text;
    return {};
}
