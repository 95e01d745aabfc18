// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// File > Change Log: every command sent to a device, by this program and by
// varnex-cli, newest first, as the log of changes has it; a note says where
// the log is and what could not be read. Export saves the list as CSV. The
// log is only read, never changed.
#pragma once

#include <string>
#include <vector>

#include "devices/change_log_reader.h"
#include "framework/dialog.h"

class CChangeLogDlg : public CDialog {
public:
    // logPath: the log of changes (empty: there is none).
    explicit CChangeLogDlg(std::string logPath);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL OnInitDialog() override;
    // Writes the list as CSV to path; false with the reason.
    bool ExportTo(const std::string& path, std::string* error) const;

protected:
    void OnExport();

private:
    std::string m_strLogPath;
    // The entries listed, newest first: what Export writes.
    std::vector<device::ChangeEntry> m_arrEntries;
};
