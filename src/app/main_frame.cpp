// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/main_frame.h"

#include "app/window_placement.h"
#include "devices/change_log.h"
#include "dialogs/change_log_dlg.h"
#include "framework/dialog_controls.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPlacementEntry = "WindowPlacement";

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

const UINT kIndicators[5] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL, ID_INDICATOR_EXT};

const MessageMap* CMainFrame::GetThisMessageMap()
{
    static const MessageMap map{CFrameWnd::GetThisMessageMap(),
                                {
                                    msgmap::Message(WM_CREATE, &CMainFrame::OnCreate),
                                    msgmap::Command(ID_FILTER_FOCUS, &CMainFrame::OnFilterFocus),
                                    msgmap::Command(ID_FILTER_CLEAR, &CMainFrame::OnFilterClear),
                                    msgmap::UpdateUI(ID_FILTER_CLEAR, &CMainFrame::OnUpdateFilterClear),
                                    msgmap::Command(ID_FILE_CHANGE_LOG, &CMainFrame::OnChangeLog),
                                }};
    return &map;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM lParam)
{
    if (CFrameWnd::OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam)) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndFilter.CreateEx(0, "Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                              RECT{0, 0, kFilterWidth, 24}, &m_wndToolBar, ID_FILTER_FIELD) ||
        !m_wndToolBar.AddControl(&m_wndFilter, kFilterWidth, AfxLoadString(IDS_FILTER_CUE)))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 5))
        return -1;
    m_wndStatusBar.SetPaneInfo(4, ID_INDICATOR_EXT, SBPS_NORMAL, 100);
    return 0;
}

void CMainFrame::OnChangeLog()
{
    CChangeLogDlg dialog(device::ChangeLog::DefaultPath());
    dialog.DoModal();
}

void CMainFrame::OnFilterFocus()
{
    m_wndFilter.SetFocus();
}

void CMainFrame::OnFilterClear()
{
    if (GetControlText(m_wndFilter).empty())
        return;
    SetControlText(m_wndFilter, {});
}

void CMainFrame::OnUpdateFilterClear(CCmdUI* pCmdUI)
{
    // Esc means something else everywhere but in the field.
    pCmdUI->Enable(m_wndFilter.HasFocus() ? TRUE : FALSE);
}

void CMainFrame::RestorePlacement()
{
    const std::vector<ScreenArea> screens = GetScreens();
    std::optional<RECT> saved;
    if (CWinApp* app = AfxGetApp())
        if (const auto text = app->GetProfileString(kSettingsSection, kPlacementEntry))
            saved = ParsePlacement(*text);
    RECT current{};
    if (saved && !BeyondScreens(*saved, screens)) {
        SetWindowPlacement(KeepOnScreen(*saved, screens));
    } else if (GetWindowPlacement(&current)) {
        // The frame's own size, where the window system puts it, unless that
        // size does not fit the screen.
        const RECT fitted = KeepOnScreen(current, screens);
        if (fitted.right - fitted.left != current.right - current.left ||
            fitted.bottom - fitted.top != current.bottom - current.top)
            SetWindowPlacement(fitted);
    }
    m_bPlacementRestored = true;
    GetWindowPlacement(&m_rcPlacementAtStart);
}

void CMainFrame::OnClosing()
{
    RECT rc{};
    if (!m_bPlacementRestored || !GetWindowPlacement(&rc) || SameRect(rc, m_rcPlacementAtStart))
        return;
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(kSettingsSection, kPlacementEntry, FormatPlacement(rc));
}
