#include <zeltmath/numeric/core.h>
#include <zeltmath/s3d/matrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using S3D::Matrix;
using S3D::MatrixStack;
using S3D::Point;
using S3D::Vector;

namespace {

void ExpectPoint(const Point& p, double x, double y, double z, double tol = 1e-15)
{
    EXPECT_NEAR(p.V1(), x, tol);
    EXPECT_NEAR(p.V2(), y, tol);
    EXPECT_NEAR(p.V3(), z, tol);
}

double MaxDifference(const Matrix& a, const Matrix& b)
{
    double d = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            d = std::fmax(d, std::fabs(a.m[r][c] - b.m[r][c]));
    return d;
}

bool SameElements(const Matrix& a, const Matrix& b)
{
    return MaxDifference(a, b) == 0;
}

// Counts the calls of the update hook.
class CountingMatrix : public Matrix {
public:
    int updates = 0;
    using Matrix::operator=;

protected:
    void InternalUpdate() override { ++updates; }
};

TEST(S3DMatrix, ConstructionAndElements)
{
    EXPECT_TRUE(SameElements(Matrix(), Matrix(1.0)));
    EXPECT_TRUE(SameElements(Matrix(static_cast<const Matrix*>(nullptr)), Matrix()));
    EXPECT_TRUE(SameElements(Matrix(static_cast<const double (*)[4]>(nullptr)), Matrix()));
    const Matrix three(3.0);
    EXPECT_EQ(three.m[2][2], 3);
    EXPECT_EQ(three.m[3][3], 3);
    EXPECT_EQ(three.m[0][3], 0);
    EXPECT_TRUE(SameElements(Matrix(&three), three));

    double a[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            a[r][c] = 10 * r + c;
    Matrix fromArray(a);
    EXPECT_EQ(fromArray.m[3][1], 31);
    fromArray.SetMatrix(static_cast<const double (*)[4]>(nullptr));  // the identity
    EXPECT_TRUE(SameElements(fromArray, Matrix()));

    const Matrix move = Matrix::Move(1, 2, 3);
    EXPECT_EQ(move.GetV(2, 3), 3);
    EXPECT_EQ(move.GetV(0, 3), 1);
    EXPECT_EQ(move.GetV(3, 2), 0);
    EXPECT_TRUE(std::isnan(move.GetV(4, 0)));
    EXPECT_TRUE(std::isnan(move.GetV(0, -1)));
    Matrix m;
    m.SetV(1, 3, 7);  // column 1 of row 3: the y move
    ExpectPoint(m.Transform(Point()), 0, 7, 0);
    m.SetV(9, 9, 1);  // ignored
    EXPECT_TRUE(SameElements(Matrix::Move(Vector(0, 7, 0)), m));
    m.Set0();
    EXPECT_TRUE(SameElements(m, Matrix(0.0)));
}

TEST(S3DMatrix, ArithmeticAndOrder)
{
    // Move first, then scale.
    ExpectPoint((Matrix::Move(1, 2, 3) * Matrix::Scale(2, 2, 2)).Transform(Point()), 2, 4, 6);
    ExpectPoint((Matrix::Scale(2, 2, 2) * Matrix::Move(1, 2, 3)).Transform(Point()), 1, 2, 3);
    ExpectPoint(Matrix::Scale(2, 3, 4).Transform(Point(1, 1, 1)), 2, 3, 4);

    const Matrix a = Matrix::Move(1, 2, 3);
    const Matrix b = Matrix::Scale(2, 3, 4);
    const Matrix sum = a + b;
    EXPECT_EQ(sum.m[0][0], 3);
    EXPECT_EQ(sum.m[3][2], 3);
    EXPECT_EQ(sum.m[3][3], 2);
    EXPECT_TRUE(SameElements(sum - b, a));
    EXPECT_TRUE(SameElements(a * 2.0, 2.0 * a));
    EXPECT_EQ((a * 2.0).m[3][3], 2);
    EXPECT_TRUE(SameElements((a * 4.0) / 4.0, a));
    EXPECT_TRUE(SameElements(a / 1e-20, a));  // below the double epsilon

    Matrix self = Matrix::RotationAxis(Vector(1, 1, 0), 0.4);
    const Matrix expected = self * Matrix::RotationAxis(Vector(1, 1, 0), 0.4);
    self *= self;  // the product is formed before it is stored
    EXPECT_LT(MaxDifference(self, expected), 1e-15);
    EXPECT_LT(MaxDifference(self, Matrix::RotationAxis(Vector(2, 2, 0), 0.8)), 1e-15);

    CountingMatrix c;
    c.updates = 0;
    c += a;
    c -= a;
    c *= 2.0;
    c *= a;
    c /= 2.0;
    EXPECT_EQ(c.updates, 5);
    c /= 0.0;
    c.SetV(0, 0, 5);
    EXPECT_EQ(c.updates, 5);
    c.Set1();
    EXPECT_GE(c.updates, 6);
}

TEST(S3DMatrix, RotationAxis)
{
    const Matrix rz = Matrix::RotationAxis(Vector(0, 0, 1), ZT_PI_2);
    ExpectPoint(rz.Transform(Point(1, 0, 0)), 0, 1, 0);
    EXPECT_TRUE(SameElements(Matrix::RotationAxis(Vector(0, 0, 5), ZT_PI_2), rz));
    ExpectPoint(Matrix::RotationAxis(Vector(1, 0, 0), ZT_PI_2).Transform(Point(0, 1, 0)), 0, 0, 1);
    ExpectPoint(Matrix::RotationAxis(Vector(0, 1, 0), ZT_PI_2).Transform(Point(0, 0, 1)), 1, 0, 0);
    // A zero axis leaves cos a on the diagonal.
    const Matrix zero = Matrix::RotationAxis(Vector(), 1.0);
    ExpectPoint(zero.Transform(Point(1, 2, 3)), std::cos(1.0), 2 * std::cos(1.0), 3 * std::cos(1.0));

    // About z it is the planar rotation x' = x cos a - y sin a,
    // y' = x sin a + y cos a, with z kept.
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int i = 0; i < 200; ++i) {
        const double a = u(gen);
        const Point p(u(gen), u(gen), u(gen));
        const Point q = Matrix::RotationAxis(Vector(0, 0, u(gen) > 0 ? 3 : 0.25), a).Transform(p);
        ExpectPoint(q, p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a), p.z,
                    1e-13);
    }

