// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether Modify IP, Modify MAC and Soft Reset took: the search that the
// delayed refresh starts is the probe after the command, and its answers are
// judged when it ends.
#include <algorithm>

#include "system/network_interfaces.h"
#include "view/varnex_view.h"

namespace {

// Verdicts the message pane names; the tips name every one.
constexpr std::size_t kPaneVerdicts = 3;

} // namespace

void CVarnexView::BeginChecks(std::vector<CommandCheck> checks)
{
    m_arrChecks = std::move(checks);
    m_bCheckInPane = FALSE;
    // Only a search that begins after the command can tell whether it took:
    // one under way now (its answers came before the command) ends unjudged.
    if (m_nSearchState == SearchState::kSearching) {
        KillTimer(kListenTimer);
        m_nSearchState = SearchState::kNone;
    }
}

void CVarnexView::JudgeChecks()
{
    // Read once: a command can have gone to thousands of rows.
    const std::vector<NetworkInterface> present = PresentInterfaces();
    const auto nameOf = [&present](unsigned index) {
        const auto it = std::find_if(present.begin(), present.end(),
                                     [index](const NetworkInterface& entry) { return entry.index == index; });
        return it == present.end() ? std::string() : it->name;
    };
    std::vector<const device::Confirmation*> judged;
    for (CommandCheck& check : m_arrChecks) {
        if (check.verdict)
            continue;
        check.verdict = device::Confirm(check.expected, Devices(), nameOf(check.expected.interfaceIndex));
        judged.push_back(&*check.verdict);
    }
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
