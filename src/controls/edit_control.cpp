// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "controls/edit_control.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/resources.h"
#include "framework/wnd.h"

namespace {

constexpr WPARAM kBackspace = 0x08;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The UTF-8 bytes of one typed character.
std::string EncodeCharacter(WPARAM cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Passwords pass through this buffer: overwrite it before the memory is released.
void Wipe(std::string& s)
{
    volatile char* p = s.data();
    for (std::size_t i = 0; i < s.size(); ++i)
        p[i] = 0;
    s.clear();
}

class EditControl : public ControlProc {
public:
    explicit EditControl(CWnd* wnd) : m_wnd(wnd)
    {
        // Room for a usual text, so that typing does not leave copies behind in freed memory.
        m_text.reserve(64);
    }
    ~EditControl() override { Wipe(m_text); }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETTEXT:
            SetText(reinterpret_cast<const char*>(lParam));
            return TRUE;
        case WM_GETTEXT:
            return CopyText(static_cast<std::size_t>(wParam), reinterpret_cast<char*>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_text.size());
        case WM_CHAR:
            TypeCharacter(wParam);
            return 0;
        case EM_REPLACESEL:
            Paste(reinterpret_cast<const char*>(lParam));
            return 0;
        case EM_LIMITTEXT:
            m_limit = wParam == 0 ? kEditLargestLimit : static_cast<UINT>(std::min<WPARAM>(wParam, kEditLargestLimit));
            m_wnd->Invalidate();
            return 0;
        case EM_GETLIMITTEXT:
            return m_limit;
        case WM_SETFOCUS:
            Notify(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            Notify(EN_KILLFOCUS);
            return 0;
        case WM_SETFONT:
            m_font = reinterpret_cast<CFont*>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font);
        default:
            return 0;
        }
    }

private:
    bool Uppercase() const { return (m_wnd->GetStyle() & ES_UPPERCASE) != 0; }
    // The user reads the text; only the program writes it.
    bool ReadOnly() const { return (m_wnd->GetStyle() & ES_READONLY) != 0; }

    void ToCase(std::string& s) const
    {
        if (!Uppercase())
            return;
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    }

    // Setting the text bypasses the limit, as on the platform.
    void SetText(const char* text)
    {
        std::string value = text ? text : "";
        ToCase(value);
        Wipe(m_text);
        m_text = std::move(value);
        Changed();
    }

    LRESULT CopyText(std::size_t size, char* buffer) const
    {
        if (buffer == nullptr || size == 0)
            return 0;
        const std::size_t n = std::min(size - 1, m_text.size());
        std::memcpy(buffer, m_text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }

    void TypeCharacter(WPARAM ch)
    {
        if (ReadOnly())
            return;
        if (ch == kBackspace) {
            if (m_text.empty())
                return;
            std::size_t end = m_text.size() - 1;
            while (end > 0 && IsContinuationByte(m_text[end]))
                --end;
            m_text.erase(end);
            Changed();
            return;
        }
        if (ch < 0x20 || ch == 0x7F)
            return; // Enter, Tab, Esc and control keys belong to the dialog
        std::string bytes = EncodeCharacter(ch);
        ToCase(bytes);
        if (bytes.empty())
            return;
        if (m_text.size() + bytes.size() > m_limit) {
            Notify(EN_MAXTEXT);
            return;
        }
        m_text += bytes;
        Changed();
    }

    // A paste: one line, cut to what the limit leaves room for.
    void Paste(const char* text)
    {
        if (ReadOnly())
            return;
        std::string value = text ? text : "";
        value.erase(std::min(value.find_first_of("\r\n"), value.size()));
        ToCase(value);
        const std::size_t room = m_limit > m_text.size() ? m_limit - m_text.size() : 0;
        bool truncated = false;
        if (value.size() > room) {
            std::size_t cut = room;
            while (cut > 0 && IsContinuationByte(value[cut]))
                --cut; // never split a character
            value.erase(cut);
            truncated = true;
        }
        if (!value.empty()) {
            m_text += value;
            Changed();
        }
        if (truncated)
            Notify(EN_MAXTEXT);
    }

    void Changed()
    {
        m_wnd->Invalidate();
        Notify(EN_CHANGE);
    }

    void Notify(int code) { NotifyParentCommand(m_wnd, code); }

    CWnd* m_wnd;
    std::string m_text;
    UINT m_limit = kEditDefaultLimit;
    CFont* m_font = nullptr;
};

std::unique_ptr<ControlProc> CreateEditControl(CWnd* wnd)
{
    return std::make_unique<EditControl>(wnd);
}

} // namespace

void RegisterEditControl()
{
    RegisterWindowClass(kEditClassName, &CreateEditControl);
}
