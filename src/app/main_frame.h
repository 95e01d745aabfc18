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
    // The filter field at the end of the tool bar (an edit control); the view
    // hears its changes (EN_CHANGE from ID_FILTER_FIELD).
    CWnd m_wndFilter;

    // Width of the filter field in the tool bar.
    static constexpr int kFilterWidth = 240;

protected:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    // Ctrl+F: the cursor into the filter field, its text selected.
    void OnFilterFocus();
    // Esc in the filter field: empties it, which shows every device again.
    void OnFilterClear();
    void OnUpdateFilterClear(CCmdUI* pCmdUI);
    // File > Change Log: every command sent to a device, from the log of changes.
    void OnChangeLog();

private:
    // Set once the start has got as far as placing the frame: a start that
    // failed before saves nothing.
    bool m_bPlacementRestored = false;
    RECT m_rcPlacementAtStart{};
};

// The status bar's panes, left to right.
extern const UINT kIndicators[5];
