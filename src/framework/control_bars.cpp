// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/control_bars.h"

#include "framework/frame_wnd.h"
#include "framework/resources.h"

void CControlBar::ShowBar(bool show)
{
    if (m_bVisible == show)
        return;
    m_bVisible = show;
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->BarVisibilityChanged();
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_pFrame == nullptr || !m_pFrame->IsWindow())
        return FALSE;
    m_pFrame->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CToolBar::AddControl(CWnd* pControl, int cx, const std::string& cue)
{
    if (pControl == nullptr || !pControl->IsWindow() || pControl->GetParent() != this || cx <= 0)
        return FALSE;
    m_arrControls.push_back(ToolBarControl{pControl, cx, cue});
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->ToolBarChanged(this);
    return TRUE;
}

BOOL CToolBar::CreateEx(CFrameWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (pParent == nullptr)
        return FALSE;
    m_pFrame = pParent;
    m_dwCtrlStyle = dwCtrlStyle;
    m_dwBarStyle = dwStyle;
    m_bVisible = (dwStyle & WS_VISIBLE) != 0;
    if (!CWnd::CreateEx(0, "", dwStyle, RECT{}, pParent, nID))
        return FALSE;
    pParent->RegisterBar(this);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const ToolBarDef* def = AfxFindToolBar(nIDResource);
    if (def == nullptr)
        return FALSE;
    m_nResource = nIDResource;
    m_nButtonCx = def->buttonWidth;
    m_nButtonCy = def->buttonHeight;
    m_arrButtons = def->buttons;
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->ToolBarChanged(this);
    return TRUE;
}

BOOL CStatusBar::Create(CFrameWnd* pParent, DWORD dwStyle, UINT nID)
{
    if (pParent == nullptr)
        return FALSE;
    m_pFrame = pParent;
    m_bVisible = (dwStyle & WS_VISIBLE) != 0;
    if (!CWnd::CreateEx(0, "", dwStyle, RECT{}, pParent, nID))
        return FALSE;
    pParent->RegisterBar(this);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (ids == nullptr || count <= 0)
        return FALSE;
    m_arrPanes.clear();
    for (int i = 0; i < count; ++i) {
        StatusPane pane;
        pane.id = ids[i];
        if (ids[i] == 0) {
            // The message pane starts with the idle message.
            pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
            pane.text = AfxLoadString(AFX_IDS_IDLEMESSAGE);
        } else {
            pane.text = AfxLoadString(ids[i]);
            if (pane.text.empty())
                return FALSE;
            // Wide enough for the indicator's text, as the framework measures it.
            pane.width = static_cast<int>(pane.text.size()) * 8 + 8;
        }
        m_arrPanes.push_back(pane);
    }
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->StatusBarChanged(this);
    return TRUE;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    StatusPane& pane = m_arrPanes[static_cast<std::size_t>(index)];
    pane.id = id;
    pane.style = style;
    pane.width = width;
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->StatusBarChanged(this);
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    const StatusPane& pane = m_arrPanes.at(static_cast<std::size_t>(index));
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text, BOOL bUpdate)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_arrPanes[static_cast<std::size_t>(index)].text = text;
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->StatusPaneChanged(this, index, bUpdate != FALSE);
    return TRUE;
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return m_arrPanes[static_cast<std::size_t>(index)].text;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_arrPanes[static_cast<std::size_t>(i)].id == id)
            return i;
    return -1;
}

void CStatusBar::SetPaneEnabled(int index, bool enabled)
{
    if (index < 0 || index >= GetCount())
        return;
    StatusPane& pane = m_arrPanes[static_cast<std::size_t>(index)];
    if (pane.enabled == enabled)
        return;
    pane.enabled = enabled;
    if (m_pFrame && m_pFrame->Host())
        m_pFrame->Host()->StatusPaneChanged(this, index, false);
}
