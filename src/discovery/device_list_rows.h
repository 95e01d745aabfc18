// Putting device rows into the list through list-view messages, and keeping
// the row text records that the rows carry until the rows are gone.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "discovery/device_record.h"

class CWnd;

// Owns the row text records, and beside each the interface its answer came in
// on (the record itself keeps its six texts). The list holds only pointers to
// the records, so the pool is emptied exactly when every row is deleted.
class DeviceRecordPool {
public:
    // Copies the record (NUL-ended texts) and returns the copy's address.
    const char* Add(const std::string& record, unsigned interfaceIndex = 0);
    void Clear()
    {
        m_records.clear();
        m_interfaces.clear();
    }
    std::size_t Size() const { return m_records.size(); }
    // The interface of a record of this pool; 0 when not known or not ours.
    unsigned InterfaceOf(const char* record) const;

private:
    std::vector<std::unique_ptr<char[]>> m_records;
    std::unordered_map<const char*, unsigned> m_interfaces;
};

// Appends the row at the list's current count: text and image of column 0,
// the record as item data, then the texts of columns 1 to 5. Returns the new
// row's index, or -1 when the list refused it.
int AppendDeviceRow(CWnd& list, const device::DeviceRow& row, DeviceRecordPool& pool, unsigned interfaceIndex = 0);
