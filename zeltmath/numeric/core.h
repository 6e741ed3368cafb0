#ifndef ZELTMATH_NUMERIC_CORE_H
#define ZELTMATH_NUMERIC_CORE_H

#include <zeltmath/base/export.h>

#include <vector>

/// \file
/// Tolerant comparisons, rounding, snapped trigonometry and the cubic.
/// Every tolerance is absolute and acts by its magnitude: a difference is
/// negligible when |difference| <= |eps|.  Predicates return 1 or 0.

extern ZELTMATH_API const double ZT_PI;        ///< 3.141592653589793
extern ZELTMATH_API const double ZT_2PI;       ///< 6.283185307179586
extern ZELTMATH_API const double ZT_PI_2;      ///< 1.5707963267948966
/// The largest finite double, used as "no bound"; never an IEEE infinity.
extern ZELTMATH_API const double ZT_INFINITY;  ///< 1.7976931348623157e+308

/// 1 when |x| <= |eps|.
ZELTMATH_API unsigned char IsZero(double x, double eps);
/// 1 when a is below b by more than the tolerance.
ZELTMATH_API unsigned char IsLess(double a, double b, double eps);
/// 1 when a is not above b by more than the tolerance.
ZELTMATH_API unsigned char IsNonGreater(double a, double b, double eps);
/// 1 when x lies in the closed range between 0 and b (b may be negative),
/// widened by the tolerance at both ends.
ZELTMATH_API unsigned char IsLies(double x, double b, double eps);

/// Nearest integer, halves away from zero.  Outside the range of int the
/// result saturates at INT_MIN / INT_MAX; NaN gives 0.
ZELTMATH_API int Round(double x);
/// 1, 0 or -1 (exact, both zeros give 0).
ZELTMATH_API int Sign(double x);
/// x * x.
ZELTMATH_API double Sqr(double x);

/// Degrees to radians and back ("Grad" means degrees).
ZELTMATH_API double GradToRad(double degrees);
/// Radians to degrees.
ZELTMATH_API double RadToGrad(double radians);

/// Sine and cosine snapped to 0, +-1, +-0.5 and +-sqrt(3)/2 when within 0.001.
ZELTMATH_API double GoodSin(double radians);
/// Snapped cosine, as GoodSin.
ZELTMATH_API double GoodCos(double radians);

/// Roots of x^3 + a x^2 + b x + c = 0; roots always receives three values.
/// Result 3: three real roots.  Result 1: roots[0] real, and the complex pair
/// roots[1] +- i roots[2].  Result 2: roots[0] real and the double real root
/// roots[1] (roots[2] is 0).
ZELTMATH_API int Cubic(std::vector<double>& roots, double a, double b, double c);

#endif
