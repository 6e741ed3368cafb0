#include <zeltmath/s2d/matrix.h>

#include <zeltmath/numeric/core.h>
#include <zeltmath/detail/matrix_inverse.h>
#include <zeltmath/detail/matrix_stack.h>
#include <zeltmath/detail/square_matrix.h>

#include <cmath>

namespace S2D {

namespace md = zeltmath::detail;

Matrix::Matrix()
{
    Set1();
}

Matrix::Matrix(double d)
{
    SetDiagonal(d);
}

Matrix::Matrix(const double (*a)[3])
{
    SetMatrix(a);
}

Matrix::Matrix(const Matrix& a)
{
    md::CopyElements<3>(m, a.m);
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
    md::FillElements<3>(m, 0.0);
    InternalUpdate();
}

Matrix& Matrix::SetMatrix(const double (*a)[3])
{
    if (!a)
        return Set1();
    md::CopyElements<3>(m, a);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::SetMatrix(const Matrix& a)
{
    if (this != &a)
        SetMatrix(a.m);
    return *this;
}

Matrix& Matrix::SetDiagonal(double d)
{
    Initialize();
    md::SetDiagonalElements<3>(m, d);
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
    return md::ReadElement<3>(m, i, j);
}

Matrix& Matrix::SetV(int i, int j, double v)
{
    md::WriteElement<3>(m, i, j, v);
    return *this;
}

Matrix& Matrix::operator+=(const Matrix& b)
{
    md::AddElements<3>(m, b.m, +1);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::operator-=(const Matrix& b)
{
    md::AddElements<3>(m, b.m, -1);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::operator*=(double s)
{
    md::ScaleElements<3>(m, s);
    InternalUpdate();
    return *this;
}

Matrix& Matrix::operator*=(const Matrix& b)
{
    double p[3][3];
    md::MultiplyElements<3>(m, b.m, p);
    return SetMatrix(p);
}

Matrix& Matrix::operator/=(double s)
{
    if (!md::IsDivisor(s))
        return *this;
    md::DivideElements<3>(m, s);
    InternalUpdate();
    return *this;
}

Point Matrix::Transform(const Point& p) const
{
    return Point(p.x * m[0][0] + p.y * m[1][0] + m[2][0], p.x * m[0][1] + p.y * m[1][1] + m[2][1]);
}

void Matrix::Transform(const tagRECT& r, Rect& out) const
{
    out.TopLeft() = Transform(Point(static_cast<double>(r.left), static_cast<double>(r.top)));
    out.BottomRight() = Transform(Point(static_cast<double>(r.right), static_cast<double>(r.bottom)));
}

void Matrix::Transform(const Rect& r, tagRECT& out) const
{
    const Point tl = Transform(r.TopLeft());
    const Point br = Transform(r.BottomRight());
    out.left = Round(tl.x);
    out.top = Round(tl.y);
    out.right = Round(br.x);
    out.bottom = Round(br.y);
}

void Matrix::Transform(const Rect& r, Rect& out) const
{
    const Point tl = Transform(r.TopLeft());
    const Point br = Transform(r.BottomRight());
    out.TopLeft() = tl;
    out.BottomRight() = br;
}

void Matrix::Transform(const Point* src, tagPOINT* dst, int n) const
{
    for (int i = 0; i < n; ++i) {
        const Point q = Transform(src[i]);
        dst[i].x = Round(q.x);
        dst[i].y = Round(q.y);
    }
}

void Matrix::Transform(const Point* src, Point* dst, int n) const
{
    for (int i = 0; i < n; ++i)
        dst[i] = Transform(src[i]);
}

void Matrix::Transform(Point* p, int n) const
{
    for (int i = 0; i < n; ++i)
        p[i] = Transform(p[i]);
}

void Matrix::Transform(const Point* begin, const Point* end, Point* dst) const
{
    for (; begin < end; ++begin, ++dst)
        *dst = Transform(*begin);
}

void Matrix::Transform(Point* begin, Point* end) const
{
    for (; begin < end; ++begin)
        *begin = Transform(*begin);
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
        dst[i] = Transform(src[i]);
}

void Matrix::Transform(std::vector<Point*>& v) const
{
    for (Point* p : v)
        if (p)
            *p = Transform(*p);
}

void Matrix::Transform(std::vector<Point>& v) const
{
    for (Point& p : v)
        p = Transform(p);
}

void Matrix::TransformRectSpecial(const Rect& r, Rect& out) const
{
    Rect a(r);
    a.NormalizeRect();
    Rect b(a);
    const double top = b.Top();
    b.Top() = b.Bottom();
    b.Bottom() = top;
    Rect ma, mb;
    Transform(a, ma);
    Transform(b, mb);
    out.UnionRect(ma, mb);
    out.NormalizeRect();
}

double Matrix::GetOrtLength() const
{
    Vector v(1, 1);
    v.Normalize();
    return Transform(v).Distance(Transform(Point(0, 0)));
}

void Matrix::GetXFORM(tagXFORM& xf) const
{
    xf.eM11 = static_cast<float>(m[0][0]);
    xf.eM12 = static_cast<float>(m[0][1]);
    xf.eM21 = static_cast<float>(m[1][0]);
    xf.eM22 = static_cast<float>(m[1][1]);
    xf.eDx = static_cast<float>(m[2][0]);
    xf.eDy = static_cast<float>(m[2][1]);
}

Matrix Matrix::Scale(double sx, double sy)
{
    Matrix r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    return r;
}

Matrix Matrix::Move(double dx, double dy)
{
    Matrix r;
    r.m[2][0] = dx;
    r.m[2][1] = dy;
    return r;
}

Matrix Matrix::Move(const Vector& v)
{
    return Move(v.x, v.y);
}

Matrix Matrix::Rotate(double a)
{
    const double c = std::cos(a);
    const double s = std::sin(a);
    Matrix r;
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix Matrix::Invert(const Matrix& a)
{
    double A[3][3];
    md::CopyElements<3>(A, a.m);
    double R[3][3];
    if (!md::InvertAffineMatrix(A, R))
        return Matrix();
    return Matrix(R);
}

Matrix Matrix::Map(const Rect& from, const Rect& to, unsigned char keepAspect)
{
    const double fw = from.Width();
    const double fh = from.Height();
    if (std::fabs(fw) < 1e-10 || std::fabs(fh) < 1e-10)
        return Matrix();
    double sx = to.Width() / fw;
    double sy = to.Height() / fh;
    if (keepAspect) {
        if (std::fabs(sy) < std::fabs(sx))
            sx = std::copysign(std::fabs(sy), sx);
        else if (std::fabs(sx) < std::fabs(sy))
            sy = std::copysign(std::fabs(sx), sy);
    }
    const Matrix s = Scale(sx, sy);
    const Point c = s.Transform(from.CenterPoint());
    return s * Move(Vector(to.CenterPoint() - c));
}

Matrix Matrix::Map(const Rect& from, const tagRECT& to, unsigned char keepAspect)
{
    return Map(from, Rect(to), keepAspect);
}

Matrix operator+(const Matrix& a, const Matrix& b) { Matrix r(a); r += b; return r; }
Matrix operator-(const Matrix& a, const Matrix& b) { Matrix r(a); r -= b; return r; }
Matrix operator*(const Matrix& a, const Matrix& b) { Matrix r(a); r *= b; return r; }
Matrix operator*(const Matrix& a, double s) { Matrix r(a); r *= s; return r; }
Matrix operator*(double s, const Matrix& a) { Matrix r(a); r *= s; return r; }
Matrix operator/(const Matrix& a, double s) { Matrix r(a); r /= s; return r; }

MatrixStack::MatrixStack() : stack_(1)
{
}

MatrixStack::MatrixStack(const MatrixStack& s) = default;

MatrixStack& MatrixStack::operator=(const MatrixStack& s)
{
    if (this != &s)
        stack_ = s.stack_;
    return *this;
}

MatrixStack::~MatrixStack() = default;

void MatrixStack::Push(const Matrix& m, unsigned char combine, unsigned char before)
{
    md::PushMatrix(stack_, m, Top(), combine, before);
}

void MatrixStack::Pop()
{
    md::PopMatrix(stack_);
}

const Matrix& MatrixStack::Top() const
{
    return stack_.back();
}

void MatrixStack::Clear()
{
    while (Size() > 0)
        Pop();
}

int MatrixStack::Size()
{
    return md::CountAboveBase(stack_);
}

} // namespace S2D
