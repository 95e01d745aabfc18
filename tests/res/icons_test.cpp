// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The program's pictures: the tool bar's stand out on light and on dark tool
// bars in the variant drawn for each, and the SVG the desktop gets is the same
// design as the pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "res/icon_canvas.h"
#include "res/icon_drawings.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "support/picture_contrast.h"

namespace {

// The window colours of Qt's Fusion style in its light palette and a common
// dark one.
constexpr std::uint32_t kLightBar = 0xEFEFEF;
constexpr std::uint32_t kDarkBar = 0x353535;
constexpr double kMinRatio = 2.0;
constexpr double kMinShare = 0.5;

std::vector<UINT> ToolBarPictures()
{
    std::vector<UINT> ids;
    for (UINT id : res::FindToolBar(IDR_MAINFRAME)->buttons)
        if (id != 0)
            ids.push_back(id);
    return ids;
}

} // namespace

TEST(Icons, ToolBarPicturesStandOutInTheVariantForTheirBackground)
{
    const std::vector<UINT> ids = ToolBarPictures();
    ASSERT_EQ(ids.size(), 7u);
    for (UINT id : ids) {
        const IconDef* icon = res::FindIcon(id);
        ASSERT_NE(icon, nullptr) << id;
        ASSERT_EQ(icon->onDark.size(), icon->sizes.size()) << id;
        for (std::size_t i = 0; i < icon->sizes.size(); ++i) {
            EXPECT_GE(test_support::ShareStandingOut(icon->sizes[i].argb, kLightBar, kMinRatio), kMinShare)
                << "picture " << id << " at " << icon->sizes[i].width << " px on a light tool bar";
            EXPECT_GE(test_support::ShareStandingOut(icon->onDark[i].argb, kDarkBar, kMinRatio), kMinShare)
                << "picture " << id << " at " << icon->onDark[i].width << " px on a dark tool bar";
        }
    }
}

// What the variant is for: the dark-line Modify IP picture nearly vanishes on
// a dark tool bar (this is the measure failing as it should).
TEST(Icons, DarkLinesOnADarkToolBarAreWhatTheVariantMends)
{
    const IconDef* modifyIp = res::FindIcon(ID_MODIFY_IP);
    ASSERT_NE(modifyIp, nullptr);
    EXPECT_LT(test_support::ShareStandingOut(modifyIp->sizes[0].argb, kDarkBar, kMinRatio), 0.2);
}

// The SVG's shapes are the canvas's shapes: an arc from 200 to 120 degrees
// clockwise is the long way round, and starts at 200 degrees.
TEST(Icons, SvgArcsRunClockwiseTheWayThePixelsDo)
{
    res::IconCanvas canvas(32);
    canvas.Arc(16, 16, 10, 3.5, 200, 120, {38, 110, 196});
    canvas.Arc(16, 16, 10, 2, 300, 60, {1, 2, 3, 128});
    canvas.Ring(16, 16, 12, 1.6, {40, 44, 52});
    const std::string svg = canvas.Svg();
    EXPECT_NE(svg.find("<path d=\"M6.603,12.58 A10,10 0 1,1 11,24.66\" fill=\"none\" stroke-width=\"3.5\" "
                       "stroke=\"#266ec4\"/>"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<path d=\"M21,7.34 A10,10 0 0,1 21,24.66\" fill=\"none\" stroke-width=\"2\" "
                       "stroke=\"#010203\" opacity=\"0.502\"/>"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<circle cx=\"16\" cy=\"16\" r=\"12\" fill=\"none\" stroke-width=\"1.6\""), std::string::npos)
        << svg;
    // The pixels agree: 90 degrees (straight down) lies on the long arc from
    // 200 round to 120, 180 degrees in its gap.
    const ImageData pixels = canvas.Finish();
    const auto alphaAt = [&pixels](int x, int y) { return pixels.argb[static_cast<std::size_t>(y * 32 + x)] >> 24; };
    EXPECT_GT(alphaAt(16, 26), 200u);
    EXPECT_EQ(alphaAt(6, 16), 0u);
}

TEST(Icons, ApplicationIconIsOneSvgDocumentOfItsShapes)
{
    res::IconCanvas canvas(256);
    ASSERT_TRUE(res::DrawIcon(IDR_MAINFRAME, canvas, res::IconInks::kForLight));
    EXPECT_FALSE(res::DrawIcon(0xFFFF, canvas, res::IconInks::kForLight));
    const std::string svg = canvas.Svg();
    EXPECT_EQ(
        svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n", 0),
        0u);
    const std::regex element("<(circle|path|rect|line|polygon) [^<>]*/>\n");
    const std::string shapes = std::regex_replace(svg, element, "");
    EXPECT_EQ(shapes, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
                      "</svg>\n");
    EXPECT_EQ(std::distance(std::sregex_iterator(svg.begin(), svg.end(), element), std::sregex_iterator()), 6);
}
