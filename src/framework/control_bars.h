// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The frame's tool bar and status bar: their content and state. A frame host
// shows them and hears about every change.
#pragma once

#include <string>
#include <vector>

#include "framework/wnd.h"

class CFrameWnd;
class CStatusBar;
class CToolBar;

// One screen of the desktop: all of it, and the part windows may take (less
// panels and docks), in desktop coordinates.
struct ScreenArea {
    RECT whole;
    RECT work;
};

// What a frame needs of the toolkit that shows it.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void ShowFrame() = 0;
    virtual void UpdateFrame() = 0;
    virtual void ToolBarChanged(CToolBar* bar) = 0;
    virtual void StatusBarChanged(CStatusBar* bar) = 0;
    virtual void StatusPaneChanged(CStatusBar* bar, int index, bool repaintNow) = 0;
    virtual void BarVisibilityChanged() = 0;
    virtual void AttachView(CWnd* view) = 0;
    // Where the frame stands on the desktop (left, top, right, bottom); false when unknown.
    virtual bool GetPlacement(RECT* rc) const
    {
        (void)rc;
        return false;
    }
    virtual void SetPlacement(const RECT& rc) { (void)rc; }
    // The screens, the primary one first; none when not known.
    virtual std::vector<ScreenArea> GetScreens() const { return {}; }
    // The frame is gone: the host hides and frees itself when it safely can.
    virtual void CloseFrame() = 0;
};

class CControlBar : public CWnd {
public:
    // A control in the bar tells the frame, whose view and handlers act on it.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool IsVisible() const { return m_bVisible; }
    void ShowBar(bool show);
    CFrameWnd* GetFrame() const { return m_pFrame; }

protected:
    bool m_bVisible = true;
    CFrameWnd* m_pFrame = nullptr;
    friend class CFrameWnd;
};

// Tool bar styles.
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD CBRS_ALIGN_TOP = 0x1000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x4000;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0080;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// A control window in the tool bar, after the buttons.
struct ToolBarControl {
    CWnd* wnd = nullptr;
    int width = 0;
    // The grey hint the field shows while empty.
    std::string cue;
};

class CToolBar : public CControlBar {
public:
    using CWnd::CreateEx;
    BOOL CreateEx(CFrameWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);
    BOOL LoadToolBar(UINT nIDResource);

    int ButtonWidth() const { return m_nButtonCx; }
    int ButtonHeight() const { return m_nButtonCy; }
    const std::vector<UINT>& Buttons() const { return m_arrButtons; }
    DWORD BarStyle() const { return m_dwBarStyle; }
    UINT ResourceId() const { return m_nResource; }
    // Puts pControl, a child window of the bar, after the buttons, cx pixels
    // wide; its notifications reach the frame as commands from its id.
    BOOL AddControl(CWnd* pControl, int cx, const std::string& cue = {});
    const std::vector<ToolBarControl>& Controls() const { return m_arrControls; }

private:
    DWORD m_dwBarStyle = 0;
    DWORD m_dwCtrlStyle = 0;
    UINT m_nResource = 0;
    int m_nButtonCx = 0;
    int m_nButtonCy = 0;
    std::vector<UINT> m_arrButtons;
    std::vector<ToolBarControl> m_arrControls;
};

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

struct StatusPane {
    UINT id = 0;
    UINT style = 0;
    int width = 0; // pixels; the first pane stretches
    std::string text;
    bool enabled = true;
};

class CStatusBar : public CControlBar {
public:
    BOOL Create(CFrameWnd* pParent, DWORD dwStyle, UINT nID);
    // Panes for the ids; a separator is the stretching message pane. Each other
    // pane starts with its id's string (shown while enabled).
    BOOL SetIndicators(const UINT* ids, int count);
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    BOOL SetPaneText(int index, const std::string& text, BOOL bUpdate = TRUE);
    std::string GetPaneText(int index) const;
    int CommandToIndex(UINT id) const;
    int GetCount() const { return static_cast<int>(m_arrPanes.size()); }
    const StatusPane& Pane(int index) const { return m_arrPanes.at(static_cast<std::size_t>(index)); }
    void SetPaneEnabled(int index, bool enabled);

private:
    std::vector<StatusPane> m_arrPanes;
};
