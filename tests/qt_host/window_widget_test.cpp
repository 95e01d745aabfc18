// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "qt_host/window_widget.h"

namespace {

struct Msg {
    CWnd* wnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A window that records its input messages and paints itself in one colour,
// a little beyond its client area so that clipping shows.
class RecordingWnd : public CWnd {
public:
    RecordingWnd(std::vector<Msg>* log, COLORREF colour) : m_log(log), m_colour(colour) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            RECT rc;
            GetClientRect(&rc);
            reinterpret_cast<CDC*>(wParam)->FillSolidRect(RECT{-5, -5, rc.right + 5, rc.bottom + 5}, m_colour);
            return 0;
        }
        case WM_QUERYTIPTEXT: {
            m_log->push_back({this, message, wParam, lParam});
            auto* query = reinterpret_cast<TIPTEXTQUERY*>(lParam);
            m_lastTipPoint = query->pt;
            if (tip.empty())
                return 0;
            query->text = tip;
            query->rcArea = RECT{0, 0, 10, 10};
            return 1;
        }
        case WM_SETCURSOR:
        case WM_ERASEBKGND:
        case WM_CREATE:
        case WM_DESTROY:
            break;
        default:
            m_log->push_back({this, message, wParam, lParam});
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The tip this window gives, if any, and where it was last asked for one.
    std::string tip;
    POINT LastTipPoint() const { return m_lastTipPoint; }

private:
    std::vector<Msg>* m_log;
    COLORREF m_colour;
    POINT m_lastTipPoint{-1, -1};
};

std::vector<Msg> Only(const std::vector<Msg>& log, std::initializer_list<UINT> messages)
{
    std::vector<Msg> out;
    for (const Msg& m : log)
        for (UINT wanted : messages)
            if (m.message == wanted)
                out.push_back(m);
    return out;
}

class WindowWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, "", WS_VISIBLE, RECT{0, 0, 10, 10}, nullptr, 1));
        ASSERT_TRUE(child.CreateEx(0, "", WS_CHILD | WS_VISIBLE, RECT{10, 20, 60, 50}, &top, 2));
        widget = std::make_unique<WindowWidget>(&top);
        widget->resize(200, 100);
        widget->show();
        QApplication::processEvents();
        log.clear();
    }
    void TearDown() override
    {
        CWnd::ReleaseCapture();
        widget.reset();
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, at, widget->viewport()->mapToGlobal(at), button, buttons, mods);
        QApplication::sendEvent(widget->viewport(), &e);
    }
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent e(type, key, mods, text);
        QApplication::sendEvent(widget.get(), &e);
    }

    std::vector<Msg> log;
    RecordingWnd top{&log, RGB(0, 255, 0)};
    RecordingWnd child{&log, RGB(255, 0, 0)};
    std::unique_ptr<WindowWidget> widget;
};

} // namespace

TEST_F(WindowWidgetTest, ClickGoesToTheWindowUnderTheMouseInItsCoordinates)
{
    Mouse(QEvent::MouseButtonPress, QPoint(15, 25), Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
    Mouse(QEvent::MouseButtonRelease, QPoint(15, 25), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    Mouse(QEvent::MouseButtonPress, QPoint(100, 80), Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);

    const std::vector<Msg> clicks = Only(log, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN});
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].wnd, &child);
    EXPECT_EQ(clicks[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks[0].wParam, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks[1].message, WM_LBUTTONUP);
    EXPECT_EQ(clicks[1].wParam, MK_CONTROL);
    EXPECT_EQ(clicks[2].wnd, &top);
    EXPECT_EQ(clicks[2].wParam, MK_RBUTTON);
    EXPECT_EQ(clicks[2].lParam, MAKELPARAM(100, 80));
}

TEST_F(WindowWidgetTest, CapturedMouseGoesToTheCaptureInItsCoordinates)
{
    child.SetCapture();
    Mouse(QEvent::MouseMove, QPoint(5, 90), Qt::NoButton, Qt::LeftButton);
    const std::vector<Msg> moves = Only(log, {WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wnd, &child);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), -5);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), 70);
    EXPECT_EQ(moves[0].wParam, MK_LBUTTON);
}

