// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/qt_dc.h"
#include "qt_host/text_layout_cache.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "controls/image_list.h"
#include "qt_host/image_cache.h"
#include "qt_host/wire_text.h"

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF ToColorRef(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

QRect ToQRect(const RECT& rc)
{
    return QRect(QPoint(rc.left, rc.top), QSize(rc.right - rc.left, rc.bottom - rc.top));
}

namespace {

// Device context of a window without a selected brush paints white, as the
// platform's stock brush does.
constexpr COLORREF kDefaultBrush = RGB(255, 255, 255);

bool IsRealColour(COLORREF c)
{
    return (c & 0xFF000000u) == 0;
}

QString NormaliseLineBreaks(QString s)
{
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// The text as shown with prefix processing: "&&" is one '&', a lone '&'
// only underlines the next character.
QString WithoutPrefixes(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('&') && i + 1 < s.size())
            ++i;
        else if (s.at(i) == QLatin1Char('&'))
            continue;
        out.append(s.at(i));
    }
    return out;
}

} // namespace

QtPainterDC::QtPainterDC(QPainter* painter, const QWidget* styleWidget) : m_painter(painter), m_widget(styleWidget)
{
    m_painter->save();
    m_baseTransform = m_painter->transform();
    m_defaultFont = m_painter->font();
    m_qfont = m_defaultFont;
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

QtPainterDC::~QtPainterDC()
{
    ReleasePainter();
}

void QtPainterDC::ReleasePainter()
{
    if (m_holdsState && m_painter->isActive())
        m_painter->restore();
    m_holdsState = false;
}

bool QtPainterDC::BeginDraw()
{
    PrepareToDraw();
    return m_holdsState && m_painter->isActive();
}

QFontMetrics QtPainterDC::Metrics() const
{
    if (m_painter->device())
        return QFontMetrics(m_qfont, m_painter->device());
    return QFontMetrics(m_qfont);
}

QFont QtPainterDC::ToQFont(const CFont* font) const
{
    QFont f = m_defaultFont;
    if (font == nullptr)
        return f;
    if (!font->face.empty())
        f.setFamily(TextFromBytes(font->face));
    if (font->pointSize > 0)
        f.setPointSize(font->pointSize);
    f.setBold(font->bold);
    f.setUnderline(font->underline);
    return f;
}

QStyle* QtPainterDC::Style() const
{
    return m_widget ? m_widget->style() : QApplication::style();
}

QPalette QtPainterDC::Palette() const
{
    return m_widget ? m_widget->palette() : QApplication::palette();
}

CFont* QtPainterDC::SelectObject(CFont* font)
{
    CFont* old = m_font;
    m_font = font;
    m_qfont = ToQFont(font);
    m_fontKey.clear();
    if (m_holdsState)
        m_painter->setFont(m_qfont);
    return old;
}

CBrush* QtPainterDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_brush;
    m_brush = brush;
    return old;
}

void QtPainterDC::FillDeviceRect(const QRect& r, COLORREF c)
{
    if (!IsRealColour(c) || r.isEmpty() || !BeginDraw())
        return;
    m_painter->fillRect(r, ToQColor(c));
}

void QtPainterDC::PatBlt(int x, int y, int width, int height)
{
    QRect r(x, y, width, height);
    FillDeviceRect(r.normalized(), m_brush ? m_brush->colour : kDefaultBrush);
}

void QtPainterDC::FillSolidRect(const RECT& rc, COLORREF c)
{
    // The platform fills by an opaque text output, which leaves the colour as
    // the background colour; drawing code relies on that.
    m_clrBk = c;
    FillDeviceRect(ToQRect(rc), c);
}

void QtPainterDC::FillRect(const RECT& rc, const CBrush* brush)
{
    FillDeviceRect(ToQRect(rc), brush ? brush->colour : 0);
}

