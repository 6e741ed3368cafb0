// The declared interface of the primitives, as a caller writes to it: the
// shape transforms under S2D::Transform, Set... operations that return the
// object, plain (implicit) constructors, signatures that a derived class can
// override as declared, and the element rules that the planar and the
// spatial matrices share.

#include <zeltmath/s2d/transform.h>
#include <zeltmath/s3d/matrix.h>
#include <zeltmath/s3d/point.h>
#include "shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>
#include <utility>

namespace {

template <class T>
using SetV12Result = decltype(std::declval<T&>().SetV12(1.0, 2.0));
static_assert(std::is_same<SetV12Result<S2D::Point>, S2D::Point&>::value, "S2D::Point::SetV12 returns Point&");
static_assert(std::is_same<decltype(std::declval<S2D::Edge&>().SetP12(S2D::Point(), S2D::Point())), S2D::Edge&>::value,
              "S2D::Edge::SetP12 returns Edge&");
static_assert(std::is_same<decltype(std::declval<S3D::Point&>().SetV123(1.0, 2.0, 3.0)), S3D::Point&>::value,
              "S3D::Point::SetV123 returns Point&");
static_assert(std::is_same<decltype(std::declval<S3D::Matrix&>().SetV(0, 0, 1.0)), S3D::Matrix&>::value,
              "S3D::Matrix::SetV returns Matrix&");
static_assert(std::is_same<decltype(std::declval<S2D::Matrix&>().SetV(0, 0, 1.0)), S2D::Matrix&>::value,
              "S2D::Matrix::SetV returns Matrix&");

// Copy-initialisation needs constructors that are not explicit.
static_assert(std::is_convertible<const S2D::Edge&, S2D::Line>::value, "Line from Edge");
static_assert(std::is_convertible<const S2D::Point*, S2D::Point>::value, "Point from const Point*");
static_assert(std::is_convertible<const tagPOINT*, S2D::Point>::value, "Point from const tagPOINT*");
static_assert(std::is_convertible<const _POINTL*, S2D::Point>::value, "Point from const _POINTL*");
static_assert(std::is_convertible<const S2D::Vector*, S2D::Vector>::value, "Vector from const Vector*");
static_assert(std::is_convertible<const S2D::Point*, S2D::Vector>::value, "Vector from const Point*");
static_assert(std::is_convertible<double, S2D::Matrix>::value, "S2D::Matrix from double");
static_assert(std::is_convertible<const double (*)[3], S2D::Matrix>::value, "S2D::Matrix from an array");
static_assert(std::is_convertible<const S2D::Matrix*, S2D::Matrix>::value, "S2D::Matrix from const Matrix*");
static_assert(std::is_convertible<double, S3D::Matrix>::value, "S3D::Matrix from double");
static_assert(std::is_convertible<const S3D::Matrix*, S3D::Matrix>::value, "S3D::Matrix from const Matrix*");
static_assert(std::is_convertible<const S3D::Point*, S3D::Point>::value, "S3D::Point from const Point*");
static_assert(std::is_convertible<const S3D::Vector*, S3D::Vector>::value, "S3D::Vector from const Vector*");
static_assert(std::is_convertible<const S3D::Point*, S3D::Vector>::value, "S3D::Vector from const Point*");

// Overrides written exactly as the operations are declared.
class TightRect : public S2D::Rect {
public:
    using S2D::Rect::Rect;
    unsigned char EqualRect(const S2D::Rect& r, double tol) override { return S2D::Rect::EqualRect(r, tol / 2); }
};

class CappedStack : public S2D::MatrixStack {
public:
    int Size() override { return S2D::MatrixStack::Size() < 2 ? S2D::MatrixStack::Size() : 2; }
};

class CappedStack3 : public S3D::MatrixStack {
public:
    int Size() override { return S3D::MatrixStack::Size() < 2 ? S3D::MatrixStack::Size() : 2; }
};

TEST(DeclaredInterface, ShapeTransformsLiveInTheTransformNamespace)
{
    namespace T = S2D::Transform;
    const S2D::Matrix m = S2D::Matrix::Move(1, 2);
    S2D::Point p;
    T::Transform(m, S2D::Point(1, 1), p);
    EXPECT_EQ(p, S2D::Point(2, 3));
    S2D::Edge e;
    T::Transform(m, S2D::Edge(S2D::Point(0, 0), S2D::Point(1, 0)), e);
    EXPECT_EQ(e.P2(), S2D::Point(2, 2));
    S2D::Line l(S2D::Point(0, 0), S2D::Point(0, 1));
    T::Transform(m, l, l);
    EXPECT_EQ(l.P1(), S2D::Point(1, 2));
    S2D::Circle c(S2D::Point(0, 0), 3);
    T::Transform(m, c, c);
    EXPECT_EQ(c.x, 1);
    EXPECT_EQ(c.Radius(), 3);
    S2D::Polyline chain(std::vector<S2D::Point>{{0, 0}, {1, 1}});
    T::Transform(m, chain, chain);
    EXPECT_EQ(chain[1], S2D::Point(2, 3));
    S2D::Polygon ring = Square(0, 0, 1, 1);
    T::Transform(m, ring, ring);
    EXPECT_EQ(ring[2], S2D::Point(2, 3));
    S2D::PolyPolygon pp;
    pp.AddPolygon(Square(0, 0, 1, 1), 0);
    T::Transform(m, pp, pp);
    EXPECT_EQ(pp.GetPolygon(0, nullptr)[0], S2D::Point(1, 2));
    S2D::HollowPolygon h(Square(0, 0, 4, 4));
    h.AddInner(Square(1, 1, 2, 2));
    T::Transform(m, h, h);
    EXPECT_EQ(h.Inner(0)[0], S2D::Point(2, 3));
}

TEST(DeclaredInterface, SetOperationsReturnTheObject)
{
    S2D::Point p;
    EXPECT_EQ(&p.SetV12(3, 4), &p);
    EXPECT_EQ(p.SetV12(5, 6).x, 5);
    S2D::Edge e;
    EXPECT_EQ(e.SetP12(S2D::Point(1, 2), S2D::Point(3, 4)).GetLength(), std::sqrt(8.0));
    S3D::Point q;
    EXPECT_EQ(q.SetV123(1, 2, 3).V3(), 3);
    S3D::Matrix m3;
    EXPECT_EQ(m3.SetV(0, 3, 5).SetV(1, 3, 6).Transform(S3D::Point()).V2(), 6);
    S2D::Matrix m2;
    EXPECT_EQ(m2.SetV(0, 2, 5).Transform(S2D::Point()).x, 5);
}

TEST(DeclaredInterface, PlainConstructorsAllowCopyInitialisation)
{
    const S2D::Edge edge(S2D::Point(0, 0), S2D::Point(2, 0));
    S2D::Line line = edge;
    EXPECT_EQ(line.GetDistance(S2D::Point(7, 3), nullptr), 3);
    const S2D::Point source(1, 2);
    const S2D::Point* none = nullptr;
    S2D::Point fromPtr = &source;
    S2D::Point fromNull = none;
    EXPECT_EQ(fromPtr, source);
    EXPECT_EQ(fromNull, S2D::Point());
    const tagPOINT ip{-7, 9};
    const _POINTL lp{4, -5};
    S2D::Point fromInt = &ip;
    S2D::Point fromLong = &lp;
    EXPECT_EQ(fromInt, S2D::Point(-7, 9));
    EXPECT_EQ(fromLong, S2D::Point(4, -5));
    const S2D::Vector dir(3, 4);
    S2D::Vector fromVector = &dir;
    S2D::Vector fromPoint = &source;
    EXPECT_EQ(fromVector, dir);
    EXPECT_EQ(fromPoint, source);

    S2D::Matrix two = 2.0;
    EXPECT_EQ(two.Transform(S2D::Point(1, 1)), S2D::Point(2, 2));
    const double rows[3][3] = {{1, 0, 0}, {0, 1, 0}, {5, 6, 1}};
    S2D::Matrix fromRows = rows;
    EXPECT_EQ(fromRows.GetV(1, 2), 6);
    S2D::Matrix fromMatrix = &fromRows;
    EXPECT_EQ(fromMatrix.GetV(0, 2), 5);

    S3D::Matrix three = 3.0;
    EXPECT_EQ(three.m[2][2], 3);
    S3D::Matrix copy3 = &three;
    EXPECT_EQ(copy3.m[1][1], 3);
    const S3D::Point p3(1, 2, 3);
    S3D::Point fromPtr3 = &p3;
    EXPECT_TRUE(fromPtr3 == p3);
    const S3D::Vector v3(4, 5, 6);
    S3D::Vector fromVector3 = &v3;
    S3D::Vector fromPoint3 = &p3;
    EXPECT_TRUE(fromVector3 == v3);
    EXPECT_TRUE(fromPoint3 == p3);
}

TEST(DeclaredInterface, OverridesAsDeclared)
{
    TightRect a(0, 0, 10, 5);
    S2D::Rect& base = a;
    EXPECT_EQ(base.EqualRect(S2D::Rect(0, 0, 10, 5.5), 1), 1);
    EXPECT_EQ(base.EqualRect(S2D::Rect(0, 0, 10, 5.7), 1), 0);

    CappedStack s;
    S2D::MatrixStack& stack = s;
    for (int i = 0; i < 4; ++i)
        stack.Push(S2D::Matrix::Move(1, 0), 0, 0);
    EXPECT_EQ(stack.Size(), 2);
    CappedStack3 s3;
    S3D::MatrixStack& stack3 = s3;
    for (int i = 0; i < 4; ++i)
        stack3.Push(S3D::Matrix::Move(1, 0, 0), 0, 0);
    EXPECT_EQ(stack3.Size(), 2);
}

// The planar and the spatial matrix answer the same operations by the same
// rules: an element outside the matrix reads NaN and takes no write, a null
// array sets the identity, SetV returns the matrix, the elements are the
// public array m, and the stacks count, pop and clear alike.
TEST(DeclaredInterface, PlanarAndSpatialMatricesShareTheirRules)
{
    S2D::Matrix m2 = S2D::Matrix::Move(3, 4);
    S3D::Matrix m3 = S3D::Matrix::Move(3, 4, 5);
    for (int bad : {-1, 4, 1000}) {
        EXPECT_TRUE(std::isnan(m2.GetV(bad, 0)));
        EXPECT_TRUE(std::isnan(m2.GetV(0, bad)));
        EXPECT_TRUE(std::isnan(m3.GetV(bad, 0)));
        EXPECT_TRUE(std::isnan(m3.GetV(0, bad)));
    }
    EXPECT_TRUE(std::isnan(m2.GetV(3, 3)));
    EXPECT_EQ(m3.GetV(3, 3), 1);
    m2.SetV(3, 0, 9).SetV(0, -1, 9);
    m3.SetV(4, 0, 9).SetV(0, -1, 9);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(m2.m[r][c], S2D::Matrix::Move(3, 4).m[r][c]);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(m3.m[r][c], S3D::Matrix::Move(3, 4, 5).m[r][c]);

    m2.SetMatrix(static_cast<const double (*)[3]>(nullptr));
    m3.SetMatrix(static_cast<const double (*)[4]>(nullptr));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            if (r < 3 && c < 3) {
                EXPECT_EQ(m2.m[r][c], r == c ? 1 : 0);
            }
            EXPECT_EQ(m3.m[r][c], r == c ? 1 : 0);
        }
    const S2D::Matrix* no2 = nullptr;
    const S3D::Matrix* no3 = nullptr;
    EXPECT_EQ(S2D::Matrix(no2).m[0][0], 1);
    EXPECT_EQ(S3D::Matrix(no3).m[3][3], 1);

    S2D::MatrixStack s2;
    S3D::MatrixStack s3;
    s2.Push(S2D::Matrix::Move(1, 0), 0, 0);
    s2.Push(S2D::Matrix::Scale(2, 2), 1, 1);
    s3.Push(S3D::Matrix::Move(1, 0, 0), 0, 0);
    s3.Push(S3D::Matrix::Scale(2, 2, 2), 1, 1);
    EXPECT_EQ(s2.Top().Transform(S2D::Point(1, 1)), S2D::Point(3, 2));
    EXPECT_TRUE(s3.Top().Transform(S3D::Point(1, 1, 1)) == S3D::Point(3, 2, 2));
    s2.Clear();
    s3.Clear();
    s2.Pop();
    s3.Pop();
    EXPECT_EQ(s2.Size(), 0);
    EXPECT_EQ(s3.Size(), 0);
    EXPECT_EQ(s2.Top().m[2][0], 0);
    EXPECT_EQ(s3.Top().m[3][0], 0);
}

} // namespace
