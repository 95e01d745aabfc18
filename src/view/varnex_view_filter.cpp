// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The filter: the list shows the table's devices that the tool bar's filter
// field matches. Hidden devices stay in the table and keep their row
// records, so that they come back without being formatted again.
#include <unordered_set>

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
    // The selected devices stay selected when they stay listed.
    std::unordered_set<const device::Device*> selected;
    for (int row = NextSelectedRow(-1); row >= 0; row = NextSelectedRow(row))
        if (const device::Device* d = DeviceAtRow(row))
            selected.insert(d);

    // Not DeleteAllRows: that frees the records and empties the table.
    SendMessage(LVM_DELETEALLITEMS);
    const device::DeviceTable& table = Devices();
    for (device::DeviceId id = 0; id < table.Size(); ++id) {
        if (!m_ruleFilter.Matches(table[id]))
            continue;
        const int row = AppendDevice(id);
        if (row >= 0 && selected.count(&table[id]) != 0) {
            LVITEMA item;
            item.stateMask = LVIS_SELECTED;
            item.state = LVIS_SELECTED;
            SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
    }
    // The engine's sort column puts the rows back in their sorted place.
    SortRows();
    ShowStandingMessage();
}
