// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/frame_window.h"
#include "qt_host/accelerator_text.h"
#include "qt_host/action_cmd_ui.h"
#include "qt_host/edit_field_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "framework/menu.h"
#include "framework/resources.h"
#include "qt_host/resource_images.h"
#include "qt_host/status_pane_label.h"
#include "qt_host/window_widget.h"
#include "qt_host/wire_text.h"

FrameHost* FrameWindowFactory::CreateHost(CFrameWnd* frame)
{
    return new FrameWindow(frame);
}

FrameWindow::FrameWindow(CFrameWnd* frame) : m_frame(frame)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(820, 520);
    setWindowIcon(IconFor(frame->ResourceId()));
    BuildMenus();
    BuildAccelerators();
    connect(&m_idle, &QTimer::timeout, this, &FrameWindow::IdleUpdate);
    m_idle.start(150);
}

FrameWindow::~FrameWindow()
{
    if (m_viewWidget)
        m_viewWidget->Detach();
}

QAction* FrameWindow::MakeCommandAction(UINT id, const QString& text, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setStatusTip(TextFromBytes(CFrameWnd::CommandPrompt(id)));
    connect(action, &QAction::triggered, this, [this, id] { SendCommand(id, false); });
    return action;
}

void FrameWindow::BuildMenus()
{
    const MenuDef* def = AfxFindMenu(m_frame->ResourceId());
    if (def == nullptr)
        return;
    for (const MenuItemDef& top : def->items) {
        QMenu* menu = menuBar()->addMenu(TextFromBytes(top.text));
        for (const MenuItemDef& item : top.popup) {
            if (item.IsSeparator()) {
                menu->addSeparator();
                continue;
            }
            if (item.IsPopup()) {
                AddPopup(menu, item);
                continue;
            }
            QAction* action = MakeCommandAction(
                item.id, WithShortcutText(TextFromBytes(item.text), m_frame->ResourceId(), item.id), menu);
            menu->addAction(action);
            m_menuActions.emplace_back(action, item.id);
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    }
}

void FrameWindow::AddPopup(QMenu* parent, const MenuItemDef& popup)
{
    QMenu* menu = parent->addMenu(TextFromBytes(popup.text));
    // Until it first opens it holds the resource's items as they are.
    for (const MenuItemDef& item : popup.popup) {
        if (item.IsSeparator())
            menu->addSeparator();
        else if (!item.IsPopup())
            menu->addAction(MakeCommandAction(item.id, TextFromBytes(item.text), menu));
    }
    std::vector<MenuItemDef> items = popup.popup;
    connect(menu, &QMenu::aboutToShow, this, [this, menu, items] { FillPopup(menu, items); });
}

void FrameWindow::FillPopup(QMenu* menu, std::vector<MenuItemDef> items)
{
    if (m_closing || !m_frame->IsWindow())
        return;
    // Made anew each time, so that a list that changes (the network
    // interfaces) is read when the user looks at it.
    m_frame->OnInitMenuPopup(items);
    menu->clear();
    for (const MenuItemDef& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (item.IsPopup()) {
            AddPopup(menu, item);
            continue;
        }
        QAction* action = MakeCommandAction(item.id, TextFromBytes(item.text), menu);
        const bool checked = (item.state & MF_CHECKED) != 0;
        action->setEnabled((item.state & (MF_GRAYED | MF_DISABLED)) == 0);
        action->setCheckable(checked); // the check rule of ActionCmdUI
        action->setChecked(checked);
        menu->addAction(action);
    }
}

void FrameWindow::UpdateMenu(QMenu* menu)
{
    for (auto& [action, id] : m_menuActions) {
        if (!menu->actions().contains(action))
            continue;
        ActionCmdUI state(action);
        state.m_nID = id;
        state.DoUpdate(m_frame, TRUE);
    }
}

void FrameWindow::BuildAccelerators()
{
    const AcceleratorTableDef* table = AfxFindAccelerators(m_frame->ResourceId());
    if (table == nullptr)
        return;
    for (const AccelDef& a : table->entries) {
        const QKeySequence seq = SequenceFor(a);
        if (seq.isEmpty())
            continue;
        auto* shortcut = new QShortcut(seq, this);
        shortcut->setContext(Qt::WindowShortcut);
        const UINT id = a.cmd;
        connect(shortcut, &QShortcut::activated, this, [this, id] { SendCommand(id, true); });
    }
}

void FrameWindow::SendCommand(UINT id, bool fromAccelerator)
{
    if (m_closing || !m_frame->IsWindow())
        return;
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(id), fromAccelerator ? 1 : 0), 0);
    IdleUpdate();
}

