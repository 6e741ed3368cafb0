#include <zeltmath/s2d/rect.h>

#include <gtest/gtest.h>

using S2D::Point;
using S2D::Rect;
using S2D::Vector;

namespace {

void ExpectRect(const Rect& r, double l, double t, double rt, double b)
{
    EXPECT_EQ(r.Left(), l);
    EXPECT_EQ(r.Top(), t);
    EXPECT_EQ(r.Right(), rt);
    EXPECT_EQ(r.Bottom(), b);
}

TEST(Rect, ConstructionAndAccessors)
{
    ExpectRect(Rect(), 0, 0, 0, 0);
    ExpectRect(Rect(Point(1, 2), Point(3, 5)), 1, 2, 3, 5);
    ExpectRect(Rect(Point(1, 2), Vector(3, 5)), 1, 2, 4, 7);
    const tagRECT ir{-1, 2, 3, 4};
    ExpectRect(Rect(ir), -1, 2, 3, 4);
    Rect r;
    r = ir;
    ExpectRect(r, -1, 2, 3, 4);
    r.SetRect(1, 2, 3, 4).OffsetRect(Vector(1, 1));
    ExpectRect(r, 2, 3, 4, 5);
    r.SetRectEmpty();
    EXPECT_TRUE(r.IsRectNull(0));

    const Rect a(0, 0, 10, 5);
    EXPECT_EQ(a.Width(), 10);
    EXPECT_EQ(a.Height(), 5);
    EXPECT_EQ(a.Size(), Point(10, 5));
    EXPECT_EQ(a.CenterPoint(), Point(5, 2.5));
    EXPECT_EQ(a.TopLeft(), Point(0, 0));
    EXPECT_EQ(a.BottomRight(), Point(10, 5));
}

TEST(Rect, ReversedRectangles)
{
    Rect r(10, 5, 0, 0);
    EXPECT_EQ(r.Width(), -10);
    EXPECT_EQ(r.Height(), -5);
    EXPECT_EQ(r.IsRectEmpty(0), 1);
    EXPECT_EQ(r.RealLeft(), 0);
    EXPECT_EQ(r.RealRight(), 10);
    EXPECT_EQ(r.RealTop(), 0);
    EXPECT_EQ(r.RealBottom(), 5);
    // The reference forms write to the field holding the extreme.
    r.RealLeft() = -1;
    EXPECT_EQ(r.Right(), -1);
    r.RealBottom() = 6;
    EXPECT_EQ(r.Top(), 6);
    // Equal fields: both extremes refer to Bottom / Right.
    Rect flat(3, 4, 3, 4);
    EXPECT_EQ(&flat.RealTop(), &flat.Bottom());
    EXPECT_EQ(&flat.RealBottom(), &flat.Bottom());
    EXPECT_EQ(&flat.RealLeft(), &flat.Right());
    EXPECT_EQ(&flat.RealRight(), &flat.Right());

    Rect n(10, 5, 0, 0);
    n.NormalizeRect();
    ExpectRect(n, 0, 0, 10, 5);
    EXPECT_EQ(n.IsRectEmpty(0), 0);
    EXPECT_EQ(n.IsRectEmpty(5), 1);
}

TEST(Rect, PointInRectAndEquality)
{
    Rect a(0, 0, 10, 5);
    EXPECT_EQ(a.PtInRect(Point(0, 0)), 1);
    EXPECT_EQ(a.PtInRect(Point(10, 2)), 0);
    EXPECT_EQ(a.PtInRect(Point(5, 5)), 0);
    EXPECT_EQ(a.PtInRect(Point(9.999, 4.999)), 1);
    EXPECT_EQ(a.PtInRect(Point(-1e-300, 1)), 0);
    EXPECT_EQ(Rect(10, 5, 0, 0).PtInRect(Point(0, 0)), 1);

    EXPECT_EQ(a.EqualRect(Rect(1e-7, 0, 10, 5 - 0.5e-7), 1e-7), 1);
    EXPECT_EQ(a.EqualRect(Rect(1e-6, 0, 10, 5), 1e-7), 0);
    EXPECT_EQ(Rect(1e-9, -1e-9, 0, 0).IsRectNull(1e-9), 1);
    EXPECT_EQ(Rect(1e-9, -1e-9, 0, 1).IsRectNull(1e-9), 0);
}

TEST(Rect, NormalizeTo)
{
    Rect r(0, 0, 10, 5);
    r.NormalizeRectTo(Rect(10, 0, 0, 5));
    ExpectRect(r, 10, 0, 0, 5);
    r.NormalizeRectTo(Rect(0, 5, 10, 0));
    ExpectRect(r, 0, 5, 10, 0);
    // Equal lefts and rights in the reference: only the vertical axis follows.
    Rect s(10, 0, 0, 5);
    s.NormalizeRectTo(Rect(3, 9, 3, 1));
    ExpectRect(s, 10, 5, 0, 0);
}

TEST(Rect, IntersectAndUnion)
{
    Rect r;
    EXPECT_EQ(r.IntersectRect(Rect(0, 0, 10, 10), Rect(5, 5, 15, 15)), 1);
    ExpectRect(r, 5, 5, 10, 10);
    EXPECT_EQ(r.IntersectRect(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)), 1);
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.IntersectRect(Rect(0, 0, 10, 10), Rect(11, 0, 20, 10)), 0);
    ExpectRect(r, 0, 0, 0, 0);
    // Either operand may be reversed; the result is normalised.
    EXPECT_EQ(r.IntersectRect(Rect(10, 10, 0, 0), Rect(15, 15, 5, 5)), 1);
    ExpectRect(r, 5, 5, 10, 10);
    // The second operand may be this rectangle itself.
    Rect self(5, 5, 15, 15);
    EXPECT_EQ(self.IntersectRect(Rect(0, 0, 10, 10), self), 1);
    ExpectRect(self, 5, 5, 10, 10);

    EXPECT_EQ(r.UnionRect(Rect(0, 0, 1, 1), Rect(5, 5, 6, 6)), 0);
    ExpectRect(r, 0, 0, 6, 6);
    EXPECT_EQ(r.UnionRect(Rect(0, 0, 0, 0), Rect(0, 0, 0, 0)), 1);
    // Empty rectangles are not skipped; reversed ones are normalised.
    EXPECT_EQ(r.UnionRect(Rect(2, 2, 3, 3), Rect(-1, 9, -1, 9)), 0);
    ExpectRect(r, -1, 2, 3, 9);
    EXPECT_EQ(r.UnionRect(Rect(3, 3, 2, 2), r), 0);
    ExpectRect(r, -1, 2, 3, 9);
}

