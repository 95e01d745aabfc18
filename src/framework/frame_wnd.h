// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The main frame window: menu, accelerators, tool bar, status bar and one view.
// Commands reach the active view first, then the frame, then the application.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/control_bars.h"
#include "framework/wnd.h"

class CDocument;
class CView;
struct MenuItemDef;

// What the frame's creation needs to make its view.
struct CCreateContext {
    std::function<CView*()> newView;
    CDocument* currentDoc = nullptr;
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Makes the frame with the resources of nIDResource (menu, accelerators, icon).
    virtual BOOL LoadFrame(UINT nIDResource, CCreateContext* pContext);
    UINT ResourceId() const { return m_nIDHelp; }

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view) { m_pViewActive = view; }
    CDocument* GetActiveDocument() const;
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    void UpdateFrameTitleForDocument(const std::string& docTitle);

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const { return m_strTitle; }
    void ShowWindow();
    void UpdateWindowNow();

    // The status bar's message pane: a text or a command's prompt, shown
    // until SetMessageText(0) brings back the standing text.
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT nID);
    // What the message pane says while no prompt is shown ("Ready" when empty).
    void SetIdleMessage(const std::string& text);
    const std::string& GetIdleMessage() const { return m_strIdleMessage; }
    // The prompt of a command id: the text before the line break of its string.
    static std::string CommandPrompt(UINT nID);
    static std::string CommandTip(UINT nID);
    CStatusBar* GetMessageBar() const { return m_pStatusBar; }
    CToolBar* GetToolBar() const { return m_pToolBar; }
    void RegisterBar(CControlBar* bar);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Updates the state of tool bar buttons and status panes (the idle update).
    void OnIdleUpdateCmdUI();
    // Before a pop-up menu opens: asks the update handlers for the state of
    // each command item and fixes it in the item; handlers may add items
    // (CCmdUI::m_pMenuItems). Nested pop-ups are left for their own opening.
    void OnInitMenuPopup(std::vector<MenuItemDef>& items);

    void SetHost(FrameHost* host) { m_pFrameHost = host; }
    FrameHost* Host() const { return m_pFrameHost; }

    // Closing: destroys the frame, its view and bars; the program then ends.
    void OnClose();
    bool IsClosed() const { return m_bClosed; }
    // Told first when the frame closes, while its windows still stand.
    virtual void OnClosing() {}

    // The frame's place on the desktop (left, top, right, bottom).
    BOOL GetWindowPlacement(RECT* rc) const { return m_pFrameHost && rc && m_pFrameHost->GetPlacement(rc); }
    void SetWindowPlacement(const RECT& rc)
    {
        if (m_pFrameHost)
            m_pFrameHost->SetPlacement(rc);
    }
    std::vector<ScreenArea> GetScreens() const
    {
        return m_pFrameHost ? m_pFrameHost->GetScreens() : std::vector<ScreenArea>();
    }

protected:
    virtual BOOL OnCreateClient(CREATESTRUCT* lpcs, CCreateContext* pContext);
    LRESULT OnCreateMessage(WPARAM wParam, LPARAM lParam);
    // Frame creation as the framework does it; derived frames call it first.
    int OnCreate(CREATESTRUCT* lpCreateStruct);
    void OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    void OnAppExit();

    CCreateContext* m_pCreateContext = nullptr;

private:
    UINT m_nIDHelp = 0;
    std::string m_strTitle;
    CView* m_pViewActive = nullptr;
    CToolBar* m_pToolBar = nullptr;
    CStatusBar* m_pStatusBar = nullptr;
    FrameHost* m_pFrameHost = nullptr;
    std::unique_ptr<CView> m_pOwnedView;
    bool m_bClosed = false;
    std::string m_strIdleMessage;
    bool m_bPromptShown = false;
    friend class CSingleDocTemplate;
};

// The toolkit side of frames: makes a host for a new frame.
class FrameHostFactory {
public:
    virtual ~FrameHostFactory() = default;
    virtual FrameHost* CreateHost(CFrameWnd* frame) = 0;
};
void InstallFrameHostFactory(FrameHostFactory* factory);
FrameHostFactory* GetFrameHostFactory();

// Lock-key state for the CAP, NUM and SCRL indicators, kept by the host.
enum class LockKey { Caps, Num, Scroll };
bool IsLockKeyOn(LockKey key);
void SetLockKeyReader(bool (*reader)(LockKey));
