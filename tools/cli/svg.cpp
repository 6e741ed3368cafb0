#include "svg.h"

#include "io.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <limits>

namespace zcli {

void SvgPicture::AddRings(const std::vector<std::vector<S2D::Point>>& rings, const Style& style,
                          const std::string& label)
{
    layers_.push_back({Kind::Rings, rings, style, 0, label});
}

void SvgPicture::AddPolyline(const std::vector<S2D::Point>& points, const Style& style, const std::string& label)
{
    layers_.push_back({Kind::Polyline, {points}, style, 0, label});
}

void SvgPicture::AddDots(const std::vector<S2D::Point>& points, double radius, const std::string& colour,
                         const std::string& label)
{
    Style style;
    style.fill = colour;
    layers_.push_back({Kind::Dots, {points}, style, radius, label});
}

namespace {

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Fixed(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
    return buffer;
}

} // namespace

std::string SvgPicture::Render(double widthPixels, bool equalAspect) const
{
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const Layer& layer : layers_)
        for (const auto& path : layer.paths)
            for (const S2D::Point& p : path) {
                if (!std::isfinite(p.x) || !std::isfinite(p.y))
                    continue;
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
                minY = std::min(minY, p.y);
                maxY = std::max(maxY, p.y);
            }
    if (minX > maxX) {
        minX = minY = 0;
        maxX = maxY = 1;
    }
    double spanX = maxX - minX, spanY = maxY - minY;
    const double span = std::max({spanX, spanY, 1e-300});
    if (spanX < span * 1e-3)
        spanX = span * 1e-3;
    if (spanY < span * 1e-3)
        spanY = span * 1e-3;
    const double margin = 24;
    const double scaleX = (widthPixels - 2 * margin) / spanX;
    const double heightPixels =
        equalAspect ? std::min(spanY * scaleX, 4 * widthPixels) + 2 * margin : 0.625 * widthPixels;
    const double scaleY = equalAspect ? scaleX : (heightPixels - 2 * margin) / spanY;
    auto sx = [&](double x) { return Fixed(margin + (x - minX) * scaleX); };
    auto sy = [&](double y) { return Fixed(heightPixels - margin - (y - minY) * scaleY); };

    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Fixed(widthPixels) + "\" height=\"" +
           Fixed(heightPixels) + "\" viewBox=\"0 0 " + Fixed(widthPixels) + " " + Fixed(heightPixels) + "\">\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    for (const Layer& layer : layers_) {
        out += "<g>";
        if (!layer.label.empty())
            out += "<title>" + Escape(layer.label) + "</title>";
        out += '\n';
        if (layer.kind == Kind::Dots) {
            for (const S2D::Point& p : layer.paths.front())
                out += "<circle cx=\"" + sx(p.x) + "\" cy=\"" + sy(p.y) + "\" r=\"" + Fixed(layer.radius) +
                       "\" fill=\"" + Escape(layer.style.fill) + "\"/>\n";
        } else {
            std::string d;
            for (const auto& path : layer.paths) {
                for (std::size_t i = 0; i < path.size(); ++i)
                    d += (i ? "L" : "M") + sx(path[i].x) + "," + sy(path[i].y) + " ";
                if (layer.kind == Kind::Rings && !path.empty())
                    d += "Z ";
            }
            const Style& s = layer.style;
            out += "<path d=\"" + d + "\" fill=\"" + Escape(s.fill) + "\" fill-rule=\"evenodd\" fill-opacity=\"" +
                   Fixed(s.fillOpacity) + "\" stroke=\"" + Escape(s.stroke) + "\" stroke-width=\"" +
                   Fixed(s.strokeWidth) + "\" stroke-linejoin=\"round\"";
            if (!s.dash.empty())
                out += " stroke-dasharray=\"" + Escape(s.dash) + "\"";
            out += "/>\n";
        }
        out += "</g>\n";
    }
    out += "</svg>\n";
    return out;
}

} // namespace zcli
