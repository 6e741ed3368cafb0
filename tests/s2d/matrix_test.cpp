#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/matrix.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using S2D::Matrix;
using S2D::MatrixStack;
using S2D::Point;
using S2D::Rect;
using S2D::Vector;

namespace {

// Element (row r, column c).
double At(const Matrix& m, int r, int c)
{
    return m.GetV(c, r);
}

void ExpectNear(const Matrix& a, const Matrix& b, double tol)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(At(a, r, c), At(b, r, c), tol) << "row " << r << " column " << c;
}

void ExpectPoint(const Point& p, double x, double y, double tol = 1e-12)
{
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}

TEST(Matrix, ConstructionAndElementAccess)
{
    ExpectNear(Matrix(), Matrix(1.0), 0);
    ExpectNear(Matrix(static_cast<const Matrix*>(nullptr)), Matrix(), 0);
    const Matrix z(0.0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(At(z, r, c), 0);

    double a[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    const Matrix m(a);
    EXPECT_EQ(At(m, 1, 2), 6);
    EXPECT_EQ(m.GetV(2, 1), 6);  // column first, row second
    const Matrix copy(&m);
    ExpectNear(copy, m, 0);
    ExpectNear(Matrix(static_cast<const double(*)[3]>(nullptr)), Matrix(), 0);

    const Matrix move = Matrix::Move(3, 4);
    EXPECT_EQ(move.GetV(0, 2), 3);
    EXPECT_EQ(move.GetV(1, 2), 4);
    ExpectNear(Matrix::Move(Vector(3, 4)), move, 0);

    Matrix s;
    s.SetV(0, 2, 7).SetV(1, 0, 2);
    EXPECT_EQ(At(s, 2, 0), 7);
    EXPECT_EQ(At(s, 0, 1), 2);
    // Indices outside the matrix read NaN and write nothing.
    EXPECT_TRUE(std::isnan(s.GetV(3, 0)));
    EXPECT_TRUE(std::isnan(s.GetV(0, -1)));
    s.SetV(-1, 5, 99);
    ExpectNear(s, Matrix().SetV(0, 2, 7).SetV(1, 0, 2), 0);

    s.Set0();
    ExpectNear(s, z, 0);
    s.Set1();
    ExpectNear(s, Matrix(), 0);
    s.SetMatrix(m);
    ExpectNear(s, m, 0);
}

TEST(Matrix, ArithmeticAndProductOrder)
{
    double a[3][3] = {{1, 2, 0}, {3, 4, 0}, {5, 6, 1}};
    const Matrix m(a);
    ExpectNear(m + m, m * 2.0, 0);
    ExpectNear(2.0 * m, m * 2.0, 0);
    ExpectNear(m - m, Matrix(0.0), 0);
    ExpectNear((m * 4.0) / 4.0, m, 0);
    EXPECT_EQ(At(m * 2.0, 2, 2), 2);  // the third column takes part too

    // A division by a scalar below the double epsilon leaves the matrix alone.
    Matrix d(m);
    d /= 1e-20;
    ExpectNear(d, m, 0);

    // Row-vector order: the left factor applies first.
    ExpectPoint((Matrix::Move(3, 4) * Matrix::Scale(2, 2)).Transform(Point(1, 1)), 8, 10);
    ExpectPoint((Matrix::Scale(2, 2) * Matrix::Move(3, 4)).Transform(Point(1, 1)), 5, 6);
    Matrix p = Matrix::Move(3, 4);
    p *= Matrix::Scale(2, 2);
    ExpectNear(p, Matrix::Move(3, 4) * Matrix::Scale(2, 2), 0);
    // Multiplying by itself reads the old elements only.
    Matrix sq(m);
    sq *= sq;
    EXPECT_EQ(At(sq, 0, 0), 7);   // 1*1 + 2*3
    EXPECT_EQ(At(sq, 2, 1), 40);  // 5*2 + 6*4 + 1*6
}

TEST(Matrix, RotationsAndConstants)
{
    const Matrix r = Matrix::Rotate(ZT_PI_2);
    const Point a = r.Transform(Point(1, 0));
    EXPECT_NEAR(a.x, 6.123233995736766e-17, 1e-30);
    EXPECT_EQ(a.y, 1);
    const Point b = r.Transform(Point(0, 1));
    EXPECT_EQ(b.x, -1);
    EXPECT_NEAR(b.y, 6.123233995736766e-17, 1e-30);

    ExpectNear(Matrix::Rotate90(), Matrix::Rotate(ZT_PI_2), 0);
    ExpectNear(Matrix::Rotate45(), Matrix::Rotate(ZT_PI / 4), 0);
    ExpectNear(Matrix::Rotate_45(), Matrix::Rotate(-ZT_PI / 4), 0);
    EXPECT_EQ(&Matrix::Rotate90(), &Matrix::Rotate90());
    ExpectNear(Matrix::Rotate45() * Matrix::Rotate_45(), Matrix(), 1e-15);
    ExpectPoint(Matrix::Rotate45().Transform(Point(1, 1)), 0, std::sqrt(2.0), 1e-15);
}

TEST(Matrix, Inversion)
{
    ExpectNear(Matrix::Invert(Matrix::Scale(2, 4)), Matrix::Scale(0.5, 0.25), 0);
    double sing[3][3] = {{1, 2, 0}, {2, 4, 0}, {0, 0, 1}};
    ExpectNear(Matrix::Invert(Matrix(sing)), Matrix(), 0);
    ExpectNear(Matrix::Invert(Matrix(0.0)), Matrix(), 0);
    const Matrix m = Matrix::Rotate(0.3) * Matrix::Move(5, -2);
    ExpectNear(Matrix::Invert(m) * m, Matrix(), 1e-12);
    ExpectNear(m * Matrix::Invert(m), Matrix(), 1e-12);
    // A diagonal element below 1 needs another row with a non-zero entry in
    // its column; without one the matrix counts as singular.
    ExpectNear(Matrix::Invert(Matrix::Scale(0.5, 0.5)), Matrix(), 0);
    const Matrix shifted = Matrix::Scale(0.5, 0.5) * Matrix::Move(1, 1);
    ExpectNear(Matrix::Invert(shifted) * shifted, Matrix(), 1e-12);
}

// The elimination runs without row exchanges, after raising every diagonal
// element below 1 with a multiple of another row; its accuracy therefore
// depends on the matrix, not only on its condition.  Two families where it is
// at its best: a dominant diagonal of at least 1 with shear and translation,
// and rotations with scale at least 1 and translation, the transforms of
// drawing and of the edge projections.
TEST(Matrix, InverseOfRandomAffineMatrices)
{
    std::mt19937 gen(20240607);
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_real_distribution<double> shift(-100, 100);
    for (int i = 0; i < 2000; ++i) {
        double a[3][3] = {{1 + 7 * unit(gen), 0, 0}, {0, 1 + 7 * unit(gen), 0}, {shift(gen), shift(gen), 1}};
        const double d = std::min(a[0][0], a[1][1]);
        a[0][1] = 0.9 * d * (2 * unit(gen) - 1);
        a[1][0] = 0.9 * d * (2 * unit(gen) - 1);
        const Matrix m(a);
        const Matrix inv = Matrix::Invert(m);
        ExpectNear(inv * m, Matrix(), 1e-12);
        ExpectNear(m * inv, Matrix(), 1e-12);
        const Point p(shift(gen), shift(gen));
        ExpectPoint(inv.Transform(m.Transform(p)), p.x, p.y, 1e-11);
    }
    for (int i = 0; i < 2000; ++i) {
        const double s = 1 + 4 * unit(gen);
        const Matrix m =
            Matrix::Scale(s, s) * Matrix::Rotate(6 * unit(gen) - 3) * Matrix::Move(shift(gen), shift(gen));
        const Matrix inv = Matrix::Invert(m);
        ExpectNear(inv * m, Matrix(), 1e-12);
        ExpectNear(m * inv, Matrix(), 1e-12);
        EXPECT_NEAR(inv.GetOrtLength(), 1 / s, 1e-14);
    }
}

TEST(Matrix, MapRectangles)
{
    const Matrix m = Matrix::Map(Rect(0, 0, 10, 5), Rect(0, 0, 100, 100), 0);
    ExpectPoint(m.Transform(Point(0, 0)), 0, 0);
    ExpectPoint(m.Transform(Point(10, 5)), 100, 100);
    const Matrix k = Matrix::Map(Rect(0, 0, 10, 5), Rect(0, 0, 100, 100), 1);
    ExpectPoint(k.Transform(Point(10, 5)), 100, 75);
    ExpectPoint(k.Transform(Point(5, 2.5)), 50, 50);
    // A reversed target flips the axis.
    const Matrix f = Matrix::Map(Rect(0, 0, 10, 10), Rect(0, 100, 100, 0), 1);
    ExpectPoint(f.Transform(Point(0, 0)), 0, 100);
    EXPECT_EQ(f.GetV(0, 0), 10);
    EXPECT_EQ(f.GetV(1, 1), -10);
    // A degenerate source gives the identity.
    ExpectNear(Matrix::Map(Rect(0, 0, 0, 5), Rect(0, 0, 100, 100), 0), Matrix(), 0);
    ExpectNear(Matrix::Map(Rect(0, 0, 5, 1e-11), Rect(0, 0, 100, 100), 1), Matrix(), 0);
    const tagRECT to{0, 0, 100, 100};
    ExpectNear(Matrix::Map(Rect(0, 0, 10, 5), to, 0), m, 0);
}

TEST(Matrix, MapSendsCornersOntoCorners)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> c(-1000, 1000);
    for (int i = 0; i < 1000; ++i) {
        const Rect from(c(gen), c(gen), c(gen), c(gen));  // any orientation
        const Rect to(c(gen), c(gen), c(gen), c(gen));
        if (std::fabs(from.Width()) < 1 || std::fabs(from.Height()) < 1)
            continue;
        const Matrix m = Matrix::Map(from, to, 0);
        const double tol = 1e-9;
        ExpectPoint(m.Transform(from.TopLeft()), to.Left(), to.Top(), tol);
        ExpectPoint(m.Transform(from.BottomRight()), to.Right(), to.Bottom(), tol);
        ExpectPoint(m.Transform(Point(from.Left(), from.Bottom())), to.Left(), to.Bottom(), tol);
        ExpectPoint(m.Transform(Point(from.Right(), from.Top())), to.Right(), to.Top(), tol);

        // Keeping the aspect: equal magnitudes, the centres coincide, and the
        // image fits inside the target.
        const Matrix k = Matrix::Map(from, to, 1);
        EXPECT_NEAR(std::fabs(k.GetV(0, 0)), std::fabs(k.GetV(1, 1)), 1e-12 * std::fabs(k.GetV(0, 0)));
        const Point centre = k.Transform(from.CenterPoint());
        ExpectPoint(centre, to.CenterPoint().x, to.CenterPoint().y, tol);
        Rect image;
        k.TransformRectSpecial(from, image);
        Rect target(to);
        target.NormalizeRect().InflateRect(tol, tol);
        EXPECT_LE(target.Left(), image.Left());
        EXPECT_LE(target.Top(), image.Top());
        EXPECT_GE(target.Right(), image.Right());
        EXPECT_GE(target.Bottom(), image.Bottom());
    }
}

TEST(Matrix, TransformForms)
{
    const Matrix m = Matrix::Scale(2, 3) * Matrix::Move(0.25, -0.5);
    ExpectPoint(m.Transform(Point(1, 1)), 2.25, 2.5);

    const std::vector<Point> src{Point(0, 0), Point(1, 1), Point(2, -1)};
    std::vector<Point> dst(7, Point(9, 9));
    m.Transform(src, dst);
    ASSERT_EQ(dst.size(), 3u);
    ExpectPoint(dst[2], 4.25, -3.5);
    std::vector<Point> same(src);
    m.Transform(same, same);
    EXPECT_EQ(same, dst);
    std::vector<Point> inPlace(src);
    m.Transform(inPlace);
    EXPECT_EQ(inPlace, dst);

    Point arr[3] = {src[0], src[1], src[2]};
    Point out[3];
    m.Transform(arr, out, 3);
    m.Transform(arr, arr + 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out[i], dst[i]);
        EXPECT_EQ(arr[i], dst[i]);
    }
    Point arr2[3] = {src[0], src[1], src[2]};
    Point out2[3];
    m.Transform(arr2, arr2 + 3, out2);
    m.Transform(arr2, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out2[i], dst[i]);
        EXPECT_EQ(arr2[i], dst[i]);
    }

    Point p(1, 1), q(2, -1);
    std::vector<Point*> ptrs{&p, nullptr, &q};
    m.Transform(ptrs);
    EXPECT_EQ(p, dst[1]);
    EXPECT_EQ(q, dst[2]);

    tagPOINT ip[3];
    m.Transform(src.data(), ip, 3);
    EXPECT_EQ(ip[1].x, 2);   // 2.25
    EXPECT_EQ(ip[1].y, 3);   // 2.5, halves away from zero
    EXPECT_EQ(ip[2].y, -4);  // -3.5

    Rect r;
    m.Transform(Rect(0, 0, 1, 1), r);
    EXPECT_TRUE(r.EqualRect(Rect(0.25, -0.5, 2.25, 2.5), 1e-15));
    tagRECT ir{};
    m.Transform(Rect(0, 0, 1, 1), ir);
    EXPECT_EQ(ir.left, 0);
    EXPECT_EQ(ir.top, -1);
    EXPECT_EQ(ir.right, 2);
    EXPECT_EQ(ir.bottom, 3);
    const tagRECT from{0, 0, 1, 1};
    Rect back;
    m.Transform(from, back);
    EXPECT_TRUE(back.EqualRect(r, 0));
    // Not normalised: a flip keeps the corners where they map.
    Matrix::Scale(-1, 1).Transform(Rect(0, 0, 1, 1), r);
    EXPECT_EQ(r.Left(), 0);
    EXPECT_EQ(r.Right(), -1);
}

