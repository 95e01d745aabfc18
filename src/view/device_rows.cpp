// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "view/device_rows.h"

#include <cstring>

#include "framework/commctrl.h"
#include "framework/wnd.h"

const char* DeviceRecordPool::Add(const std::string& record, device::DeviceId id)
{
    if (const char* kept = RecordOf(id))
        return kept;
    return Replace(record, id);
}

const char* DeviceRecordPool::Replace(const std::string& record, device::DeviceId id)
{
    Forget(id);
    auto copy = std::make_unique<char[]>(record.size() + 1);
    std::memcpy(copy.get(), record.data(), record.size());
    copy[record.size()] = '\0';
    if (m_byDevice.size() <= id)
        m_byDevice.resize(id + 1);
    m_byDevice[id] = std::move(copy);
    const char* added = m_byDevice[id].get();
    m_ids.emplace(added, id);
    return added;
}

void DeviceRecordPool::Forget(device::DeviceId id)
{
    if (id >= m_byDevice.size() || !m_byDevice[id])
        return;
    m_ids.erase(m_byDevice[id].get());
    m_byDevice[id].reset();
}

const char* DeviceRecordPool::RecordOf(device::DeviceId id) const
{
    return id < m_byDevice.size() ? m_byDevice[id].get() : nullptr;
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
    return AppendRecordRow(list, pool.Add(row.RecordText(), id), row.image);
}

int AppendRecordRow(CWnd& list, const char* record, int image)
{
    const int index = static_cast<int>(list.SendMessage(LVM_GETITEMCOUNT));
    // The list copies the texts; the record outlives the row.
    LVITEMA item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(device::GetField(record, device::kName));
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(record);
    const int inserted = static_cast<int>(list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0)
        return -1;
    for (int column = 1; column < device::kColumnCount; ++column) {
        LVITEMA sub;
        sub.iSubItem = column;
        sub.pszText = const_cast<char*>(device::GetField(record, column));
        list.SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&sub));
    }
    return inserted;
}
