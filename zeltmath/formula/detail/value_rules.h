#ifndef ZELTMATH_FORMULA_DETAIL_VALUE_RULES_H
#define ZELTMATH_FORMULA_DETAIL_VALUE_RULES_H

// The value of every function and operator of the formula language, each
// stated once: the evaluator (program.cpp) applies these rules, and a node
// asked for its value runs the evaluator over its subtree.
//
// u is a function's argument, k the current angle factor (radians per angle
// unit of the formula); a and b are an operator's operands.  A value outside
// a function's domain throws the error code of that function.

#include <zeltmath/formula/detail/error.h>

#include <climits>
#include <cmath>
#include <cstdlib>

namespace zeltmath {
namespace formula {

// Throws ParseErrorMsg{code, -1, -1}; kept out of line so that the rules stay
// small where the evaluator inlines them.
[[noreturn]] void ValueError(int code);

// Truncation toward zero to a 32-bit integer, saturating; NaN gives 0.
inline int TruncToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

// Power as the formula language defines it: 0 for a zero base, an integer
// exponent (truncated toward zero) for a negative base.
inline double FormulaPower(double a, double b)
{
    if (a > 0)
        return std::pow(a, b);
    if (a == 0)
        return 0.0;
    if (a < 0)
        return std::pow(a, static_cast<double>(TruncToInt32(b)));
    return std::pow(a, b);  // NaN base
}

// ---- functions (keyword index in the name's comment)

inline double LnValue(double u, double)  // 1
{
    if (u <= 0)
        ValueError(kErrLnNonPositive);
    return std::log(u);
}
inline double LogValue(double u, double)  // 2
{
    if (u <= 0)
        ValueError(kErrLogNonPositive);
    return std::log10(u);
}
inline double ExpValue(double u, double) { return std::exp(u); }    // 3
inline double AbsValue(double u, double) { return std::fabs(u); }   // 4
inline double SqrtValue(double u, double)                            // 5
{
    if (u < 0)
        ValueError(kErrSqrtNegative);
    return std::sqrt(u);
}
inline double NegValue(double u, double) { return -1.0 * u; }       // 6
inline double SinValue(double u, double k) { return std::sin(u * k); }  // 8
inline double CosValue(double u, double k) { return std::cos(u * k); }  // 9
inline double TanValue(double u, double k)                               // 10
{
    const double a = u * k;
    if (std::cos(a) == 0.0)
        ValueError(kErrTanPole);
    return std::tan(a);
}
inline double SecValue(double u, double k)  // 11
{
    const double c = std::cos(u * k);
    if (c == 0.0)
        ValueError(kErrSecPole);
    return 1.0 / c;
}
inline double CscValue(double u, double k)  // 12
{
    const double s = std::sin(u * k);
    if (s == 0.0)
        ValueError(kErrCscPole);
    return 1.0 / s;
}
inline double CotValue(double u, double k)  // 13
{
    const double a = u * k;
    if (std::sin(a) == 0.0)
        ValueError(kErrCotPole);
    return 1.0 / std::tan(a);
}
inline double AsinValue(double u, double k)  // 14
{
    if (u > 1 || u < -1)
        ValueError(kErrAsinDomain);
    return std::asin(u) / k;
}
inline double AcosValue(double u, double k)  // 15
{
    if (u > 1 || u < -1)
        ValueError(kErrAcosDomain);
    return std::acos(u) / k;
}
inline double AtanValue(double u, double k) { return std::atan(u) / k; }  // 16
inline double AsecValue(double u, double k)                                // 17
{
    if (u >= -1 && u <= 1)
        ValueError(kErrAsecDomain);
    return std::acos(1 / u) / k;
}
inline double AcscValue(double u, double k)  // 18
{
    if (u >= -1 && u <= 1)
        ValueError(kErrAcscDomain);
    return std::asin(1 / u) / k;
}
inline double AcotValue(double u, double k)  // 19
{
    if (u == 0)
        ValueError(kErrAcotZero);
    return std::atan(1 / u) / k;
}
inline double SinhValue(double u, double) { return std::sinh(u); }  // 20
inline double CoshValue(double u, double) { return std::cosh(u); }  // 21
inline double TanhValue(double u, double)                            // 22
{
    if (std::cosh(u) == 0.0)
        ValueError(kErrTanhPole);
    return std::tanh(u);
}
inline double SechValue(double u, double)  // 23
{
    const double c = std::cosh(u);
    if (c == 0.0)
        ValueError(kErrSechPole);
    return 1.0 / c;
}
inline double CschValue(double u, double)  // 24
{
    const double s = std::sinh(u);
    if (s == 0.0)
        ValueError(kErrCschPole);
    return 1.0 / s;
}
inline double CothValue(double u, double)  // 25
{
    const double t = std::tanh(u);
    if (t == 0.0)
        ValueError(kErrCothPole);
    return 1.0 / t;
}
inline double NotValue(double u, double) { return u == 0 ? 1.0 : 0.0; }                           // 26
inline double ComplementValue(double u, double) { return static_cast<double>(~TruncToInt32(u)); }  // 27
inline double CeilValue(double u, double) { return std::ceil(u); }                                  // 28
inline double FloorValue(double u, double) { return std::floor(u); }                                // 29

// RAND(m): std::rand() scaled by m / RAND_MAX.
inline double RandValue(double m) { return static_cast<double>(std::rand()) * m * (1.0 / RAND_MAX); }

// ---- operators whose operands are both evaluated, left first

inline double PlusValue(double a, double b) { return a + b; }
inline double MinusValue(double a, double b) { return a - b; }
inline double MultiplyValue(double a, double b) { return a * b; }
inline double LessValue(double a, double b) { return a < b ? 1.0 : 0.0; }
inline double GreaterValue(double a, double b) { return a > b ? 1.0 : 0.0; }
inline double EqualValue(double a, double b) { return a == b ? 1.0 : 0.0; }
inline double NotEqualValue(double a, double b) { return a != b ? 1.0 : 0.0; }
inline double LessEqualValue(double a, double b) { return a <= b ? 1.0 : 0.0; }
inline double GreaterEqualValue(double a, double b) { return a >= b ? 1.0 : 0.0; }
inline double BitAndValue(double a, double b) { return static_cast<double>(TruncToInt32(a) & TruncToInt32(b)); }
inline double BitOrValue(double a, double b) { return static_cast<double>(TruncToInt32(a) | TruncToInt32(b)); }
inline double BitXorValue(double a, double b) { return static_cast<double>(TruncToInt32(a) ^ TruncToInt32(b)); }

// ---- "/" and "%": the divisor is evaluated and checked before the dividend

inline void CheckDivisor(double b)
{
    if (b == 0.0)
        ValueError(kErrDivisionByZero);
}
inline double DivideValue(double a, double b) { return a / b; }
// A divisor below 1 in magnitude truncates to 0: also a division by zero.
inline void CheckModulusDivisor(double b)
{
    CheckDivisor(b);
    if (TruncToInt32(b) == 0)
        ValueError(kErrDivisionByZero);
}
inline double ModulusValue(double a, double b)
{
    const int ib = TruncToInt32(b);
    const int ia = TruncToInt32(a);
    if (ib == -1)
        return 0.0;  // also avoids INT_MIN % -1
    return static_cast<double>(ia % ib);
}

// ---- "&&", "||": the right operand is evaluated only when the left one
// leaves the result open; the result is a truth value.
inline double Truth(double v) { return v != 0 ? 1.0 : 0.0; }

} // namespace formula
} // namespace zeltmath

#endif
