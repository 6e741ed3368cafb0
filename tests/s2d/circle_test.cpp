#include <zeltmath/s2d/circle.h>

#include <gtest/gtest.h>

#include <cmath>

using S2D::Circle;
using S2D::Point;
using S2D::Rect;

namespace {

TEST(Circle, ConstructionCopyAndBoundRect)
{
    const Circle def;
    EXPECT_EQ(def.x, 0);
    EXPECT_EQ(def.y, 0);
    EXPECT_EQ(def.Radius(), 0);

    EXPECT_EQ(Circle(static_cast<const Point*>(nullptr), 2).Radius(), 2);
    EXPECT_EQ(Point(Circle(static_cast<const Point*>(nullptr), 2)), Point(0, 0));
    const Point centre(3, -1);
    const Circle fromPtr(&centre, 4);
    EXPECT_EQ(Point(fromPtr), centre);

    Circle c(1, 2, 3);
    Rect box = c.BoundRect();
    EXPECT_TRUE(box.EqualRect(Rect(-2, -1, 4, 5), 0));

    Circle copy(c);
    EXPECT_EQ(copy.Radius(), 3);
    Circle other(Point(9, 9), -1);  // a negative radius is stored as given
    EXPECT_EQ(other.Radius(), -1);
    other = c;
    EXPECT_EQ(Point(other), Point(1, 2));
    EXPECT_EQ(other.Radius(), 3);
    EXPECT_EQ(&c.Radius(7), &c);
    EXPECT_EQ(c.Radius(), 7);
    // The centre is the inherited point: distances are measured from it.
    EXPECT_DOUBLE_EQ(c.Distance(Point(4, 6)), 5);
}

TEST(Circle, PointAndCircleContainment)
{
    const Circle c(Point(0, 0), 5);
    EXPECT_EQ(c.CheckIn(Point(3, 4), 1, 1e-9), 1);
    EXPECT_EQ(c.CheckIn(Point(3, 4), 0, 1e-9), 0);
    EXPECT_EQ(c.CheckIn(Point(3, 3.9), 0, 1e-9), 1);
    EXPECT_EQ(c.CheckIn(Point(4, 4), 1, 1e-9), 0);
    // Within the tolerance of the border counts as the border.
    EXPECT_EQ(c.CheckIn(Point(0, 4.95), 7, 0.1), 7);
    EXPECT_EQ(c.CheckIn(Point(0, 4.85), 0, 0.1), 1);

    EXPECT_EQ(c.CheckIn(Circle(1, 0, 3), 0, 1e-9), 1);
    EXPECT_EQ(c.CheckIn(Circle(2, 0, 3), 0, 1e-9), 0);  // internal tangency
    EXPECT_EQ(c.CheckIn(Circle(2, 0, 3), 1, 1e-9), 1);
    EXPECT_EQ(c.CheckIn(Circle(3, 0, 3), 1, 1e-9), 0);  // sticks out
    EXPECT_EQ(c.CheckIn(Circle(0, 0, 6), 1, 1e-9), 0);  // larger
}

TEST(Circle, CircleCrossing)
{
    const Circle c(Point(0, 0), 5);
    EXPECT_EQ(c.IsCrossed(Circle(8, 0, 3), 1, 1e-9), 1);  // outer tangency
    EXPECT_EQ(c.IsCrossed(Circle(8, 0, 3), 0, 1e-9), 0);
    EXPECT_EQ(c.IsCrossed(Circle(7, 0, 3), 0, 1e-9), 1);
    EXPECT_EQ(c.IsCrossed(Circle(9, 0, 3), 1, 1e-9), 0);
    EXPECT_EQ(c.IsCrossed(Circle(1, 0, 3), 1, 1e-9), 0);  // inside
    EXPECT_EQ(c.IsCrossed(Circle(2, 0, 3), 1, 1e-9), 1);  // inner tangency
    EXPECT_EQ(c.IsCrossed(Circle(2, 0, 3), 0, 1e-9), 0);
    // The order of the two circles does not matter.
    EXPECT_EQ(Circle(2, 0, 3).IsCrossed(c, 1, 1e-9), 1);
    EXPECT_EQ(Circle(1, 0, 3).IsCrossed(c, 1, 1e-9), 0);
    EXPECT_EQ(Circle(7, 0, 3).IsCrossed(c, 0, 1e-9), 1);
}

// The tests reach the radius and the distance through the virtual table.
class GrowingCircle : public Circle {
public:
    using Circle::Circle;
    double Radius() const override { return 2 * Circle::Radius(); }
    using Circle::Radius;
};

TEST(Circle, TestsUseTheVirtualRadius)
{
    const GrowingCircle g(Point(0, 0), 2);  // acts as radius 4
    const Circle& c = g;
    EXPECT_EQ(c.CheckIn(Point(3, 0), 0, 1e-9), 1);
    EXPECT_EQ(c.CheckIn(Point(4, 0), 9, 1e-9), 9);
    EXPECT_TRUE(c.BoundRect().EqualRect(Rect(-4, -4, 4, 4), 0));
    EXPECT_EQ(Circle(6, 0, 2).IsCrossed(c, 1, 1e-9), 1);  // tangent to the doubled radius
    const Circle copy(c);                                 // copies through Radius()
    EXPECT_EQ(copy.Radius(), 4);
}

} // namespace
