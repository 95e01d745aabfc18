// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The main frame on screen: menu bar, accelerators, tool bar, status bar and
// the hosted view, all driven by the frame's own state and command routing.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <map>
#include <vector>

#include "framework/frame_wnd.h"
#include "framework/resources.h"
#include "qt_host/status_pane_label.h"

class QAction;
class QMenu;
class WindowWidget;

class FrameWindow : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    explicit FrameWindow(CFrameWnd* frame);
    ~FrameWindow() override;

    // FrameHost
    void SetCaption(const std::string& caption) override;
    void ShowFrame() override;
    void UpdateFrame() override;
    void ToolBarChanged(CToolBar* bar) override;
    void StatusBarChanged(CStatusBar* bar) override;
    void StatusPaneChanged(CStatusBar* bar, int index, bool repaintNow) override;
    void BarVisibilityChanged() override;
    void AttachView(CWnd* view) override;
    bool GetPlacement(RECT* rc) const override;
    void SetPlacement(const RECT& rc) override;
    std::vector<ScreenArea> GetScreens() const override;
    void CloseFrame() override;

    QToolBar* ToolBar() const { return m_toolBar; }
    StatusPaneLabel* Pane(int index) const;
    QAction* ActionFor(UINT id) const;
    // Updates tool bar buttons and status panes from the command handlers.
    void IdleUpdate();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildMenus();
    void BuildAccelerators();
    QAction* MakeCommandAction(UINT id, const QString& text, QObject* parent);
    void SendCommand(UINT id, bool fromAccelerator);
    void UpdateMenu(QMenu* menu);
    // A pop-up inside a menu; its items are made by the frame each time it opens.
    void AddPopup(QMenu* parent, const MenuItemDef& popup);
    void FillPopup(QMenu* menu, std::vector<MenuItemDef> items);
    // The tool bar's pictures in the variant for its background colour.
    void UpdatePictures();
    // The bar's control windows (the filter field) as widgets after its buttons.
    void AddToolControls(CToolBar* bar);
    void ShowMessage(const QString& text);

    CFrameWnd* m_frame;
    QToolBar* m_toolBar = nullptr;
    std::vector<StatusPaneLabel*> m_panes;
    std::map<UINT, QAction*> m_toolActions;
    std::vector<QPointer<QWidget>> m_toolWidgets;
    std::vector<std::pair<QAction*, UINT>> m_menuActions;
    QPointer<WindowWidget> m_viewWidget;
    QTimer m_idle;
    bool m_closing = false;
};

// Makes frame windows for new frames.
class FrameWindowFactory : public FrameHostFactory {
public:
    FrameHost* CreateHost(CFrameWnd* frame) override;
};