void FrameWindow::SetCaption(const std::string& caption)
{
    setWindowTitle(TextFromBytes(caption));
}

void FrameWindow::ShowFrame()
{
    show();
    IdleUpdate();
}

void FrameWindow::UpdateFrame()
{
    repaint();
}

void FrameWindow::ToolBarChanged(CToolBar* bar)
{
    if (m_toolBar == nullptr) {
        m_toolBar = new QToolBar(this);
        m_toolBar->setObjectName("toolbar");
        m_toolBar->setMovable(false);
        m_toolBar->setFloatable(false);
        m_toolBar->toggleViewAction()->setVisible(false);
        setContextMenuPolicy(Qt::NoContextMenu);
        addToolBar(Qt::TopToolBarArea, m_toolBar);
    }
    m_toolBar->clear();
    m_toolActions.clear();
    for (const QPointer<QWidget>& widget : m_toolWidgets)
        delete widget.data();
    m_toolWidgets.clear();
    m_toolBar->setIconSize(QSize(bar->ButtonWidth(), bar->ButtonHeight()));
    for (UINT id : bar->Buttons()) {
        if (id == ID_SEPARATOR) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString tip = TextFromBytes(CFrameWnd::CommandTip(id));
        QAction* action = MakeCommandAction(id, tip, m_toolBar);
        action->setToolTip(tip);
        m_toolBar->addAction(action);
        m_toolActions[id] = action;
    }
    AddToolControls(bar);
    UpdatePictures();
    m_toolBar->setVisible(bar->IsVisible());
}

void FrameWindow::AddToolControls(CToolBar* bar)
{
    if (bar->Controls().empty())
        return;
    // The controls sit at the bar's right end, after a gap that takes the rest.
    auto* gap = new QWidget(m_toolBar);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(gap);
    m_toolWidgets.emplace_back(gap);
    for (const ToolBarControl& control : bar->Controls()) {
        auto* field = new EditFieldWidget(control.wnd, m_toolBar);
        field->setObjectName(QStringLiteral("toolField%1").arg(control.wnd->GetDlgCtrlID()));
        field->setFixedWidth(control.width);
        field->setPlaceholderText(TextFromBytes(control.cue));
        field->setClearButtonEnabled(true);
        m_toolBar->addWidget(field);
        m_toolWidgets.emplace_back(field);
    }
}

void FrameWindow::UpdatePictures()
{
    if (m_toolBar == nullptr)
        return;
    const QColor background = m_toolBar->palette().color(m_toolBar->backgroundRole());
    for (auto& [id, action] : m_toolActions)
        action->setIcon(IconFor(id, background));
}

void FrameWindow::StatusBarChanged(CStatusBar* bar)
{
    QStatusBar* sb = statusBar();
    for (StatusPaneLabel* label : m_panes) {
        sb->removeWidget(label);
        delete label;
    }
    m_panes.clear();
    for (int i = 0; i < bar->GetCount(); ++i) {
        const StatusPane& pane = bar->Pane(i);
        auto* label = new StatusPaneLabel(sb);
        if (i == 0) {
            label->setText(TextFromBytes(pane.text));
            sb->addWidget(label, 1);
        } else {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(pane.width);
            label->setText(pane.enabled ? TextFromBytes(pane.text) : QString());
            sb->addPermanentWidget(label);
        }
        label->setObjectName(QStringLiteral("pane%1").arg(i));
        m_panes.push_back(label);
    }
    sb->setVisible(bar->IsVisible());
}

