// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The filter: the list shows the table's devices that the tool bar's filter
// field matches. Hidden devices stay in the table and keep their row
// records, so that they come back without being formatted again.
#include <optional>
#include <vector>

#include "framework/dialog_controls.h"
#include "view/varnex_view.h"

void CVarnexView::OnFilterChange(CWnd* pField)
{
    if (pField == nullptr)
        return;
    m_ruleFilter = device::DeviceFilter(GetControlText(*pField));
    ApplyFilter();
}

int CVarnexView::AppendDevice(device::DeviceId id)
{
    const device::Device& d = Devices()[id];
    const char* record = m_poolRecords.RecordOf(id);
    const int row = record != nullptr
                        ? AppendRecordRow(*this, record,
                                          device::IsKnownModel(d.model) ? device::kImageKnown : device::kImageUnknown)
                        : AppendDeviceRow(*this, device::RowOf(d), id, m_poolRecords);
    if (row >= 0)
        if (const UINT overlay = OverlayFor(d); overlay != 0)
            SetRowOverlay(row, overlay);
    return row;
}

void CVarnexView::ApplyFilter()
{
    // Rows that still match stay as they are, with their selection, focus and
    // place; the others leave, from the last row up. Then the devices that
    // match and are not listed come back at the end and are sorted into
    // place. Typing one more character only removes rows, erasing one only
    // adds them: neither lists the whole table again.
    const device::DeviceTable& table = Devices();
    std::vector<bool> listed(table.IdLimit(), false);
    for (int row = static_cast<int>(SendMessage(LVM_GETITEMCOUNT)) - 1; row >= 0; --row) {
        const std::optional<device::DeviceId> id = DeviceIdAtRow(row);
        if (id && table.Contains(*id) && !listed[*id] && m_ruleFilter.Matches(table[*id]))
            listed[*id] = true;
        else
            SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row));
    }
    bool added = false;
    for (const device::DeviceId id : table.Ids())
        if (!listed[id] && m_ruleFilter.Matches(table[id]))
            added = AppendDevice(id) >= 0 || added;
    // The engine's sort column puts the rows that came back in their sorted place.
    if (added)
        SortRows();
    ShowStandingMessage();
}