void QtPainterDC::DrawLine(int x1, int y1, int x2, int y2, COLORREF c)
{
    if (!IsRealColour(c) || (x1 == x2 && y1 == y2) || !BeginDraw())
        return;
    const QColor colour = ToQColor(c);
    // Pixels are filled as unit squares, so lines keep their width at any
    // device pixel ratio. The end point is not drawn.
    if (y1 == y2) {
        m_painter->fillRect(x1 < x2 ? QRect(x1, y1, x2 - x1, 1) : QRect(x2 + 1, y1, x1 - x2, 1), colour);
        return;
    }
    if (x1 == x2) {
        m_painter->fillRect(y1 < y2 ? QRect(x1, y1, 1, y2 - y1) : QRect(x1, y2 + 1, 1, y1 - y2), colour);
        return;
    }
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        m_painter->fillRect(QRect(x, y, 1, 1), colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void QtPainterDC::DrawFocusRect(const RECT& rc)
{
    if (IsRectEmpty(rc) || !BeginDraw())
        return;
    QStyleOptionFocusRect opt;
    opt.rect = ToQRect(rc);
    opt.palette = Palette();
    // Styles draw the cue only for keyboard focus; the caller already decided
    // that the cue is to be shown.
    opt.state = QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    opt.backgroundColor = ToQColor(m_clrBk);
    Style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, m_painter, nullptr);
}

BOOL QtPainterDC::TextOut(int x, int y, std::string_view text)
{
    if (!BeginDraw())
        return FALSE;
    m_painter->setPen(ToQColor(m_clrText));
    m_painter->setBackgroundMode(m_nBkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter->setBackground(ToQColor(m_clrBk));
    // (x, y) is the top of the character cell, not the base line.
    m_painter->drawText(QPoint(x, y + Metrics().ascent()), TextFromBytes(text));
    return TRUE;
}

int QtPainterDC::DrawText(std::string_view text, RECT* rc, UINT format)
{
    if (rc == nullptr)
        return 0;
    const QFontMetrics fm = Metrics();
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    // Vertical placement applies to single lines only, as on the platform.
    if (singleLine && (format & DT_VCENTER))
        flags |= Qt::AlignVCenter;
    else if (singleLine && (format & DT_BOTTOM))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (singleLine)
        flags |= Qt::TextSingleLine;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;

    QString s = TextFromBytes(text);
    if (!singleLine)
        s = NormaliseLineBreaks(s);
    const int lineHeight = fm.ascent() + fm.descent();
    if (s.isEmpty()) {
        if (format & DT_CALCRECT) {
            rc->right = rc->left;
            rc->bottom = rc->top + (singleLine ? lineHeight : 0);
        }
        return lineHeight;
    }
    const QRect area = ToQRect(*rc);
    // The common case, a line that is drawn, not measured, on a transparent
    // background and without mnemonics, comes laid out from the cache.
    if (singleLine && !(format & DT_CALCRECT) && m_nBkMode != OPAQUE &&
        (!(flags & Qt::TextShowMnemonic) || text.find('&') == std::string_view::npos)) {
        int height = 0;
        if (DrawCachedLine(text, area, flags, (format & DT_END_ELLIPSIS) != 0, &height))
            return height;
    }
    if (format & DT_END_ELLIPSIS) {
        const int mnemonic = flags & Qt::TextShowMnemonic;
        if (singleLine) {
            s = fm.elidedText(s, Qt::ElideRight, area.width(), mnemonic);
        } else {
            QStringList lines = s.split(QLatin1Char('\n'));
            for (QString& line : lines)
                line = fm.elidedText(line, Qt::ElideRight, area.width(), mnemonic);
            s = lines.join(QLatin1Char('\n'));
        }
    }
    if (format & DT_CALCRECT) {
        // Lines measure as GetTextExtent does, so callers can mix the two.
        const QStringList lines =
            singleLine ? QStringList{s.replace(QLatin1Char('\n'), QLatin1Char(' '))} : s.split(QLatin1Char('\n'));
        int width = 0;
        for (const QString& line : lines)
            width =
                std::max(width, fm.horizontalAdvance((flags & Qt::TextShowMnemonic) ? WithoutPrefixes(line) : line));
        const int height = lineHeight * static_cast<int>(lines.size());
        rc->right = rc->left + width;
        rc->bottom = rc->top + height;
        return height;
    }
    if (!BeginDraw())
        return 0;
    m_painter->setPen(ToQColor(m_clrText));
    m_painter->setBackgroundMode(m_nBkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter->setBackground(ToQColor(m_clrBk));
    QRect drawn;
    m_painter->drawText(area, flags, s, &drawn);
    if (flags & (Qt::AlignVCenter | Qt::AlignBottom))
        return drawn.bottom() + 1 - area.top();
    return drawn.height();
}

const QByteArray& QtPainterDC::FontKey() const
{
    if (m_fontKey.isEmpty())
        m_fontKey = m_qfont.key().toUtf8();
    return m_fontKey;
}

bool QtPainterDC::DrawCachedLine(std::string_view text, const QRect& area, int flags, bool elide, int* height)
{
    const TextLayoutCache::Line& line = TextLayoutCache::Instance().Get(m_qfont, FontKey(), m_painter->device(), text,
                                                                        elide ? std::max(0, area.width()) : -1);
    // Placed as QPainter::drawText places a line in a rectangle; a line that
    // fits needs no clip, one that does not is left to drawText.
    if (!(flags & Qt::TextDontClip) && (line.width > area.width() || line.height > area.height()))
        return false;
    qreal x = 0;
    if (flags & Qt::AlignRight)
        x = area.width() - line.width;
    else if (flags & Qt::AlignHCenter)
        x = (area.width() - line.width) / 2;
    qreal y = 0;
    if (flags & Qt::AlignBottom)
        y = area.height() - line.height;
    else if (flags & Qt::AlignVCenter)
        y = (area.height() - line.height) / 2;
    if (!BeginDraw())
        return true;
    m_painter->setPen(ToQColor(m_clrText));
    m_painter->setBackgroundMode(Qt::TransparentMode);
    const QPointF at(area.x() + x, area.y() + y);
    m_painter->drawStaticText(at, line.text);
    const QRect drawn = QRectF(at, QSizeF(line.width, line.height)).toAlignedRect();
    *height = (flags & (Qt::AlignVCenter | Qt::AlignBottom)) ? drawn.bottom() + 1 - area.top() : drawn.height();
    return true;
}

SIZE QtPainterDC::GetTextExtent(std::string_view text) const
{
    const QFontMetrics fm = Metrics();
    // Measured once per font, device and text: lists measure their labels at every paint.
    QByteArray key = FontKey();
    key.append('\x03').append(QByteArray::number(m_painter->device() ? m_painter->device()->logicalDpiX() : 0));
    return SIZE{TextLayoutCache::Instance().Advance(fm, key, text), fm.ascent() + fm.descent()};
}

BOOL QtPainterDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (tm == nullptr)
        return FALSE;
    const QFontMetrics fm = Metrics();
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmHeight = fm.ascent() + fm.descent();
    // Internal leading: the part of the cell above the em square.
    qreal emPixels = m_qfont.pixelSize();
    if (emPixels <= 0) {
        const int dpi = m_painter->device() ? m_painter->device()->logicalDpiY() : 96;
        emPixels = m_qfont.pointSizeF() * dpi / 72.0;
    }
    tm->tmInternalLeading = std::max<LONG>(0, tm->tmHeight - static_cast<LONG>(emPixels + 0.5));
    tm->tmExternalLeading = std::max(0, fm.leading());
    tm->tmAveCharWidth = fm.averageCharWidth();
    tm->tmMaxCharWidth = fm.maxWidth();
    return TRUE;
}

void QtPainterDC::GetClipBox(RECT* rc) const
{
    if (rc == nullptr)
        return;
    QRect box;
    if (const QPaintDevice* dev = m_painter->device())
        box = QRect(0, 0, dev->width(), dev->height());
    if (m_paintArea)
        box = box.isNull() ? *m_paintArea : box & *m_paintArea;
    if (m_clip)
        box &= *m_clip;
    box.translate(-m_origin.x, -m_origin.y);
    if (box.isEmpty())
        box = QRect();
    *rc = RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

int QtPainterDC::GetDeviceCaps(int index) const
{
    const QPaintDevice* dev = m_painter->device();
    if (dev == nullptr)
        return 0;
    switch (index) {
    case BITSPIXEL:
        return dev->depth();
    case PLANES:
        return 1;
    case LOGPIXELSX:
        return dev->logicalDpiX();
    case LOGPIXELSY:
        return dev->logicalDpiY();
    case HORZRES:
        return dev->width();
    case VERTRES:
        return dev->height();
    default:
        return 0;
    }
}

void QtPainterDC::DrawImage(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style)
{
    const ImageData* data = list ? list->GetImage(index) : nullptr;
    if (data == nullptr || !BeginDraw())
        return;
    if (list->IsCheckBoxes()) {
        const int w = cx > 0 ? std::min(cx, data->width) : data->width;
        const int h = cy > 0 ? std::min(cy, data->height) : data->height;
        DrawCheckBox(RECT{x, y, x + w, y + h}, index == 1);
        return;
    }
    DrawListPicture(list, index, x, y, cx, cy, style & ~LVIS_OVERLAYMASK);
    // The overlay the style names goes on top, in the same place.
    const int overlay = static_cast<int>((style & LVIS_OVERLAYMASK) >> 8);
    const int overlayImage = overlay > 0 ? list->GetOverlayImage(overlay) : -1;
    if (overlayImage >= 0)
        DrawListPicture(list, overlayImage, x, y, cx, cy, style & ~LVIS_OVERLAYMASK);
}

void QtPainterDC::DrawListPicture(const CImageList* list, int index, int x, int y, int cx, int cy, UINT style)
{
    const ImageData* data = list->GetImage(index);
    if (data == nullptr)
        return;
    // A zero size means the whole picture.
    const int w = cx > 0 ? std::min(cx, data->width) : data->width;
    const int h = cy > 0 ? std::min(cy, data->height) : data->height;
    const qreal scale = m_painter->device() ? m_painter->device()->devicePixelRatioF() : 1.0;
    const QImage picture = ImageListPicture(list, index, style, scale);
    if (picture.isNull())
        return;
    const qreal s = picture.devicePixelRatio();
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter->drawImage(QRectF(x, y, w, h), picture, QRectF(0, 0, w * s, h * s));
    m_painter->restore();
}

void QtPainterDC::DrawHeaderSection(const HeaderSectionPaint& section)
{
    if (IsRectEmpty(section.rc) || !BeginDraw())
        return;
    QStyle* style = Style();
    QStyleOptionHeader opt;
    opt.rect = ToQRect(section.rc);
    opt.palette = Palette();
    opt.fontMetrics = Metrics();
    opt.orientation = Qt::Horizontal;
    opt.position = QStyleOptionHeader::Middle;
    opt.selectedPosition = QStyleOptionHeader::NotAdjacent;
    opt.state = QStyle::State_Enabled | QStyle::State_Horizontal | QStyle::State_Active;
    opt.state |= section.pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (section.hot)
        opt.state |= QStyle::State_MouseOver;
    switch (section.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        opt.textAlignment = Qt::AlignRight | Qt::AlignVCenter;
        break;
    case HDF_CENTER:
        opt.textAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
        break;
    default:
        opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        break;
    }
    // The style lays out room for the arrow; the arrow itself is drawn below,
    // pointing up for ascending order and down for descending, whatever way a
    // style would turn it.
    if (section.fmt & (HDF_SORTUP | HDF_SORTDOWN))
        opt.sortIndicator = QStyleOptionHeader::SortDown;

    m_painter->save();
    m_painter->setClipRect(opt.rect, Qt::IntersectClip);
    style->drawControl(QStyle::CE_HeaderSection, &opt, m_painter, nullptr);

    QStyleOptionHeader label = opt;
    label.rect = style->subElementRect(QStyle::SE_HeaderLabel, &opt, nullptr);
    const ImageData* image =
        (section.fmt & HDF_IMAGE) && section.images ? section.images->GetImage(section.image) : nullptr;
    if (image != nullptr && label.rect.isValid()) {
        const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, &opt, nullptr);
        const int iw = std::min(image->width, label.rect.width());
        const int ih = std::min(image->height, label.rect.height());
        const int iy = label.rect.top() + (label.rect.height() - ih) / 2;
        const bool right = (section.fmt & HDF_BITMAP_ON_RIGHT) != 0;
        const int ix = right ? label.rect.right() + 1 - iw : label.rect.left();
        DrawImage(section.images, section.image, ix, iy, iw, ih, ILD_NORMAL);
        if (right)
            label.rect.setRight(ix - margin - 1);
        else
            label.rect.setLeft(ix + iw + margin);
    }
    if (label.rect.isValid()) {
        label.text = opt.fontMetrics.elidedText(TextFromBytes(section.text), Qt::ElideRight, label.rect.width());
        style->drawControl(QStyle::CE_HeaderLabel, &label, m_painter, nullptr);
    }
    if (section.fmt & (HDF_SORTUP | HDF_SORTDOWN))
        DrawSortArrow(style->subElementRect(QStyle::SE_HeaderArrow, &opt, nullptr), opt.rect,
                      (section.fmt & HDF_SORTUP) != 0, opt.palette.color(QPalette::ButtonText));
    m_painter->restore();
}

void QtPainterDC::DrawSortArrow(QRect area, const QRect& section, bool up, const QColor& colour)
{
    if (!area.isValid())
        area = QRect(section.right() - 14, section.top(), 10, section.height());
    const int width = std::min(9, area.width());
    const int height = (width + 1) / 2;
    if (width < 3)
        return;
    const int left = area.left() + (area.width() - width) / 2;
    const int top = area.top() + (area.height() - height) / 2;
    QPolygon triangle;
    if (up)
        triangle << QPoint(left, top + height) << QPoint(left + width, top + height) << QPoint(left + width / 2, top);
    else
        triangle << QPoint(left, top) << QPoint(left + width, top) << QPoint(left + width / 2, top + height);
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(colour);
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    m_painter->drawPolygon(triangle);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

void QtPainterDC::DrawCheckBox(const RECT& rc, bool checked)
{
    if (IsRectEmpty(rc) || !BeginDraw())
        return;
    QStyleOptionButton opt;
    opt.rect = ToQRect(rc);
    opt.palette = Palette();
    opt.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    Style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, m_painter, nullptr);
}

POINT QtPainterDC::SetViewportOrg(int x, int y)
{
    const POINT old = m_origin;
    m_origin = POINT{x, y};
    if (m_holdsState)
        m_painter->setTransform(QTransform::fromTranslate(x, y) * m_baseTransform);
    return old;
}

void QtPainterDC::SetClipRect(const RECT* rc)
{
    if (rc)
        m_clip = ToQRect(*rc).translated(m_origin.x, m_origin.y);
    else
        m_clip.reset();
    ApplyClip();
}

void QtPainterDC::SetPaintArea(const QRect& area)
{
    m_paintArea = area;
    ApplyClip();
}

void QtPainterDC::ApplyClip()
{
    if (!m_holdsState || !m_painter->isActive())
        return;
    std::optional<QRect> clip = m_clip;
    if (m_paintArea)
        clip = clip ? (*clip & *m_paintArea) : *m_paintArea;
    if (!clip) {
        m_painter->setClipping(false);
        return;
    }
    // The painter takes the clip in the current (translated) coordinates.
    m_painter->setClipRect(clip->translated(-m_origin.x, -m_origin.y), Qt::ReplaceClip);
}

namespace {

// The scratch surface must exist before the context that paints on it.
struct MeasureSurface {
    explicit MeasureSurface(const QFont& font) : image(8, 8, QImage::Format_ARGB32_Premultiplied)
    {
        painter.begin(&image);
        painter.setFont(font);
    }
    ~MeasureSurface()
    {
        if (painter.isActive())
            painter.end();
    }
    QImage image;
    QPainter painter;
};

class QtMeasureDC : private MeasureSurface, public QtPainterDC {
public:
    explicit QtMeasureDC(const QFont& font) : MeasureSurface(font), QtPainterDC(&painter) {}
};

} // namespace

std::unique_ptr<CDC> CreateQtMeasureDC(const QFont& font)
{
    return std::make_unique<QtMeasureDC>(font);
}
