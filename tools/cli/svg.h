#ifndef ZELTMATH_TOOL_SVG_H
#define ZELTMATH_TOOL_SVG_H

#include <zeltmath/s2d/point.h>

#include <string>
#include <vector>

namespace zcli {

// A picture in plane coordinates (y up), drawn in layers in the order added
// and written as a standalone SVG document scaled to fit its width.
class SvgPicture {
public:
    struct Style {
        std::string stroke = "none";
        std::string fill = "none";
        double strokeWidth = 1.5;     // in pixels, whatever the scale
        double fillOpacity = 1.0;
        std::string dash;             // stroke-dasharray, empty for solid
    };

    // Closed rings drawn as one path with the even-odd rule, so that rings
    // inside rings show as holes.
    void AddRings(const std::vector<std::vector<S2D::Point>>& rings, const Style& style, const std::string& label);
    // An open chain of points.
    void AddPolyline(const std::vector<S2D::Point>& points, const Style& style, const std::string& label);
    // Dots of the given radius in pixels.
    void AddDots(const std::vector<S2D::Point>& points, double radius, const std::string& colour,
                 const std::string& label);

    bool Empty() const { return layers_.empty(); }
    // With equalAspect the two axes share one scale, as a drawing of shapes
    // needs; without it the picture is a plot of fixed proportions whose
    // axes are scaled each to fill it.
    std::string Render(double widthPixels = 640, bool equalAspect = true) const;

private:
    enum class Kind { Rings, Polyline, Dots };
    struct Layer {
        Kind kind;
        std::vector<std::vector<S2D::Point>> paths;
        Style style;
        double radius = 0;
        std::string label;
    };
    std::vector<Layer> layers_;
};

} // namespace zcli

#endif
