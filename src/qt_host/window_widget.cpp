// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/window_widget.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "qt_host/key_map.h"
#include "qt_host/qt_dc.h"
#include "qt_host/system_palette.h"
#include "qt_host/wire_text.h"

namespace {

constexpr LPARAM kHitClient = 1; // HTCLIENT of WM_SETCURSOR

bool IsVisibleChild(const CWnd* w)
{
    return w->IsWindow() && (w->GetStyle() & WS_VISIBLE);
}

bool Contains(const CWnd* root, const CWnd* w)
{
    // Compares pointers only: w may point at a window that no longer exists.
    if (root == w)
        return true;
    for (const CWnd* c : root->Children())
        if (Contains(c, w))
            return true;
    return false;
}

void SyncModifierKeys(Qt::KeyboardModifiers mods)
{
    SetKeyDown(VK_SHIFT, mods & Qt::ShiftModifier);
    SetKeyDown(VK_CONTROL, mods & Qt::ControlModifier);
    SetKeyDown(VK_MENU, mods & Qt::AltModifier);
}

WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    WPARAM flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (mods & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

Qt::CursorShape QtCursor(CursorShape shape)
{
    switch (shape) {
    case CursorShape::Hand:
        return Qt::PointingHandCursor;
    case CursorShape::SizeWE:
        return Qt::SizeHorCursor;
    case CursorShape::Divider:
    case CursorShape::DividerOpen:
        return Qt::SplitHCursor;
    case CursorShape::Arrow:
    default:
        return Qt::ArrowCursor;
    }
}

RECT ToRect(const QRect& r)
{
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

WindowWidget::WindowWidget(CWnd* wnd, QWidget* parent) : QAbstractScrollArea(parent), m_wnd(wnd)
{
    setFocusPolicy(Qt::StrongFocus);
    // The keyboard's menu key and Shift+F10 become WM_CONTEXTMENU here, and a
    // right click is the window's own business.
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!(m_wnd->GetExStyle() & WS_EX_CLIENTEDGE) && !(m_wnd->GetStyle() & WS_BORDER))
        setFrameShape(QFrame::NoFrame);

    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(SB_HORZ, action); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(SB_VERT, action); });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] { OnScrollReleased(SB_HORZ); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] { OnScrollReleased(SB_VERT); });

    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &WindowWidget::OnFrame);
    if (const QScreen* s = QGuiApplication::primaryScreen(); s != nullptr && s->refreshRate() > 1)
        m_frameMs = std::clamp(static_cast<int>(1000.0 / s->refreshRate()), 4, 50);

    m_wnd->SetHost(this);
    for (int i = 0; i < COLOR_COUNT; ++i)
        m_seenColours[static_cast<std::size_t>(i)] = GetSysColor(i);
    ApplySystemPalette(palette());
    SyncScrollBar(SB_HORZ);
    SyncScrollBar(SB_VERT);
    SyncScrollBarVisibility();
    TellColourChange();
}

WindowWidget::~WindowWidget()
{
    Detach();
}

void WindowWidget::Detach()
{
    if (m_wnd && m_wnd->GetHost() == this)
        m_wnd->SetHost(nullptr);
    m_wnd = nullptr;
    m_lastFocus = nullptr;
}

bool WindowWidget::Alive() const
{
    return m_wnd != nullptr && m_wnd->IsWindow();
}

bool WindowWidget::InTree(const CWnd* w) const
{
    return w != nullptr && m_wnd != nullptr && Contains(m_wnd, w);
}

QPoint WindowWidget::OffsetOf(const CWnd* w) const
{
    QPoint offset;
    for (; w != nullptr && w != m_wnd; w = w->GetParent()) {
        const RECT r = w->GetWindowRectInParent();
        offset += QPoint(r.left, r.top);
    }
    return offset;
}

CWnd* WindowWidget::WindowAt(const QPoint& pt, QPoint* local) const
{
    CWnd* w = m_wnd;
    QPoint p = pt;
    for (bool descended = true; descended;) {
        descended = false;
        const std::vector<CWnd*>& children = w->Children();
        // The child painted last lies on top.
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            CWnd* c = *it;
            const RECT r = c->GetWindowRectInParent();
            if (IsVisibleChild(c) && PtInRect(r, POINT{p.x(), p.y()})) {
                p -= QPoint(r.left, r.top);
                w = c;
                descended = true;
                break;
            }
        }
    }
    *local = p;
    return w;
}

CWnd* WindowWidget::KeyTarget() const
{
    CWnd* focus = CWnd::GetFocus();
    return InTree(focus) && focus->IsWindow() ? focus : m_wnd;
}

// ---- Painting ---------------------------------------------------------------

