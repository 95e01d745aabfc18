// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The progress of a command that goes to many devices: one device a tick of
// its timer, so that the window stays alive between devices and Stop (or Esc,
// or the close box) ends the command before the next device, never in the
// middle of one. The dialog ends by itself after the last device.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "framework/dialog.h"
#include "framework/dialog_controls.h"

class CBatchProgressDlg : public CDialog {
public:
    // Does the work for device i and returns what became of it, for the dialog to show.
    using Step = std::function<std::string(std::size_t)>;

    // The pace of the devices: slow enough for a person to read the progress
    // and stop a batch that goes wrong, fast enough for a subnet's worth.
    static constexpr UINT kStepMs = 100;
    static constexpr UINT_PTR kStepTimer = 1;

    CBatchProgressDlg(std::size_t count, Step step, std::string caption);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // The devices done so far.
    std::size_t Done() const { return m_nDone; }

    BOOL OnInitDialog() override;
    void OnOK() override {} // Enter does not stop the devices: only Stop does
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);

    std::size_t m_nCount;
    std::size_t m_nDone = 0;
    Step m_pfnStep;
    // A step may ask the user something (a log that cannot be written); the
    // timer then fires again while it waits, and must not start another step.
    bool m_bInStep = false;
    CEdit m_ctrlText;
};
