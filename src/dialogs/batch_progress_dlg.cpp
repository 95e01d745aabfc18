// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/batch_progress_dlg.h"

#include "framework/data_exchange.h"
#include "framework/message_map.h"
#include "framework/resources.h"
#include "res/text/resource_ids.h"

namespace {

// "3 of 20 devices done." and what the last step said.
std::string ProgressText(std::size_t done, std::size_t count, const std::string& last)
{
    std::string text = AfxLoadString(IDS_BATCH_PROGRESS);
    const std::string values[] = {std::to_string(done), std::to_string(count), last};
    // From the last placeholder back, so that a value holding "%2" is never read as one.
    for (int i = 2; i >= 0; --i)
        if (const auto at = text.find("%" + std::to_string(i + 1)); at != std::string::npos)
            text.replace(at, 2, values[i]);
    return text;
}

} // namespace

const MessageMap* CBatchProgressDlg::GetThisMessageMap()
{
    static const MessageMap map{CDialog::GetThisMessageMap(),
                                {
                                    msgmap::Message(WM_TIMER, &CBatchProgressDlg::OnTimer),
                                }};
    return &map;
}

CBatchProgressDlg::CBatchProgressDlg(std::size_t count, Step step, std::string caption)
    : CDialog(IDD_BATCH_PROGRESS), m_nCount(count), m_pfnStep(std::move(step))
{
    SetCaption(std::move(caption));
}

void CBatchProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BATCH_PROGRESS_TEXT, m_ctrlText);
}

BOOL CBatchProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nDone = 0;
    if (m_nCount == 0) {
        EndDialog(IDOK);
        return TRUE;
    }
    m_ctrlText.SetWindowText(ProgressText(0, m_nCount, {}));
    SetTimer(kStepTimer, kStepMs);
    return FALSE; // no field to type into: the focus stays on Stop
}

LRESULT CBatchProgressDlg::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam != kStepTimer || m_bInStep || IsEnded() || m_nDone >= m_nCount)
        return 0;
    m_bInStep = true;
    const std::string last = m_pfnStep(m_nDone);
    ++m_nDone;
    m_bInStep = false;
    m_ctrlText.SetWindowText(ProgressText(m_nDone, m_nCount, last));
    if (m_nDone == m_nCount && !IsEnded()) {
        KillTimer(kStepTimer);
        EndDialog(IDOK);
    }
    return 0;
}

void CBatchProgressDlg::OnCancel()
{
    KillTimer(kStepTimer);
    CDialog::OnCancel();
}