TEST_F(WindowWidgetTest, KeysGoToTheFocusedWindowAsVirtualKeys)
{
    child.SetFocus();
    log.clear();
    Key(QEvent::KeyPress, Qt::Key_Down);
    Key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    Key(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    Key(QEvent::KeyPress, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    Key(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);

    const std::vector<Msg> keys = Only(log, {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_CONTEXTMENU});
    // The last is the child's default processing passing the request to its parent.
    ASSERT_EQ(keys.size(), 8u);
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(keys[i].wnd, &child);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wParam, VK_DOWN);
    EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(keys[2].message, WM_CHAR);
    EXPECT_EQ(keys[2].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(keys[3].message, WM_KEYUP);
    EXPECT_EQ(keys[3].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(keys[4].wParam, VK_ADD);
    EXPECT_EQ(keys[5].wParam, VK_F10);
    EXPECT_EQ(keys[6].message, WM_CONTEXTMENU);
    EXPECT_EQ(keys[6].wParam, reinterpret_cast<WPARAM>(&child));
    EXPECT_EQ(keys[6].lParam, -1);
    EXPECT_EQ(keys[7].wnd, &top);
}

TEST_F(WindowWidgetTest, FocusFollowsTheWidgetButNotIntoPopupMenus)
{
    CWnd::FocusChanged(nullptr);
    child.SetFocus();
    log.clear();
    QFocusEvent popupOut(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(widget.get(), &popupOut);
    EXPECT_EQ(CWnd::GetFocus(), &child);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(widget.get(), &out);
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(widget.get(), &in);
    EXPECT_EQ(CWnd::GetFocus(), &child);

    const std::vector<Msg> focus = Only(log, {WM_SETFOCUS, WM_KILLFOCUS});
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0].message, WM_KILLFOCUS);
    EXPECT_EQ(focus[1].message, WM_SETFOCUS);
    EXPECT_EQ(focus[1].wnd, &child);
}

TEST_F(WindowWidgetTest, PaintsChildrenAtTheirOffsetInsideTheirRectangles)
{
    const QImage img = widget->viewport()->grab().toImage();
    ASSERT_EQ(img.size(), QSize(200, 100));
    const QColor red(255, 0, 0), green(0, 255, 0);
    EXPECT_EQ(img.pixelColor(10, 20), red);
    EXPECT_EQ(img.pixelColor(59, 49), red);
    EXPECT_EQ(img.pixelColor(9, 20), green);
    EXPECT_EQ(img.pixelColor(60, 49), green);
    EXPECT_EQ(img.pixelColor(10, 50), green);
    EXPECT_EQ(img.pixelColor(199, 99), green);
}

TEST_F(WindowWidgetTest, ClientSizeAndScrollBarsFollowTheWindow)
{
    RECT rc;
    top.GetClientRect(&rc);
    EXPECT_EQ(rc.right, widget->viewport()->width());
    EXPECT_EQ(rc.bottom, widget->viewport()->height());
    const LONG fullWidth = rc.right;

    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 20;
    top.SetScrollInfo(SB_VERT, si);
    QScrollBar* bar = widget->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 20);
    EXPECT_EQ(bar->maximum(), 90);
    top.GetClientRect(&rc);
    EXPECT_LT(rc.right, fullWidth); // the bar takes its width from the client area
    const std::vector<Msg> sizes = Only(log, {WM_SIZE});
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(sizes.back().lParam)), static_cast<WORD>(rc.right));

    log.clear();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const std::vector<Msg> scrolls = Only(log, {WM_VSCROLL});
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(LOWORD(scrolls[0].wParam), SB_PAGEDOWN);
    EXPECT_EQ(LOWORD(scrolls[1].wParam), SB_ENDSCROLL);
    // The window did not scroll, so neither does the bar.
    EXPECT_EQ(bar->value(), 20);
}

TEST_F(WindowWidgetTest, ChildPointsMapToTheScreenThroughTheHostedParent)
{
    widget->move(300, 200);
    QApplication::processEvents();
    const QPoint expected = widget->viewport()->mapToGlobal(QPoint(11, 22));
    ASSERT_NE(expected, QPoint(11, 22));
    const POINT screen = child.ClientToScreen(POINT{1, 2});
    EXPECT_EQ(screen.x, expected.x());
    EXPECT_EQ(screen.y, expected.y());
    const POINT back = child.ScreenToClient(screen);
    EXPECT_EQ(back.x, 1);
    EXPECT_EQ(back.y, 2);
}

// A tip is asked of the window under the mouse, in its own coordinates, and
// shown in UTF-8; where no window gives one, none is shown.
TEST_F(WindowWidgetTest, TipsComeFromTheWindowUnderTheMouse)
{
    child.tip = "Also at this address: 00-0A-1B-2C-3D-4E \xE2\x9C\x93";
    const auto askAt = [this](QPoint at) {
        QHelpEvent e(QEvent::ToolTip, at, widget->viewport()->mapToGlobal(at));
        QApplication::sendEvent(widget->viewport(), &e);
    };
    askAt(QPoint(15, 25));
    EXPECT_EQ(child.LastTipPoint().x, 5);
    EXPECT_EQ(child.LastTipPoint().y, 5);
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8("Also at this address: 00-0A-1B-2C-3D-4E \u2713"));
    EXPECT_TRUE(QToolTip::isVisible());
    askAt(QPoint(150, 80));
    EXPECT_EQ(Only(log, {WM_QUERYTIPTEXT}).back().wnd, &top);
    // The tip fades out on Qt's own timer.
    QElapsedTimer waited;
    waited.start();
    while (QToolTip::isVisible() && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(QToolTip::isVisible());
}