    // About any axis: points on the axis stay, lengths stay, angles add up,
    // and the turn is counter-clockwise seen from the tip of the axis.
    for (int i = 0; i < 200; ++i) {
        Vector axis(u(gen), u(gen), u(gen));
        const double a = u(gen);
        const double b = u(gen);
        const Matrix r = Matrix::RotationAxis(axis, a);
        const Point onAxis = axis * 0.37;
        EXPECT_LT(r.Transform(onAxis).Distance(onAxis), 1e-13);
        const Point p(u(gen), u(gen), u(gen));
        EXPECT_NEAR(r.Transform(p).GetLength(), p.GetLength(), 1e-12);
        EXPECT_LT(MaxDifference(r * Matrix::RotationAxis(axis, b), Matrix::RotationAxis(axis, a + b)), 1e-13);

        // Pick a unit vector e1 perpendicular to the axis, e2 = axis x e1;
        // a quarter turn takes e1 to e2.
        axis.Normalize();
        const double ax = axis.x, ay = axis.y, az = axis.z;
        Vector e1 = std::fabs(ax) < 0.9 ? Vector(0, az, -ay) : Vector(-az, 0, ax);  // axis x (1,0,0) or (0,1,0)
        e1.Normalize();
        const Vector e2(ay * e1.z - az * e1.y, az * e1.x - ax * e1.z, ax * e1.y - ay * e1.x);
        ExpectPoint(Matrix::RotationAxis(axis, ZT_PI_2).Transform(e1), e2.x, e2.y, e2.z, 1e-14);
    }
}

