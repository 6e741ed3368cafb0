#ifndef ZELTMATH_S2D_DETAIL_ROTATION_H
#define ZELTMATH_S2D_DETAIL_ROTATION_H

#include <cmath>

namespace S2D {
namespace detail {

// Applies the rotation by angle a about the origin to (x, y), with the same
// arithmetic as applying the matrix Matrix::Rotate(a) (rows (cos a, sin a),
// (-sin a, cos a), no translation) to a row vector.
inline void RotateXY(double a, double& x, double& y)
{
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double nx = x * c + y * -s + 0.0;
    const double ny = x * s + y * c + 0.0;
    x = nx;
    y = ny;
}

} // namespace detail
} // namespace S2D

#endif
