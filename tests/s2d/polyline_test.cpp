#include <zeltmath/s2d/polyline.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using S2D::Point;
using S2D::Polyline;

namespace {

std::string OutOfRangeText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::out_of_range& e) {
        return e.what();
    }
    return "no exception";
}

// A closed chain: only the edge count changes, and every inherited edge walk
// picks up the closing edge through the virtual table.
class Closed : public Polyline {
public:
    using Polyline::Polyline;
    Closed() = default;
    Closed(const Polyline& p) : Polyline(p) {}
    unsigned EdgeCount() const override { return Size(); }
};

Polyline Chain(std::initializer_list<Point> points)
{
    return Polyline(std::vector<Point>(points));
}

TEST(Polyline, ConstructionAccessAndEditing)
{
    const Point pts[] = {Point(0, 0), Point(1, 0), Point(1, 1)};
    Polyline a(pts, 3);
    EXPECT_EQ(a.Size(), 3u);
    EXPECT_EQ(a.EdgeCount(), 2u);
    EXPECT_EQ(Polyline(nullptr, 5).Size(), 0u);

    EXPECT_EQ(a.At(2), Point(1, 1));
    EXPECT_EQ(OutOfRangeText([&] { a.At(3); }), "invalid vector<T> subscript");
    const Polyline& ca = a;
    EXPECT_EQ(OutOfRangeText([&] { ca.At(7); }), "invalid vector<T> subscript");

    a.Add(Point(0, 1));
    const Point extra(5, 5);
    a.Add(&extra);
    a.InsertAt(0, Point(-1, -1));
    a.InsertAt(a.Size(), &extra);
    a.RemoveAt(1);
    // Indices past the end: insertion appends, removal does nothing.
    a.RemoveAt(99);
    ASSERT_EQ(a.Size(), 6u);
    Polyline tail;
    tail.InsertAt(5, Point(2, 2));
    tail.Add(static_cast<const Point*>(nullptr));
    EXPECT_TRUE(tail == Chain({Point(2, 2), Point(0, 0)}));
    EXPECT_EQ(a[0], Point(-1, -1));
    EXPECT_EQ(a[1], Point(1, 0));
    EXPECT_EQ(a.Points().back(), extra);

    Polyline b;
    b = a;
    EXPECT_TRUE(b == a);
    Polyline& alias = b;
    b = alias;  // self-assignment keeps the points
    EXPECT_EQ(b.Size(), 6u);
    b[0].x = 9;
    EXPECT_FALSE(b == a);  // deep copy
    b.Clear();
    EXPECT_EQ(b.Size(), 0u);
    EXPECT_FALSE(b == a);
}

TEST(Polyline, EdgesOpenAndClosed)
{
    const Polyline open = Chain({Point(0, 0), Point(2, 0), Point(2, 3)});
    const Closed closed(open);
    EXPECT_EQ(open.EdgeCount(), 2u);
    EXPECT_EQ(closed.EdgeCount(), 3u);
    EXPECT_EQ(open.EdgeAt(1).P1(), Point(2, 0));
    EXPECT_EQ(open.EdgeAt(1).P2(), Point(2, 3));
    EXPECT_EQ(OutOfRangeText([&] { open.EdgeAt(2); }), "Polyline index error");
    EXPECT_EQ(closed.EdgeAt(2).P1(), Point(2, 3));
    EXPECT_EQ(closed.EdgeAt(2).P2(), Point(0, 0));
    EXPECT_EQ(OutOfRangeText([&] { closed.EdgeAt(3); }), "Polyline index error");

    // An empty chain has no edge at all; neither has a single point.
    const Polyline empty;
    EXPECT_EQ(empty.EdgeCount(), 0u);
    EXPECT_EQ(OutOfRangeText([&] { empty.EdgeAt(0); }), "Polyline index error");
    EXPECT_EQ(Chain({Point(1, 1)}).EdgeCount(), 0u);
    EXPECT_EQ(Closed().EdgeCount(), 0u);
}

