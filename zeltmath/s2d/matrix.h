#ifndef ZELTMATH_S2D_MATRIX_H
#define ZELTMATH_S2D_MATRIX_H
/// \file
/// Affine matrices of the plane and the matrix stack.

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/rect.h>
#include <zeltmath/s2d/win_types.h>

#include <deque>
#include <vector>

namespace S2D {

/// An affine transformation of the plane: a 3 x 3 matrix applied to points
/// written as row vectors (x, y, 1):
///
///   x' = x * m[0][0] + y * m[1][0] + m[2][0]
///   y' = x * m[0][1] + y * m[1][1] + m[2][1]
///
/// Rows 0 and 1 are the images of the unit vectors and row 2 the translation,
/// as in the Windows XFORM.  The third column takes part in the arithmetic but
/// never in transforming a point; the matrices built here keep it (0, 0, 1).
/// A product A * B applies A first and B second (p * A * B).
///
/// InternalUpdate() is called after every change of the whole matrix (the
/// setters, the compound operators, Initialize, the result of Invert), so a
/// derived class can keep data computed from the elements; SetV does not call
/// it.  Operations that use other operations of the same object call them
/// virtually.
class ZELTMATH_API Matrix {
public:
    /// The identity.
    Matrix();
    /// d on the diagonal, 0 elsewhere.
    Matrix(double d);
    /// The nine elements a[r][c]; a null pointer gives the identity.
    Matrix(const double (*a)[3]);
    /// A copy of a.
    Matrix(const Matrix& a);
    /// A null pointer gives the identity.
    Matrix(const Matrix* a);

    /// Copies the nine elements, then InternalUpdate().
    Matrix& operator=(const Matrix& a);

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~Matrix();
    /// A null pointer sets the identity.
    virtual Matrix& SetMatrix(const double (*a)[3]);
    /// Copies the nine elements of a.
    virtual Matrix& SetMatrix(const Matrix& a);
    /// d on the diagonal, 0 elsewhere.
    virtual Matrix& SetDiagonal(double d);
    /// The identity.
    virtual Matrix& Set1();
    /// All nine elements 0.
    virtual Matrix& Set0();
    /// Element m[j][i]: the first index is the column, the second the row.
    ///
    /// GetV(0, 2) is the x translation.  An index outside 0..2 names no
    /// element: GetV reads a quiet NaN and SetV writes nothing.
    virtual double GetV(int i, int j) const;
    /// Sets element m[j][i] (see GetV); InternalUpdate() is not called.
    virtual Matrix& SetV(int i, int j, double v);

    /// Element-wise sum.
    virtual Matrix& operator+=(const Matrix& b);
    /// Element-wise difference.
    virtual Matrix& operator-=(const Matrix& b);
    /// All nine elements times s.
    virtual Matrix& operator*=(double s);
    /// this = this * b: this applied first, then b.
    virtual Matrix& operator*=(const Matrix& b);
    /// All nine elements divided by s when |s| >= 2.220446049250313e-16.
    ///
    /// Otherwise (a tiny or a NaN divisor) the matrix stays unchanged and
    /// InternalUpdate is not called.
    virtual Matrix& operator/=(double s);

    /// The corners (left, top) and (right, bottom) mapped; not normalised.
    virtual void Transform(const tagRECT& r, Rect& out) const;
    /// The corners mapped and rounded (halves away from zero); not normalised.
    virtual void Transform(const Rect& r, tagRECT& out) const;
    /// The corners mapped; not normalised.
    virtual void Transform(const Rect& r, Rect& out) const;
    /// n points mapped and rounded into dst.
    virtual void Transform(const Point* src, tagPOINT* dst, int n) const;
    /// n points mapped into dst.
    virtual void Transform(const Point* src, Point* dst, int n) const;
    /// In place.
    virtual void Transform(Point* p, int n) const;
    /// The points of [begin, end) mapped into dst.
    virtual void Transform(const Point* begin, const Point* end, Point* dst) const;
    /// The points of [begin, end) mapped in place.
    virtual void Transform(Point* begin, Point* end) const;
    /// dst receives exactly src.size() mapped points; in place when both are
    /// the same vector.
    virtual void Transform(const std::vector<Point>& src, std::vector<Point>& dst) const;
    /// Every pointee in place (null pointers are skipped).
    virtual void Transform(std::vector<Point*>& v) const;
    /// Every point in place.
    virtual void Transform(std::vector<Point>& v) const;
    /// The image of p.
    virtual Point Transform(const Point& p) const;
    /// The axis-parallel, normalised box around the four mapped corners of r;
    /// correct for rotations too.
    virtual void TransformRectSpecial(const Rect& r, Rect& out) const;
    /// The length of the image of the unit vector along the diagonal: the
    /// scale of a matrix made of rotation, uniform scale and translation.
    virtual double GetOrtLength() const;
    /// The matrix as a Windows transform: the first two columns of the three rows.
    virtual void GetXFORM(tagXFORM& xf) const;

