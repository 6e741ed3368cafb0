// Clip and Normalize: conversions between poly-polygons and the Boolean
// engine's ring sets.

#include <zeltmath/s2d/poly_polygon.h>

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <algorithm>

namespace S2D {

namespace {

using clip::detail::Combine;
using clip::detail::ContourSet;
using clip::detail::Operation;
using clip::detail::Vertex;

std::vector<Vertex> ToRing(const Polygon& p)
{
    const std::vector<Point>& points = p.Points();
    std::vector<Vertex> ring(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        ring[i] = Vertex{points[i].x, points[i].y};
    return ring;
}

// One contour per ring in ring order; holes flagged.
ContourSet ToContours(const PolyPolygon& pp)
{
    ContourSet set;
    const std::vector<Polygon>& rings = pp.Polygons();
    std::vector<int> hole(rings.size(), 0);
    for (unsigned i : pp.InnerNdxs())
        if (i < hole.size())
            hole[i] = 1;
    for (std::size_t i = 0; i < rings.size(); ++i)
        set.Add(ToRing(rings[i]), hole[i]);
    return set;
}

PolyPolygon FromContours(const ContourSet& set)
{
    // One ring object is refilled for every contour and copied in; its
    // points are overwritten in place rather than made anew.
    PolyPolygon result;
    Polygon ring;
    std::vector<Point>& points = ring.Points();
    for (int c = 0; c < set.Count(); ++c) {
        const std::vector<Vertex>& contour = set.contours[c];
        points.resize(contour.size());
        for (std::size_t i = 0; i < contour.size(); ++i) {
            points[i].x = contour[i].x;
            points[i].y = contour[i].y;
        }
        result.AddPolygon(ring, set.holes[c] != 0 ? 1 : 0);
    }
    return result;
}

Operation EngineOperation(PPOLY_OPERATION op)
{
    switch (op) {
    case PPOLY_DIFFERENCE:
        return Operation::Difference;
    case PPOLY_INTERSECTION:
        return Operation::Intersection;
    case PPOLY_XOR:
        return Operation::Xor;
    default:
        return Operation::Union;
    }
}

} // namespace

PolyPolygon PolyPolygon::Clip(PPOLY_OPERATION op, const PolyPolygon& other) const
{
    if (op < PPOLY_DIFFERENCE || op > PPOLY_UNION)
        return PolyPolygon();
    return FromContours(Combine(EngineOperation(op), ToContours(*this), ToContours(other)));
}

void PolyPolygon::Normalize()
{
    // All outer rings united one by one, then every hole taken away; in
    // every run the accumulated result is the subject and the ring alone the
    // clip operand.
    ContourSet acc;
    ContourSet single;
    single.contours.resize(1);
    single.holes.assign(1, 0);
    for (unsigned i : outers_) {
        if (i >= polygons_.size())
            continue;
        single.contours[0] = ToRing(polygons_[i]);
        acc = Combine(Operation::Union, acc, single);
    }
    for (unsigned i : inners_) {
        if (i >= polygons_.size())
            continue;
        single.contours[0] = ToRing(polygons_[i]);
        acc = Combine(Operation::Difference, acc, single);
    }
    operator=(FromContours(acc));
}

} // namespace S2D
