// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The drawing interface every window paints through. The Qt host implements it
// with a QPainter; tests record the calls. Names follow the framework's device
// context so that drawing code reads like its model.
#pragma once

#include <string>
#include <string_view>

#include "framework/window_records.h"
#include "system/win_types.h"

// System colour indices.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_COUNT = 31;

// The current system colours; the Qt host fills them from the desktop palette.
COLORREF GetSysColor(int index);
void SetSysColors(const COLORREF (&colours)[COLOR_COUNT]);
void ResetSysColors();

// DrawText formats.
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Device capabilities.
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;

constexpr int MM_TEXT = 1;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Printer escapes.
constexpr int NEWFRAME = 1;
constexpr int ENDDOC = 11;

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
};

// A logical font: enough to pick a face and make the underlined copy the
// owner-drawn list needs.
class CFont {
public:
    std::string face;  // empty: the desktop's default font
    int pointSize = 0; // 0: the desktop's default size
    bool bold = false;
    bool underline = false;
};

// A solid brush; the only kind the list needs.
class CBrush {
public:
    explicit CBrush(COLORREF c = 0) : colour(c) {}
    COLORREF colour;
};

// What a native header section looks like; the host draws it with its style.
struct HeaderSectionPaint {
    RECT rc{};
    std::string text;
    int fmt = 0; // HDF_* alignment and sort bits
    bool pressed = false;
    bool hot = false;
    const CImageList* images = nullptr;
    int image = -1;
};

class CDC {
public:
    virtual ~CDC() = default;

    // The colours and modes every context keeps; each setter returns the old value.
    virtual COLORREF SetTextColor(COLORREF c) { return Exchange(m_clrText, c); }
    virtual COLORREF GetTextColor() const { return m_clrText; }
    virtual COLORREF SetBkColor(COLORREF c) { return Exchange(m_clrBk, c); }
    virtual COLORREF GetBkColor() const { return m_clrBk; }
    virtual int SetBkMode(int mode) { return Exchange(m_nBkMode, mode); }
    // Text mode is the only mapping: one logical unit per device pixel.
    virtual int SetMapMode(int mode) { return Exchange(m_nMapMode, mode); }
    virtual CFont* SelectObject(CFont* font) = 0;
    virtual CBrush* SelectObject(CBrush* brush) = 0;

    // Fills with the selected brush (the pattern-copy raster operation).
    virtual void PatBlt(int x, int y, int width, int height) = 0;
    virtual void FillSolidRect(const RECT& rc, COLORREF c) = 0;
    virtual void FillRect(const RECT& rc, const CBrush* brush) { FillSolidRect(rc, brush ? brush->colour : 0); }
    // A one-pixel line in the given colour, end point excluded.
    virtual void DrawLine(int x1, int y1, int x2, int y2, COLORREF c) = 0;
    virtual void DrawFocusRect(const RECT& rc) = 0;
    virtual BOOL TextOut(int x, int y, std::string_view text) = 0;
    virtual int DrawText(std::string_view text, RECT* rc, UINT format) = 0;
    virtual SIZE GetTextExtent(std::string_view text) const = 0;
    virtual BOOL GetTextMetrics(TEXTMETRIC* tm) const = 0;
    virtual void GetClipBox(RECT* rc) const = 0;
    virtual int GetDeviceCaps(int index) const = 0;
    // The image list's indirect draw: image i at (x, y), cut to cx by cy.
    virtual void DrawImage(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style) = 0;
    // Native look for header sections and item check boxes.
    virtual void DrawHeaderSection(const HeaderSectionPaint& section) = 0;
    virtual void DrawCheckBox(const RECT& rc, bool checked) = 0;
    // Printer escapes (NEWFRAME, ENDDOC); a screen answers -1.
    virtual int Escape(int code)
    {
        (void)code;
        return -1;
    }
    // A printer's job is over once the document has ended or an escape failed.
    virtual bool IsPrintJobOver() const { return false; }
    // Where logical (0,0) lies in device coordinates; a host moves it to paint a
    // child window inside its parent. Returns the previous origin.
    virtual POINT SetViewportOrg(int x, int y) = 0;
    // Limits drawing to rc (logical coordinates); nullptr removes the limit.
    virtual void SetClipRect(const RECT* rc) = 0;

protected:
    template <class T> static T Exchange(T& field, T value)
    {
        const T old = field;
        field = value;
        return old;
    }

    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrBk = RGB(255, 255, 255);
    int m_nBkMode = OPAQUE;
    int m_nMapMode = MM_TEXT;
};
