// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "controls/image_list.h"
#include "qt_host/image_cache.h"
#include "qt_host/qt_dc.h"

namespace {

const QColor kWhite(255, 255, 255);

QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(kWhite);
    return img;
}

// Columns and rows that hold any non-white pixel.
struct Ink {
    int left = -1, right = -1, top = -1, bottom = -1;
    bool Any() const { return left >= 0; }
};

Ink InkOf(const QImage& img)
{
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixelColor(x, y) == kWhite)
                continue;
            if (!ink.Any()) {
                ink = Ink{x, x, y, y};
                continue;
            }
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

template <class Draw> QImage DrawOn(int w, int h, Draw draw)
{
    QImage img = WhiteImage(w, h);
    {
        QPainter painter(&img);
        QtPainterDC dc(&painter);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.SetBkMode(TRANSPARENT);
        draw(dc);
    }
    return img;
}

} // namespace

TEST(QtPainterDC, FillsUseTheColourBytesInOrderAndExcludeRightAndBottom)
{
    COLORREF bkAfterFill = 0;
    const QImage img = DrawOn(20, 20, [&](QtPainterDC& dc) {
        dc.FillSolidRect(RECT{2, 3, 6, 8}, RGB(10, 20, 200));
        bkAfterFill = dc.GetBkColor();
        CBrush brush(RGB(0, 128, 0));
        dc.SelectObject(&brush);
        dc.PatBlt(10, 10, 3, 2);
        dc.FillRect(RECT{15, 0, 17, 2}, &brush);
    });
    EXPECT_EQ(img.pixelColor(2, 3), QColor(10, 20, 200));
    EXPECT_EQ(img.pixelColor(5, 7), QColor(10, 20, 200));
    EXPECT_EQ(img.pixelColor(6, 7), kWhite);
    EXPECT_EQ(img.pixelColor(5, 8), kWhite);
    EXPECT_EQ(img.pixelColor(1, 3), kWhite);
    // The solid fill leaves its colour as the background colour, as on the platform.
    EXPECT_EQ(bkAfterFill, RGB(10, 20, 200));
    EXPECT_EQ(img.pixelColor(12, 11), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(13, 11), kWhite);
    EXPECT_EQ(img.pixelColor(16, 1), QColor(0, 128, 0));
}

TEST(QtPainterDC, LinesAreOnePixelWideWithoutTheirEndPoint)
{
    const QColor red(255, 0, 0);
    const QImage img = DrawOn(20, 20, [](QtPainterDC& dc) {
        dc.DrawLine(2, 5, 8, 5, RGB(255, 0, 0));   // rightwards
        dc.DrawLine(8, 9, 2, 9, RGB(255, 0, 0));   // leftwards
        dc.DrawLine(15, 2, 15, 6, RGB(255, 0, 0)); // downwards
        dc.DrawLine(0, 12, 4, 16, RGB(255, 0, 0)); // diagonal
    });
    EXPECT_EQ(img.pixelColor(2, 5), red);
    EXPECT_EQ(img.pixelColor(7, 5), red);
    EXPECT_EQ(img.pixelColor(8, 5), kWhite);
    EXPECT_EQ(img.pixelColor(2, 4), kWhite);
    EXPECT_EQ(img.pixelColor(2, 6), kWhite);
    EXPECT_EQ(img.pixelColor(8, 9), red);
    EXPECT_EQ(img.pixelColor(2, 9), kWhite);
    EXPECT_EQ(img.pixelColor(15, 5), red);
    EXPECT_EQ(img.pixelColor(15, 6), kWhite);
    EXPECT_EQ(img.pixelColor(3, 15), red);
    EXPECT_EQ(img.pixelColor(4, 16), kWhite);
}

TEST(QtPainterDC, ViewportOriginMovesDrawingAndClipLimitsIt)
{
    RECT clipBox{};
    const QImage img = DrawOn(20, 20, [&](QtPainterDC& dc) {
        dc.SetViewportOrg(5, 5);
        const RECT clip{0, 0, 4, 4};
        dc.SetClipRect(&clip);
        dc.GetClipBox(&clipBox);
        dc.FillSolidRect(RECT{-5, -5, 15, 15}, RGB(0, 0, 255));
        dc.SetClipRect(nullptr);
        dc.FillSolidRect(RECT{10, 10, 11, 11}, RGB(0, 0, 255));
    });
    EXPECT_TRUE((clipBox == RECT{0, 0, 4, 4}));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(8, 8), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(9, 9), kWhite);
    EXPECT_EQ(img.pixelColor(4, 4), kWhite);
    EXPECT_EQ(img.pixelColor(15, 15), QColor(0, 0, 255));
}

