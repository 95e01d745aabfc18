// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "controls/ip_address_control.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "controls/edit_control.h"
#include "framework/wnd.h"

namespace {

constexpr WPARAM kBackspace = 0x08;
constexpr std::size_t kFieldDigits = 3;

struct Field {
    std::string digits; // empty: blank
    int low = 0;
    int high = 255;
};

class IPAddressControl : public ControlProc {
public:
    explicit IPAddressControl(CWnd* wnd) : m_wnd(wnd) {}

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case IPM_CLEARADDRESS:
            Clear();
            return 0;
        case IPM_SETADDRESS:
            SetAddress(static_cast<DWORD>(lParam));
            return TRUE;
        case IPM_GETADDRESS:
            return GetAddress(reinterpret_cast<DWORD*>(lParam));
        case IPM_SETRANGE:
            return SetRange(wParam, static_cast<WORD>(lParam));
        case IPM_SETFOCUS:
            FocusField(wParam);
            return 0;
        case IPM_ISBLANK:
            return std::all_of(m_fields.begin(), m_fields.end(), [](const Field& f) { return f.digits.empty(); });
        case IPM_SETFIELDTEXT:
            return SetFieldText(wParam, reinterpret_cast<const char*>(lParam));
        case IPM_GETFIELDTEXT:
            return GetFieldText(wParam, reinterpret_cast<char*>(lParam));
        case IPM_GETCURRENTFIELD:
            return m_current;
        case WM_CHAR:
            TypeCharacter(wParam);
            return 0;
        case WM_SETFOCUS:
            // The current field's text is selected: typing replaces it.
            m_replaceOnType = true;
            Notify(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if (Constrain(m_current))
                Changed();
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
    void Clear()
    {
        bool changed = false;
        for (Field& f : m_fields) {
            changed = changed || !f.digits.empty();
            f.digits.clear();
        }
        if (changed)
            Changed();
    }

    void SetAddress(DWORD address)
    {
        bool changed = false;
        for (int i = 0; i < kIPAddressFields; ++i) {
            const std::string digits = std::to_string((address >> (8 * (3 - i))) & 0xFF);
            changed = changed || m_fields[i].digits != digits;
            m_fields[i].digits = digits;
        }
        if (changed)
            Changed();
    }

    // Blank fields read as 0.
    LRESULT GetAddress(DWORD* out) const
    {
        DWORD address = 0;
        LRESULT filled = 0;
        for (const Field& f : m_fields) {
            address <<= 8;
            if (!f.digits.empty()) {
                address |= static_cast<DWORD>(std::min(std::stoi(f.digits), 255));
                ++filled;
            }
        }
        if (out)
            *out = address;
        return filled;
    }

    LRESULT SetRange(WPARAM field, WORD range)
    {
        if (field >= kIPAddressFields)
            return FALSE;
        const int low = range & 0xFF;
        const int high = (range >> 8) & 0xFF;
        if (low > high)
            return FALSE;
        m_fields[field].low = low;
        m_fields[field].high = high;
        if (Constrain(static_cast<int>(field)))
            Changed();
        return TRUE;
    }

    // Past the last field means the first blank one (or the first, when none is blank).
    void FocusField(WPARAM field)
    {
        int target = 0;
        if (field < kIPAddressFields) {
            target = static_cast<int>(field);
        } else {
            for (int i = kIPAddressFields - 1; i >= 0; --i)
                if (m_fields[i].digits.empty())
                    target = i;
        }
        // The field first, so that a host showing the focus finds it.
        m_current = target;
        m_replaceOnType = true;
        m_wnd->SetFocus();
    }

    LRESULT SetFieldText(WPARAM field, const char* text)
    {
        if (field >= kIPAddressFields)
            return FALSE;
        std::string digits;
        for (const char* p = text; p && *p && digits.size() < kFieldDigits; ++p)
            if (*p >= '0' && *p <= '9')
                digits += *p;
        Field& f = m_fields[field];
        const bool changed = f.digits != digits;
        f.digits = digits;
        m_current = static_cast<int>(field);
        m_replaceOnType = false;
        if (f.digits.size() == kFieldDigits)
            Constrain(m_current);
        if (changed)
            Changed();
        else
            m_wnd->Invalidate(); // the host may show something the field refused
        return TRUE;
    }

    LRESULT GetFieldText(WPARAM field, char* buffer) const
    {
        if (field >= kIPAddressFields || buffer == nullptr)
            return 0;
        const std::string& d = m_fields[field].digits;
        std::memcpy(buffer, d.data(), d.size());
        buffer[d.size()] = '\0';
        return static_cast<LRESULT>(d.size());
    }

    void TypeCharacter(WPARAM ch)
    {
        Field& f = m_fields[m_current];
        if (ch >= '0' && ch <= '9') {
            if (m_replaceOnType) {
                f.digits.clear();
                m_replaceOnType = false;
            }
            if (f.digits.size() >= kFieldDigits)
                return;
            f.digits += static_cast<char>(ch);
            if (f.digits.size() == kFieldDigits)
                MoveTo(m_current + 1, true);
            Changed();
        } else if (ch == '.' || ch == ' ') {
            // A field just entered has nothing typed yet: the dot the user
            // types after three digits must not skip a field.
            if (!f.digits.empty() && !m_replaceOnType && m_current + 1 < kIPAddressFields) {
                MoveTo(m_current + 1, true);
                Changed();
            }
        } else if (ch == kBackspace) {
            if (f.digits.empty()) {
                if (m_current > 0)
                    MoveTo(m_current - 1, false);
                return;
            }
            if (m_replaceOnType)
                f.digits.clear();
            else
                f.digits.pop_back();
            m_replaceOnType = false;
            Changed();
        }
    }

    // Leaving a field puts its value into range; the last field keeps the caret.
    void MoveTo(int field, bool selectAll)
    {
        Constrain(m_current);
        if (field < 0 || field >= kIPAddressFields)
            return;
        m_current = field;
        m_replaceOnType = selectAll;
        m_wnd->Invalidate();
    }

    bool Constrain(int field)
    {
        Field& f = m_fields[field];
        if (f.digits.empty())
            return false;
        const int value = std::clamp(std::stoi(f.digits), f.low, f.high);
        const std::string digits = std::to_string(value);
        if (digits == f.digits)
            return false;
        f.digits = digits;
        return true;
    }

    void Changed()
    {
        m_wnd->Invalidate();
        Notify(EN_CHANGE);
    }

    void Notify(int code) { NotifyParentCommand(m_wnd, code); }

    CWnd* m_wnd;
    std::array<Field, kIPAddressFields> m_fields{};
    int m_current = 0;
    bool m_replaceOnType = true;
    CFont* m_font = nullptr;
};

std::unique_ptr<ControlProc> CreateIPAddressControl(CWnd* wnd)
{
    return std::make_unique<IPAddressControl>(wnd);
}

} // namespace

void RegisterIPAddressControl()
{
    RegisterWindowClass(kIPAddressClassName, &CreateIPAddressControl);
}
