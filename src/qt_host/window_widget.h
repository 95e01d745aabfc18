// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Shows one of our own windows (and its child windows) inside Qt: paints the
// window tree through a QPainter context and turns Qt's input, focus, size and
// scroll-bar events into the window's messages.
#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QTimer>
#include <array>

#include "framework/wnd.h"

class QPainter;
class QScrollBar;
class QtPainterDC;

class WindowWidget : public QAbstractScrollArea, public WindowHost {
    Q_OBJECT
public:
    // Hosts wnd, an existing top window of our own. The widget must go before
    // the window object does, or Detach() first.
    explicit WindowWidget(CWnd* wnd, QWidget* parent = nullptr);
    ~WindowWidget() override;

    CWnd* Window() const { return m_wnd; }
    void Detach();

    // Paints the window tree; area is in client coordinates.
    void PaintWindowTree(QPainter* painter, const QRect& area);

    // Invalidated areas are painted together at most once a display frame,
    // however often the windows invalidate in between: the interval is the
    // screen's frame time unless set (tests set a long one to hold frames).
    void SetFrameInterval(int ms);
    int FrameInterval() const { return m_frameMs; }
    // Paints of the window tree so far.
    int PaintCount() const { return m_paints; }
    // The area invalidated and not yet painted.
    const QRegion& PendingArea() const { return m_dirty; }

signals:
    // After each paint of the window tree.
    void Painted();

public:
    // WindowHost
    void InvalidateRect(const RECT* rc, bool erase) override;
    void UpdateWindow() override;
    void ScrollInfoChanged(int bar) override;
    void SetCursorShape(CursorShape shape) override;
    void SetFocus() override;
    POINT ClientToScreen(POINT pt) const override;
    POINT ScreenToClient(POINT pt) const override;
    std::unique_ptr<CDC> CreateMeasureDC() override;
    int ColourDepth() const override;

protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    // The window scrolls and repaints itself; Qt must not move the pixels.
    void scrollContentsBy(int, int) override {}

private:
    bool Alive() const;
    bool InTree(const CWnd* w) const;
    QPoint OffsetOf(const CWnd* w) const;
    CWnd* WindowAt(const QPoint& pt, QPoint* local) const;
    CWnd* KeyTarget() const;
    void SendMouse(UINT message, QMouseEvent* e);
    void SendKey(UINT message, QKeyEvent* e);
    // Shows the tip the window under the mouse gives, or none.
    void ShowTip(const QPoint& pt, const QPoint& globalPt);
    void SendSize();
    void SyncScrollBar(int bar);
    bool ShownAsWindowWants(int bar) const;
    void SyncScrollBarVisibility();
    void OnScrollAction(int bar, int action);
    void OnScrollReleased(int bar);
    void PaintWindow(QtPainterDC& dc, CWnd* w, const QPoint& origin, const QRect& clip);
    void PaletteChanged();
    void TellColourChange();
    void ScheduleFrame();
    void OnFrame();

    CWnd* m_wnd;
    CWnd* m_lastFocus = nullptr;
    QSize m_sentSize{-1, -1};
    QRegion m_dirty;
    QTimer m_frameTimer;
    QElapsedTimer m_sincePaint;
    int m_frameMs = 16;
    int m_paints = 0;
    // Scroll bars whose range or position waits for the next frame (1 horizontal, 2 vertical).
    int m_barsPending = 0;
    bool m_painting = false;
    bool m_syncingBars = false;
    bool m_barsDirty = false;
    // The system colours as this window last heard of them.
    std::array<COLORREF, COLOR_COUNT> m_seenColours{};
};