TEST(Matrix, BoundingBoxLengthAndXform)
{
    Rect box;
    Matrix::Rotate45().TransformRectSpecial(Rect(0, 0, 2, 2), box);
    const double s = std::sqrt(2.0);
    EXPECT_TRUE(box.EqualRect(Rect(-s, 0, s, 2 * s), 1e-12));
    // The source may be reversed and may be the output.
    Rect same(2, 2, 0, 0);
    Matrix::Rotate45().TransformRectSpecial(same, same);
    EXPECT_TRUE(same.EqualRect(box, 1e-15));
    Matrix::Scale(-1, -1).TransformRectSpecial(Rect(0, 0, 2, 1), box);
    EXPECT_TRUE(box.EqualRect(Rect(-2, -1, 0, 0), 0));

    EXPECT_NEAR((Matrix::Rotate(0.7) * Matrix::Scale(3, 3) * Matrix::Move(5, 6)).GetOrtLength(), 3, 1e-14);
    EXPECT_NEAR(Matrix().GetOrtLength(), 1, 1e-15);

    tagXFORM xf{};
    (Matrix::Rotate(0.5) * Matrix::Move(1.5, -2)).GetXFORM(xf);
    EXPECT_EQ(xf.eM11, static_cast<float>(std::cos(0.5)));
    EXPECT_EQ(xf.eM12, static_cast<float>(std::sin(0.5)));
    EXPECT_EQ(xf.eM21, static_cast<float>(-std::sin(0.5)));
    EXPECT_EQ(xf.eM22, static_cast<float>(std::cos(0.5)));
    EXPECT_EQ(xf.eDx, 1.5f);
    EXPECT_EQ(xf.eDy, -2.0f);
}

