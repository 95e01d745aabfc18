// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/resource_images.h"

#include <QPixmap>
#include <cmath>

QImage ImageFromData(const ImageData& data)
{
    if (data.width <= 0 || data.height <= 0 ||
        data.argb.size() != static_cast<std::size_t>(data.width) * static_cast<std::size_t>(data.height))
        return {};
    QImage image(data.width, data.height, QImage::Format_ARGB32);
    for (int y = 0; y < data.height; ++y)
        for (int x = 0; x < data.width; ++x)
            image.setPixel(x, y, data.argb[static_cast<std::size_t>(y * data.width + x)]);
    return image;
}

bool IsDarkBackground(const QColor& background)
{
    // Relative luminance below that of middle grey (L* 50).
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = background.toRgb();
    const double y = 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
    return y < 0.184;
}

QIcon IconFor(UINT iconId, const QColor& background)
{
    QIcon icon;
    if (const IconDef* def = AfxFindIcon(iconId)) {
        const bool dark = IsDarkBackground(background) && def->onDark.size() == def->sizes.size();
        for (const ImageData& size : dark ? def->onDark : def->sizes)
            icon.addPixmap(QPixmap::fromImage(ImageFromData(size)));
    }
    return icon;
}
