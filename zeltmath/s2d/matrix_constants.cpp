// The constant rotation matrices.  They are namespace-scope objects so that
// the loader builds them when the library is loaded and destroys them when it
// is unloaded (see base/module.cpp).

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/matrix.h>

namespace S2D {

namespace {

const Matrix g_rotate90 = Matrix::Rotate(ZT_PI_2);
const Matrix g_rotate45 = Matrix::Rotate(ZT_PI / 4);
const Matrix g_rotate_45 = Matrix::Rotate(-ZT_PI / 4);

} // namespace

const Matrix& Matrix::Rotate90()
{
    return g_rotate90;
}

const Matrix& Matrix::Rotate45()
{
    return g_rotate45;
}

const Matrix& Matrix::Rotate_45()
{
    return g_rotate_45;
}

} // namespace S2D