TEST(Polyline, NearNodesAndEdges)
{
    const Polyline zig = Chain({Point(0, 0), Point(4, 0), Point(4, 4), Point(0, 4)});
    unsigned index = 99;
    // Strictly closer than tol: a vertex at exactly tol does not qualify.
    EXPECT_EQ(zig.CheckPtNearNode(Point(4, 1), 1.0, &index), 0);
    EXPECT_EQ(index, 99u);
    EXPECT_EQ(zig.CheckPtNearNode(Point(4, 0.999), 1.0, &index), 1);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(zig.CheckPtNearNode(Point(4, 0.5), 1.0, nullptr), 1);

    std::vector<unsigned> found{42};
    EXPECT_EQ(zig.CheckPtNearNodes(Point(2, 2), 3.0, &found), 4u);
    EXPECT_EQ(found, (std::vector<unsigned>{42, 0, 1, 2, 3}));  // appended, ascending

    // (-1, 2) is 1 away from the closing edge only, which a polyline lacks.
    EXPECT_EQ(zig.CheckPtNearEdge(Point(-0.5, 2), 1.0, &index), 0);
    EXPECT_EQ(Closed(zig).CheckPtNearEdge(Point(-0.5, 2), 1.0, &index), 1);
    EXPECT_EQ(index, 3u);
    // Beyond an end the distance is the one to the end point: (5, 5) is
    // sqrt(2) from vertex 2.
    EXPECT_EQ(zig.CheckPtNearEdge(Point(5, 5), 1.4, nullptr), 0);
    EXPECT_EQ(zig.CheckPtNearEdge(Point(5, 5), 1.5, &index), 1);
    EXPECT_EQ(index, 1u);

    found.clear();
    EXPECT_EQ(zig.CheckPtNearEdges(Point(3.5, 0.5), 1.0, &found), 2u);
    EXPECT_EQ(found, (std::vector<unsigned>{0, 1}));
    EXPECT_EQ(Closed(zig).CheckPtNearEdges(Point(0.5, 0.5), 1.0, nullptr), 2u);

    const Polyline empty;
    EXPECT_EQ(empty.CheckPtNearEdge(Point(), 1e9, nullptr), 0);
    EXPECT_EQ(empty.CheckPtNearEdges(Point(), 1e9, nullptr), 0u);
    EXPECT_EQ(empty.CheckPtNearNode(Point(), 1e9, nullptr), 0);
    EXPECT_EQ(Closed().CheckPtNearEdges(Point(), 1e9, nullptr), 0u);
}

TEST(Polyline, SelfCrossing)
{
    unsigned first = 77, second = 77, flags = 77;
    // Only edges 0 and 2 cross.
    const Polyline z = Chain({Point(0, 0), Point(2, 2), Point(2, 0), Point(0, 2)});
    ASSERT_EQ(z.IsSelfCrossed(&first, &second, &flags), 1);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(flags, unsigned(S2D::LAYOUT_CROSS));

    // Edges 0 and 3 cross, and so do 1 and 3: the higher first index wins.
    const Polyline hook = Chain({Point(0, 0), Point(4, 0), Point(4, 4), Point(5, 1), Point(1, -1)});
    ASSERT_EQ(hook.IsSelfCrossed(&first, &second, &flags), 1);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 3u);

    // A convex chain, consecutive edges meeting at their shared vertex.
    first = second = flags = 77;
    EXPECT_EQ(Chain({Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 1)}).IsSelfCrossed(&first, &second, &flags),
              0);
    EXPECT_EQ(first, 77u);
    EXPECT_EQ(second, 77u);
    EXPECT_EQ(flags, 77u);

    // Non-consecutive edges meeting at a vertex do count.
    const Polyline loop = Chain({Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 0), Point(-1, 1)});
    ASSERT_EQ(loop.IsSelfCrossed(&first, &second, &flags), 1);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(flags, unsigned(S2D::LAYOUT_APART | S2D::LAYOUT_TOUCH));

    // A consecutive pair folding back onto itself overlaps.
    const Polyline fold = Chain({Point(0, 0), Point(2, 0), Point(1, 0)});
    ASSERT_EQ(fold.IsSelfCrossed(&first, &second, &flags), 1);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    EXPECT_NE(flags & S2D::LAYOUT_CROSS, 0u);

    EXPECT_EQ(Polyline().IsSelfCrossed(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Chain({Point(3, 3)}).IsSelfCrossed(nullptr, nullptr, nullptr), 0);
}

