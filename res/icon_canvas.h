// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A small drawing surface for the program's own icon pictures: shapes in a
// 32-unit design space, rendered at any size with smoothed edges, and kept as
// SVG as well, so that the installed scalable icon is the same design.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/resources.h"

namespace res {

struct Colour {
    std::uint8_t r, g, b, a = 255;
};

class IconCanvas {
public:
    explicit IconCanvas(int size);

    void Rect(double x0, double y0, double x1, double y1, Colour c);
    void RoundRect(double x0, double y0, double x1, double y1, double radius, Colour c);
    void Circle(double cx, double cy, double r, Colour c);
    void Ring(double cx, double cy, double r, double width, Colour c);
    void Line(double x0, double y0, double x1, double y1, double width, Colour c);
    void Triangle(double x0, double y0, double x1, double y1, double x2, double y2, Colour c);
    // Part of a ring between two angles (degrees, clockwise from three o'clock).
    void Arc(double cx, double cy, double r, double width, double fromDeg, double toDeg, Colour c);

    ImageData Finish() const;
    // The shapes drawn so far as an SVG document of 32 x 32 units.
    std::string Svg() const;

private:
    // Paints c where inside(x, y) holds, in design units, with 4x4 samples per pixel.
    void Fill(double x0, double y0, double x1, double y1, Colour c, const std::function<bool(double, double)>& inside);

    void Record(const std::string& element, Colour c);

    int m_size;
    std::string m_shapes; // SVG elements, one a line
    std::vector<double> m_r, m_g, m_b, m_a;
};

} // namespace res
