// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/control_spy.h"

#include <memory>

#include "framework/commctrl.h"

namespace {

ControlSpy* g_spy = nullptr;
ControlFactory g_realListView = nullptr;
ControlFactory g_realHeader = nullptr;
std::set<const CWnd*> g_spiedHeaders;

// Records each message, then hands it to the control it wraps.
class SpyProc : public ControlProc {
public:
    SpyProc(SpyWindow window, CWnd* wnd, std::unique_ptr<ControlProc> real)
        : m_window(window), m_wnd(wnd), m_real(std::move(real))
    {
    }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (g_spy != nullptr)
            g_spy->ControlReceived(m_window, m_wnd, message, wParam, lParam);
        return m_real ? m_real->WndProc(message, wParam, lParam) : 0;
    }

private:
    SpyWindow m_window;
    CWnd* m_wnd;
    std::unique_ptr<ControlProc> m_real;
};

std::unique_ptr<ControlProc> SpyListView(CWnd* wnd)
{
    return std::make_unique<SpyProc>(SpyWindow::ListView, wnd, g_realListView ? g_realListView(wnd) : nullptr);
}

std::unique_ptr<ControlProc> SpyHeader(CWnd* wnd)
{
    g_spiedHeaders.insert(wnd);
    return std::make_unique<SpyProc>(SpyWindow::Header, wnd, g_realHeader ? g_realHeader(wnd) : nullptr);
}

std::vector<int> OrderArray(WPARAM count, LPARAM array)
{
    const auto* order = reinterpret_cast<const int*>(array);
    const auto n = static_cast<INT_PTR>(count);
    if (order == nullptr || n <= 0 || n > 1024)
        return {};
    return std::vector<int>(order, order + n);
}

void SetText(RecordedMessage& m, bool hasText, const char* text)
{
    if (!hasText)
        return;
    m.textIsCallback = text == LPSTR_TEXTCALLBACKA;
    if (text != nullptr && !m.textIsCallback)
        m.text = text;
}

} // namespace

ControlSpy::ControlSpy()
    : ignored{WM_PAINT, WM_ERASEBKGND, WM_GETFONT, WM_SETCURSOR, WM_TIMER, WM_IDLEUPDATECMDUI},
      m_realListView(FindWindowClass(WC_LISTVIEWA)), m_realHeader(FindWindowClass(WC_HEADERA)), m_previous(g_spy)
{
    // A spy made while another lives takes over the recording; the classes stay wrapped once.
    g_spy = this;
    if (m_previous == nullptr) {
        g_realListView = m_realListView;
        g_realHeader = m_realHeader;
        RegisterWindowClass(WC_LISTVIEWA, SpyListView);
        RegisterWindowClass(WC_HEADERA, SpyHeader);
    }
}

ControlSpy::~ControlSpy()
{
    if (m_parent != nullptr)
        m_parent->onRecorded = nullptr;
    g_spy = m_previous;
    if (m_previous == nullptr) {
        RegisterWindowClass(WC_LISTVIEWA, m_realListView);
        RegisterWindowClass(WC_HEADERA, m_realHeader);
        g_spiedHeaders.clear();
    }
}

bool IsSpiedHeader(const CWnd* wnd)
{
    return g_spiedHeaders.count(wnd) != 0;
}

void ControlSpy::Watch(MessageRecorder& parent)
{
    m_parent = &parent;
    parent.onRecorded = [this](const RecordedMessage& m) { m_all.push_back(m); };
}

std::vector<RecordedMessage> ControlSpy::Of(SpyWindow window) const
{
    std::vector<RecordedMessage> out;
    for (const RecordedMessage& m : m_all)
        if (m.window == window)
            out.push_back(m);
    return out;
}

void ControlSpy::ControlReceived(SpyWindow window, CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ignored.count(message))
        return;
    RecordedMessage m;
    m.window = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.from = wnd;
    m.direct = !wnd->ControlMessageCameByDefault();
    if (message == LVM_SETCOLUMNORDERARRAY || message == HDM_SETORDERARRAY)
        m.orderArray = OrderArray(wParam, lParam);
    // Item and column records: what they said when the control got them.
    if (lParam != 0 && (message == LVM_INSERTITEMA || message == LVM_SETITEMA || message == LVM_GETITEMA ||
                        message == LVM_SETITEMTEXTA || message == LVM_GETITEMTEXTA)) {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        m.item = item->iItem;
        m.subItem = item->iSubItem;
        m.changed = item->mask;
        SetText(m,
                (message == LVM_INSERTITEMA || message == LVM_SETITEMA) ? (item->mask & LVIF_TEXT) != 0
                                                                        : message == LVM_SETITEMTEXTA,
                item->pszText);
    } else if (lParam != 0 && (message == LVM_INSERTCOLUMNA || message == LVM_SETCOLUMNA)) {
        const auto* column = reinterpret_cast<const LVCOLUMNA*>(lParam);
        m.changed = column->mask;
        m.order = column->iOrder;
        m.width = column->cx;
        SetText(m, (column->mask & LVCF_TEXT) != 0, column->pszText);
    }
    m_all.push_back(m);
}