TEST(Polyline, RemoveClosest)
{
    const Point A(0, 0), B(1, 0);
    Polyline aba = Chain({A, B, A});
    EXPECT_EQ(aba.RemoveClosest(1e-9), 1u);  // the end repeats the start
    EXPECT_TRUE(aba == Chain({A, B}));

    Polyline twice = Chain({A, Point(1e-10, -1e-10)});
    EXPECT_EQ(twice.RemoveClosest(1e-9), 2u);
    EXPECT_EQ(twice.Size(), 0u);

    // Runs of near-equal points collapse to their last member.
    Polyline runs = Chain({Point(0, 0), Point(0, 0.05), Point(0, 0.1), Point(5, 0), Point(5, 0.05), Point(9, 9)});
    EXPECT_EQ(runs.RemoveClosest(0.06), 3u);
    EXPECT_TRUE(runs == Chain({Point(0, 0.1), Point(5, 0.05), Point(9, 9)}));
    // The tolerance is per coordinate (a square, not a disc).
    Polyline diagonal = Chain({Point(0, 0), Point(0.9, 0.9), Point(5, 5)});
    EXPECT_EQ(diagonal.RemoveClosest(1.0), 1u);
    EXPECT_EQ(diagonal.Size(), 2u);

    Polyline empty;
    EXPECT_EQ(empty.RemoveClosest(1.0), 0u);
}

TEST(Polyline, ReduceGeometry)
{
    const std::vector<Point> line{Point(0, 0), Point(1, 0), Point(2, 0), Point(3, 0)};
    Polyline open(line);
    EXPECT_EQ(open.ReduceGeometry(1e-9), 1u);  // vertex 2 lies beyond the examined range
    EXPECT_TRUE(open == Chain({Point(0, 0), Point(2, 0), Point(3, 0)}));

    Closed ring(line);
    EXPECT_EQ(ring.ReduceGeometry(1e-9), 2u);
    EXPECT_TRUE(ring == Closed(std::vector<Point>{Point(0, 0), Point(3, 0)}));

    // Near-collinear within the tolerance; the ends always stay.
    Polyline wobble = Chain({Point(0, 0), Point(1, 1e-4), Point(2, -1e-4), Point(3, 0), Point(4, 0), Point(4, 5),
                             Point(4, 9)});
    EXPECT_EQ(wobble.ReduceGeometry(1e-3), 3u);
    EXPECT_TRUE(wobble == Chain({Point(0, 0), Point(4, 0), Point(4, 5), Point(4, 9)}));
    // A point outside its neighbours' segment is kept (the spike).
    Polyline spike = Chain({Point(0, 0), Point(2, 0), Point(1, 0), Point(1, 5), Point(1, 6)});
    EXPECT_EQ(spike.ReduceGeometry(1e-9), 0u);

    for (unsigned n = 0; n < 3; ++n) {
        Polyline shortChain(std::vector<Point>(line.begin(), line.begin() + n));
        EXPECT_EQ(shortChain.ReduceGeometry(1.0), 0u);
        EXPECT_EQ(shortChain.Size(), n);
    }
    EXPECT_EQ(Closed().ReduceGeometry(1.0), 0u);
}

TEST(Polyline, BoundRectAndOrder)
{
    Polyline chain = Chain({Point(3, -1), Point(-2, 4), Point(1, 7)});
    const S2D::Rect box = chain.BoundRect();
    EXPECT_EQ(box.Left(), -2);
    EXPECT_EQ(box.Top(), -1);
    EXPECT_EQ(box.Right(), 3);
    EXPECT_EQ(box.Bottom(), 7);
    Polyline empty;
    const S2D::Rect none = empty.BoundRect();
    EXPECT_EQ(none.Left(), 0);
    EXPECT_EQ(none.Top(), 0);
    EXPECT_EQ(none.Right(), 0);
    EXPECT_EQ(none.Bottom(), 0);

    const Polyline low = Chain({Point(0, 0), Point(1, 5)});
    const Polyline high = Chain({Point(2, 0), Point(3, 1)});
    const Polyline mixed = Chain({Point(1, 4), Point(9, 9)});
    EXPECT_TRUE(low < high);
    EXPECT_FALSE(high < low);
    EXPECT_FALSE(low < mixed);  // (1, 5) < (1, 4) fails
    EXPECT_TRUE(Polyline() < low);
    EXPECT_TRUE(low < Polyline());
    EXPECT_FALSE(low < low);
}

} // namespace
