// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/wnd.h"

#include <algorithm>
#include <map>
#include <utility>

#include "system/services.h"

namespace {

std::map<std::string, ControlFactory>& WindowClasses()
{
    static std::map<std::string, ControlFactory> classes;
    return classes;
}

CWnd* g_focus = nullptr;
CWnd* g_capture = nullptr;
short g_keys[256] = {};

} // namespace

void RegisterWindowClass(const std::string& className, ControlFactory factory)
{
    WindowClasses()[className] = factory;
}

ControlFactory FindWindowClass(const std::string& className)
{
    auto it = WindowClasses().find(className);
    return it == WindowClasses().end() ? nullptr : it->second;
}

void NotifyParentCommand(CWnd* control, int code)
{
    if (CWnd* parent = control ? control->GetParent() : nullptr)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(control->GetDlgCtrlID()), code),
                            reinterpret_cast<LPARAM>(control));
}

short GetKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    return g_keys[vk];
}

void SetKeyDown(int vk, bool down)
{
    if (vk >= 0 && vk <= 255)
        g_keys[vk] = down ? static_cast<short>(0x8000) : 0;
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMap map{CCmdTarget::GetThisMessageMap(), {}};
    return &map;
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_bCreated)
        DestroyWindow();
    if (g_focus == this)
        g_focus = nullptr;
    if (g_capture == this)
        g_capture = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const std::string& className, DWORD dwStyle, const RECT& rc, CWnd* pParent,
                    UINT nID)
{
    if (m_bCreated)
        return FALSE;
    CREATESTRUCT cs;
    cs.hwndParent = pParent;
    cs.id = nID;
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    cs.className = className;
    cs.rc = rc;
    if (!PreCreateWindow(cs))
        return FALSE;

    m_pParent = cs.hwndParent;
    m_nID = cs.id;
    m_dwStyle = cs.style;
    m_dwExStyle = cs.dwExStyle;
    m_rcWindow = cs.rc;
    if (!cs.className.empty()) {
        auto it = WindowClasses().find(cs.className);
        if (it == WindowClasses().end())
            return FALSE;
        m_pControl = it->second(this);
    }
    m_bCreated = true;
    if (m_pParent)
        m_pParent->AddChild(this);
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_bCreated)
        return FALSE;
    SendMessage(WM_DESTROY);
    // Children go after their parent has seen WM_DESTROY, as on the platform.
    std::vector<CWnd*> children = m_arrChildren;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        (*it)->DestroyWindow();
    if (Platform().loop)
        Platform().loop->KillAllTimers(this);
    if (g_focus == this)
        g_focus = nullptr;
    if (g_capture == this)
        g_capture = nullptr;
    m_bCreated = false;
    if (m_pParent)
        m_pParent->RemoveChild(this);
    m_pControl.reset();
    PostNcDestroy();
    return TRUE;
}

void CWnd::AddChild(CWnd* child)
{
    m_arrChildren.push_back(child);
}

