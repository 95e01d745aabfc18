// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "res/icon_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace res {

namespace {

constexpr int kSamples = 4;
constexpr double kPi = 3.14159265358979323846;

// A number in design units for SVG: at most three decimals, no trailing zeros.
std::string Num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string text = buf;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string Paint(Colour c)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    std::string text = buf;
    if (c.a != 255)
        text += "\" opacity=\"" + Num(c.a / 255.0);
    return text;
}

std::string Point(double cx, double cy, double r, double deg)
{
    const double rad = deg * kPi / 180;
    return Num(cx + r * std::cos(rad)) + "," + Num(cy + r * std::sin(rad));
}

} // namespace

IconCanvas::IconCanvas(int size)
    : m_size(size), m_r(static_cast<std::size_t>(size * size)), m_g(m_r.size()), m_b(m_r.size()), m_a(m_r.size())
{
}

void IconCanvas::Fill(double x0, double y0, double x1, double y1, Colour c,
                      const std::function<bool(double, double)>& inside)
{
    const double scale = m_size / 32.0;
    const int px0 = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) * scale)) - 1);
    const int py0 = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) * scale)) - 1);
    const int px1 = std::min(m_size - 1, static_cast<int>(std::ceil(std::max(x0, x1) * scale)) + 1);
    const int py1 = std::min(m_size - 1, static_cast<int>(std::ceil(std::max(y0, y1) * scale)) + 1);
    for (int py = py0; py <= py1; ++py) {
        for (int px = px0; px <= px1; ++px) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    if (inside((px + (sx + 0.5) / kSamples) / scale, (py + (sy + 0.5) / kSamples) / scale))
                        ++hits;
            if (hits == 0)
                continue;
            const double alpha = (c.a / 255.0) * hits / (kSamples * kSamples);
            const std::size_t i = static_cast<std::size_t>(py * m_size + px);
            // Source over destination, premultiplied.
            m_r[i] = c.r / 255.0 * alpha + m_r[i] * (1 - alpha);
            m_g[i] = c.g / 255.0 * alpha + m_g[i] * (1 - alpha);
            m_b[i] = c.b / 255.0 * alpha + m_b[i] * (1 - alpha);
            m_a[i] = alpha + m_a[i] * (1 - alpha);
        }
    }
}

void IconCanvas::Record(const std::string& element, Colour c)
{
    // element ends in an attribute opened for the paint: fill=" or stroke="
    m_shapes += element + Paint(c) + "\"/>\n";
}