void WindowWidget::paintEvent(QPaintEvent* e)
{
    QPainter painter(viewport());
    // What lies outside the viewport now (it shrank when a bar appeared) is
    // no longer anybody's to paint.
    m_dirty -= e->region();
    m_dirty &= viewport()->rect();
    if (!Alive()) {
        painter.fillRect(e->rect(), palette().color(QPalette::Base));
        return;
    }
    PaintWindowTree(&painter, e->rect());
}

void WindowWidget::SetFrameInterval(int ms)
{
    m_frameMs = std::max(0, ms);
    if (m_frameTimer.isActive()) {
        m_frameTimer.stop();
        ScheduleFrame();
    }
}

void WindowWidget::ScheduleFrame()
{
    if (m_frameTimer.isActive() || (m_dirty.isEmpty() && m_barsPending == 0))
        return;
    const qint64 since = m_sincePaint.isValid() ? m_sincePaint.elapsed() : m_frameMs;
    m_frameTimer.start(static_cast<int>(std::max<qint64>(0, m_frameMs - since)));
}

void WindowWidget::OnFrame()
{
    m_dirty &= viewport()->rect();
    if (m_barsPending & 1)
        SyncScrollBar(SB_HORZ);
    if (m_barsPending & 2)
        SyncScrollBar(SB_VERT);
    // Qt paints what is marked on its next pass through the loop, once,
    // however many windows invalidated since the last frame.
    if (!m_dirty.isEmpty())
        viewport()->update(m_dirty);
    else
        m_sincePaint.start(); // a frame of scroll bars only
}

void WindowWidget::PaintWindowTree(QPainter* painter, const QRect& area)
{
    if (!Alive() || m_painting)
        return;
    m_painting = true;
    {
        QtPainterDC dc(painter, this);
        dc.SetPaintArea(area);
        RECT client;
        m_wnd->GetClientRect(&client);
        PaintWindow(dc, m_wnd, QPoint(0, 0), ToQRect(client));
    }
    m_painting = false;
    ++m_paints;
    m_sincePaint.start();
    emit Painted();
}

void WindowWidget::PaintWindow(QtPainterDC& dc, CWnd* w, const QPoint& origin, const QRect& clip)
{
    dc.SetViewportOrg(origin.x(), origin.y());
    const RECT logicalClip = ToRect(clip.translated(-origin));
    dc.SetClipRect(&logicalClip);
    w->Paint(&dc);
    // Children paint over their parent, each inside its own rectangle.
    const std::vector<CWnd*> children = w->Children();
    for (CWnd* c : children) {
        if (!InTree(c) || !IsVisibleChild(c))
            continue;
        const QRect r = ToQRect(c->GetWindowRectInParent()).translated(origin);
        const QRect childClip = clip & r;
        if (!childClip.isEmpty())
            PaintWindow(dc, c, r.topLeft(), childClip);
    }
}

void WindowWidget::InvalidateRect(const RECT* rc, bool)
{
    const QRect r = (rc ? ToQRect(*rc) : viewport()->rect()) & viewport()->rect();
    if (r.isEmpty())
        return;
    m_dirty += r;
    ScheduleFrame();
}

void WindowWidget::UpdateWindow()
{
    // Paints at once only when a frame is due anyway; otherwise the frame
    // that is on its way paints the area.
    if (m_painting || m_dirty.isEmpty())
        return;
    if (m_sincePaint.isValid() && m_sincePaint.elapsed() < m_frameMs)
        return;
    m_frameTimer.stop();
    viewport()->repaint(m_dirty);
}

// ---- Geometry and scroll bars ---------------------------------------------

void WindowWidget::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    SendSize();
}

void WindowWidget::SendSize()
{
    const QSize size = viewport()->size();
    if (!Alive() || size == m_sentSize)
        return;
    m_sentSize = size;
    m_wnd->MoveWindow(RECT{0, 0, size.width(), size.height()}, TRUE);
}

void WindowWidget::ScrollInfoChanged(int bar)
{
    // A bar that appears or goes changes the client area, which the window
    // hears of at once, as on the platform; a new range or position only
    // shows, and follows with the next frame (a list that grows by a row with
    // every answer would repaint its bar with every answer otherwise).
    if (!m_syncingBars && Alive() && ShownAsWindowWants(bar)) {
        m_barsPending |= bar == SB_HORZ ? 1 : 2;
        ScheduleFrame();
        return;
    }
    SyncScrollBar(bar);
    // A bar that appears or goes resizes the client area, and the window may
    // answer the new size with new scroll information: settle that in a loop
    // rather than by recursion.
    if (m_syncingBars) {
        m_barsDirty = true;
        return;
    }
    SyncScrollBarVisibility();
}

bool WindowWidget::ShownAsWindowWants(int bar) const
{
    const Qt::ScrollBarPolicy policy = bar == SB_HORZ ? horizontalScrollBarPolicy() : verticalScrollBarPolicy();
    return (policy == Qt::ScrollBarAlwaysOn) == m_wnd->IsScrollBarShown(bar);
}