void CWnd::RemoveChild(CWnd* child)
{
    m_arrChildren.erase(std::remove(m_arrChildren.begin(), m_arrChildren.end(), child), m_arrChildren.end());
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage saved = m_msgCurrent;
    m_msgCurrent = {message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_msgCurrent = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefaultRoute(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefaultRoute(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_bDefaultRoute = true;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr != nullptr && hdr->hwndFrom != nullptr && OnNotify(wParam, lParam, &result)) {
            *pResult = result;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM) {
        // Owner-draw requests go back to the control that asked, as the framework does.
        CWnd* child = nullptr;
        if (message == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            child = dis ? dis->hwndItem : nullptr;
        } else {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            for (CWnd* c : m_arrChildren)
                if (mis && c->GetDlgCtrlID() == mis->CtlID)
                    child = c;
        }
        if (child != nullptr && child->OnChildNotify(message, wParam, lParam, &result)) {
            *pResult = result;
            return TRUE;
        }
    }
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const msgmap::Entry& e : map->entries) {
            if (e.kind == msgmap::Kind::Message && e.message == message) {
                *pResult = e.call(this, wParam, lParam, nullptr);
                return TRUE;
            }
        }
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool byDefault = std::exchange(m_bDefaultRoute, false);
    if (m_pControl) {
        const bool saved = std::exchange(m_bControlByDefault, byDefault);
        const LRESULT result = m_pControl->WndProc(message, wParam, lParam);
        m_bControlByDefault = saved;
        return result;
    }
    switch (message) {
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_pFont);
    case WM_SETFONT:
        m_pFont = reinterpret_cast<CFont*>(wParam);
        if (lParam)
            Invalidate();
        return 0;
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<CDC*>(wParam);
        if (dc) {
            RECT rc;
            GetClientRect(&rc);
            dc->FillSolidRect(rc, GetSysColor(COLOR_WINDOW));
        }
        return 1;
    }
    case WM_CONTEXTMENU:
        // A child passes the request on to its parent.
        if ((m_dwStyle & WS_CHILD) && m_pParent)
            return m_pParent->SendMessage(WM_CONTEXTMENU, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT CWnd::Default()
{
    return DefaultRoute(m_msgCurrent.message, m_msgCurrent.wParam, m_msgCurrent.lParam);
}

LRESULT CWnd::OnWmGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_pFont);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const int nCode = static_cast<std::int16_t>(HIWORD(wParam));
    CWnd* ctrl = reinterpret_cast<CWnd*>(lParam);
    if (ctrl == nullptr) {
        // A menu item or accelerator: a disabled command is not carried out.
        CCmdUI state;
        state.m_nID = nID;
        state.DoUpdate(this, FALSE);
        if (state.m_bEnableChanged && !state.enabled)
            return TRUE;
        return OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
    }
    LRESULT result = 0;
    if (ctrl->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
        return TRUE;
    // A notification travels the command route with its control, as a command does.
    return nCode == 0 ? OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr) : OnCmdMsg(nID, nCode, ctrl, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    CWnd* child = hdr->hwndFrom;
    if (child != nullptr && child != this && child->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const msgmap::Entry& e : map->entries) {
            if (e.kind == msgmap::Kind::Notify && e.message == hdr->code && e.id == hdr->idFrom) {
                e.call(this, 0, lParam, pResult);
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY)
        return FALSE;
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const msgmap::Entry& e : map->entries) {
            if (e.message != hdr->code)
                continue;
            if (e.kind == msgmap::Kind::NotifyReflect) {
                e.call(this, 0, lParam, pResult);
                return TRUE;
            }
            if (e.kind == msgmap::Kind::NotifyReflectEx)
                return e.call(this, 0, lParam, pResult) != FALSE;
        }
    }
    return FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    LRESULT ignored = 0;
    return OnChildNotify(m_msgCurrent.message, m_msgCurrent.wParam, m_msgCurrent.lParam, pResult ? pResult : &ignored);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    const DWORD oldStyle = m_dwStyle;
    const DWORD newStyle = (oldStyle & ~dwRemove) | dwAdd;
    if (newStyle == oldStyle)
        return FALSE;
    STYLESTRUCT ss{oldStyle, newStyle};
    SendMessage(WM_STYLECHANGING, GWL_STYLE, reinterpret_cast<LPARAM>(&ss));
    m_dwStyle = ss.styleNew;
    ss.styleOld = oldStyle;
    SendMessage(WM_STYLECHANGED, GWL_STYLE, reinterpret_cast<LPARAM>(&ss));
    return TRUE;
}

void CWnd::MoveWindow(const RECT& rc, BOOL bRepaint)
{
    m_rcWindow = rc;
    RECT client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    if (bRepaint)
        Invalidate();
}

void CWnd::GetClientRect(RECT* rc) const
{
    rc->left = 0;
    rc->top = 0;
    rc->right = std::max<LONG>(0, m_rcWindow.right - m_rcWindow.left);
    rc->bottom = std::max<LONG>(0, m_rcWindow.bottom - m_rcWindow.top);
}

POINT CWnd::ClientToScreen(POINT pt) const
{
    if (m_pHost)
        return m_pHost->ClientToScreen(pt);
    // A child without a host of its own is shown by the nearest hosted parent.
    const POINT inParent{pt.x + m_rcWindow.left, pt.y + m_rcWindow.top};
    return m_pParent ? m_pParent->ClientToScreen(inParent) : inParent;
}

POINT CWnd::ScreenToClient(POINT pt) const
{
    if (m_pHost)
        return m_pHost->ScreenToClient(pt);
    const POINT inParent = m_pParent ? m_pParent->ScreenToClient(pt) : pt;
    return POINT{inParent.x - m_rcWindow.left, inParent.y - m_rcWindow.top};
}

