// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Modify IP for several devices at once: "Address N devices" makes a plan of
// new addresses that is checked whole; then each device gets the packets a
// Modify IP of its own would send, one device a step of a progress that can
// be stopped between devices; one search after the last judges every device,
// and a list tells what became of each.
#include <algorithm>

#include "commands/command_builders.h"
#include "devices/device_texts.h"
#include "dialogs/address_devices_dlg.h"
#include "dialogs/batch_progress_dlg.h"
#include "dialogs/batch_results_dlg.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/socket_backend.h"
#include "view/batch_run.h"
#include "view/varnex_view.h"

namespace {

std::string Caption(std::size_t count, UINT id = IDS_BATCH_CAPTION)
{
    std::string text = AfxLoadString(id);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

} // namespace

bool CVarnexView::AddressDevices(const std::vector<ChosenDevice>& chosen)
{
    // A batch still waiting for its search is told now, as far as it got,
    // rather than dropped for the new one.
    if (m_pBatch)
        PresentBatchResults();
    auto run = std::make_unique<BatchRun>();
    std::optional<device::Ipv4> gateway;
    if (const auto found = Sockets().DefaultGateway(chosen.front().interfaceIndex))
        gateway = device::Ipv4{(*found)[0], (*found)[1], (*found)[2], (*found)[3]};
    // The plan is made of the devices as they were chosen, against the answers as they are when it is made.
    CAddressDevicesDlg dialog(chosen.size(), run->password, [this, &chosen](const device::BatchRequest& request) {
        return device::PlanBatch(request, chosen, Devices(), m_arrSubnets);
    });
    dialog.m_reqValues = device::ProposeBatch(chosen, Devices(), m_arrSubnets, gateway);
    const INT_PTR result = dialog.DoModal();
    if (result == CAddressDevicesDlg::kOneAtATime)
        return false;
    if (result != IDOK || !dialog.m_planBatch.Sendable())
        return true;
    run->plan = std::move(dialog.m_planBatch);
    RunBatch(std::move(run));
    return true;
}

void CVarnexView::RunBatch(std::unique_ptr<BatchRun> run)
{
    m_pBatch = std::move(run);
    BatchRun& batch = *m_pBatch;
    for (const device::BatchStep& step : batch.plan.steps)
        batch.results.push_back({step, device::BatchOutcome::kCancelled});
    if (ReopenDeviceSocket()) {
        CBatchProgressDlg progress(
            batch.results.size(), [this](std::size_t index) { return SendBatchStep(index); },
            Caption(batch.results.size()));
        progress.DoModal();
    } else {
        batch.socketFailed = true;
        for (device::BatchResult& result : batch.results)
            result.outcome = device::BatchOutcome::kNotSent;
    }
    batch.password.Wipe();
    std::vector<CommandCheck> checks;
    for (const device::BatchResult& result : batch.results)
        if (result.outcome == device::BatchOutcome::kSent)
            checks.push_back(
                {result.step.before.mac,
                 device::AfterModifyIp(result.step.before, result.step.ip, batch.plan.mask, batch.plan.gateway),
                 std::nullopt});
    if (checks.empty()) {
        PresentBatchResults();
        return;
    }
    batch.awaitingSearch = true;
    BeginChecks(std::move(checks));
    ScheduleDelayedRefresh(2000, 0);
}

std::string CVarnexView::SendBatchStep(std::size_t index)
{
    BatchRun& batch = *m_pBatch;
    device::BatchResult& result = batch.results[index];
    const device::BatchStep& step = result.step;
    // The packets a Modify IP of this device alone would send with these values.
    const std::vector<COMMAND_PACKET> packets =
        BuildModifyIpCommands(step.before, step.ip, batch.plan.mask, batch.plan.gateway);
    const device::Device* now = FindChosenDevice(step.before);
    if (batch.socketFailed) {
        result.outcome = device::BatchOutcome::kNotSent;
    } else if (now == nullptr) {
        result.outcome = device::BatchOutcome::kGone;
    } else if (packets.empty()) {
        result.outcome = device::BatchOutcome::kUnchanged;
    } else if (!m_pSocket || (!m_pSocket->IsOpen() && !ReopenDeviceSocket())) {
        // A search that ended meanwhile closed the socket, and it cannot be had again.
        batch.socketFailed = true;
        result.outcome = device::BatchOutcome::kNotSent;
    } else {
        // Copied before sending: the log's record must not follow a table that moves.
        const device::Device current = *now;
        for (const COMMAND_PACKET& packet : packets) {
            BroadcastCommandPacket(packet, batch.password.View(), step.before.interfaceIndex);
            LogSent(packet, current);
        }
        result.outcome = device::BatchOutcome::kSent;
    }
    if (index + 1 == batch.results.size())
        batch.password.Wipe(); // the last packet is gone
    return device::FormatMac(step.before.mac) + " → " + device::FormatDotted(step.ip) + ": " +
           device::OutcomeText(result.outcome);
}

void CVarnexView::ShowBatchResults()
{
    if (m_pBatch && m_pBatch->awaitingSearch)
        PresentBatchResults();
}

void CVarnexView::PresentBatchResults()
{
    const std::unique_ptr<BatchRun> batch = std::move(m_pBatch);
    // Each device as the search after the batch judged it, with the verdicts the pane and the tips show.
    for (device::BatchResult& result : batch->results) {
        if (result.outcome != device::BatchOutcome::kSent)
            continue;
        const device::Device& before = result.step.before;
        const auto check = std::find_if(m_arrChecks.begin(), m_arrChecks.end(), [&before](const CommandCheck& c) {
            return c.macBefore == before.mac && c.expected.interfaceIndex == before.interfaceIndex;
        });
        if (check != m_arrChecks.end() && check->verdict)
            result.outcome =
                check->verdict->confirmed ? device::BatchOutcome::kConfirmed : device::BatchOutcome::kNoAnswer;
    }
    CBatchResultsDlg dialog(Caption(batch->results.size(), IDS_BATCH_RESULTS_CAPTION),
                            device::ResultsText(batch->results),
                            device::ResultsClipboardText(batch->results, batch->plan.mask, batch->plan.gateway));
    dialog.DoModal();
}
