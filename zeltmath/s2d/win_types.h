#ifndef ZELTMATH_S2D_WIN_TYPES_H
#define ZELTMATH_S2D_WIN_TYPES_H

#include <cstdint>

/// \file
/// The Windows integer and transform structures that appear in the planar
/// interfaces, as plain structures of this library.  On Windows they are the
/// platform's own; elsewhere these definitions stand in for them.
#if !defined(_WIN32)
/// A point of integers.
typedef struct tagPOINT {
    /// The x coordinate.
    std::int32_t x;
    /// The y coordinate.
    std::int32_t y;
/// A point of integers.
} POINT;

/// A point of integers (the long form).
typedef struct _POINTL {
    /// The x coordinate.
    std::int32_t x;
    /// The y coordinate.
    std::int32_t y;
/// A point of integers (the long form).
} POINTL;

/// A size of integers.
typedef struct tagSIZE {
    /// The width.
    std::int32_t cx;
    /// The height.
    std::int32_t cy;
/// A size of integers.
} SIZE;

/// A rectangle of integers.
typedef struct tagRECT {
    /// The left side.
    std::int32_t left;
    /// The top side.
    std::int32_t top;
    /// The right side.
    std::int32_t right;
    /// The bottom side.
    std::int32_t bottom;
/// A rectangle of integers.
} RECT;

/// An affine transform in single precision: x' = x eM11 + y eM21 + eDx, y' = x eM12 + y eM22 + eDy.
typedef struct tagXFORM {
    /// Image of the unit x vector, x part.
    float eM11;
    /// Image of the unit x vector, y part.
    float eM12;
    /// Image of the unit y vector, x part.
    float eM21;
    /// Image of the unit y vector, y part.
    float eM22;
    /// The x translation.
    float eDx;
    /// The y translation.
    float eDy;
/// An affine transform in single precision.
} XFORM;
#endif

#endif
