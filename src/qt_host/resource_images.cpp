#include "qt_host/resource_images.h"

#include <QPixmap>

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

QIcon IconFor(UINT iconId)
{
    QIcon icon;
    if (const IconDef* def = AfxFindIcon(iconId))
        for (const ImageData& size : def->sizes)
            icon.addPixmap(QPixmap::fromImage(ImageFromData(size)));
    return icon;
}
