// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether Modify IP, Modify MAC and Soft Reset took: the search that the
// delayed refresh starts is the probe after the command, and its answers are
// judged when it ends. A command's entries in the log of changes are written
// then, with the verdict; a check given up before (Refresh, a new command,
// the window closing) writes them as not checked, as do commands without one.
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "system/network_interfaces.h"
#include "view/varnex_view.h"

namespace {

// Verdicts the message pane names; the tips name every one.
constexpr std::size_t kPaneVerdicts = 3;

using DeviceKey = device::PendingChanges::DeviceKey;

} // namespace

void CVarnexView::BeginChecks(std::vector<CommandCheck> checks)
{
    AbandonChecks();
    m_arrChecks = std::move(checks);
    m_bCheckInPane = FALSE;
    // The command's entries that no check waits for: written now, not checked.
    std::set<DeviceKey> checked;
    for (const CommandCheck& check : m_arrChecks)
        checked.insert({check.macBefore, check.expected.interfaceIndex});
    TellLogFailure(HeldChanges().Settle([&checked](const DeviceKey& key) { return !checked.contains(key); }));
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
    const auto unjudged = std::stable_partition(m_arrChecks.begin(), m_arrChecks.end(),
                                                [](const CommandCheck& c) { return c.verdict.has_value(); });
    if (unjudged == m_arrChecks.end())
        return;
    std::set<DeviceKey> givenUp;
    for (auto it = unjudged; it != m_arrChecks.end(); ++it)
        givenUp.insert({it->macBefore, it->expected.interfaceIndex});
    m_arrChecks.erase(unjudged, m_arrChecks.end());
    TellLogFailure(HeldChanges().Settle([&givenUp](const DeviceKey& key) { return givenUp.contains(key); }));
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
    std::map<DeviceKey, bool> verdicts;
    for (CommandCheck& check : m_arrChecks) {
        if (check.verdict)
            continue;
        check.verdict = device::Confirm(check.expected, Devices(), nameOf(check.expected.interfaceIndex));
        judged.push_back(&*check.verdict);
        verdicts[{check.macBefore, check.expected.interfaceIndex}] = check.verdict->confirmed;
    }
    TellLogFailure(HeldChanges().Settle([&verdicts](const DeviceKey& key) { return verdicts.contains(key); },
                                        [&verdicts](const DeviceKey& key) { return verdicts.at(key); }));
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