TEST(QtPainterDC, DrawTextPlacesTextAsAligned)
{
    const RECT rc{10, 0, 190, 30};
    const auto inkFor = [&](UINT format) {
        return InkOf(DrawOn(200, 30, [&](QtPainterDC& dc) {
            RECT r = rc;
            dc.DrawText("Wide text", &r, format | DT_SINGLELINE);
        }));
    };
    const Ink left = inkFor(DT_LEFT);
    const Ink right = inkFor(DT_RIGHT);
    const Ink centre = inkFor(DT_CENTER | DT_VCENTER);
    ASSERT_TRUE(left.Any() && right.Any() && centre.Any());
    EXPECT_GE(left.left, 10);
    EXPECT_LT(left.left, 14);
    EXPECT_LE(right.right, 189);
    EXPECT_GT(right.right, 185);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 100.0, 3.0);
    // Vertical centring applies to single lines: the ink moves down from the top.
    EXPECT_GT(centre.top, left.top);
    EXPECT_NEAR((centre.top + centre.bottom) / 2.0, 15.0, 4.0);
}

TEST(QtPainterDC, EndEllipsisKeepsLongTextInsideItsRectangle)
{
    const std::string text = "A rather long device name that cannot fit";
    const auto inkFor = [&](UINT format) {
        return InkOf(DrawOn(400, 30, [&](QtPainterDC& dc) {
            RECT r{0, 0, 80, 30};
            dc.DrawText(text, &r, format | DT_SINGLELINE | DT_NOCLIP);
        }));
    };
    const Ink elided = inkFor(DT_END_ELLIPSIS);
    const Ink plain = inkFor(0);
    ASSERT_TRUE(elided.Any());
    EXPECT_LT(elided.right, 80);
    EXPECT_GT(elided.right, 50); // text up to the edge, not an empty cell
    EXPECT_GT(plain.right, 80);
}

// Lines drawn from the layout cache land on the same pixels as Qt's own
// drawText of the same text in the same rectangle, the second time as the first.
TEST(QtPainterDC, CachedLinesDrawTheSamePixelsAsQtDrawText)
{
    const struct {
        const char* text;
        UINT format;
        int qtFlags;
    } cases[] = {
        {"192.168.1.20", DT_LEFT | DT_VCENTER, Qt::AlignLeft | Qt::AlignVCenter},
        {"1.20", DT_RIGHT | DT_VCENTER, Qt::AlignRight | Qt::AlignVCenter},
        {"Cam-Lobby", DT_CENTER | DT_BOTTOM, Qt::AlignHCenter | Qt::AlignBottom},
        {"A rather long device name that cannot fit", DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS,
         Qt::AlignLeft | Qt::AlignVCenter},
    };
    const QRect area(7, 3, 90, 17);
    for (const auto& c : cases) {
        QImage expected = WhiteImage(120, 24);
        {
            QPainter painter(&expected);
            painter.setPen(Qt::black);
            QString text = QString::fromUtf8(c.text);
            if (c.format & DT_END_ELLIPSIS)
                text = QFontMetrics(painter.font(), &expected).elidedText(text, Qt::ElideRight, area.width());
            painter.drawText(area, c.qtFlags | Qt::TextSingleLine, text);
        }
        for (int pass = 0; pass < 2; ++pass) {
            const QImage drawn = DrawOn(120, 24, [&](QtPainterDC& dc) {
                RECT r{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
                dc.DrawText(c.text, &r, c.format | DT_SINGLELINE | DT_NOPREFIX);
            });
            EXPECT_EQ(drawn, expected) << c.text << " pass " << pass;
        }
    }
}

TEST(QtPainterDC, MeasuringAgreesWithMetrics)
{
    QImage img = WhiteImage(10, 10);
    QPainter painter(&img);
    QtPainterDC dc(&painter);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_GT(tm.tmHeight, 5);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_GE(tm.tmExternalLeading, 0);

    EXPECT_GT(dc.GetTextExtent("WWWW").cx, dc.GetTextExtent("iiii").cx);
    EXPECT_EQ(dc.GetTextExtent("").cx, 0);
    EXPECT_EQ(dc.GetTextExtent("x").cy, tm.tmHeight);

    RECT calc{5, 5, 6, 6};
    dc.DrawText("Refresh", &calc, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(calc.right - calc.left, dc.GetTextExtent("Refresh").cx);
    EXPECT_EQ(calc.bottom - calc.top, tm.tmHeight);
    // Without DT_NOPREFIX "&&" is one ampersand and "&R" an underlined R.
    RECT prefixed{0, 0, 1, 1};
    dc.DrawText("&&&Refresh", &prefixed, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(prefixed.right, dc.GetTextExtent("&Refresh").cx);
    RECT twoLines{0, 0, 1, 1};
    dc.DrawText("a\nb", &twoLines, DT_CALCRECT);
    EXPECT_GE(twoLines.bottom, 2 * tm.tmHeight);

    // A bigger font measures bigger; the underlined copy measures the same.
    CFont big;
    big.pointSize = 30;
    dc.SelectObject(&big);
    EXPECT_GT(dc.GetTextExtent("W").cy, tm.tmHeight);
    CFont underlined;
    underlined.underline = true;
    dc.SelectObject(&underlined);
    EXPECT_EQ(dc.GetTextExtent("Refresh").cx, calc.right - calc.left);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 10);
}

TEST(QtPainterDC, OpaqueTextFillsItsCellWithTheBackgroundColour)
{
    const QColor red(255, 0, 0);
    const auto countRed = [&](int mode) {
        const QImage img = DrawOn(100, 30, [&](QtPainterDC& dc) {
            dc.SetBkMode(mode);
            dc.SetBkColor(RGB(255, 0, 0));
            dc.TextOut(2, 2, "Ab");
        });
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == red;
        return n;
    };
    EXPECT_GT(countRed(OPAQUE), 20);
    EXPECT_EQ(countRed(TRANSPARENT), 0);
}

TEST(QtPainterDC, ImagesDrawInTheirColoursCutAndBlended)
{
    ClearImageListPictures();
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32, 1, 1));
    ImageData red{4, 4, std::vector<std::uint32_t>(16, 0xFFFF0000u)};
    red.argb[0] = 0x00000000u; // one transparent pixel
    ASSERT_EQ(list.Add(red), 0);
    COLORREF colours[COLOR_COUNT];
    for (int i = 0; i < COLOR_COUNT; ++i)
        colours[i] = GetSysColor(i);
    colours[COLOR_HIGHLIGHT] = RGB(0, 0, 255);
    SetSysColors(colours);

    const QImage img = DrawOn(20, 10, [&](QtPainterDC& dc) {
        dc.DrawImage(&list, 0, 2, 2, 2, 4, ILD_NORMAL); // cut to two columns
        dc.DrawImage(&list, 0, 10, 2, 0, 0, ILD_SELECTED);
        dc.DrawImage(&list, 5, 15, 2, 0, 0, ILD_NORMAL); // no such image
    });
    ResetSysColors();
    EXPECT_EQ(img.pixelColor(2, 2), kWhite);
    EXPECT_EQ(img.pixelColor(3, 2), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(3, 5), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(4, 3), kWhite);
    EXPECT_EQ(img.pixelColor(3, 6), kWhite);
    const QColor blended = img.pixelColor(11, 3);
    EXPECT_NEAR(blended.red(), 127, 2);
    EXPECT_EQ(blended.green(), 0);
    EXPECT_NEAR(blended.blue(), 127, 2);
    EXPECT_FALSE(InkOf(img.copy(15, 0, 5, 10)).Any());
}

