// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Writes the application icon for the desktop's icon theme from the design the
// program draws its own icons with: an SVG, and PNGs drawn at each size.
//   varnex-icon-export OUTDIR NAME
// writes OUTDIR/hicolor/scalable/apps/NAME.svg and OUTDIR/hicolor/SxS/apps/NAME.png.
#include <QDir>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>

#include "framework/resources.h"
#include "res/icon_canvas.h"
#include "res/icon_drawings.h"
#include "res/text/resource_ids.h"

namespace {

bool WritePng(const QString& path, const ImageData& data)
{
    QImage image(data.width, data.height, QImage::Format_ARGB32);
    for (int y = 0; y < data.height; ++y)
        for (int x = 0; x < data.width; ++x)
            image.setPixel(x, y, data.argb[static_cast<std::size_t>(y * data.width + x)]);
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: varnex-icon-export OUTDIR NAME\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
    const QString name = QString::fromLocal8Bit(argv[2]);

    res::IconCanvas design(32);
    if (!res::DrawIcon(IDR_MAINFRAME, design, res::IconInks::kForLight)) {
        std::fprintf(stderr, "varnex-icon-export: no application icon\n");
        return 1;
    }
    const QString svgDir = root + "scalable/apps";
    QDir().mkpath(svgDir);
    std::ofstream svg((svgDir + "/" + name + ".svg").toStdString(), std::ios::binary | std::ios::trunc);
    svg << design.Svg();
    svg.close();
    if (!svg) {
        std::fprintf(stderr, "varnex-icon-export: cannot write the SVG under %s\n", qPrintable(svgDir));
        return 1;
    }

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        res::IconCanvas canvas(size);
        res::DrawIcon(IDR_MAINFRAME, canvas, res::IconInks::kForLight);
        const QString dir = root + QString("%1x%1/apps").arg(size);
        QDir().mkpath(dir);
        if (!WritePng(dir + "/" + name + ".png", canvas.Finish())) {
            std::fprintf(stderr, "varnex-icon-export: cannot write %s\n", qPrintable(dir + "/" + name + ".png"));
            return 1;
        }
    }
    return 0;
}
