// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The program's icons: the device pictures of the list, the tool bar buttons
// and the application icon, drawn at 16, 32 and 48 pixels, each in inks for a
// light and for a dark background.
#include <map>

#include "res/icon_canvas.h"
#include "res/icon_drawings.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "system/win_messages.h"

namespace res {

namespace {

// The inks of one variant. Outlines and strokes change between the variants;
// fills that sit inside an outline keep their colour.
struct Inks {
    Colour ink;       // outlines, cables, boxes: on the background
    Colour detail;    // marks on a light body: ports
    Colour blue;      // strokes and large fills
    Colour lightBlue; // bodies inside an outline
    Colour green;
    Colour grey;
    Colour lightGrey;
    Colour white;
    Colour orange;
    Colour red;
};

constexpr Inks kForLight{{40, 44, 52},    {40, 44, 52},    {38, 110, 196},  {120, 178, 236}, {46, 160, 67},
                         {140, 146, 156}, {214, 218, 224}, {255, 255, 255}, {230, 126, 34},  {205, 55, 50}};
constexpr Inks kForDark{{222, 226, 232}, {40, 44, 52},    {92, 160, 240},  {120, 178, 236}, {72, 196, 96},
                        {160, 166, 176}, {214, 218, 224}, {255, 255, 255}, {240, 150, 60},  {244, 96, 86}};

// A small network box with a status lamp and two ports.
void DeviceBox(IconCanvas& c, const Inks& k, Colour body, Colour lamp)
{
    c.RoundRect(3, 8, 29, 25, 3, k.ink);
    c.RoundRect(4.5, 9.5, 27.5, 23.5, 2, body);
    c.Rect(7, 17, 12, 21, k.detail);
    c.Rect(14, 17, 19, 21, k.detail);
    c.Circle(24, 13, 2.2, lamp);
    c.Line(8, 25, 8, 29, 2, k.ink);
    c.Line(24, 25, 24, 29, 2, k.ink);
}

void Known(IconCanvas& c, const Inks& k)
{
    DeviceBox(c, k, k.lightBlue, k.green);
}

void Unknown(IconCanvas& c, const Inks& k)
{
    DeviceBox(c, k, k.lightGrey, k.grey);
    c.Arc(16, 11, 3.5, 2, 180, 60, k.red);
    c.Line(17.5, 14, 16, 16, 2, k.red);
}

void Camera(IconCanvas& c, const Inks& k)
{
    c.RoundRect(3, 10, 23, 24, 3, k.ink);
    c.RoundRect(4.5, 11.5, 21.5, 22.5, 2, k.lightBlue);
    c.Triangle(23, 17, 29, 12, 29, 22, k.ink);
    c.Circle(10, 17, 3, k.blue);
}

void Speaker(IconCanvas& c, const Inks& k)
{
    c.Rect(5, 12, 11, 20, k.ink);
    c.Triangle(11, 12, 18, 6, 18, 26, k.ink);
    c.Arc(19, 16, 5, 2, 300, 60, k.blue);
    c.Arc(19, 16, 9, 2, 300, 60, k.blue);
}

void Terminal(IconCanvas& c, const Inks& k)
{
    c.RoundRect(4, 5, 28, 23, 2, k.ink);
    c.Rect(6, 7, 26, 21, k.lightBlue);
    c.Rect(13, 23, 19, 26, k.ink);
    c.Rect(9, 26, 23, 28, k.ink);
}

void Reader(IconCanvas& c, const Inks& k)
{
    c.RoundRect(9, 3, 23, 29, 3, k.ink);
    c.RoundRect(10.5, 4.5, 21.5, 27.5, 2, k.lightGrey);
    c.Rect(12, 7, 20, 14, k.blue);
    c.Circle(16, 21, 3, k.orange);
}

void Refresh(IconCanvas& c, const Inks& k)
{
    c.Arc(16, 16, 10, 3.5, 200, 120, k.blue);
    c.Triangle(20, 22, 28, 20, 22, 30, k.blue);
}

void Network(IconCanvas& c, const Inks& k, Colour accent)
{
    c.RoundRect(11, 3, 21, 11, 2, k.ink);
    c.RoundRect(3, 21, 13, 29, 2, k.ink);
    c.RoundRect(19, 21, 29, 29, 2, k.ink);
    c.Line(16, 11, 16, 16, 2, k.ink);
    c.Line(8, 16, 24, 16, 2, k.ink);
    c.Line(8, 16, 8, 21, 2, k.ink);
    c.Line(24, 16, 24, 21, 2, k.ink);
    c.Rect(13, 5, 19, 9, accent);
}

void Chip(IconCanvas& c, const Inks& k, Colour body)
{
    for (int i = 0; i < 4; ++i) {
        c.Line(11 + i * 3.5, 4, 11 + i * 3.5, 28, 1.6, k.grey);
        c.Line(4, 11 + i * 3.5, 28, 11 + i * 3.5, 1.6, k.grey);
    }
    c.RoundRect(8, 8, 24, 24, 2, k.ink);
    c.RoundRect(9.5, 9.5, 22.5, 22.5, 1, body);
}

void Globe(IconCanvas& c, const Inks& k)
{
    c.Circle(16, 16, 12, k.blue);
    c.Ring(16, 16, 12, 1.6, k.ink);
    c.Line(4, 16, 28, 16, 1.4, k.white);
    c.Arc(16, 16, 6, 1.4, 270, 90, k.white);
    c.Arc(16, 16, 6, 1.4, 90, 270, k.white);
    c.Line(16, 4, 16, 28, 1.4, k.white);
}

void Power(IconCanvas& c, const Inks& k)
{
    c.Arc(16, 17, 10, 3.2, 300, 240, k.red);
    c.Line(16, 4, 16, 16, 3.2, k.red);
}

void Firmware(IconCanvas& c, const Inks& k)
{
    Chip(c, k, k.lightGrey);
    c.Line(16, 12, 16, 21, 2.5, k.orange);
    c.Triangle(11, 17, 21, 17, 16, 23, k.orange);
}

void About(IconCanvas& c, const Inks& k)
{
    c.Circle(16, 16, 13, k.blue);
    c.Circle(16, 9.5, 2.2, k.white);
    c.RoundRect(14, 13.5, 18, 24.5, 1, k.white);
}

void AppIcon(IconCanvas& c, const Inks& k)
{
    c.Circle(16, 16, 15, k.blue);
    c.Arc(16, 16, 11, 2, 200, 340, k.white);
    c.Arc(16, 16, 7, 2, 210, 330, k.white);
    c.Circle(16, 18, 2.6, k.white);
    c.RoundRect(7, 22, 25, 28, 2, k.ink);
    c.Circle(21.5, 25, 1.2, k.green);
}

// The overlay of a row whose address another device shares: a warning sign in
// the lower left corner, over the device's own picture.
void DuplicateAddress(IconCanvas& c, const Inks& k)
{
    constexpr Colour kAmber{250, 190, 30};
    c.Triangle(0, 31.5, 19, 31.5, 9.5, 13, k.ink);
    c.Triangle(2.6, 30, 16.4, 30, 9.5, 16.6, kAmber);
    c.Line(9.5, 20.5, 9.5, 25.2, 2.4, Colour{40, 44, 52});
    c.Circle(9.5, 27.8, 1.3, Colour{40, 44, 52});
}

// A blue disc crossed out: a device outside this computer's networks. Blue,
// not amber, so it is not read as the shared-address warning.
void Unreachable(IconCanvas& c, const Inks& k)
{
    constexpr Colour kBlue{48, 104, 200};
    constexpr Colour kWhite{255, 255, 255};
    c.Circle(9, 23, 8.6, k.ink);
    c.Circle(9, 23, 7.2, kBlue);
    c.Line(5.2, 26.8, 12.8, 19.2, 2.4, kWhite);
}

using Drawing = void (*)(IconCanvas&, const Inks&);

const std::map<UINT, Drawing>& Drawings()
{
    static const std::map<UINT, Drawing> drawings = {
        {IDR_MAINFRAME, &AppIcon},
        {IDI_DEVICE_UNKNOWN, &Unknown},
        {IDI_DEVICE_KNOWN, &Known},
        {IDI_DEVICE_147, &Camera},
        {IDI_DEVICE_153, &Speaker},
        {IDI_DEVICE_155, &Terminal},
        {IDI_DEVICE_157, &Reader},
        {IDI_DUPLICATE_ADDRESS, &DuplicateAddress},
        {IDI_UNREACHABLE, &Unreachable},
        {ID_REFRESH, &Refresh},
        {ID_MODIFY_IP, [](IconCanvas& c, const Inks& k) { Network(c, k, k.green); }},
        {ID_MODIFY_MAC, [](IconCanvas& c, const Inks& k) { Chip(c, k, k.lightBlue); }},
        {ID_WEB_BROWSER, &Globe},
        {ID_SOFT_RESET, &Power},
        {ID_UPDATE_FIRMWARE, &Firmware},
        {ID_APP_ABOUT, &About},
    };
    return drawings;
}

IconDef Make(UINT id)
{
    IconDef def;
    def.id = id;
    for (int size : {16, 32, 48}) {
        IconCanvas light(size);
        DrawIcon(id, light, IconInks::kForLight);
        def.sizes.push_back(light.Finish());
        IconCanvas dark(size);
        DrawIcon(id, dark, IconInks::kForDark);
        def.onDark.push_back(dark.Finish());
    }
    return def;
}

const std::map<UINT, IconDef>& Icons()
{
    static const std::map<UINT, IconDef> icons = [] {
        std::map<UINT, IconDef> m;
        for (const auto& entry : Drawings())
            m.emplace(entry.first, Make(entry.first));
        return m;
    }();
    return icons;
}

} // namespace

bool DrawIcon(UINT id, IconCanvas& canvas, IconInks inks)
{
    const auto it = Drawings().find(id);
    if (it == Drawings().end())
        return false;
    it->second(canvas, inks == IconInks::kForDark ? kForDark : kForLight);
    return true;
}

const IconDef* FindIcon(UINT id)
{
    const auto& icons = Icons();
    auto it = icons.find(id);
    return it == icons.end() ? nullptr : &it->second;
}

} // namespace res
