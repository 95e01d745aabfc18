// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// View > Watch Devices: the probe goes out again every interval and the rows
// are kept. A device that answers again keeps its row, brought up to date
// when its fields changed; one that stops answering stays, greyed, with the
// time it was last seen in its tip; a new one is sorted into place; one gone
// for an hour leaves the list. Refresh still empties the list first.
#include <chrono>
#include <ctime>
#include <unordered_set>

#include "devices/device_texts.h"
#include "framework/dc.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "view/varnex_view.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kWatchEntry = "WatchDevices";
constexpr const char* kIntervalEntry = "WatchInterval";
constexpr unsigned long kLongestIntervalSeconds = 24ul * 60 * 60;

// Seconds from 1 to a day, digits only; anything else is the default.
int IntervalSeconds(const std::optional<std::string>& value, int fallback)
{
    if (!value || value->empty() || value->size() > 5 || value->find_first_not_of("0123456789") != std::string::npos)
        return fallback;
    const unsigned long seconds = std::stoul(*value);
    return seconds >= 1 && seconds <= kLongestIntervalSeconds ? static_cast<int>(seconds) : fallback;
}

std::string LocalTime(std::chrono::system_clock::time_point when)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    char text[16] = {};
    if (localtime_r(&t, &local) == nullptr || std::strftime(text, sizeof text, "%H:%M:%S", &local) == 0)
        return {};
    return text;
}

} // namespace

void CVarnexView::ReadWatchOptions()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const auto watch = app->GetProfileString(kSettingsSection, kWatchEntry);
    m_bWatch = watch && *watch == "1";
    m_nWatchIntervalMs = static_cast<UINT>(IntervalSeconds(app->GetProfileString(kSettingsSection, kIntervalEntry),
                                                           kDefaultWatchSeconds)) *
                         1000u;
}

void CVarnexView::OnWatchDevices()
{
    m_bWatch = !m_bWatch;
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(kSettingsSection, kWatchEntry, m_bWatch ? "1" : "0");
    if (!m_bWatch) {
        // The probe under way ends as it would; the rows stay as they are.
        KillTimer(kWatchTimer);
        return;
    }
    SetTimer(kWatchTimer, m_nWatchIntervalMs);
    StartWatchProbe();
}

void CVarnexView::OnUpdateWatchDevices(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bWatch ? 1 : 0);
}

void CVarnexView::StartWatchProbe()
{
    if (!m_bWatch || !m_pSocket) {
        KillTimer(kWatchTimer);
        return;
    }
    if (m_pSession->Listening()) {
        // A search of Refresh (or of a command's check) runs to its end.
        if (m_nSearchState == SearchState::kSearching)
            return;
        // Answers to the last probe still come: that probe ends here.
        KillTimer(kListenTimer);
        ShowLostAnswers(m_pSocket->GetDroppedCount());
        FinishSearch();
    }
    m_pSocket->Close();
    m_bInterfaceInPane = FALSE;
    switch (SendProbeCycle()) {
    case ProbeSent::kSent:
        if (m_nSearchState != SearchState::kSearching)
            m_nSearchState = SearchState::kWatching;
        break;
    case ProbeSent::kNoSocket:
        // Told once; the user turns watching on again or refreshes.
        KillTimer(kWatchTimer);
        break;
    case ProbeSent::kNoInterface:
        // The interface may come back: the next probe tries again.
        break;
    }
    ShowStandingMessage();
}

int CVarnexView::RowOfDevice(device::DeviceId id)
{
    const char* record = m_poolRecords.RecordOf(id);
    if (record == nullptr)
        return -1;
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(record);
    return static_cast<int>(SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void CVarnexView::RewriteRow(int row, device::DeviceId id)
{
    const device::Device& d = Devices()[id];
    const device::DeviceRow texts = device::RowOf(d);
    // The old record goes with Replace: the row takes the new one before anything reads it.
    const char* record = m_poolRecords.Replace(texts.RecordText(), id);
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(device::GetField(record, device::kName));
    item.iImage = texts.image;
    item.lParam = reinterpret_cast<LPARAM>(record);
    SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < device::kColumnCount; ++column) {
        LVITEMA sub;
        sub.iSubItem = column;
        sub.pszText = const_cast<char*>(device::GetField(record, column));
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
    SetRowOverlay(row, OverlayFor(d));
}

void CVarnexView::ShowWatchAnswer(const device::DeviceEvent& event)
{
    const device::Device* d = Devices().Find(event.id);
    if (d == nullptr)
        return;
    const int row = RowOfDevice(event.id);
    const bool shown = m_ruleFilter.Matches(*d);
    if (!event.changed.Empty()) {
        if (row >= 0 && shown) {
            RewriteRow(row, event.id);
        } else {
            if (row >= 0)
                SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row));
            // Its texts changed: a row made later is made from the new ones.
            m_poolRecords.Forget(event.id);
            if (shown)
                AppendDevice(event.id);
        }
    } else if (row >= 0) {
        // Back from gone: no longer greyed.
        SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
    // Its old address may no longer be shared, its new one may be.
    if (event.unshared || event.seen != device::DeviceTable::Seen::kAlone || !event.changed.Empty())
        SetTimer(kDuplicateMarkTimer, kDuplicateMarkDelayMs);
}

void CVarnexView::ShowProbeEnd(const device::ProbeEnd& end)
{
    if (!end.forgotten.empty()) {
        // One walk over the rows, however many leave.
        std::unordered_set<device::DeviceId> forgotten(end.forgotten.begin(), end.forgotten.end());
        for (int row = static_cast<int>(SendMessage(LVM_GETITEMCOUNT)) - 1; row >= 0; --row)
            if (const auto id = DeviceIdAtRow(row); id && forgotten.count(*id) != 0)
                SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row));
        for (device::DeviceId id : end.forgotten)
            m_poolRecords.Forget(id);
    }
    if (!end.unshared.empty() || !end.forgotten.empty())
        SetTimer(kDuplicateMarkTimer, kDuplicateMarkDelayMs);
    // The rows of devices gone now are drawn greyed.
    if (!end.gone.empty())
        Invalidate();
    if (IsFiltered())
        ShowStandingMessage();
}

std::string CVarnexView::LastSeenTip(const device::Device* d, std::optional<device::DeviceId> id) const
{
    if (d == nullptr || !id || !m_pRoster || !m_pRoster->IsGone(*id))
        return {};
    // The devices' times run on the loop's clock; the tip tells the time of day.
    const auto ago = std::chrono::duration_cast<std::chrono::system_clock::duration>(Now() - d->lastSeen);
    std::string text = AfxLoadString(IDS_LAST_SEEN);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, LocalTime(std::chrono::system_clock::now() - ago));
    return text;
}
