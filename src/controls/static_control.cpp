// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "controls/static_control.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/wnd.h"

namespace {

class StaticControl : public ControlProc {
public:
    explicit StaticControl(CWnd* wnd) : m_wnd(wnd) {}

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETTEXT:
            m_text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            m_wnd->Invalidate();
            return TRUE;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(lParam);
            const auto size = static_cast<std::size_t>(wParam);
            if (buffer == nullptr || size == 0)
                return 0;
            const std::size_t n = std::min(size - 1, m_text.size());
            std::memcpy(buffer, m_text.data(), n);
            buffer[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_text.size());
        default:
            return 0;
        }
    }

private:
    CWnd* m_wnd;
    std::string m_text;
};

std::unique_ptr<ControlProc> CreateStaticControl(CWnd* wnd)
{
    return std::make_unique<StaticControl>(wnd);
}

} // namespace

void RegisterStaticControl()
{
    RegisterWindowClass(kStaticClassName, &CreateStaticControl);
}