void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(const RECT* rc, BOOL bErase)
{
    if (m_pHost)
        m_pHost->InvalidateRect(rc, bErase != FALSE);
    else if (m_pParent && (m_dwStyle & WS_CHILD)) {
        // A child without a host of its own is painted by its parent's host.
        if (rc == nullptr) {
            m_pParent->InvalidateRect(&m_rcWindow, bErase);
        } else {
            RECT r{rc->left + m_rcWindow.left, rc->top + m_rcWindow.top, rc->right + m_rcWindow.left,
                   rc->bottom + m_rcWindow.top};
            m_pParent->InvalidateRect(&r, bErase);
        }
    }
}

void CWnd::UpdateWindow()
{
    if (m_pHost)
        m_pHost->UpdateWindow();
    else if (m_pParent)
        m_pParent->UpdateWindow();
}

void CWnd::Paint(CDC* dc)
{
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    SendMessage(WM_PAINT, reinterpret_cast<WPARAM>(dc));
}

std::unique_ptr<CDC> CWnd::CreateMeasureDC() const
{
    for (const CWnd* w = this; w != nullptr; w = w->m_pParent)
        if (w->m_pHost)
            return w->m_pHost->CreateMeasureDC();
    return CreateFixedMetricsDC();
}

int CWnd::ColourDepth() const
{
    for (const CWnd* w = this; w != nullptr; w = w->m_pParent)
        if (w->m_pHost)
            return w->m_pHost->ColourDepth();
    return 32;
}

BOOL CWnd::SetScrollInfo(int nBar, const SCROLLINFO& si, BOOL)
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return FALSE;
    SCROLLINFO& s = m_aScrollInfo[nBar];
    if (si.fMask & SIF_RANGE) {
        s.nMin = si.nMin;
        s.nMax = si.nMax;
    }
    if (si.fMask & SIF_PAGE)
        s.nPage = si.nPage;
    if (si.fMask & SIF_POS)
        s.nPos = si.nPos;
    const int maxPos = std::max(s.nMin, s.nMax - std::max(0, static_cast<int>(s.nPage) - 1));
    s.nPos = std::clamp(s.nPos, s.nMin, maxPos);
    if (m_pHost)
        m_pHost->ScrollInfoChanged(nBar);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, SCROLLINFO* si) const
{
    if ((nBar != SB_HORZ && nBar != SB_VERT) || si == nullptr)
        return FALSE;
    const UINT mask = si->fMask;
    *si = m_aScrollInfo[nBar];
    si->fMask = mask;
    return TRUE;
}

int CWnd::GetScrollPos(int nBar) const
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return 0;
    return m_aScrollInfo[nBar].nPos;
}

bool CWnd::IsScrollBarShown(int nBar) const
{
    if (nBar != SB_HORZ && nBar != SB_VERT)
        return false;
    const SCROLLINFO& s = m_aScrollInfo[nBar];
    return s.nPage > 0 && static_cast<int>(s.nPage) <= s.nMax - s.nMin;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    if (!m_bCreated || Platform().loop == nullptr)
        return 0;
    Platform().loop->SetTimer(this, nIDEvent, nElapse);
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    if (Platform().loop == nullptr)
        return FALSE;
    Platform().loop->KillTimer(this, nIDEvent);
    return TRUE;
}

CWnd* CWnd::SetFocus()
{
    CWnd* old = g_focus;
    FocusChanged(this);
    if (m_pHost)
        m_pHost->SetFocus();
    return old;
}

CWnd* CWnd::GetFocus()
{
    return g_focus;
}

void CWnd::FocusChanged(CWnd* newFocus)
{
    if (newFocus == g_focus)
        return;
    CWnd* old = g_focus;
    g_focus = newFocus;
    if (old && old->IsWindow())
        old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(newFocus));
    if (newFocus && newFocus->IsWindow())
        newFocus->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
}

void CWnd::SetCursorShape(CursorShape shape)
{
    for (CWnd* w = this; w != nullptr; w = w->m_pParent) {
        if (w->m_pHost) {
            w->m_pHost->SetCursorShape(shape);
            return;
        }
    }
}

void CWnd::SetCapture()
{
    g_capture = this;
}
void CWnd::ReleaseCapture()
{
    g_capture = nullptr;
}
CWnd* CWnd::GetCapture()
{
    return g_capture;
}
