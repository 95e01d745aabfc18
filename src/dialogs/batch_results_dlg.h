// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The end of a command that went to many devices: what became of each, to
// read, and Copy puts the list on the clipboard for a ticket or a spreadsheet.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/dialog_controls.h"

class CBatchResultsDlg : public CDialog {
public:
    // text: what the dialog shows; clipboardText: what Copy puts on the clipboard.
    CBatchResultsDlg(std::string caption, std::string text, std::string clipboardText);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnCopy();

    std::string m_strText;
    std::string m_strClipboard;
    CEdit m_ctrlText;
};
