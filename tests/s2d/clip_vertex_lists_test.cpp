// Exact results of the Boolean operations where rings meet in a single
// point, and across gaps on either side of the bundling tolerance (1e-8):
// the whole vertex list of every result ring, its role, and its area as a
// check by hand.  The vertex order is the sweep's (each ring starts at its
// lowest right vertex and runs clockwise).

#include <zeltmath/s2d/poly_polygon.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <vector>

using S2D::Point;
using S2D::Polygon;
using S2D::PolyPolygon;

namespace {

struct Ring {
    bool hole;
    std::vector<Point> points;
};

PolyPolygon Region(const std::vector<Point>& ring)
{
    PolyPolygon p;
    p.AddPolygon(Polygon(ring), 0);
    return p;
}

PolyPolygon Region(const Polygon& ring)
{
    PolyPolygon p;
    p.AddPolygon(ring, 0);
    return p;
}

void ExpectRings(const PolyPolygon& result, const std::vector<Ring>& expected, double area)
{
    ASSERT_EQ(result.Size(), expected.size());
    for (unsigned i = 0; i < result.Size(); ++i) {
        unsigned char inner = 0;
        const Polygon& ring = result.GetPolygon(i, &inner);
        EXPECT_EQ(inner != 0, expected[i].hole) << "ring " << i;
        EXPECT_EQ(ring.Points(), expected[i].points) << "ring " << i;
    }
    EXPECT_DOUBLE_EQ(NetArea(result), area);
}

const Ring kUnitSquare{false, {{1, 0}, {0, 0}, {0, 1}, {1, 1}}};

TEST(ClipVertexLists, SquaresSharingOneVertex)
{
    const PolyPolygon a = Region(Square(0, 0, 1, 1));
    const PolyPolygon b = Region(Square(1, 1, 2, 2));
    const Ring upper{false, {{2, 1}, {1, 1}, {1, 2}, {2, 2}}};
    // Meeting in a point joins nothing: two rings, in the order the sweep
    // closes them.
    ExpectRings(a.Clip(S2D::PPOLY_UNION, b), {upper, kUnitSquare}, 2);
    ExpectRings(a.Clip(S2D::PPOLY_XOR, b), {upper, kUnitSquare}, 2);
    ExpectRings(a.Clip(S2D::PPOLY_DIFFERENCE, b), {kUnitSquare}, 1);
    ExpectRings(a.Clip(S2D::PPOLY_INTERSECTION, b), {}, 0);
}

TEST(ClipVertexLists, TrianglesMeetingApexToApex)
{
    // Apex up below, apex down above, touching at (1, 1): one ring that
    // passes the shared apex twice.
    const PolyPolygon below = Region({{0, 0}, {2, 0}, {1, 1}});
    const PolyPolygon above = Region({{0, 2}, {1, 1}, {2, 2}});
    const Ring hourglass{false, {{1, 1}, {2, 0}, {0, 0}, {1, 1}, {0, 2}, {2, 2}}};
    ExpectRings(below.Clip(S2D::PPOLY_UNION, above), {hourglass}, 2);
    ExpectRings(below.Clip(S2D::PPOLY_XOR, above), {hourglass}, 2);
    ExpectRings(below.Clip(S2D::PPOLY_DIFFERENCE, above), {{false, {{2, 0}, {0, 0}, {1, 1}}}}, 1);
    ExpectRings(below.Clip(S2D::PPOLY_INTERSECTION, above), {}, 0);

    // Side by side, the apex of one on a corner of the other: two rings.
    const PolyPolygon beside = Region({{1, 1}, {3, 0}, {3, 2}});
    const Ring right{false, {{3, 0}, {1, 1}, {3, 2}}};
    const Ring left{false, {{2, 0}, {0, 0}, {1, 1}}};
    ExpectRings(below.Clip(S2D::PPOLY_UNION, beside), {right, left}, 3);
    ExpectRings(below.Clip(S2D::PPOLY_XOR, beside), {right, left}, 3);
}

TEST(ClipVertexLists, HoleTouchingTheBorderInOnePoint)
{
    const PolyPolygon square = Region(Square(0, 0, 4, 4));
    // A triangle cut from the corner it shares: the ring runs into the notch
    // and back to the corner.
    ExpectRings(square.Clip(S2D::PPOLY_DIFFERENCE, Region({{0, 0}, {2, 1}, {1, 2}})),
                {{false, {{4, 0}, {0, 0}, {2, 1}, {1, 2}, {0, 0}, {0, 4}, {4, 4}}}}, 14.5);
    // A diamond standing on the bottom edge, and one hanging from the top.
    ExpectRings(square.Clip(S2D::PPOLY_DIFFERENCE, Region({{2, 0}, {3, 1}, {2, 2}, {1, 1}})),
                {{false, {{4, 0}, {2, 0}, {3, 1}, {2, 2}, {1, 1}, {2, 0}, {0, 0}, {0, 4}, {4, 4}}}}, 14);
    ExpectRings(square.Clip(S2D::PPOLY_DIFFERENCE, Region({{2, 2}, {3, 3}, {2, 4}, {1, 3}})),
                {{false, {{4, 0}, {0, 0}, {0, 4}, {2, 4}, {1, 3}, {2, 2}, {3, 3}, {2, 4}, {4, 4}}}}, 14);
}

TEST(ClipVertexLists, GapsBesideTheBundlingTolerance)
{
    const PolyPolygon a = Region(Square(0, 0, 1, 1));
    // 2e-8 apart the two sides are separate edges: two rings, the gap kept.
    const double far = 1 + 2e-8;
    const PolyPolygon apart = Region(Square(far, 0, 2, 1));
    const Ring right{false, {{2, 0}, {far, 0}, {far, 1}, {2, 1}}};
    ExpectRings(a.Clip(S2D::PPOLY_UNION, apart), {right, kUnitSquare}, 1 + (2 - far));
    ExpectRings(a.Clip(S2D::PPOLY_XOR, apart), {right, kUnitSquare}, 1 + (2 - far));
    ExpectRings(a.Clip(S2D::PPOLY_DIFFERENCE, apart), {kUnitSquare}, 1);

    // 1e-9 apart they are one bundle: the two sides cancel and the union is
    // one rectangle; the difference still keeps the first square whole.
    const PolyPolygon close = Region(Square(1 + 1e-9, 0, 2, 1));
    const Ring joined{false, {{2, 0}, {0, 0}, {0, 1}, {2, 1}}};
    ExpectRings(a.Clip(S2D::PPOLY_UNION, close), {joined}, 2);
    ExpectRings(a.Clip(S2D::PPOLY_XOR, close), {joined}, 2);
    ExpectRings(a.Clip(S2D::PPOLY_DIFFERENCE, close), {kUnitSquare}, 1);
    ExpectRings(a.Clip(S2D::PPOLY_INTERSECTION, close), {}, 0);

    // Bundling joins edges of one scanbeam; horizontal sides bound beams and
    // are never bundled, so a vertical gap of 1e-9 stays.
    const PolyPolygon wide = Region(Square(0, 0, 2, 1));
    const double up = 1 + 1e-9;
    const Ring top{false, {{2, up}, {0, up}, {0, 2}, {2, 2}}};
    const Ring bottom{false, {{2, 0}, {0, 0}, {0, 1}, {2, 1}}};
    ExpectRings(wide.Clip(S2D::PPOLY_UNION, Region(Square(0, up, 2, 2))), {top, bottom}, 2 + 2 * (2 - up));
}

} // namespace
