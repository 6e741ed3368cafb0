#include <zeltmath/s3d/matrix.h>

#include <zeltmath/detail/matrix_inverse.h>
#include <zeltmath/detail/square_matrix.h>

#include <cmath>

namespace S3D {

namespace md = zeltmath::detail;

namespace {

// The mapped coordinates of (x, y, z).
void Map(const double (&m)[4][4], double x, double y, double z, double& ox, double& oy, double& oz)
{
    ox = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
    oy = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
    oz = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2];
}

void MapInto(const double (&m)[4][4], const Point& src, Point& dst)
{
    double x = 0;
    double y = 0;
    double z = 0;
    src.GetV123(x, y, z);
    double ox = 0;
    double oy = 0;
    double oz = 0;
    Map(m, x, y, z, ox, oy, oz);
    dst.SetV123(ox, oy, oz);
}

} // namespace

Matrix::Matrix()
{
    Set1();
}

Matrix::Matrix(double d)
{
    SetDiagonal(d);
}

Matrix::Matrix(const double (*a)[4])
{
    SetMatrix(a);
}

Matrix::Matrix(const Matrix& a)
{
    md::CopyElements<4>(m, a.m);
}

Matrix::Matrix(const Matrix* a)
{
    if (a)
        SetMatrix(*a);
    else
        Set1();
}

Matrix& Matrix::operator=(const Matrix& a)
{
    return SetMatrix(a);
}

Matrix::~Matrix() = default;

void Matrix::InternalUpdate()
{
}

void Matrix::Initialize()
{
    md::FillElements<4>(m, 0.0);
    InternalUpdate();
}

Matrix& Matrix::SetMatrix(const double (*a)[4])
{
    if (!a)
        return Set1();
    md::CopyElements<4>(m, a);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::SetMatrix(const Matrix& a)
{
    if (&a != this)
        SetMatrix(a.m);
    return *this;
}

Matrix& Matrix::SetDiagonal(double d)
{
    Initialize();
    md::SetDiagonalElements<4>(m, d);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::Set1()
{
    return SetDiagonal(1.0);
}

Matrix& Matrix::Set0()
{
    return SetDiagonal(0.0);
}

double Matrix::GetV(int i, int j) const
{
    return md::ReadElement<4>(m, i, j);
}

Matrix& Matrix::SetV(int i, int j, double v)
{
    md::WriteElement<4>(m, i, j, v);
    return *this;
}

Matrix& Matrix::operator+=(const Matrix& b)
{
    md::AddElements<4>(m, b.m, +1);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::operator-=(const Matrix& b)
{
    md::AddElements<4>(m, b.m, -1);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::operator*=(double s)
{
    md::ScaleElements<4>(m, s);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::operator*=(const Matrix& b)
{
    double product[4][4];
    md::MultiplyElements<4>(m, b.m, product);
    // SetMatrix calls InternalUpdate.
    return SetMatrix(product);
}

Matrix& Matrix::operator/=(double s)
{
    if (!md::IsDivisor(s))
        return *this;
    md::DivideElements<4>(m, s);
    InternalUpdate();
    return *this;
}

void Matrix::Transform(const Point* src, Point* dst, int n) const
{
    if (!src || !dst)
        return;
    for (int i = 0; i < n; ++i)
        MapInto(m, src[i], dst[i]);
}

void Matrix::Transform(Point* p, int n) const
{
    if (!p)
        return;
    for (int i = 0; i < n; ++i)
        MapInto(m, p[i], p[i]);
}

void Matrix::Transform(const Point* begin, const Point* end, Point* dst) const
{
    if (!begin || !end || !dst)
        return;
    for (; begin < end; ++begin, ++dst)
        MapInto(m, *begin, *dst);
}

void Matrix::Transform(Point* begin, Point* end) const
{
    if (!begin || !end)
        return;
    for (; begin < end; ++begin)
        MapInto(m, *begin, *begin);
}

void Matrix::Transform(const std::vector<Point>& src, std::vector<Point>& dst) const
{
    if (&src == &dst) {
        Transform(dst);
        return;
    }
    dst.clear();
    dst.resize(src.size());
    for (std::size_t i = 0; i < src.size(); ++i)
        MapInto(m, src[i], dst[i]);
}

void Matrix::Transform(std::vector<Point*>& points) const
{
    for (Point* p : points)
        if (p)
            MapInto(m, *p, *p);
}

void Matrix::Transform(std::vector<Point>& points) const
{
    for (Point& p : points)
        MapInto(m, p, p);
}

Point Matrix::Transform(const Point& p) const
{
    Point r;
    MapInto(m, p, r);
    return r;
}

Matrix Matrix::Scale(double sx, double sy, double sz)
{
    Matrix r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix Matrix::Move(double dx, double dy, double dz)
{
    Matrix r;
    r.m[3][0] = dx;
    r.m[3][1] = dy;
    r.m[3][2] = dz;
    return r;
}

Matrix Matrix::Move(const Vector& v)
{
    double dx = 0;
    double dy = 0;
    double dz = 0;
    v.GetV123(dx, dy, dz);
    return Move(dx, dy, dz);
}

Matrix Matrix::RotationAxis(const Vector& axis, double a)
{
    const double c = std::cos(a);
    const double s = std::sin(a);
    Vector unit(axis);
    unit.Normalize();
    double x = 0;
    double y = 0;
    double z = 0;
    unit.GetV123(x, y, z);
    const double xx = x * x;
    const double yy = y * y;
    const double zz = z * z;
    const double t = 1 - c;

    const double rows[4][4] = {
        {(1 - xx) * c + xx, z * s + t * x * y, t * x * z - y * s, 0},
        {t * x * y - z * s, (1 - yy) * c + yy, x * s + t * y * z, 0},
        {y * s + t * x * z, t * y * z - x * s, (1 - zz) * c + zz, 0},
        {0, 0, 0, 1},
    };
    return Matrix(rows);
}

Matrix Matrix::Invert(const Matrix& src)
{
    double a[4][4];
    md::CopyElements<4>(a, src.m);
    double r[4][4];
    if (!md::InvertAffineMatrix(a, r))
        return Matrix();
    // The constructor stores R through SetMatrix, which runs the hook.
    return Matrix(r);
}

Matrix operator+(const Matrix& a, const Matrix& b)
{
    Matrix r(a);
    r += b;
    return r;
}

Matrix operator-(const Matrix& a, const Matrix& b)
{
    Matrix r(a);
    r -= b;
    return r;
}

Matrix operator*(const Matrix& a, const Matrix& b)
{
    Matrix r(a);
    r *= b;
    return r;
}

Matrix operator*(const Matrix& a, double s)
{
    Matrix r(a);
    r *= s;
    return r;
}

Matrix operator*(double s, const Matrix& a)
{
    Matrix r(a);
    r *= s;
    return r;
}

Matrix operator/(const Matrix& a, double s)
{
    Matrix r(a);
    r /= s;
    return r;
}

} // namespace S3D