TEST(S3DMatrix, Invert)
{
    EXPECT_LT(MaxDifference(Matrix::Invert(Matrix::Scale(2, 4, 8)), Matrix::Scale(0.5, 0.25, 0.125)), 1e-16);
    EXPECT_LT(MaxDifference(Matrix::Invert(Matrix::Move(1, -2, 3)), Matrix::Move(-1, 2, -3)), 1e-15);

    Matrix twoEqualRows;
    twoEqualRows.m[0][1] = 1;
    twoEqualRows.m[1][0] = 1;  // rows 0 and 1 both (1, 1, 0, 0)
    EXPECT_TRUE(SameElements(Matrix::Invert(twoEqualRows), Matrix()));
    EXPECT_TRUE(SameElements(Matrix::Invert(Matrix(0.0)), Matrix()));
    EXPECT_TRUE(SameElements(Matrix::Invert(Matrix::Scale(1, 0, 1)), Matrix()));
    // A small diagonal element with nothing else in its column counts as
    // singular; with a move beside it the same scale inverts.
    EXPECT_TRUE(SameElements(Matrix::Invert(Matrix::Scale(0.5, 1, 1)), Matrix()));
    const Matrix scaledMove = Matrix::Scale(0.5, 1, 1) * Matrix::Move(1, 0, 0);
    EXPECT_LT(MaxDifference(Matrix::Invert(scaledMove) * scaledMove, Matrix()), 1e-15);

    // Random rotations, scales and moves: Invert(M) * M = I.  The elimination
    // exchanges no rows, so an unlucky matrix meets a small pivot and loses a
    // few more digits: a few in a thousand of the general ones miss 1e-12
    // (by at most about 1e-10), hence the share checked below.  Scales with
    // moves never meet a small pivot and must all be within 1e-12.
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(-1, 1);
    std::uniform_real_distribution<double> scale(0.5, 2);
    std::uniform_real_distribution<double> move(0.5, 5);
    auto signedMove = [&] { return (u(gen) < 0 ? -1 : 1) * move(gen); };
    const int samples = 2000;
    for (int family = 0; family < 4; ++family) {
        int within = 0;
        double worst = 0;
        for (int i = 0; i < samples; ++i) {
            Matrix m;
            if (family != 2)
                m *= Matrix::RotationAxis(Vector(u(gen), u(gen), u(gen)), 4 * u(gen));
            if (family >= 2)
                m *= Matrix::Scale(scale(gen), scale(gen), scale(gen));
            if (family >= 1)
                m *= Matrix::Move(signedMove(), signedMove(), signedMove());
            const Matrix inv = Matrix::Invert(m);
            const double d = MaxDifference(inv * m, Matrix());
            worst = std::fmax(worst, d);
            within += d <= 1e-12 ? 1 : 0;
            const Point p(10 * u(gen), 10 * u(gen), 10 * u(gen));
            EXPECT_LT(inv.Transform(m.Transform(p)).Distance(p), 1e-8);
        }
        EXPECT_LT(worst, family == 2 ? 1e-12 : 1e-9) << "family " << family;
        EXPECT_GE(within, family == 2 ? samples : samples * 99 / 100) << "family " << family;
    }
}

// As in the plane: a NaN pivot is not below the singular threshold, so the
// NaN spreads through the inverse; a NaN divisor leaves the matrix and the
// hook alone.
TEST(S3DMatrix, NaNPivotAndNaNDivisor)
{
    Matrix withNaN = Matrix::Scale(2, 2, 2);
    withNaN.SetV(1, 3, std::nan(""));  // the y move
    const Matrix inv = Matrix::Invert(withNaN);
    int nans = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            nans += std::isnan(inv.m[r][c]) ? 1 : 0;
    EXPECT_GT(nans, 0);  // not the identity of a singular matrix

    CountingMatrix c;
    c.SetMatrix(Matrix::Move(3, 4, 5));
    c.updates = 0;
    c /= std::nan("");
    c /= 1e-17;
    EXPECT_EQ(c.updates, 0);
    EXPECT_TRUE(SameElements(c, Matrix::Move(3, 4, 5)));
    c /= 2;
    EXPECT_EQ(c.updates, 1);
    EXPECT_EQ(c.m[3][2], 2.5);
}

