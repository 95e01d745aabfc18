// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Putting the table's devices into the list through list-view messages. Each
// row carries its row text record (the six texts, each NUL-ended) as its item
// data, as the comparator and the engine's hidden columns expect; the pool
// keeps the records until the rows are gone and knows the device of each.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "devices/device.h"
#include "devices/device_texts.h"

class CWnd;

class DeviceRecordPool {
public:
    // Copies the record (NUL-ended texts) of device id and returns the copy's address.
    const char* Add(const std::string& record, device::DeviceId id);
    void Clear()
    {
        m_records.clear();
        m_ids.clear();
    }
    std::size_t Size() const { return m_records.size(); }
    // The device whose record this is; nothing when the record is not ours.
    std::optional<device::DeviceId> DeviceOf(const char* record) const;

private:
    std::vector<std::unique_ptr<char[]>> m_records;
    std::unordered_map<const char*, device::DeviceId> m_ids;
};

// Appends device id's row at the list's current count: text and image of
// column 0, the record as item data, then the texts of columns 1 to 5.
// Returns the new row's index, or -1 when the list refused it.
int AppendDeviceRow(CWnd& list, const device::DeviceRow& row, device::DeviceId id, DeviceRecordPool& pool);
