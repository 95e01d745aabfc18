// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Devices that answer from one IP address with different MACs, on the same
// interface: their rows carry a warning overlay on the picture, a warning
// colour on their text and a tip naming the other MACs. Devices outside this
// computer's subnets carry an overlay of their own and a tip saying why.
// Devices that stopped answering while watched are greyed.
// Rows of an address that becomes shared later are marked in one pass a
// moment after, so a burst of answers costs one walk over the list.
#include <cstring>

#include "devices/device_texts.h"
#include "framework/dc.h"
#include "framework/resources.h"
#include "res/text/resource_ids.h"
#include "view/varnex_view.h"

namespace {

// At most this many MACs are named in a tip; the rest are counted.
constexpr std::size_t kTipMacs = 8;

UINT RowOverlay(CWnd& list, int row)
{
    return static_cast<UINT>(list.SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_OVERLAYMASK));
}

// A warm red that reads on the list's background, light or dark.
COLORREF WarningTextColour(COLORREF background)
{
    const int luma = (GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114) / 1000;
    return luma >= 128 ? RGB(178, 34, 0) : RGB(255, 138, 96);
}

} // namespace

void CVarnexView::SetRowOverlay(int row, UINT overlay)
{
    LVITEMA item;
    item.stateMask = LVIS_OVERLAYMASK;
    item.state = overlay != 0 ? INDEXTOOVERLAYMASK(overlay) : 0;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::optional<std::string> CVarnexView::UnreachableReason(const device::Device& d) const
{
    return device::UnreachableReason(d, m_arrSubnets);
}

UINT CVarnexView::OverlayFor(const device::Device& d) const
{
    if (Devices().IsShared(d))
        return kDuplicateOverlay;
    return device::IsReachable(d, m_arrSubnets) ? 0 : kUnreachableOverlay;
}

void CVarnexView::NoteAddress(int row, device::DeviceTable::Seen seen, const device::Device& d)
{
    switch (seen) {
    case device::DeviceTable::Seen::kAlone:
        if (!device::IsReachable(d, m_arrSubnets))
            SetRowOverlay(row, kUnreachableOverlay);
        break;
    case device::DeviceTable::Seen::kShared:
        SetRowOverlay(row, kDuplicateOverlay);
        break;
    case device::DeviceTable::Seen::kNewlyShared:
        // The rows that came before from this address are marked by the pass.
        SetRowOverlay(row, kDuplicateOverlay);
        SetTimer(kDuplicateMarkTimer, kDuplicateMarkDelayMs);
        break;
    }
}

void CVarnexView::MarkSharedRows()
{
    KillTimer(kDuplicateMarkTimer);
    const int rows = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
    for (int row = 0; row < rows; ++row) {
        const device::Device* d = DeviceAtRow(row);
        if (d == nullptr)
            continue;
        const UINT overlay = OverlayFor(*d);
        const UINT wanted = overlay != 0 ? INDEXTOOVERLAYMASK(overlay) : 0;
        if (wanted != RowOverlay(*this, row))
            SetRowOverlay(row, overlay);
    }
}

std::string CVarnexView::DuplicateTip(const device::Device* d) const
{
    if (d == nullptr)
        return {};
    const std::vector<device::Mac> others = Devices().OthersAt(*d);
    if (others.empty())
        return {};
    std::string macs;
    for (std::size_t i = 0; i < others.size() && i < kTipMacs; ++i)
        macs += (i ? ", " : "") + device::FormatMac(others[i]);
    if (others.size() > kTipMacs)
        macs += " (+" + std::to_string(others.size() - kTipMacs) + ")";
    std::string text = AfxLoadString(IDS_ALSO_AT_ADDRESS);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, macs);
    return text;
}

void CVarnexView::OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(pNMHDR);
    *pResult = 0;
    if (tip->pszText == nullptr || tip->cchTextMax <= 0)
        return;
    const std::optional<device::DeviceId> id = DeviceIdAtRow(tip->iItem);
    const device::Device* d = id ? Devices().Find(*id) : nullptr;
    std::string text = LastSeenTip(d, id);
    if (const std::string shared = DuplicateTip(d); !shared.empty())
        text += (text.empty() ? "" : "\n") + shared;
    if (d != nullptr)
        if (const std::optional<std::string> reason = UnreachableReason(*d))
            text += (text.empty() ? "" : "\n") + *reason;
    if (const std::string check = CheckTip(d); !check.empty())
        text += (text.empty() ? "" : "\n") + check;
    if (text.empty())
        return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(tip->cchTextMax - 1));
    std::memcpy(tip->pszText, text.data(), n);
    tip->pszText[n] = '\0';
}

void CVarnexView::OnCustomDrawRows(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnCustomDraw(pNMHDR, pResult);
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    if (cd->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    // The colour chosen for the row carries into its cells.
    const auto row = static_cast<WPARAM>(cd->nmcd.dwItemSpec);
    // A device that stopped answering is greyed, whatever else it is.
    if (m_pRoster && !m_pRoster->Table().Empty())
        if (const auto id = DeviceIdAtRow(static_cast<int>(row)); id && m_pRoster->IsGone(*id)) {
            cd->clrText = GetSysColor(COLOR_GRAYTEXT);
            *pResult |= CDRF_NEWFONT;
            return;
        }
    if (SendMessage(LVM_GETITEMSTATE, row, LVIS_OVERLAYMASK) == INDEXTOOVERLAYMASK(kDuplicateOverlay)) {
        cd->clrText = WarningTextColour(static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)));
        *pResult |= CDRF_NEWFONT;
    }
}
