// Clip and Normalize: conversions between poly-polygons and the Boolean
// engine's ring sets.

#include <zeltmath/s2d/poly_polygon.h>

#include <zeltmath/s2d/clip/detail/accumulator.h>
#include <zeltmath/s2d/clip/detail/by_halves.h>
#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace S2D {

struct PolyPolygon::ResultFill {
    // An empty poly-polygon with AddPolygon(ring, hole != 0) for each ring
    // of `set`, in order: every list sized once, and each ring's points
    // written once and handed over.
    static PolyPolygon Make(const clip::detail::ContourSet& set)
    {
        PolyPolygon pp;
        const int n = set.Count();
        std::size_t holes = 0;
        for (int c = 0; c < n; ++c)
            holes += set.Hole(c) != 0;
        pp.polygons_.reserve(static_cast<std::size_t>(n));
        pp.inners_.reserve(holes);
        pp.outers_.reserve(static_cast<std::size_t>(n) - holes);
        for (int c = 0; c < n; ++c) {
            const clip::detail::RingView ring = set.Ring(c);
            Polygon polygon;
            std::vector<Point>& points = polygon.Points();
            points.reserve(ring.size());
            for (const clip::detail::Vertex& v : ring)
                points.emplace_back(v.x, v.y);
            pp.Append(std::move(polygon), set.Hole(c) != 0 ? 1 : 0);
        }
        return pp;
    }
};

namespace {

using clip::detail::Combine;
using clip::detail::ContourSet;
using clip::detail::Operation;
using clip::detail::RingView;
using clip::detail::Vertex;

// Appends polygon p to `set` as a ring with the given hole flag.
void AddRing(const Polygon& p, int hole, ContourSet& set)
{
    const std::vector<Point>& points = p.Points();
    Vertex* to = set.Append(points.size(), hole);
    for (const Point& q : points)
        *to++ = Vertex{q.x, q.y};
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
    std::size_t vertices = 0;
    for (const Polygon& r : rings)
        vertices += r.Points().size();
    set.Reserve(rings.size(), vertices);
    for (std::size_t i = 0; i < rings.size(); ++i)
        AddRing(rings[i], hole[i], set);
    return set;
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
    return ResultFill::Make(Combine(EngineOperation(op), ToContours(*this), ToContours(other)));
}

void PolyPolygon::Normalize()
{
    // All outer rings united one by one, then every hole taken away; in
    // every run the accumulated result is the subject and the ring alone the
    // clip operand.  Rings in general position get the same result by
    // halves.
    ContourSet rings;
    std::size_t vertices = 0;
    for (const Polygon& p : polygons_)
        vertices += p.Points().size();
    rings.Reserve(outers_.size() + inners_.size(), vertices);
    std::size_t outerCount = 0;
    for (unsigned i : outers_)
        if (i < polygons_.size()) {
            AddRing(polygons_[i], 0, rings);
            ++outerCount;
        }
    for (unsigned i : inners_)
        if (i < polygons_.size())
            AddRing(polygons_[i], 0, rings);
    std::vector<RingView> all;
    for (int c = 0; c < rings.Count(); ++c)
        all.push_back(rings.Ring(c));
    const std::vector<RingView> outers(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(outerCount));
    const std::vector<RingView> inners(all.begin() + static_cast<std::ptrdiff_t>(outerCount), all.end());
    if (clip::detail::InGeneralPosition(all)) {
        ContourSet result;
        clip::detail::NormalizeByHalves(outers, inners, result);
        operator=(ResultFill::Make(result));
        return;
    }
    clip::detail::Accumulator acc;
    for (const RingView& ring : outers)
        acc.Run(Operation::Union, ring);
    for (const RingView& ring : inners)
        acc.Run(Operation::Difference, ring);
    operator=(ResultFill::Make(acc.Rings()));
}

} // namespace S2D