// The hook runs after every change of the whole matrix, not after SetV.
class CountingMatrix : public Matrix {
public:
    int updates = 0;
    using Matrix::Matrix;

protected:
    void InternalUpdate() override { ++updates; }
};

TEST(Matrix, UpdateHook)
{
    CountingMatrix c;
    c.updates = 0;
    c.Set1();  // Initialize, then the diagonal
    EXPECT_EQ(c.updates, 2);
    c.updates = 0;
    c += Matrix();
    c -= Matrix();
    c *= 2.0;
    c /= 2.0;
    c *= Matrix();  // stored through SetMatrix
    c.SetMatrix(Matrix::Move(1, 1));
    EXPECT_EQ(c.updates, 6);
    c.SetV(0, 0, 4);
    c /= 1e-300;
    EXPECT_EQ(c.updates, 6);
}

// A pivot counts as singular only below 2.220446049250313e-16; a NaN pivot
// is not below it, so a NaN spreads through the inverse instead of giving the
// identity.  Division needs |s| >= 2.220446049250313e-16, which a NaN is not.
TEST(Matrix, NaNPivotAndNaNDivisor)
{
    Matrix withNaN = Matrix::Scale(2, 2);
    withNaN.SetV(0, 2, std::nan(""));  // the x move
    const Matrix inv = Matrix::Invert(withNaN);
    int nans = 0;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            nans += std::isnan(inv.m[r][c]) ? 1 : 0;
    EXPECT_GT(nans, 0);  // not the identity of a singular matrix

    CountingMatrix c;
    c.SetMatrix(Matrix::Move(3, 4));
    c.updates = 0;
    c /= std::nan("");
    c /= -1e-17;
    EXPECT_EQ(c.updates, 0);
    ExpectNear(c, Matrix::Move(3, 4), 0);
    c /= 2.220446049250313e-16;  // exactly the threshold divides
    EXPECT_EQ(c.updates, 1);
    EXPECT_EQ(At(c, 2, 0), 3 / 2.220446049250313e-16);
}