// An item state's overlay number puts the list's overlay picture on top of the
// item's picture; a number the list has no overlay for draws the picture alone.
TEST(QtPainterDC, AnOverlayGoesOverThePictureWhereItIsNotTransparent)
{
    ClearImageListPictures();
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32, 1, 1));
    ASSERT_EQ(list.Add(ImageData{4, 4, std::vector<std::uint32_t>(16, 0xFFFF0000u)}), 0);
    ImageData corner{4, 4, std::vector<std::uint32_t>(16, 0x00000000u)};
    corner.argb[12] = 0xFF00FF00u; // lower left pixel only
    ASSERT_EQ(list.Add(corner), 1);
    EXPECT_FALSE(list.SetOverlayImage(1, 16));
    EXPECT_FALSE(list.SetOverlayImage(2, 1));
    ASSERT_TRUE(list.SetOverlayImage(1, 1));
    EXPECT_EQ(list.GetOverlayImage(1), 1);
    EXPECT_EQ(list.GetOverlayImage(2), -1);

    const QImage img = DrawOn(20, 10, [&](QtPainterDC& dc) {
        dc.DrawImage(&list, 0, 0, 0, 0, 0, ILD_NORMAL | INDEXTOOVERLAYMASK(1));
        dc.DrawImage(&list, 0, 10, 0, 0, 0, ILD_NORMAL | INDEXTOOVERLAYMASK(2));
    });
    EXPECT_EQ(img.pixelColor(0, 3), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(1, 3), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(10, 3), QColor(255, 0, 0));
    list.DeleteImageList();
    EXPECT_EQ(list.GetOverlayImage(1), -1);
}

TEST(QtPainterDC, StyledPartsStayInsideTheirRectangles)
{
    const RECT rc{10, 10, 40, 30};
    const auto check = [&](auto draw) {
        const Ink ink = InkOf(DrawOn(60, 50, draw));
        ASSERT_TRUE(ink.Any());
        EXPECT_GE(ink.left, 10);
        EXPECT_LT(ink.right, 40);
        EXPECT_GE(ink.top, 10);
        EXPECT_LT(ink.bottom, 30);
    };
    check([&](QtPainterDC& dc) { dc.DrawFocusRect(rc); });
    check([&](QtPainterDC& dc) { dc.DrawCheckBox(RECT{10, 10, 23, 23}, true); });
    check([&](QtPainterDC& dc) {
        HeaderSectionPaint section;
        section.rc = rc;
        section.text = "IP Address of the device";
        section.fmt = HDF_STRING | HDF_SORTUP;
        dc.DrawHeaderSection(section);
    });
    // Checked and unchecked boxes differ.
    const auto box = [](bool checked) {
        return DrawOn(20, 20, [&](QtPainterDC& dc) { dc.DrawCheckBox(RECT{2, 2, 15, 15}, checked); });
    };
    EXPECT_NE(box(true), box(false));
}
