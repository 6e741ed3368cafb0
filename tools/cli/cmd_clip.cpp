#include "commands.h"

#include "errors.h"
#include "io.h"
#include "svg.h"

#include <zeltmath/s2d/poly_polygon.h>

#include <map>
#include <ostream>

namespace zcli {

namespace {

S2D::PolyPolygon ToRegion(const std::vector<WktRing>& rings)
{
    S2D::PolyPolygon region;
    for (const WktRing& ring : rings)
        region.AddPolygon(S2D::Polygon(ring.points), ring.hole ? 1 : 0);
    return region;
}

std::vector<S2D::Point> Vertices(const S2D::Polygon& polygon)
{
    return polygon.Points();
}

std::vector<std::vector<S2D::Point>> AllRings(const std::vector<WktRing>& rings)
{
    std::vector<std::vector<S2D::Point>> out;
    for (const WktRing& ring : rings)
        out.push_back(ring.points);
    return out;
}

// Groups the rings of a region into WKT polygons: every hole goes with the
// smallest outer ring that holds all its vertices (on the border counts as
// inside); a hole that no outer ring holds is written as a polygon of its own.
std::vector<WktPolygon> Group(const S2D::PolyPolygon& region)
{
    const auto& polygons = region.Polygons();
    std::vector<WktPolygon> groups;
    std::map<unsigned, std::size_t> groupOfOuter;
    for (unsigned o : region.OuterNdxs()) {
        groupOfOuter[o] = groups.size();
        groups.push_back({Vertices(polygons[o])});
    }
    for (unsigned h : region.InnerNdxs()) {
        const S2D::Polygon& hole = polygons[h];
        long best = -1;
        for (unsigned o : region.OuterNdxs()) {
            const S2D::Polygon& outer = polygons[o];
            if (hole.CheckPointsIn(outer, 1, 1e-9, 1).size() != hole.Size())
                continue;
            if (best < 0 || outer.Area() < polygons[static_cast<unsigned>(best)].Area())
                best = o;
        }
        if (best < 0)
            groups.push_back({Vertices(hole)});
        else
            groups[groupOfOuter[static_cast<unsigned>(best)]].push_back(Vertices(hole));
    }
    return groups;
}

bool ParseOperation(const std::string& name, S2D::PPOLY_OPERATION& op)
{
    static const std::map<std::string, S2D::PPOLY_OPERATION> operations = {
        {"difference", S2D::PPOLY_DIFFERENCE},
        {"intersection", S2D::PPOLY_INTERSECTION},
        {"xor", S2D::PPOLY_XOR},
        {"union", S2D::PPOLY_UNION},
    };
    const auto it = operations.find(name);
    if (it == operations.end())
        return false;
    op = it->second;
    return true;
}

} // namespace

int RunClip(const ClipRequest& request, std::ostream& out)
{
    const bool normalize = request.operation == "normalize";
    S2D::PPOLY_OPERATION op = S2D::PPOLY_UNION;
    if (!normalize && !ParseOperation(request.operation, op))
        throw InputError("clip: unknown operation '" + request.operation +
                         "' (expected difference, intersection, xor or union)");

    const S2D::PolyPolygon a = ToRegion(request.a);
    S2D::PolyPolygon result;
    if (normalize) {
        result = a;
        result.Normalize();
    } else {
        result = a.Clip(op, ToRegion(request.b));
    }

    out << FormatWkt(Group(result)) << '\n';
    double area = 0;
    for (unsigned i = 0; i < result.Size(); ++i) {
        unsigned char hole = 0;
        const S2D::Polygon& ring = result.GetPolygon(i, &hole);
        area += hole ? -ring.Area() : ring.Area();
        out << "ring " << i << ": " << (hole ? "hole" : "outer") << ", " << ring.Size() << " vertices, area "
            << FormatNumber(ring.Area()) << '\n';
    }
    out << "area: " << FormatNumber(area) << '\n';

    if (!request.svgPath.empty()) {
        SvgPicture picture;
        SvgPicture::Style fill;
        fill.fill = "#4caf50";
        fill.fillOpacity = 0.55;
        fill.stroke = "#1b5e20";
        fill.strokeWidth = 1;
        std::vector<std::vector<S2D::Point>> rings;
        for (const S2D::Polygon& p : result.Polygons())
            rings.push_back(Vertices(p));
        picture.AddRings(rings, fill, "result");
        SvgPicture::Style outlineA;
        outlineA.stroke = "#1565c0";
        outlineA.strokeWidth = 2;
        picture.AddRings(AllRings(request.a), outlineA, "A");
        if (!normalize) {
            SvgPicture::Style outlineB;
            outlineB.stroke = "#c62828";
            outlineB.strokeWidth = 2;
            outlineB.dash = "6 4";
            picture.AddRings(AllRings(request.b), outlineB, "B");
        }
        WriteFileAtomic(request.svgPath, picture.Render());
    }
    return 0;
}

} // namespace zcli
