#include <zeltmath/s2d/poly_polygon.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using S2D::Point;
using S2D::Polygon;
using S2D::PolyPolygon;

namespace {

using Ids = std::vector<unsigned>;

// Counts the calls of the change hook.
class Counted : public PolyPolygon {
public:
    using PolyPolygon::PolyPolygon;
    void OnChange() override { ++changes; }
    int changes = 0;
};

TEST(PolyPolygon, ListsRolesAndAccess)
{
    const PolyPolygon one(Square(0, 0, 1, 1));
    EXPECT_EQ(one.Size(), 1u);
    EXPECT_EQ(one.OutersCount(), 1u);
    EXPECT_EQ(one.InnersCount(), 0u);
    EXPECT_EQ(one.OuterNdxs(), Ids{0});

    PolyPolygon pp;
    pp.AddPolygon(Square(0, 0, 10, 10), 0);
    pp.AddPolygon(Square(4, 4, 6, 6), 1);
    pp.AddPolygon(Square(20, 0, 21, 1), 2);  // only 1 marks a hole
    EXPECT_EQ(pp.OuterNdxs(), (Ids{0, 2}));
    EXPECT_EQ(pp.InnerNdxs(), Ids{1});
    unsigned char inner = 7;
    EXPECT_EQ(pp.GetPolygon(1, &inner).Area(), 4);
    EXPECT_EQ(inner, 1);
    pp.GetPolygon(2, &inner);
    EXPECT_EQ(inner, 0);
    EXPECT_THROW(pp.GetPolygon(3, nullptr), std::out_of_range);
    EXPECT_THROW(pp.SetPolygon(3, Square(0, 0, 1, 1)), std::out_of_range);

    // Views follow the index lists.
    const S2D::PolyPolygonRings outers = pp.Outers();
    ASSERT_EQ(outers.size(), 2u);
    EXPECT_EQ(outers[1].Area(), 1);
    double area = 0;
    for (const Polygon& p : pp.Inners())
        area += p.Area();
    EXPECT_EQ(area, 4);

    // SetPolygon keeps the role.
    pp.SetPolygon(1, Square(3, 3, 6, 6));
    pp.GetPolygon(1, &inner);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(pp.Polygons()[1].Area(), 9);
}

TEST(PolyPolygon, RemoveRenumbersBothLists)
{
    PolyPolygon pp;
    pp.AddPolygon(Square(0, 0, 1, 1), 0);
    pp.AddPolygon(Square(0, 0, 2, 2), 1);
    pp.AddPolygon(Square(0, 0, 3, 3), 0);
    pp.RemovePolygon(0);
    EXPECT_EQ(pp.OuterNdxs(), Ids{1});
    EXPECT_EQ(pp.InnerNdxs(), Ids{0});
    EXPECT_EQ(pp.GetPolygon(1, nullptr).Area(), 9);
    pp.RemovePolygon(5);  // out of range: nothing happens
    EXPECT_EQ(pp.Size(), 2u);
    pp.Clear();
    EXPECT_EQ(pp.Size() + pp.OutersCount() + pp.InnersCount() + pp.GetOrder().size(), 0u);
}

TEST(PolyPolygon, CheckInByContainmentOrder)
{
    PolyPolygon pp;
    pp.AddPolygon(Square(0, 0, 10, 10), 0);
    pp.AddPolygon(Square(4, 4, 6, 6), 1);
    unsigned k = 99;
    EXPECT_EQ(pp.CheckIn(Point(5, 5), 1, 1e-9, 1, &k), 0);
    EXPECT_EQ(k, 1u);
    EXPECT_EQ(pp.CheckIn(Point(1, 1), 1, 1e-9, 1, &k), 1);
    EXPECT_EQ(k, 0u);
    // On the border of the hole: inside the hole, hence outside.
    EXPECT_EQ(pp.CheckIn(Point(4, 5), 1, 1e-9, 1, &k), 0);
    EXPECT_EQ(k, 1u);
    k = 99;
    EXPECT_EQ(pp.CheckIn(Point(50, 5), 1, 1e-9, 1, &k), 0);
    EXPECT_EQ(k, 99u);
    EXPECT_EQ(pp.GetOrder(), (Ids{1, 0}));

    // A new island is never skipped by a stale cache.
    pp.AddPolygon(Square(4.5, 4.5, 5.5, 5.5), 0);
    EXPECT_EQ(pp.CheckIn(Point(5, 5), 1, 1e-9, 1, &k), 1);
    EXPECT_EQ(k, 2u);
    EXPECT_EQ(pp.GetOrder(), (Ids{2, 1, 0}));

    // Nor is a removed ring ever named: indices are renumbered.
    pp.RemovePolygon(1);
    EXPECT_EQ(pp.CheckIn(Point(5, 5), 1, 1e-9, 1, &k), 1);
    EXPECT_EQ(k, 1u);
    EXPECT_EQ(pp.CheckIn(Point(4.2, 4.2), 1, 1e-9, 1, &k), 1);
    EXPECT_EQ(k, 0u);
    EXPECT_EQ(pp.GetOrder().size(), 2u);

    // Replacing a ring reorders too: the island grows around the rest.
    pp.SetPolygon(1, Square(-5, -5, 15, 15));
    EXPECT_EQ(pp.CheckIn(Point(1, 1), 1, 1e-9, 1, &k), 1);
    EXPECT_EQ(k, 0u);
    EXPECT_EQ(pp.GetOrder(), (Ids{0, 1}));

    EXPECT_EQ(PolyPolygon().CheckIn(Point(0, 0), 1, 1e-9, 1, &k), 0);
}

TEST(PolyPolygon, NestedRingsUnorderedByTheTestStillComeInsideOut)
{
    // Ring 0 is inside ring 2 but ring 1, apart from both, is comparable to
    // neither; the walk must still meet ring 0 before ring 2.
    PolyPolygon pp;
    pp.AddPolygon(Square(1, 1, 2, 2), 1);
    pp.AddPolygon(Square(50, 50, 60, 60), 0);
    pp.AddPolygon(Square(0, 0, 3, 3), 0);
    unsigned k = 0;
    EXPECT_EQ(pp.CheckIn(Point(1.5, 1.5), 1, 1e-9, 1, &k), 0);
    EXPECT_EQ(k, 0u);
}

TEST(PolyPolygon, CopiesCacheAndChangeHook)
{
    PolyPolygon pp;
    pp.AddPolygon(Square(0, 0, 10, 10), 0);
    pp.AddPolygon(Square(4, 4, 6, 6), 1);
    pp.CheckOrder();
    const PolyPolygon copy(pp);
    EXPECT_TRUE(copy.GetOrder().empty());
    EXPECT_EQ(copy.InnerNdxs(), pp.InnerNdxs());
    PolyPolygon assigned;
    assigned = pp;
    EXPECT_EQ(assigned.GetOrder(), pp.GetOrder());
    assigned = assigned;
    EXPECT_EQ(assigned.Size(), 2u);

    Counted c;
    const int start = c.changes;  // the base constructor ran the base hook
    c.AddPolygon(Square(0, 0, 1, 1), 0);
    c.AddPolygon(Square(0, 0, 2, 2), 0);
    c.SetPolygon(0, Square(0, 0, 3, 3));
    c.RemovePolygon(1);
    c.Normalize();
    c.Clear();
    EXPECT_EQ(c.changes - start, 6);
}

} // namespace