void IconCanvas::Rect(double x0, double y0, double x1, double y1, Colour c)
{
    Record("<rect x=\"" + Num(x0) + "\" y=\"" + Num(y0) + "\" width=\"" + Num(x1 - x0) + "\" height=\"" + Num(y1 - y0) +
               "\" fill=\"",
           c);
    Fill(x0, y0, x1, y1, c, [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void IconCanvas::RoundRect(double x0, double y0, double x1, double y1, double radius, Colour c)
{
    Record("<rect x=\"" + Num(x0) + "\" y=\"" + Num(y0) + "\" width=\"" + Num(x1 - x0) + "\" height=\"" + Num(y1 - y0) +
               "\" rx=\"" + Num(radius) + "\" fill=\"",
           c);
    Fill(x0, y0, x1, y1, c, [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        const double cx = std::clamp(x, x0 + radius, x1 - radius);
        const double cy = std::clamp(y, y0 + radius, y1 - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    });
}

void IconCanvas::Circle(double cx, double cy, double r, Colour c)
{
    Record("<circle cx=\"" + Num(cx) + "\" cy=\"" + Num(cy) + "\" r=\"" + Num(r) + "\" fill=\"", c);
    Fill(cx - r, cy - r, cx + r, cy + r, c,
         [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; });
}

void IconCanvas::Ring(double cx, double cy, double r, double width, Colour c)
{
    Arc(cx, cy, r, width, 0, 360, c);
}

std::string IconCanvas::Svg() const
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n" + m_shapes +
           "</svg>\n";
}

void IconCanvas::Arc(double cx, double cy, double r, double width, double fromDeg, double toDeg, Colour c)
{
    // Angles grow clockwise on the y-down canvas, as SVG's sweep flag 1 does.
    const double span = fromDeg <= toDeg ? toDeg - fromDeg : 360 - fromDeg + toDeg;
    const std::string stroke = "\" fill=\"none\" stroke-width=\"" + Num(width) + "\" stroke=\"";
    if (span >= 360) {
        Record("<circle cx=\"" + Num(cx) + "\" cy=\"" + Num(cy) + "\" r=\"" + Num(r) + stroke, c);
    } else {
        Record("<path d=\"M" + Point(cx, cy, r, fromDeg) + " A" + Num(r) + "," + Num(r) + " 0 " +
                   (span > 180 ? "1" : "0") + ",1 " + Point(cx, cy, r, toDeg) + stroke,
               c);
    }
    const double outer = r + width / 2;
    const double inner = r - width / 2;
    Fill(cx - outer, cy - outer, cx + outer, cy + outer, c, [=](double x, double y) {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        if (d2 > outer * outer || d2 < inner * inner)
            return false;
        double angle = std::atan2(y - cy, x - cx) * 180 / kPi;
        if (angle < 0)
            angle += 360;
        if (fromDeg <= toDeg)
            return angle >= fromDeg && angle <= toDeg;
        return angle >= fromDeg || angle <= toDeg;
    });
}

void IconCanvas::Line(double x0, double y0, double x1, double y1, double width, Colour c)
{
    Record("<line x1=\"" + Num(x0) + "\" y1=\"" + Num(y0) + "\" x2=\"" + Num(x1) + "\" y2=\"" + Num(y1) +
               "\" stroke-width=\"" + Num(width) + "\" stroke-linecap=\"round\" stroke=\"",
           c);
    const double half = width / 2;
    Fill(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half, c,
         [=](double x, double y) {
             const double dx = x1 - x0;
             const double dy = y1 - y0;
             const double len2 = dx * dx + dy * dy;
             double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0;
             t = std::clamp(t, 0.0, 1.0);
             const double ex = x0 + t * dx - x;
             const double ey = y0 + t * dy - y;
             return ex * ex + ey * ey <= half * half;
         });
}

void IconCanvas::Triangle(double x0, double y0, double x1, double y1, double x2, double y2, Colour c)
{
    Record("<polygon points=\"" + Num(x0) + "," + Num(y0) + " " + Num(x1) + "," + Num(y1) + " " + Num(x2) + "," +
               Num(y2) + "\" fill=\"",
           c);
    Fill(std::min({x0, x1, x2}), std::min({y0, y1, y2}), std::max({x0, x1, x2}), std::max({y0, y1, y2}), c,
         [=](double x, double y) {
             const double d1 = (x - x1) * (y0 - y1) - (x0 - x1) * (y - y1);
             const double d2 = (x - x2) * (y1 - y2) - (x1 - x2) * (y - y2);
             const double d3 = (x - x0) * (y2 - y0) - (x2 - x0) * (y - y0);
             const bool neg = d1 < 0 || d2 < 0 || d3 < 0;
             const bool pos = d1 > 0 || d2 > 0 || d3 > 0;
             return !(neg && pos);
         });
}

ImageData IconCanvas::Finish() const
{
    ImageData out;
    out.width = m_size;
    out.height = m_size;
    out.argb.resize(m_r.size());
    for (std::size_t i = 0; i < m_r.size(); ++i) {
        const double a = m_a[i];
        auto channel = [a](double premultiplied) {
            return static_cast<std::uint32_t>(std::lround(a > 0 ? std::clamp(premultiplied / a, 0.0, 1.0) * 255 : 0));
        };
        out.argb[i] = (static_cast<std::uint32_t>(std::lround(a * 255)) << 24) | (channel(m_r[i]) << 16) |
                      (channel(m_g[i]) << 8) | channel(m_b[i]);
    }
    return out;
}

} // namespace res
