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
    // Copies the record (NUL-ended texts) of device id and returns the copy's
    // address; a device that has one already keeps it.
    const char* Add(const std::string& record, device::DeviceId id);
    // A new record for device id in place of its old one, which is freed: the
    // row that showed the old one must take the new one at once.
    const char* Replace(const std::string& record, device::DeviceId id);
    // Frees the record of a device that left the table; its id may come back
    // for another device.
    void Forget(device::DeviceId id);
    // The record of device id, or null when it has none yet.
    const char* RecordOf(device::DeviceId id) const;
    void Clear()
    {
        m_byDevice.clear();
        m_ids.clear();
    }
    std::size_t Size() const { return m_ids.size(); }
    // The device whose record this is; nothing when the record is not ours.
    std::optional<device::DeviceId> DeviceOf(const char* record) const;

private:
    // Indexed by device id: a row that leaves the list and comes back keeps its record.
    std::vector<std::unique_ptr<char[]>> m_byDevice;
    std::unordered_map<const char*, device::DeviceId> m_ids;
};

// Appends device id's row at the list's current count: text and image of
// column 0, the record as item data, then the texts of columns 1 to 5.
// Returns the new row's index, or -1 when the list refused it.
int AppendDeviceRow(CWnd& list, const device::DeviceRow& row, device::DeviceId id, DeviceRecordPool& pool);
// The same for a device whose record the pool holds: the texts come from the record.
int AppendRecordRow(CWnd& list, const char* record, int image);
