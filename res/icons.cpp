// The program's icons: the device pictures of the list, the tool bar buttons
// and the application icon, drawn at 16 and 32 pixels.
#include <map>

#include "framework/win_messages.h"
#include "res/icon_canvas.h"
#include "res/install_resources.h"
#include "res/resource_ids.h"

namespace res {

namespace {

constexpr Colour kInk{40, 44, 52};
constexpr Colour kBlue{38, 110, 196};
constexpr Colour kLightBlue{120, 178, 236};
constexpr Colour kGreen{46, 160, 67};
constexpr Colour kGrey{140, 146, 156};
constexpr Colour kLightGrey{214, 218, 224};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kOrange{230, 126, 34};
constexpr Colour kRed{205, 55, 50};

// A small network box with a status lamp and two ports.
void DeviceBox(IconCanvas& c, Colour body, Colour lamp)
{
    c.RoundRect(3, 8, 29, 25, 3, kInk);
    c.RoundRect(4.5, 9.5, 27.5, 23.5, 2, body);
    c.Rect(7, 17, 12, 21, kInk);
    c.Rect(14, 17, 19, 21, kInk);
    c.Circle(24, 13, 2.2, lamp);
    c.Line(8, 25, 8, 29, 2, kInk);
    c.Line(24, 25, 24, 29, 2, kInk);
}

void Known(IconCanvas& c)
{
    DeviceBox(c, kLightBlue, kGreen);
}

void Unknown(IconCanvas& c)
{
    DeviceBox(c, kLightGrey, kGrey);
    c.Arc(16, 11, 3.5, 2, 180, 60, kRed);
    c.Line(17.5, 14, 16, 16, 2, kRed);
}

void Camera(IconCanvas& c)
{
    c.RoundRect(3, 10, 23, 24, 3, kInk);
    c.RoundRect(4.5, 11.5, 21.5, 22.5, 2, kLightBlue);
    c.Triangle(23, 17, 29, 12, 29, 22, kInk);
    c.Circle(10, 17, 3, kBlue);
}

void Speaker(IconCanvas& c)
{
    c.Rect(5, 12, 11, 20, kInk);
    c.Triangle(11, 12, 18, 6, 18, 26, kInk);
    c.Arc(19, 16, 5, 2, 300, 60, kBlue);
    c.Arc(19, 16, 9, 2, 300, 60, kBlue);
}

void Terminal(IconCanvas& c)
{
    c.RoundRect(4, 5, 28, 23, 2, kInk);
    c.Rect(6, 7, 26, 21, kLightBlue);
    c.Rect(13, 23, 19, 26, kInk);
    c.Rect(9, 26, 23, 28, kInk);
}

void Reader(IconCanvas& c)
{
    c.RoundRect(9, 3, 23, 29, 3, kInk);
    c.RoundRect(10.5, 4.5, 21.5, 27.5, 2, kLightGrey);
    c.Rect(12, 7, 20, 14, kBlue);
    c.Circle(16, 21, 3, kOrange);
}

void Refresh(IconCanvas& c)
{
    c.Arc(16, 16, 10, 3.5, 200, 120, kBlue);
    c.Triangle(20, 22, 28, 20, 22, 30, kBlue);
}

void Network(IconCanvas& c, Colour accent)
{
    c.RoundRect(11, 3, 21, 11, 2, kInk);
    c.RoundRect(3, 21, 13, 29, 2, kInk);
    c.RoundRect(19, 21, 29, 29, 2, kInk);
    c.Line(16, 11, 16, 16, 2, kInk);
    c.Line(8, 16, 24, 16, 2, kInk);
    c.Line(8, 16, 8, 21, 2, kInk);
    c.Line(24, 16, 24, 21, 2, kInk);
    c.Rect(13, 5, 19, 9, accent);
}

void Chip(IconCanvas& c, Colour body)
{
    for (int i = 0; i < 4; ++i) {
        c.Line(11 + i * 3.5, 4, 11 + i * 3.5, 28, 1.6, kGrey);
        c.Line(4, 11 + i * 3.5, 28, 11 + i * 3.5, 1.6, kGrey);
    }
    c.RoundRect(8, 8, 24, 24, 2, kInk);
    c.RoundRect(9.5, 9.5, 22.5, 22.5, 1, body);
}

void Globe(IconCanvas& c)
{
    c.Circle(16, 16, 12, kBlue);
    c.Ring(16, 16, 12, 1.6, kInk);
    c.Line(4, 16, 28, 16, 1.4, kWhite);
    c.Arc(16, 16, 6, 1.4, 270, 90, kWhite);
    c.Arc(16, 16, 6, 1.4, 90, 270, kWhite);
    c.Line(16, 4, 16, 28, 1.4, kWhite);
}

void Power(IconCanvas& c)
{
    c.Arc(16, 17, 10, 3.2, 300, 240, kRed);
    c.Line(16, 4, 16, 16, 3.2, kRed);
}

void Firmware(IconCanvas& c)
{
    Chip(c, kLightGrey);
    c.Line(16, 12, 16, 21, 2.5, kOrange);
    c.Triangle(11, 17, 21, 17, 16, 23, kOrange);
}

void About(IconCanvas& c)
{
    c.Circle(16, 16, 13, kBlue);
    c.Circle(16, 9.5, 2.2, kWhite);
    c.RoundRect(14, 13.5, 18, 24.5, 1, kWhite);
}

void AppIcon(IconCanvas& c)
{
    c.Circle(16, 16, 15, kBlue);
    c.Arc(16, 16, 11, 2, 200, 340, kWhite);
    c.Arc(16, 16, 7, 2, 210, 330, kWhite);
    c.Circle(16, 18, 2.6, kWhite);
    c.RoundRect(7, 22, 25, 28, 2, kInk);
    c.Circle(21.5, 25, 1.2, kGreen);
}

IconDef Make(UINT id, void (*draw)(IconCanvas&))
{
    IconDef def;
    def.id = id;
    for (int size : {16, 32, 48}) {
        IconCanvas canvas(size);
        draw(canvas);
        def.sizes.push_back(canvas.Finish());
    }
    return def;
}

const std::map<UINT, IconDef>& Icons()
{
    static const std::map<UINT, IconDef> icons = [] {
        std::map<UINT, IconDef> m;
        auto add = [&m](UINT id, void (*draw)(IconCanvas&)) { m.emplace(id, Make(id, draw)); };
        add(IDR_MAINFRAME, &AppIcon);
        add(IDI_DEVICE_UNKNOWN, &Unknown);
        add(IDI_DEVICE_KNOWN, &Known);
        add(IDI_DEVICE_147, &Camera);
        add(IDI_DEVICE_153, &Speaker);
        add(IDI_DEVICE_155, &Terminal);
        add(IDI_DEVICE_157, &Reader);
        add(ID_REFRESH, &Refresh);
        add(ID_MODIFY_IP, [](IconCanvas& c) { Network(c, kGreen); });
        add(ID_MODIFY_MAC, [](IconCanvas& c) { Chip(c, kLightBlue); });
        add(ID_WEB_BROWSER, &Globe);
        add(ID_SOFT_RESET, &Power);
        add(ID_UPDATE_FIRMWARE, &Firmware);
        add(ID_APP_ABOUT, &About);
        return m;
    }();
    return icons;
}

} // namespace

const IconDef* FindIcon(UINT id)
{
    const auto& icons = Icons();
    auto it = icons.find(id);
    return it == icons.end() ? nullptr : &it->second;
}

} // namespace res
