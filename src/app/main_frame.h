// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The main frame: tool bar at the top, status bar at the bottom, the device
// list in between.
#pragma once

#include "framework/control_bars.h"
#include "framework/frame_wnd.h"

class CMainFrame : public CFrameWnd {
public:
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Remembers the frame's size and place for the next start.
    void OnClosing() override;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

protected:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
};

// The status bar's panes, left to right.
extern const UINT kIndicators[5];