void WindowWidget::SyncScrollBar(int bar)
{
    m_barsPending &= ~(bar == SB_HORZ ? 1 : 2);
    if (!Alive())
        return;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    m_wnd->GetScrollInfo(bar, &si);
    QScrollBar* sb = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    const int page = static_cast<int>(si.nPage);
    const QSignalBlocker block(sb);
    sb->setRange(si.nMin, std::max(si.nMin, si.nMax - std::max(0, page - 1)));
    sb->setPageStep(std::max(1, page));
    sb->setSingleStep(1);
    sb->setValue(si.nPos);
}

void WindowWidget::SyncScrollBarVisibility()
{
    m_syncingBars = true;
    for (int pass = 0; pass < 4 && Alive(); ++pass) {
        m_barsDirty = false;
        setHorizontalScrollBarPolicy(m_wnd->IsScrollBarShown(SB_HORZ) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        if (!Alive())
            break;
        setVerticalScrollBarPolicy(m_wnd->IsScrollBarShown(SB_VERT) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        if (!m_barsDirty)
            break;
    }
    m_syncingBars = false;
    // Qt may hold the viewport's resize event back while the widget is being
    // shown; the window must still learn the client area the bars leave it.
    SendSize();
}

void WindowWidget::OnScrollAction(int bar, int action)
{
    if (!Alive())
        return;
    QScrollBar* sb = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    int code = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        // The thumb follows the mouse; the window scrolls as it likes.
        m_wnd->SendMessage(message, MAKEWPARAM(SB_THUMBTRACK, sb->sliderPosition()));
        return;
    default:
        return;
    }
    m_wnd->SendMessage(message, MAKEWPARAM(code, 0));
    if (!Alive())
        return;
    m_wnd->SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0));
    // The bar shows where the window went, not where Qt would have gone.
    if (Alive())
        sb->setSliderPosition(m_wnd->GetScrollPos(bar));
}

void WindowWidget::OnScrollReleased(int bar)
{
    if (!Alive())
        return;
    QScrollBar* sb = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    m_wnd->SendMessage(message, MAKEWPARAM(SB_THUMBPOSITION, sb->sliderPosition()));
    if (!Alive())
        return;
    m_wnd->SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0));
    if (Alive())
        SyncScrollBar(bar);
}

// ---- Mouse ------------------------------------------------------------------

void WindowWidget::SendMouse(UINT message, QMouseEvent* e)
{
    e->accept();
    if (!Alive())
        return;
    SyncModifierKeys(e->modifiers());
    const QPoint pt = e->position().toPoint();
    CWnd* target = CWnd::GetCapture();
    QPoint local;
    if (InTree(target) && target->IsWindow()) {
        local = pt - OffsetOf(target);
    } else {
        target = WindowAt(pt, &local);
        // The class cursor is the arrow; a window that wants another sets it now.
        if (viewport()->cursor().shape() != Qt::ArrowCursor)
            viewport()->setCursor(Qt::ArrowCursor);
        target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(kHitClient, message));
        if (!InTree(target) || !target->IsWindow())
            return;
    }
    target->SendMessage(message, MouseKeyFlags(e->buttons(), e->modifiers()), MAKELPARAM(local.x(), local.y()));
}

void WindowWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONDOWN, e);
    else if (e->button() == Qt::RightButton)
        SendMouse(WM_RBUTTONDOWN, e);
    else
        e->ignore();
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONUP, e);
    else if (e->button() == Qt::RightButton)
        SendMouse(WM_RBUTTONUP, e);
    else
        e->ignore();
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONDBLCLK, e);
    else if (e->button() == Qt::RightButton)
        SendMouse(WM_RBUTTONDBLCLK, e);
    else
        e->ignore();
}

void WindowWidget::mouseMoveEvent(QMouseEvent* e)
{
    SendMouse(WM_MOUSEMOVE, e);
}

void WindowWidget::wheelEvent(QWheelEvent* e)
{
    e->accept();
    const int delta = e->angleDelta().y();
    if (!Alive() || delta == 0)
        return;
    SyncModifierKeys(e->modifiers());
    const QPoint screen = e->globalPosition().toPoint();
    m_wnd->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseKeyFlags(e->buttons(), e->modifiers())), delta),
                       MAKELPARAM(screen.x(), screen.y()));
}

