// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "discovery/device_list_rows.h"

#include <cstring>

#include "framework/commctrl.h"
#include "framework/wnd.h"

const char* DeviceRecordPool::Add(const std::string& record, unsigned interfaceIndex, std::uint8_t model)
{
    auto copy = std::make_unique<char[]>(record.size() + 1);
    std::memcpy(copy.get(), record.data(), record.size());
    copy[record.size()] = '\0';
    m_records.push_back(std::move(copy));
    const char* added = m_records.back().get();
    if (interfaceIndex != 0 || model != 0)
        m_beside[added] = Beside{interfaceIndex, model};
    return added;
}

unsigned DeviceRecordPool::InterfaceOf(const char* record) const
{
    const auto it = m_beside.find(record);
    return it == m_beside.end() ? 0 : it->second.interfaceIndex;
}

std::uint8_t DeviceRecordPool::ModelOf(const char* record) const
{
    const auto it = m_beside.find(record);
    return it == m_beside.end() ? 0 : it->second.model;
}

int AppendDeviceRow(CWnd& list, const device::DeviceRow& row, DeviceRecordPool& pool, unsigned interfaceIndex)
{
    const int index = static_cast<int>(list.SendMessage(LVM_GETITEMCOUNT));
    const char* record = pool.Add(row.RecordText(), interfaceIndex, row.model);

    std::string name = row.columns[device::kName];
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.iSubItem = 0;
    item.pszText = name.data();
    item.iImage = row.image;
    item.lParam = reinterpret_cast<LPARAM>(record);
    const int inserted = static_cast<int>(list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0)
        return -1;
    for (int column = 1; column < device::kColumnCount; ++column) {
        std::string text = row.columns[static_cast<std::size_t>(column)];
        LVITEMA sub;
        sub.iSubItem = column;
        sub.pszText = text.data();
        list.SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&sub));
    }
    return inserted;
}
