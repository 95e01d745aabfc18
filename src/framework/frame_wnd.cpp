// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/frame_wnd.h"

#include "framework/document.h"
#include "framework/menu.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "system/services.h"

namespace {

FrameHostFactory* g_hostFactory = nullptr;
bool (*g_lockReader)(LockKey) = nullptr;

} // namespace

void InstallFrameHostFactory(FrameHostFactory* factory)
{
    g_hostFactory = factory;
}
FrameHostFactory* GetFrameHostFactory()
{
    return g_hostFactory;
}
bool IsLockKeyOn(LockKey key)
{
    return g_lockReader ? g_lockReader(key) : false;
}
void SetLockKeyReader(bool (*reader)(LockKey))
{
    g_lockReader = reader;
}

const MessageMap* CFrameWnd::GetThisMessageMap()
{
    static const MessageMap map{
        CWnd::GetThisMessageMap(),
        {
            msgmap::Message(WM_CREATE, &CFrameWnd::OnCreateMessage),
            msgmap::Command(ID_APP_EXIT, &CFrameWnd::OnAppExit),
            msgmap::CommandRange(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck),
            msgmap::UpdateUIRange(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu),
            msgmap::UpdateUIRange(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator),
        }};
    return &map;
}

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (IsWindow())
        DestroyWindow();
    if (m_pFrameHost)
        m_pFrameHost->CloseFrame();
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_strTitle = AfxLoadString(AFX_IDS_APP_TITLE);
    if (GetFrameHostFactory())
        m_pFrameHost = GetFrameHostFactory()->CreateHost(this);
    m_pCreateContext = pContext;
    const BOOL ok = CreateEx(0, "", 0, RECT{0, 0, 800, 500}, nullptr, 0);
    m_pCreateContext = nullptr;
    return ok;
}

LRESULT CFrameWnd::OnCreateMessage(WPARAM, LPARAM lParam)
{
    return OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
}

int CFrameWnd::OnCreate(CREATESTRUCT* lpCreateStruct)
{
    if (!OnCreateClient(lpCreateStruct, m_pCreateContext))
        return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext* pContext)
{
    if (pContext == nullptr || !pContext->newView)
        return TRUE;
    CView* view = pContext->newView();
    if (view == nullptr)
        return FALSE;
    m_pOwnedView.reset(view);
    if (pContext->currentDoc) {
        view->SetDocument(pContext->currentDoc);
        pContext->currentDoc->AddView(view);
    }
    if (!view->CreateEx(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 800, 400}, this,
                        AFX_IDW_PANE_FIRST)) {
        if (pContext->currentDoc)
            pContext->currentDoc->RemoveView(view);
        m_pOwnedView.reset();
        return FALSE;
    }
    m_pViewActive = view;
    if (m_pFrameHost)
        m_pFrameHost->AttachView(view);
    return TRUE;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (m_pViewActive)
        m_pViewActive->SendMessage(WM_INITIALUPDATE);
    if (pDoc)
        UpdateFrameTitleForDocument(pDoc->GetTitle());
    if (bMakeVisible)
        ShowWindow();
}

void CFrameWnd::UpdateFrameTitleForDocument(const std::string& docTitle)
{
    const std::string app = AfxLoadString(AFX_IDS_APP_TITLE);
    SetWindowText(docTitle.empty() ? app : docTitle + " - " + app);
}

void CFrameWnd::SetWindowText(const std::string& text)
{
    m_strTitle = text;
    if (m_pFrameHost)
        m_pFrameHost->SetCaption(text);
}

void CFrameWnd::ShowWindow()
{
    if (m_pFrameHost)
        m_pFrameHost->ShowFrame();
}

void CFrameWnd::UpdateWindowNow()
{
    if (m_pFrameHost)
        m_pFrameHost->UpdateFrame();
}

std::string CFrameWnd::CommandPrompt(UINT nID)
{
    const std::string s = AfxLoadString(nID);
    const auto nl = s.find('\n');
    return nl == std::string::npos ? s : s.substr(0, nl);
}