    /// Scaling about the origin by sx and sy.
    static Matrix Scale(double sx, double sy);
    /// Translation by (dx, dy).
    static Matrix Move(double dx, double dy);
    /// Translation by v.
    static Matrix Move(const Vector& v);
    /// Counter-clockwise by a radians about the origin (y up), with the plain
    /// sine and cosine: rows (cos a, sin a) and (-sin a, cos a).
    static Matrix Rotate(double a);
    /// Rotate(ZT_PI_2), Rotate(ZT_PI / 4) and Rotate(-ZT_PI / 4), built once
    /// when the library is loaded.
    static const Matrix& Rotate90();
    /// Rotate(ZT_PI / 4), built once.
    static const Matrix& Rotate45();
    /// Rotate(-ZT_PI / 4), built once.
    static const Matrix& Rotate_45();

    /// The inverse by Gauss-Jordan elimination without row exchanges; the
    /// identity when a counts as singular.  Before the elimination, every
    /// diagonal element below 1 is raised to 1 by adding a multiple of the
    /// first other row whose element in that column exceeds 1e-10 in
    /// magnitude; when no such row exists the matrix counts as singular, as it
    /// does when a pivot falls below 2.220446049250313e-16 in magnitude.  So a
    /// diagonal element below 1 alone in its column (Scale(0.5, 0.5), or
    /// Rotate(ZT_PI) without translation) gives the identity too.
    static Matrix Invert(const Matrix& a);

    /// The mapping of the rectangle from onto the rectangle to: scale about
    /// the origin by to.Width() / from.Width() and to.Height() / from.Height()
    /// (signed, so a reversed side flips the axis), then move the centre of
    /// from onto the centre of to.  With keepAspect set both factors take the
    /// smaller magnitude, each keeping its sign.  The identity when from's
    /// width or height is below 1e-10 in magnitude.
    static Matrix Map(const Rect& from, const Rect& to, unsigned char keepAspect);
    /// As the Rect form, with a Windows rectangle as the target.
    static Matrix Map(const Rect& from, const tagRECT& to, unsigned char keepAspect);

    /// The elements m[row][column]; writing them directly skips InternalUpdate.
    double m[3][3];

protected:
    /// Hook after every change of the whole matrix; nothing here.
    virtual void InternalUpdate();
    /// All nine elements 0, then InternalUpdate().
    virtual void Initialize();
};

/// Element-wise sum.
ZELTMATH_API Matrix operator+(const Matrix& a, const Matrix& b);
/// Element-wise difference.
ZELTMATH_API Matrix operator-(const Matrix& a, const Matrix& b);
/// a applied first, then b.
ZELTMATH_API Matrix operator*(const Matrix& a, const Matrix& b);
/// All nine elements times s.
ZELTMATH_API Matrix operator*(const Matrix& a, double s);
/// All nine elements times s.
ZELTMATH_API Matrix operator*(double s, const Matrix& a);
/// All nine elements divided by s (unchanged for a tiny s, as operator/=).
ZELTMATH_API Matrix operator/(const Matrix& a, double s);

/// A stack of accumulated matrices above an identity base.  The base is never
/// removed and not counted.
class ZELTMATH_API MatrixStack {
public:
    /// A stack holding only the identity base.
    MatrixStack();
    /// A copy of the stack.
    MatrixStack(const MatrixStack& s);
    /// Copies the stack.
    MatrixStack& operator=(const MatrixStack& s);

    /// Virtual, so that derived objects are destroyed completely.
    virtual ~MatrixStack();
    /// Pushes m itself when combine is 0.  Otherwise pushes the combination
    /// with the current top: m * Top() (m applied first) when before is set,
    /// Top() * m (the current top applied first) when it is not.
    virtual void Push(const Matrix& m, unsigned char combine, unsigned char before);
    /// Removes the top matrix; does nothing when only the base is left.
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

} // namespace S2D

#endif
