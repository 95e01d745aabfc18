// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/batch_results_dlg.h"

#include "framework/data_exchange.h"
#include "framework/message_map.h"
#include "res/text/resource_ids.h"
#include "system/services.h"

const MessageMap* CBatchResultsDlg::GetThisMessageMap()
{
    static const MessageMap map{CDialog::GetThisMessageMap(),
                                {
                                    msgmap::Command(IDC_BATCH_COPY, &CBatchResultsDlg::OnCopy),
                                }};
    return &map;
}

CBatchResultsDlg::CBatchResultsDlg(std::string caption, std::string text, std::string clipboardText)
    : CDialog(IDD_BATCH_RESULTS), m_strText(std::move(text)), m_strClipboard(std::move(clipboardText))
{
    SetCaption(std::move(caption));
}

void CBatchResultsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BATCH_RESULTS, m_ctrlText);
}

BOOL CBatchResultsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_ctrlText.SetWindowText(m_strText);
    return TRUE;
}

void CBatchResultsDlg::OnCopy()
{
    if (Platform().ui != nullptr)
        Platform().ui->SetClipboardText(m_strClipboard);
}
