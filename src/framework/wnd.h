// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Windows: objects that receive messages. A window's messages go through its
// class's message map first; what the map does not handle goes to the window's
// control procedure (the "default processing"), if the window is a control.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/cmd_target.h"
#include "framework/dc.h"
#include "framework/window_records.h"
#include "system/win_messages.h"

class CWnd;

struct CREATESTRUCT {
    CWnd* hwndParent = nullptr;
    UINT id = 0;
    DWORD style = 0;
    DWORD dwExStyle = 0;
    std::string className;
    RECT rc{};
};

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};
constexpr WPARAM GWL_STYLE = static_cast<WPARAM>(-16);
constexpr WPARAM GWL_EXSTYLE = static_cast<WPARAM>(-20);

// Scroll bars.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// Cursor shapes a window can ask for.
enum class CursorShape { Arrow, Hand, SizeWE, Divider, DividerOpen };
// A loaded cursor, or none.
using HCURSOR = std::optional<CursorShape>;

// The window procedure of a control class (list view, header): holds the
// control's state and answers every message that reaches it by default.
class ControlProc {
public:
    virtual ~ControlProc() = default;
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// What a window needs from the toolkit that shows it; absent in tests.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void InvalidateRect(const RECT* rc, bool erase) = 0;
    virtual void UpdateWindow() = 0;
    virtual void ScrollInfoChanged(int bar) = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
    virtual void SetFocus() = 0;
    virtual POINT ClientToScreen(POINT pt) const = 0;
    virtual POINT ScreenToClient(POINT pt) const = 0;
    virtual std::unique_ptr<CDC> CreateMeasureDC() = 0;
    virtual int ColourDepth() const = 0;
};

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Creation and destruction.
    virtual BOOL CreateEx(DWORD dwExStyle, const std::string& className, DWORD dwStyle, const RECT& rc, CWnd* pParent,
                          UINT nID);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy() {}
    bool IsWindow() const { return m_bCreated; }

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The control's own procedure, bypassing the message map.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled, with its own arguments.
    LRESULT Default();
    // Whether the message the control procedure is now being given came by
    // default processing (through this window's message map, or Default())
    // rather than by a direct DefWindowProc call. Read by message spies.
    bool ControlMessageCameByDefault() const { return m_bControlByDefault; }
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A child's notification sent back to the child first (reflection).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

    // Relations.
    CWnd* GetParent() const { return m_pParent; }
    CWnd* GetOwner() const { return m_pOwner ? m_pOwner : m_pParent; }
    void SetOwner(CWnd* owner) { m_pOwner = owner; }
    UINT GetDlgCtrlID() const { return m_nID; }
    const std::vector<CWnd*>& Children() const { return m_arrChildren; }

    // Styles.
    DWORD GetStyle() const { return m_dwStyle; }
    DWORD GetExStyle() const { return m_dwExStyle; }
    // Changes style bits and tells the window (WM_STYLECHANGING / WM_STYLECHANGED).
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Geometry (client coordinates; a window has no non-client area here).
    void MoveWindow(const RECT& rc, BOOL bRepaint = TRUE);
    void GetClientRect(RECT* rc) const;
    RECT GetWindowRectInParent() const { return m_rcWindow; }
    POINT ClientToScreen(POINT pt) const;
    POINT ScreenToClient(POINT pt) const;

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const RECT* rc, BOOL bErase = TRUE);
    void UpdateWindow();
    // Paints the window into dc: WM_ERASEBKGND then WM_PAINT with dc as wParam.
    void Paint(CDC* dc);
    // A context for measuring text in the window's font.
    std::unique_ptr<CDC> CreateMeasureDC() const;
    int ColourDepth() const;

    // Scroll bars kept for the host to show.
    BOOL SetScrollInfo(int nBar, const SCROLLINFO& si, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, SCROLLINFO* si) const;
    int GetScrollPos(int nBar) const;
    bool IsScrollBarShown(int nBar) const;

    // Font.
    CFont* GetFont() { return reinterpret_cast<CFont*>(SendMessage(WM_GETFONT)); }
    void SetFont(CFont* font, BOOL bRedraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), bRedraw); }

    // Timers (WM_TIMER to this window).
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Focus and input.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    bool HasFocus() const { return GetFocus() == this; }
    // Called by a host when the toolkit moved the focus; sends the focus messages.
    static void FocusChanged(CWnd* newFocus);
    void SetCursorShape(CursorShape shape);
    void SetCapture();
    static void ReleaseCapture();
    static CWnd* GetCapture();

    // Host.
    void SetHost(WindowHost* host) { m_pHost = host; }
    WindowHost* GetHost() const { return m_pHost; }

    // The current message being handled (for Default()).
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

protected:
    // Installs the control procedure of a window class; called during creation.
    void SetControlProc(std::unique_ptr<ControlProc> proc) { m_pControl = std::move(proc); }
    ControlProc* GetControlProc() const { return m_pControl.get(); }

    LRESULT OnWmGetFont(WPARAM, LPARAM);

private:
    LRESULT DefaultRoute(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void AddChild(CWnd* child);
    void RemoveChild(CWnd* child);

    bool m_bCreated = false;
    CWnd* m_pParent = nullptr;
    CWnd* m_pOwner = nullptr;
    std::vector<CWnd*> m_arrChildren;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    RECT m_rcWindow{};
    SCROLLINFO m_aScrollInfo[2]{};
    CFont* m_pFont = nullptr;
    WindowHost* m_pHost = nullptr;
    std::unique_ptr<ControlProc> m_pControl;
    CurrentMessage m_msgCurrent{};
    bool m_bDefaultRoute = false;     // set just before default processing calls DefWindowProc
    bool m_bControlByDefault = false; // what the control procedure's current message came by
};

// Window classes: the control procedure a class name creates.
using ControlFactory = std::unique_ptr<ControlProc> (*)(CWnd* wnd);
void RegisterWindowClass(const std::string& className, ControlFactory factory);
// The factory registered for a class name, or nullptr.
ControlFactory FindWindowClass(const std::string& className);

// A control tells its parent of a change: WM_COMMAND with its id and the code.
void NotifyParentCommand(CWnd* control, int code);

// Key state as the host last saw it (high bit set while the key is down).
short GetKeyState(int vk);
void SetKeyDown(int vk, bool down);

// A context with fixed metrics, used to measure text where no host is present.
std::unique_ptr<CDC> CreateFixedMetricsDC();
