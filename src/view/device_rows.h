// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Putting device rows into the list through list-view messages, and keeping
// the row text records that the rows carry until the rows are gone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "discovery/device_record.h"

class CWnd;

// Owns the row text records, and beside each the interface its answer came in
// on and the device's model code (the record itself keeps its six texts). The
// list holds only pointers to the records, so the pool is emptied exactly when
// every row is deleted.
class DeviceRecordPool {
public:
    // Copies the record (NUL-ended texts) and returns the copy's address.
    const char* Add(const std::string& record, unsigned interfaceIndex = 0, std::uint8_t model = 0);
    void Clear()
    {
        m_records.clear();
        m_beside.clear();
    }
    std::size_t Size() const { return m_records.size(); }
    // The interface of a record of this pool; 0 when not known or not ours.
    unsigned InterfaceOf(const char* record) const;
    // The model code of a record of this pool; 0 when not ours.
    std::uint8_t ModelOf(const char* record) const;

private:
    std::vector<std::unique_ptr<char[]>> m_records;
    struct Beside {
        unsigned interfaceIndex = 0;
        std::uint8_t model = 0;
    };
    std::unordered_map<const char*, Beside> m_beside;
};

// Appends the row at the list's current count: text and image of column 0,
// the record as item data, then the texts of columns 1 to 5. Returns the new
// row's index, or -1 when the list refused it.
int AppendDeviceRow(CWnd& list, const device::DeviceRow& row, DeviceRecordPool& pool, unsigned interfaceIndex = 0);
