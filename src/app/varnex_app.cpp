// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/varnex_app.h"

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "controls/common_controls.h"
#include "framework/frame_wnd.h"
#include "framework/resources.h"
#include "res/text/resource_ids.h"
#include "system/async_socket.h"
#include "view/varnex_doc.h"
#include "view/varnex_view.h"

const MessageMap* CVarnexApp::GetThisMessageMap()
{
    static const MessageMap map{CWinApp::GetThisMessageMap(),
                                {
                                    msgmap::Command(ID_APP_ABOUT, &CVarnexApp::OnAppAbout),
                                }};
    return &map;
}

CVarnexApp::CVarnexApp()
    : CWinApp(AfxLoadString(AFX_IDS_APP_TITLE).empty() ? "Varnex" : AfxLoadString(AFX_IDS_APP_TITLE))
{
}

BOOL CVarnexApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    if (!AfxSocketInit()) {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    SetRegistryKey(kProfileRegistryKey);
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CVarnexDoc; }, [] { return new CMainFrame; }, [] { return new CVarnexView; }));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo, m_arrArgs);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        frame->RestorePlacement();
    m_pMainWnd->ShowWindow();
    m_pMainWnd->UpdateWindowNow();
    m_pMainWnd->SetWindowText(AfxLoadString(IDR_MAINFRAME));
    return TRUE;
}

void CVarnexApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

CVarnexView* CVarnexApp::GetDeviceView() const
{
    CDocument* doc = GetDocTemplate() ? GetDocTemplate()->GetDocument() : nullptr;
    if (doc == nullptr || doc->Views().empty())
        return nullptr;
    return dynamic_cast<CVarnexView*>(doc->Views().front());
}
