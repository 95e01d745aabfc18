// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The drawing interface over a QPainter: screen windows, the measuring context
// and the printer all draw through this class.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QRect>
#include <QTransform>
#include <memory>
#include <optional>

#include "framework/dc.h"

class QPainter;
class QFontMetrics;
class QWidget;
class QStyle;
class QPalette;

class QtPainterDC : public CDC {
public:
    // The painter must stay active while the context lives; its state is
    // restored when the context goes. Its font at this point is the default
    // font. styleWidget (may be null) gives the style and palette.
    explicit QtPainterDC(QPainter* painter, const QWidget* styleWidget = nullptr);
    ~QtPainterDC() override;
    QtPainterDC(const QtPainterDC&) = delete;
    QtPainterDC& operator=(const QtPainterDC&) = delete;

    CFont* SelectObject(CFont* font) override;
    CBrush* SelectObject(CBrush* brush) override;

    void PatBlt(int x, int y, int width, int height) override;
    void FillSolidRect(const RECT& rc, COLORREF c) override;
    void FillRect(const RECT& rc, const CBrush* brush) override;
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF c) override;
    void DrawFocusRect(const RECT& rc) override;
    BOOL TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, RECT* rc, UINT format) override;
    SIZE GetTextExtent(std::string_view text) const override;
    BOOL GetTextMetrics(TEXTMETRIC* tm) const override;
    void GetClipBox(RECT* rc) const override;
    int GetDeviceCaps(int index) const override;
    void DrawImage(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style) override;
    void DrawHeaderSection(const HeaderSectionPaint& section) override;
    void DrawCheckBox(const RECT& rc, bool checked) override;
    POINT SetViewportOrg(int x, int y) override;
    void SetClipRect(const RECT* rc) override;

    // The area the host repaints, in the painter's coordinates at construction
    // (before any viewport origin): drawing stays inside it, and the clip box
    // reports it.
    void SetPaintArea(const QRect& area);

    QPainter* Painter() const { return m_painter; }
    // The Qt font of the selected font (the default font when none is selected).
    QFont CurrentFont() const { return m_qfont; }

protected:
    // Called before anything is drawn; a printer opens its next page here.
    virtual void PrepareToDraw() {}
    // Gives the painter back in the state it came in; nothing is drawn after.
    void ReleasePainter();

private:
    // One picture of the list, without its overlay.
    void DrawListPicture(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style);
    bool BeginDraw();
    QFontMetrics Metrics() const;
    QFont ToQFont(const CFont* font) const;
    QStyle* Style() const;
    QPalette Palette() const;
    void ApplyClip();
    void FillDeviceRect(const QRect& r, COLORREF c);
    // A header's sort arrow in area (or at the section's right end), pointing up or down.
    void DrawSortArrow(QRect area, const QRect& section, bool up, const QColor& colour);
    // A single line laid out once for every paint (see TextLayoutCache);
    // false, drawing nothing, when the text would not fit without clipping.
    bool DrawCachedLine(std::string_view text, const QRect& area, int flags, bool elide, int* height);
    const QByteArray& FontKey() const;

    QPainter* m_painter;
    const QWidget* m_widget;
    bool m_holdsState = true;
    QTransform m_baseTransform;
    QFont m_defaultFont;
    QFont m_qfont;
    mutable QByteArray m_fontKey; // of m_qfont, made when first needed
    CFont* m_font = nullptr;
    CBrush* m_brush = nullptr;
    POINT m_origin{};
    // Both in the painter's coordinates at construction.
    std::optional<QRect> m_paintArea;
    std::optional<QRect> m_clip;
};

// A context for measuring text in the given font (drawing goes to a scratch image).
std::unique_ptr<CDC> CreateQtMeasureDC(const QFont& font);

// Conversions between our colours and rectangles and Qt's.
QColor ToQColor(COLORREF c);
COLORREF ToColorRef(const QColor& c);
QRect ToQRect(const RECT& rc);
