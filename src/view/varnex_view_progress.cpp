// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the status bar tells about the search: the message pane's standing
// text (a missing interface, lost answers, "Showing 12 of 340 devices" while
// a filter is set, "Searching on ... 12 found",
// "Found 12 devices at 14:03:22") and the count pane with the shared addresses.
#include <ctime>

#include "framework/frame_wnd.h"
#include "res/text/resource_ids.h"
#include "view/varnex_view.h"

namespace {

std::string Filled(UINT id, const std::string& first, const std::string& second = {}, const std::string& third = {})
{
    std::string text = AfxLoadString(id);
    const std::string* values[] = {&first, &second, &third};
    for (int i = 0; i < 3; ++i)
        if (const auto at = text.find("%" + std::to_string(i + 1)); at != std::string::npos)
            text.replace(at, 2, *values[i]);
    return text;
}

std::string LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = {};
    if (localtime_r(&now, &local) == nullptr || std::strftime(text, sizeof text, "%H:%M:%S", &local) == 0)
        return {};
    return text;
}

} // namespace

long long CVarnexView::AnsweringCount() const
{
    if (!m_pSession)
        return 0;
    if (!m_pSession->Watching())
        return m_pSession->AnswerCount();
    return static_cast<long long>(m_bWatchProbeEnded ? m_pRoster->AnsweredLastProbe() : m_pRoster->AnsweredThisProbe());
}

std::string CVarnexView::SearchText() const
{
    const long long count = AnsweringCount();
    switch (m_nSearchState) {
    case SearchState::kSearching:
        return Filled(IDS_SEARCHING, m_strInterface.empty() ? AfxLoadString(IDS_ALL_INTERFACES_TEXT) : m_strInterface,
                      std::to_string(count));
    case SearchState::kFound: {
        const std::string devices =
            count == 1 ? AfxLoadString(IDS_ONE_DEVICE) : Filled(IDS_DEVICE_COUNT, std::to_string(count));
        return m_strInterface.empty() ? Filled(IDS_FOUND, devices, m_strFoundAt)
                                      : Filled(IDS_FOUND_ON, devices, m_strFoundAt, m_strInterface);
    }
    case SearchState::kWatching: {
        std::string text = Filled(IDS_WATCHING, std::to_string(count), m_strFoundAt);
        if (const std::size_t gone = m_pRoster->GoneCount(); gone > 0)
            text += Filled(IDS_WATCH_NOT_ANSWERING, std::to_string(gone));
        return text;
    }
    case SearchState::kNone:
        break;
    }
    return {};
}

void CVarnexView::ShowStandingMessage()
{
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr)
        return;
    if (m_bInterfaceInPane)
        frame->SetIdleMessage(InterfaceMissingText());
    else if (m_bLostInPane)
        frame->SetIdleMessage(m_strLostMessage);
    else if (m_bCheckInPane)
        frame->SetIdleMessage(m_strCheckMessage);
    else if (IsFiltered())
        frame->SetIdleMessage(Filled(IDS_FILTER_SHOWING, std::to_string(SendMessage(LVM_GETITEMCOUNT)),
                                     std::to_string(Devices().Size())));
    else
        frame->SetIdleMessage(SearchText());
}

void CVarnexView::FinishSearch()
{
    if (m_pSession->Watching()) {
        ShowProbeEnd(m_pSession->Finish(Now()));
        m_bWatchProbeEnded = true;
        WriteStatusText(CountPaneText(static_cast<int>(AnsweringCount())));
        if (m_nSearchState == SearchState::kWatching) {
            m_strFoundAt = LocalTimeNow();
            ShowStandingMessage();
            return;
        }
    }
    if (m_nSearchState != SearchState::kSearching)
        return;
    m_nSearchState = SearchState::kFound;
    m_strFoundAt = LocalTimeNow();
    // Only the search after a command tells what became of it.
    const bool judges = m_bSearchJudges;
    JudgeChecks();
    ShowStandingMessage();
    if (judges)
        ShowBatchResults();
}

std::string CVarnexView::CountPaneText(int count) const
{
    std::string text = AfxLoadString(IDS_ONLINE) + " : " + std::to_string(count);
    const std::size_t shared = Devices().SharedAddresses().size();
    if (shared == 1)
        text += AfxLoadString(IDS_ONE_ADDRESS_SHARED);
    else if (shared > 1)
        text += Filled(IDS_ADDRESSES_SHARED, std::to_string(shared));
    return text;
}