TEST(MatrixStack, PushPopAndCombine)
{
    MatrixStack s;
    EXPECT_EQ(s.Size(), 0);
    ExpectNear(s.Top(), Matrix(), 0);
    s.Push(Matrix::Move(1, 0), 0, 0);
    s.Push(Matrix::Scale(2, 2), 1, 0);  // the move first, then the scale
    EXPECT_EQ(s.Size(), 2);
    ExpectPoint(s.Top().Transform(Point(1, 1)), 4, 2);
    s.Pop();
    s.Push(Matrix::Scale(2, 2), 1, 1);  // the scale first, then the move
    ExpectPoint(s.Top().Transform(Point(1, 1)), 3, 2);
    // Pushing the top itself.
    s.Push(s.Top(), 1, 0);
    ExpectPoint(s.Top().Transform(Point(1, 1)), 7, 4);

    MatrixStack copy(s);
    s.Pop();
    s.Pop();
    s.Pop();
    EXPECT_EQ(s.Size(), 0);
    s.Pop();  // the base stays
    EXPECT_EQ(s.Size(), 0);
    ExpectNear(s.Top(), Matrix(), 0);

    EXPECT_EQ(copy.Size(), 3);
    ExpectPoint(copy.Top().Transform(Point(1, 1)), 7, 4);
    s = copy;
    EXPECT_EQ(s.Size(), 3);
    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    ExpectNear(copy.Top(), Matrix(), 0);
    EXPECT_EQ(s.Size(), 3);
}

} // namespace