bool WindowWidget::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        ShowTip(help->pos(), help->globalPos());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void WindowWidget::ShowTip(const QPoint& pt, const QPoint& globalPt)
{
    if (!Alive()) {
        QToolTip::hideText();
        return;
    }
    QPoint local;
    CWnd* target = WindowAt(pt, &local);
    TIPTEXTQUERY query;
    query.pt = POINT{local.x(), local.y()};
    if (target == nullptr || !target->SendMessage(WM_QUERYTIPTEXT, 0, reinterpret_cast<LPARAM>(&query)) || !Alive() ||
        query.text.empty()) {
        QToolTip::hideText();
        return;
    }
    // The tip goes when the mouse leaves the part it belongs to.
    const QRect area = ToQRect(query.rcArea).translated(OffsetOf(target));
    QToolTip::showText(globalPt, TextFromBytes(query.text), viewport(), area);
}

// ---- Keyboard ---------------------------------------------------------------

bool WindowWidget::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // The window hears Tab, then the focus moves on as in any Qt window.
            keyPressEvent(k);
            focusNextPrevChild(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
            return true;
        }
        break;
    }
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        PaletteChanged();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(e);
}

void WindowWidget::SendKey(UINT message, QKeyEvent* e)
{
    e->accept();
    if (!Alive())
        return;
    SyncModifierKeys(e->modifiers());
    const UINT vk = VirtualKeyFromQtKey(e->key(), e->modifiers());
    if (vk == 0)
        return;
    SetKeyDown(static_cast<int>(vk), message == WM_KEYDOWN);
    // Repeat count 1; bit 30 is the previous key state, bit 31 the transition.
    LPARAM lParam = 1;
    if (message == WM_KEYUP)
        lParam |= static_cast<LPARAM>(3u << 30);
    else if (e->isAutoRepeat())
        lParam |= static_cast<LPARAM>(1u << 30);
    KeyTarget()->SendMessage(message, vk, lParam);
    if (message != WM_KEYDOWN)
        return;

    // Characters, one byte of the UTF-8 text each.
    const QByteArray text = e->text().toUtf8();
    for (char ch : text) {
        if (!Alive())
            return;
        KeyTarget()->SendMessage(WM_CHAR, static_cast<unsigned char>(ch), lParam);
    }
    const bool menuKey = vk == VK_APPS || (vk == VK_F10 && (e->modifiers() & Qt::ShiftModifier));
    if (menuKey && !e->isAutoRepeat() && Alive()) {
        CWnd* target = KeyTarget();
        target->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), -1);
    }
}

void WindowWidget::keyPressEvent(QKeyEvent* e)
{
    SendKey(WM_KEYDOWN, e);
}

void WindowWidget::keyReleaseEvent(QKeyEvent* e)
{
    // The platform repeats key-downs only.
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    SendKey(WM_KEYUP, e);
}

// ---- Focus ------------------------------------------------------------------

void WindowWidget::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    if (!Alive())
        return;
    SyncModifierKeys(QGuiApplication::queryKeyboardModifiers());
    if (InTree(CWnd::GetFocus()))
        return;
    CWnd* next = InTree(m_lastFocus) && m_lastFocus->IsWindow() ? m_lastFocus : m_wnd;
    CWnd::FocusChanged(next);
}

void WindowWidget::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    // A pop-up menu does not take the focus on the platform.
    if (e->reason() == Qt::PopupFocusReason || !Alive())
        return;
    SyncModifierKeys(Qt::NoModifier);
    CWnd* focus = CWnd::GetFocus();
    if (InTree(focus)) {
        m_lastFocus = focus;
        CWnd::FocusChanged(nullptr);
    }
}

void WindowWidget::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

// ---- The rest of the host ---------------------------------------------------

void WindowWidget::SetCursorShape(CursorShape shape)
{
    viewport()->setCursor(QtCursor(shape));
}

POINT WindowWidget::ClientToScreen(POINT pt) const
{
    const QPoint p = viewport()->mapToGlobal(QPoint(pt.x, pt.y));
    return POINT{p.x(), p.y()};
}

POINT WindowWidget::ScreenToClient(POINT pt) const
{
    const QPoint p = viewport()->mapFromGlobal(QPoint(pt.x, pt.y));
    return POINT{p.x(), p.y()};
}

std::unique_ptr<CDC> WindowWidget::CreateMeasureDC()
{
    return CreateQtMeasureDC(font());
}

int WindowWidget::ColourDepth() const
{
    const QScreen* s = screen();
    return s ? s->depth() : 32;
}

void WindowWidget::PaletteChanged()
{
    ApplySystemPalette(palette());
    TellColourChange();
}

void WindowWidget::TellColourChange()
{
    // Another host may have changed the colours already; every window hears
    // of a change once.
    bool changed = false;
    for (int i = 0; i < COLOR_COUNT; ++i) {
        const COLORREF c = GetSysColor(i);
        changed = changed || m_seenColours[static_cast<std::size_t>(i)] != c;
        m_seenColours[static_cast<std::size_t>(i)] = c;
    }
    if (changed && Alive()) {
        m_wnd->SendMessage(WM_SYSCOLORCHANGE);
        viewport()->update();
    }
}
