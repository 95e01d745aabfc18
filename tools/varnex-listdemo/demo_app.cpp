// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "demo_app.h"

#include "controls/common_controls.h"
#include "demo_list_view.h"
#include "framework/frame_wnd.h"

namespace {

// The demo's frame resource: it has no menu, tool bar or status bar of its own.
constexpr UINT kDemoFrame = 9001;

} // namespace

BOOL CListDemoApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    AddDocTemplate(new CSingleDocTemplate(
        kDemoFrame, [] { return new CListDemoDoc; }, [] { return new CFrameWnd; }, [] { return new CListDemoView; }));
    CCommandLineInfo cmdInfo;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow();
    m_pMainWnd->SetWindowText("Varnex list engine: owner-drawn demo");
    m_pMainWnd->UpdateWindowNow();
    return TRUE;
}
