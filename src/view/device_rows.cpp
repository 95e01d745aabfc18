// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "view/device_rows.h"

#include <cstring>

#include "framework/commctrl.h"
#include "framework/wnd.h"

const char* DeviceRecordPool::Add(const std::string& record, device::DeviceId id)
{
    auto copy = std::make_unique<char[]>(record.size() + 1);
    std::memcpy(copy.get(), record.data(), record.size());
    copy[record.size()] = '\0';
    m_records.push_back(std::move(copy));
    const char* added = m_records.back().get();
    m_ids.emplace(added, id);
    return added;
}

std::optional<device::DeviceId> DeviceRecordPool::DeviceOf(const char* record) const
{
    const auto it = m_ids.find(record);
    if (it == m_ids.end())
        return std::nullopt;
    return it->second;
}

int AppendDeviceRow(CWnd& list, const device::DeviceRow& row, device::DeviceId id, DeviceRecordPool& pool)
{
    const int index = static_cast<int>(list.SendMessage(LVM_GETITEMCOUNT));
    const char* record = pool.Add(row.RecordText(), id);

    // The list copies the texts; the pointers are never written through.
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(row.columns[device::kName].c_str());
    item.iImage = row.image;
    item.lParam = reinterpret_cast<LPARAM>(record);
    const int inserted = static_cast<int>(list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0)
        return -1;
    for (int column = 1; column < device::kColumnCount; ++column) {
        LVITEMA sub;
        sub.iSubItem = column;
        sub.pszText = const_cast<char*>(row.columns[static_cast<std::size_t>(column)].c_str());
        list.SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&sub));
    }
    return inserted;
}