TEST(Rect, InflateDeflateOffset)
{
    Rect r(0, 0, 1, 1);
    r.InflateRect(Rect(1, 2, 3, 4));
    ExpectRect(r, -1, -2, 4, 5);
    r.DeflateRect(Rect(1, 2, 3, 4));
    ExpectRect(r, 0, 0, 1, 1);
    const tagRECT m{1, 1, 2, 2};
    r.InflateRect(m);
    ExpectRect(r, -1, -1, 3, 3);
    r.DeflateRect(m);
    ExpectRect(r, 0, 0, 1, 1);
    r.InflateRect(1, 2, 3, 4).DeflateRect(1, 2, 3, 4);
    ExpectRect(r, 0, 0, 1, 1);
    r.InflateRect(Point(2, 3));
    ExpectRect(r, -2, -3, 3, 4);
    r.DeflateRect(Point(2, 3));
    ExpectRect(r, 0, 0, 1, 1);

    Rect s(0, 0, 10, 10);
    s.DeflateRect(1, 1);
    ExpectRect(s, 1, 1, 9, 9);
    s.InflateRect(1, 1);
    ExpectRect(s, 0, 0, 10, 10);
    s.OffsetRect(Point(-1, 2)).OffsetRect(1, -2);
    ExpectRect(s, 0, 0, 10, 10);
}

TEST(Rect, MoveIntoFrameClampAndGrow)
{
    const Rect frame(0, 0, 10, 10);
    Rect r(2, 2, 4, 4);
    ExpectRect(r.MoveInToRect(frame), 2, 2, 4, 4);
    r.SetRect(-3, 1, -1, 2);
    ExpectRect(r.MoveInToRect(frame), 0, 1, 2, 2);
    r.SetRect(8, 8, 12, 12);
    ExpectRect(r.MoveInToRect(frame), 6, 6, 10, 10);
    r.SetRect(-5, 0, 15, 5);
    ExpectRect(r.MoveInToRect(frame), -10, 0, 10, 5);  // aligned right
    // A reversed rectangle keeps its orientation; so may the frame be.
    r.SetRect(12, 14, 8, 11);
    ExpectRect(r.MoveInToRect(Rect(10, 10, 0, 0)), 10, 10, 6, 7);
    r.SetRect(-2, -3, -4, -6);
    ExpectRect(r.MoveInToRect(frame), 2, 3, 0, 0);

    Point p(-1, 20);
    frame.EnsurePoint(p);
    EXPECT_EQ(p, Point(0, 10));
    Point q(11, -4);
    Rect(10, 10, 0, 0).EnsurePoint(q);
    EXPECT_EQ(q, Point(10, 0));
    Point in(3, 4);
    frame.EnsurePoint(in);
    EXPECT_EQ(in, Point(3, 4));

    Rect g(0, 0, 1, 1);
    g.EnlargeToPoint(Point(-2, 0.5)).EnlargeToPoint(Point(0.5, 3));
    ExpectRect(g, -2, 0, 1, 3);

    tagRECT rc{};
    Rect(0.5, -0.5, 2.49, 2.5).GetRECT(rc);
    EXPECT_EQ(rc.left, 1);
    EXPECT_EQ(rc.top, -1);
    EXPECT_EQ(rc.right, 2);
    EXPECT_EQ(rc.bottom, 3);
}

// Operations reach the coordinates through the virtual table.
class ShiftedRect : public Rect {
public:
    using Rect::Rect;
    double Width() const override { return Rect::Width() - 100; }
};

TEST(Rect, CallersUseTheVirtualTable)
{
    const ShiftedRect s(0, 0, 10, 10);
    const Rect& r = s;
    EXPECT_EQ(r.IsRectEmpty(0), 1);  // through the overridden Width()
    Rect u;
    EXPECT_EQ(u.UnionRect(r, r), 0);  // a plain Rect result
}

} // namespace