void FrameWindow::StatusPaneChanged(CStatusBar* bar, int index, bool repaintNow)
{
    StatusPaneLabel* label = Pane(index);
    if (label == nullptr)
        return;
    const StatusPane& pane = bar->Pane(index);
    if (index > 0)
        label->setMinimumWidth(pane.width);
    // The text changes at once; the pane shows it with its next paint, within
    // a display frame. A synchronous repaint here would paint everything else
    // that waits in the window too: the whole list, with every answer.
    (void)repaintNow;
    label->setText(pane.enabled ? TextFromBytes(pane.text) : QString());
}

StatusPaneLabel* FrameWindow::Pane(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_panes.size()))
        return nullptr;
    return m_panes[static_cast<std::size_t>(index)];
}

QAction* FrameWindow::ActionFor(UINT id) const
{
    auto it = m_toolActions.find(id);
    return it == m_toolActions.end() ? nullptr : it->second;
}

void FrameWindow::BarVisibilityChanged()
{
    if (m_toolBar && m_frame->GetToolBar())
        m_toolBar->setVisible(m_frame->GetToolBar()->IsVisible());
    if (m_frame->GetMessageBar())
        statusBar()->setVisible(m_frame->GetMessageBar()->IsVisible());
}

void FrameWindow::AttachView(CWnd* view)
{
    auto* widget = new WindowWidget(view, this);
    widget->setObjectName("view");
    setCentralWidget(widget);
    m_viewWidget = widget;
    widget->setFocus();
}

void FrameWindow::CloseFrame()
{
    m_closing = true;
    m_idle.stop();
    if (m_viewWidget) {
        m_viewWidget->Detach();
        m_viewWidget = nullptr;
    }
    hide();
    deleteLater();
}

void FrameWindow::IdleUpdate()
{
    if (m_closing || !m_frame->IsWindow())
        return;
    for (auto& [id, action] : m_toolActions) {
        ActionCmdUI state(action);
        state.m_nID = id;
        state.DoUpdate(m_frame, TRUE);
    }
    m_frame->OnIdleUpdateCmdUI();
}

void FrameWindow::ShowMessage(const QString& text)
{
    // Through the frame, so that the status bar's own pane text stays true.
    if (text.isEmpty())
        m_frame->SetMessageText(0u);
    else
        m_frame->SetMessageText(BytesFromText(text));
}

bool FrameWindow::event(QEvent* e)
{
    // Command prompts go to the message pane; "Ready" when nothing is highlighted.
    if (e->type() == QEvent::StatusTip) {
        ShowMessage(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    // A light or dark desktop palette chosen while the program runs.
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) {
        const bool handled = QMainWindow::event(e);
        UpdatePictures();
        return handled;
    }
    return QMainWindow::event(e);
}

void FrameWindow::closeEvent(QCloseEvent* e)
{
    if (!m_closing)
        m_frame->OnClose();
    e->accept();
}

bool FrameWindow::GetPlacement(RECT* rc) const
{
    if (rc == nullptr)
        return false;
    // The size and place the frame has when not maximised.
    const QRect g = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    if (!g.isValid())
        return false;
    *rc = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return true;
}

void FrameWindow::SetPlacement(const RECT& rc)
{
    setGeometry(QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top));
}

std::vector<ScreenArea> FrameWindow::GetScreens() const
{
    const auto toRect = [](const QRect& r) {
        return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    };
    std::vector<ScreenArea> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr)
        screens.push_back(ScreenArea{toRect(primary->geometry()), toRect(primary->availableGeometry())});
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            screens.push_back(ScreenArea{toRect(screen->geometry()), toRect(screen->availableGeometry())});
    return screens;
}