std::string CFrameWnd::CommandTip(UINT nID)
{
    const std::string s = AfxLoadString(nID);
    const auto nl = s.find('\n');
    return nl == std::string::npos ? std::string() : s.substr(nl + 1);
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    m_bPromptShown = true;
    if (m_pStatusBar && m_pStatusBar->GetCount() > 0)
        m_pStatusBar->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    if (nID != 0) {
        SetMessageText(CommandPrompt(nID));
        return;
    }
    m_bPromptShown = false;
    if (m_pStatusBar && m_pStatusBar->GetCount() > 0)
        m_pStatusBar->SetPaneText(0, m_strIdleMessage.empty() ? AfxLoadString(AFX_IDS_IDLEMESSAGE) : m_strIdleMessage);
}

void CFrameWnd::SetIdleMessage(const std::string& text)
{
    m_strIdleMessage = text;
    // A prompt on show keeps the pane until the menu or button is left.
    if (!m_bPromptShown)
        SetMessageText(0u);
}

void CFrameWnd::RegisterBar(CControlBar* bar)
{
    if (auto* tb = dynamic_cast<CToolBar*>(bar))
        m_pToolBar = tb;
    else if (auto* sb = dynamic_cast<CStatusBar*>(bar))
        m_pStatusBar = sb;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_pStatusBar) {
        for (int i = 1; i < m_pStatusBar->GetCount(); ++i) {
            CCmdUI state;
            state.m_nID = m_pStatusBar->Pane(i).id;
            state.m_nIndex = static_cast<UINT>(i);
            state.DoUpdate(this, FALSE);
            if (state.m_bEnableChanged)
                m_pStatusBar->SetPaneEnabled(i, state.enabled);
        }
    }
}

void CFrameWnd::OnInitMenuPopup(std::vector<MenuItemDef>& items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].IsSeparator() || items[i].IsPopup() || items[i].fixedState)
            continue;
        const std::size_t before = items.size();
        CCmdUI state;
        state.m_nID = items[i].id;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_pMenuItems = &items;
        state.DoUpdate(this, TRUE);
        if (i >= items.size())
            break; // a handler that took items away: what is left shows as it is
        MenuItemDef& item = items[i];
        item.fixedState = true;
        item.state = (state.enabled ? MF_ENABLED : MF_GRAYED) | (state.checked ? MF_CHECKED : MF_UNCHECKED);
        // The items the handler added stand as it made them.
        if (items.size() > before)
            i += items.size() - before;
    }
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* bar =
        nID == ID_VIEW_TOOLBAR ? static_cast<CControlBar*>(m_pToolBar) : static_cast<CControlBar*>(m_pStatusBar);
    if (bar)
        bar->ShowBar(!bar->IsVisible());
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = pCmdUI->m_nID == ID_VIEW_TOOLBAR ? static_cast<CControlBar*>(m_pToolBar)
                                                        : static_cast<CControlBar*>(m_pStatusBar);
    if (bar == nullptr) {
        pCmdUI->m_bContinueRouting = true;
        return;
    }
    pCmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    LockKey key = LockKey::Caps;
    if (pCmdUI->m_nID == ID_INDICATOR_NUM)
        key = LockKey::Num;
    else if (pCmdUI->m_nID == ID_INDICATOR_SCRL)
        key = LockKey::Scroll;
    pCmdUI->Enable(IsLockKeyOn(key));
}

void CFrameWnd::OnAppExit()
{
    OnClose();
}

void CFrameWnd::OnClose()
{
    if (m_bClosed)
        return;
    m_bClosed = true;
    OnClosing();
    DestroyWindow();
    // The host lets go of itself once its own event handling is over.
    if (m_pFrameHost) {
        m_pFrameHost->CloseFrame();
        m_pFrameHost = nullptr;
    }
    if (Platform().loop)
        Platform().loop->Quit();
}
