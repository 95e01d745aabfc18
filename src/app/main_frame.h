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
    // At the end of a start that succeeded: the size and place remembered from
    // the last run, kept on the screens there are now.
    void RestorePlacement();
    // Remembers the frame's size and place for the next start, when the user
    // changed them: a stored value that was refused or shrunk to fit stays.
    void OnClosing() override;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

protected:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);

private:
    // Set once the start has got as far as placing the frame: a start that
    // failed before saves nothing.
    bool m_bPlacementRestored = false;
    RECT m_rcPlacementAtStart{};
};

// The status bar's panes, left to right.
extern const UINT kIndicators[5];
