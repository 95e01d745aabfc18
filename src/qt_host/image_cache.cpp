// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/image_cache.h"

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "framework/dc.h"

namespace {

struct Key {
    const CImageList* list;
    int index;
    int blendPercent;
    COLORREF blendColour;
    int scaleHundredths;
    bool operator<(const Key& o) const
    {
        return std::tie(list, index, blendPercent, blendColour, scaleHundredths) <
               std::tie(o.list, o.index, o.blendPercent, o.blendColour, o.scaleHundredths);
    }
};

struct Entry {
    // The source pixels the picture was made from: a list deleted and created
    // again at the same address must not show the old picture.
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> source;
    QImage picture;
};

constexpr std::size_t kMaxEntries = 512;

std::map<Key, Entry>& Cache()
{
    static std::map<Key, Entry> cache;
    return cache;
}

int BlendPercent(UINT style)
{
    if (style & ILD_BLEND50)
        return 50;
    if (style & ILD_BLEND25)
        return 25;
    return 0;
}

QImage MakePicture(const ImageData& data, int blendPercent, COLORREF blendColour, qreal scale)
{
    QImage image(data.width, data.height, QImage::Format_ARGB32);
    for (int y = 0; y < data.height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::memcpy(line, &data.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(data.width)],
                    static_cast<std::size_t>(data.width) * sizeof(std::uint32_t));
        if (blendPercent == 0)
            continue;
        const int keep = 100 - blendPercent;
        for (int x = 0; x < data.width; ++x) {
            const std::uint32_t px = line[x];
            const int r = static_cast<int>((px >> 16) & 0xFF) * keep + GetRValue(blendColour) * blendPercent;
            const int g = static_cast<int>((px >> 8) & 0xFF) * keep + GetGValue(blendColour) * blendPercent;
            const int b = static_cast<int>(px & 0xFF) * keep + GetBValue(blendColour) * blendPercent;
            line[x] = (px & 0xFF000000u) | (static_cast<std::uint32_t>(r / 100) << 16) |
                      (static_cast<std::uint32_t>(g / 100) << 8) | static_cast<std::uint32_t>(b / 100);
        }
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (scale != 1.0) {
        const int w = std::max(1, static_cast<int>(std::lround(data.width * scale)));
        const int h = std::max(1, static_cast<int>(std::lround(data.height * scale)));
        image = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(scale);
    }
    return image;
}

} // namespace

QImage ImageListPicture(const CImageList* list, int index, UINT style, qreal scale)
{
    const ImageData* data = list ? list->GetImage(index) : nullptr;
    if (data == nullptr || data->width <= 0 || data->height <= 0 ||
        data->argb.size() != static_cast<std::size_t>(data->width) * static_cast<std::size_t>(data->height))
        return {};
    if (!(scale > 0.0))
        scale = 1.0;
    const int blend = BlendPercent(style);
    const COLORREF colour = blend ? GetSysColor(COLOR_HIGHLIGHT) : 0;
    const Key key{list, index, blend, colour, static_cast<int>(std::lround(scale * 100))};
    auto& cache = Cache();
    auto it = cache.find(key);
    if (it != cache.end() && it->second.width == data->width && it->second.height == data->height &&
        it->second.source == data->argb)
        return it->second.picture;
    if (it == cache.end() && cache.size() >= kMaxEntries)
        cache.clear();
    Entry& entry = cache[key];
    entry.width = data->width;
    entry.height = data->height;
    entry.source = data->argb;
    entry.picture = MakePicture(*data, blend, colour, scale);
    return entry.picture;
}

void ClearImageListPictures()
{
    Cache().clear();
}
