// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/change_log_dlg.h"

#include <algorithm>
#include <cctype>

#include "devices/change_log_texts.h"
#include "framework/dialog_controls.h"
#include "framework/list_ctrl.h"
#include "framework/message_map.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/atomic_file.h"
#include "system/services.h"

namespace {

// Pixels, for the texts each column usually holds.
constexpr int kColumnWidths[device::kChangeColumnCount] = {140, 75, 65, 135, 100, 300, 105};

constexpr const char* kSuggestedName = "changes.csv";

} // namespace

const MessageMap* CChangeLogDlg::GetThisMessageMap()
{
    static const MessageMap map{CDialog::GetThisMessageMap(),
                                {
                                    msgmap::Command(IDC_CHANGE_EXPORT, &CChangeLogDlg::OnExport),
                                }};
    return &map;
}

CChangeLogDlg::CChangeLogDlg(std::string logPath) : CDialog(IDD_CHANGE_LOG), m_strLogPath(std::move(logPath)) {}

BOOL CChangeLogDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    device::ChangeHistory history = device::ReadChangeHistory(m_strLogPath);
    if (CWnd* note = GetDlgItem(IDC_CHANGE_NOTE))
        SetControlText(*note, device::ChangeHistoryNote(history));
    m_arrEntries = std::move(history.entries);
    CWnd* list = GetDlgItem(IDC_CHANGE_LIST);
    if (list == nullptr)
        return TRUE;
    CListCtrl rows(list);
    rows.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const device::ChangeRow headings = device::ChangeHeadings();
    for (int c = 0; c < device::kChangeColumnCount; ++c)
        rows.InsertColumn(c, headings[static_cast<std::size_t>(c)].c_str(), LVCFMT_LEFT, kColumnWidths[c]);
    rows.SetItemCount(static_cast<int>(m_arrEntries.size()));
    int index = 0;
    for (const device::ChangeEntry& entry : m_arrEntries) {
        const device::ChangeRow texts = device::ChangeRowOf(entry);
        const int row = rows.InsertItem(index++, texts[0].c_str());
        for (int c = 1; c < device::kChangeColumnCount; ++c)
            rows.SetItemText(row, c, texts[static_cast<std::size_t>(c)].c_str());
    }
    return TRUE;
}

bool CChangeLogDlg::ExportTo(const std::string& path, std::string* error) const
{
    AtomicFileWriter file;
    if (!file.Open(path, error))
        return false;
    file.Write(device::ChangeLogCsv(m_arrEntries));
    return file.Commit(error);
}

void CChangeLogDlg::OnExport()
{
    UserInterface* ui = Platform().ui;
    if (ui == nullptr)
        return;
    const UserInterface::SaveFileChoice choice = ui->ChooseSaveFile(
        AfxLoadString(IDS_CHANGE_LOG_EXPORT_TITLE), AfxLoadString(IDS_CHANGE_LOG_EXPORT_FILTER), kSuggestedName);
    if (choice.path.empty())
        return;
    std::string path = choice.path;
    std::string end = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return std::tolower(c); });
    if (end != ".csv")
        path += ".csv";
    std::string error;
    if (ExportTo(path, &error))
        return;
    std::string text = AfxLoadString(IDS_EXPORT_FAILED);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, path);
    if (const auto at = text.find("%2"); at != std::string::npos)
        text.replace(at, 2, error);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}