TEST(S3DMatrix, TransformForms)
{
    const Matrix m = Matrix::RotationAxis(Vector(1, 2, 3), 0.7) * Matrix::Move(1, -1, 2);
    const std::vector<Point> src = {Point(1, 0, 0), Point(0, 1, 0), Point(3, -4, 5)};
    std::vector<Point> expected;
    for (const Point& p : src) {
        // By the mapping formula, written out.
        const double (&a)[4][4] = m.m;
        expected.emplace_back(p.x * a[0][0] + p.y * a[1][0] + p.z * a[2][0] + a[3][0],
                              p.x * a[0][1] + p.y * a[1][1] + p.z * a[2][1] + a[3][1],
                              p.x * a[0][2] + p.y * a[1][2] + p.z * a[2][2] + a[3][2]);
    }
    auto check = [&](const Point* got) {
        for (std::size_t i = 0; i < src.size(); ++i)
            EXPECT_TRUE(got[i] == expected[i]) << "point " << i;
    };
    for (std::size_t i = 0; i < src.size(); ++i)
        EXPECT_TRUE(m.Transform(src[i]) == expected[i]);

    std::vector<Point> out(3);
    m.Transform(src.data(), out.data(), 3);
    check(out.data());
    out.assign(3, Point());
    m.Transform(src.data(), src.data() + 3, out.data());
    check(out.data());
    std::vector<Point> work = src;
    m.Transform(work.data(), 3);
    check(work.data());
    work = src;
    m.Transform(work.data(), work.data() + 3);
    check(work.data());
    work = src;
    m.Transform(work);
    check(work.data());
    work = src;
    std::vector<Point*> ptrs = {&work[0], nullptr, &work[1], &work[2]};
    m.Transform(ptrs);
    check(work.data());

    std::vector<Point> dst(7, Point(9, 9, 9));
    m.Transform(src, dst);
    ASSERT_EQ(dst.size(), 3u);
    check(dst.data());
    work = src;
    m.Transform(work, work);  // the same vector: in place
    ASSERT_EQ(work.size(), 3u);
    check(work.data());

    // Nothing happens for empty or null ranges.
    work = src;
    m.Transform(work.data(), 0);
    m.Transform(work.data(), -5);
    m.Transform(static_cast<Point*>(nullptr), 3);
    m.Transform(static_cast<const Point*>(nullptr), work.data(), 3);
    m.Transform(work.data() + 3, work.data());
    EXPECT_TRUE(work[0] == src[0] && work[2] == src[2]);
}

TEST(S3DMatrixStack, PushPopAndCopy)
{
    MatrixStack s;
    EXPECT_EQ(s.Size(), 0);
    s.Pop();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_TRUE(SameElements(s.Top(), Matrix()));

    s.Push(Matrix::Move(1, 0, 0), 0, 0);
    s.Push(Matrix::Scale(2, 2, 2), 1, 0);  // after the move
    EXPECT_EQ(s.Size(), 2);
    ExpectPoint(s.Top().Transform(Point(1, 1, 1)), 4, 2, 2);

    MatrixStack copy(s);
    s.Pop();
    s.Push(Matrix::Scale(2, 2, 2), 1, 1);  // before the move
    ExpectPoint(s.Top().Transform(Point(1, 1, 1)), 3, 2, 2);
    ExpectPoint(copy.Top().Transform(Point(1, 1, 1)), 4, 2, 2);

    s.Push(s.Top(), 1, 0);  // the top combined with itself
    ExpectPoint(s.Top().Transform(Point(1, 1, 1)), 7, 4, 4);
    EXPECT_EQ(s.Size(), 3);
    s.Pop();
    s.Pop();
    s.Pop();
    s.Pop();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_TRUE(SameElements(s.Top(), Matrix()));

    copy.Push(Matrix::Move(0, 0, 1), 0, 0);
    EXPECT_EQ(copy.Size(), 3);
    s = copy;
    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_TRUE(SameElements(copy.Top(), Matrix()));
    EXPECT_EQ(s.Size(), 3);
    ExpectPoint(s.Top().Transform(Point()), 0, 0, 1);
}

} // namespace
