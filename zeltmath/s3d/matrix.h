#ifndef ZELTMATH_S3D_MATRIX_H
#define ZELTMATH_S3D_MATRIX_H
/// \file
/// Affine matrices of space and the matrix stack.

#include <zeltmath/base/export.h>
#include <zeltmath/s3d/point.h>

#include <deque>
#include <vector>

namespace S3D {

/// An affine transformation of space: a 4 x 4 matrix m[row][column] applied to
/// points written as row vectors (x, y, z, 1):
///
///   x' = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0]
///   y' = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1]
///   z' = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2]
///
/// Rows 0 to 2 are the images of the unit vectors, row 3 is the translation.
/// The fourth column is kept and takes part in the arithmetic but is not used
/// to map points.  A product A * B applies A first, then B.
///
/// InternalUpdate() is a hook for derived classes, called after every change
/// of the whole matrix (SetMatrix, SetDiagonal, Set0, Set1, the compound
/// operators, Initialize, the result of Invert); SetV does not call it.
///
/// Bad input has a defined result and nothing throws:
/// - GetV with an index outside 0..3 returns a quiet NaN, SetV ignores it;
/// - SetMatrix from a null array leaves the matrix unchanged, the constructor
///   from a null array gives the identity;
/// - the array forms of Transform do nothing for a null array or a count below
///   one, and the forms over pointers skip null pointers.
class ZELTMATH_API Matrix {
public:
    /// The elements m[row][column].
    double m[4][4];

    /// The identity.
    Matrix();
    /// d on the diagonal, 0 elsewhere.
    Matrix(double d);
    /// The sixteen elements a[r][c]; a null pointer gives the identity.
    Matrix(const double (*a)[4]);
    /// A copy of a.
    Matrix(const Matrix& a);
    /// A copy of the pointee; a null pointer gives the identity.
    Matrix(const Matrix* a);
    /// Copies the sixteen elements, then InternalUpdate().
    Matrix& operator=(const Matrix& a);

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Matrix();
    /// The sixteen elements a[r][c] (see the class notes for a null array).
    virtual Matrix& SetMatrix(const double (*a)[4]);
    /// Copies the sixteen elements of a.
    virtual Matrix& SetMatrix(const Matrix& a);
    /// d on the diagonal, 0 elsewhere.
    virtual Matrix& SetDiagonal(double d);
    /// The identity.
    virtual Matrix& Set1();
    /// All sixteen elements 0.
    virtual Matrix& Set0();
    /// The element in column i of row j: m[j][i] (GetV(2, 3) is the z move).
    virtual double GetV(int i, int j) const;
    /// Sets element m[j][i] (see GetV); InternalUpdate() is not called.
    virtual Matrix& SetV(int i, int j, double v);
    /// Element-wise sum.
    virtual Matrix& operator+=(const Matrix& b);
    /// Element-wise difference.
    virtual Matrix& operator-=(const Matrix& b);
    /// All sixteen elements times s.
    virtual Matrix& operator*=(double s);
    /// this = this * b: this transformation first, then b.
    virtual Matrix& operator*=(const Matrix& b);
    /// All sixteen elements divided by s when |s| >= 2.220446049250313e-16.
    ///
    /// Otherwise (a tiny or a NaN divisor) the matrix stays unchanged and
    /// InternalUpdate is not called.
    virtual Matrix& operator/=(double s);
    /// n points mapped into dst.
    virtual void Transform(const Point* src, Point* dst, int n) const;
    /// n points mapped in place.
    virtual void Transform(Point* p, int n) const;
    /// The points of [begin, end) mapped into dst.
    virtual void Transform(const Point* begin, const Point* end, Point* dst) const;
    /// The points of [begin, end) mapped in place.
    virtual void Transform(Point* begin, Point* end) const;
    /// In place when src and dst are the same vector; otherwise dst is
    /// replaced by src.size() mapped points.
    virtual void Transform(const std::vector<Point>& src, std::vector<Point>& dst) const;
    /// Every pointee in place (null pointers are skipped).
    virtual void Transform(std::vector<Point*>& points) const;
    /// Every point in place.
    virtual void Transform(std::vector<Point>& points) const;
    /// The image of p.
    virtual Point Transform(const Point& p) const;

    /// Scaling about the origin by sx, sy and sz.
    static Matrix Scale(double sx, double sy, double sz);
    /// Translation by (dx, dy, dz).
    static Matrix Move(double dx, double dy, double dz);
    /// Translation by v.
    static Matrix Move(const Vector& v);
    /// Rotation by a radians about the axis through the origin, counter-
    /// clockwise when seen from the tip of the axis (right-hand rule).  The
    /// axis need not have unit length; a zero axis gives the matrix with
    /// cos a on the first three diagonal places.
    static Matrix RotationAxis(const Vector& axis, double a);
    /// The inverse by Gauss-Jordan elimination, or the identity when the
    /// matrix counts as singular.  Before eliminating, every diagonal element
    /// below 1 is raised to exactly 1 by adding a multiple of the first other
    /// row whose element in that column exceeds 1e-10 in magnitude; when no
    /// such row exists the matrix counts as singular, and so does a pivot
    /// below 2.220446049250313e-16 in magnitude.  The preparation means that
    /// a matrix such as Scale(0.5, 1, 1), with zeros below and above its
    /// small diagonal element, is reported singular (the identity comes
    /// back), while the same scale combined with a move or a rotation
    /// inverts normally.
    static Matrix Invert(const Matrix& a);

protected:
    /// Does nothing here; derived classes that cache values derived from the
    /// matrix refresh them.
    virtual void InternalUpdate();
    /// Sets all sixteen elements to 0 and calls InternalUpdate().
    virtual void Initialize();
};

/// Each copies its left matrix operand and applies the compound operator.
ZELTMATH_API Matrix operator+(const Matrix& a, const Matrix& b);
/// Element-wise difference.
ZELTMATH_API Matrix operator-(const Matrix& a, const Matrix& b);
/// a applied first, then b.
ZELTMATH_API Matrix operator*(const Matrix& a, const Matrix& b);
/// All sixteen elements times s.
ZELTMATH_API Matrix operator*(const Matrix& a, double s);
/// All sixteen elements times s.
ZELTMATH_API Matrix operator*(double s, const Matrix& a);
/// All sixteen elements divided by s (unchanged for a tiny s, as operator/=).
ZELTMATH_API Matrix operator/(const Matrix& a, double s);

/// A stack of accumulated transformations on an identity base.  The base is
/// never removed and not counted by Size().
class ZELTMATH_API MatrixStack {
public:
    /// A stack holding only the identity base.
    MatrixStack();
    /// A copy of the stack.
    MatrixStack(const MatrixStack&) = default;
    /// Copies the stack.
    MatrixStack& operator=(const MatrixStack&) = default;

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~MatrixStack();
    /// combine == 0: pushes m itself.  Otherwise pushes m * Top() when before
    /// is set (m acts before the transformation already on the stack), or
    /// Top() * m when before is 0 (m acts after it).
    virtual void Push(const Matrix& m, unsigned char combine, unsigned char before);
    /// Removes the top matrix unless only the base is left.
    virtual void Pop();
    /// The top matrix, the base when nothing has been pushed.
    virtual const Matrix& Top() const;
    /// Pops down to the base.
    virtual void Clear();
    /// The number of matrices above the base.
    virtual int Size();

private:
    std::deque<Matrix> stack_;
};

} // namespace S3D

#endif
