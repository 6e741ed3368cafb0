#ifndef ZELTMATH_S2D_WIN_TYPES_H
#define ZELTMATH_S2D_WIN_TYPES_H

#include <cstdint>

/// \file
/// The Windows integer and transform structures that appear in the planar
/// interfaces, as plain structures of this library.  On Windows they are the
/// platform's own; elsewhere these definitions stand in for them.
#if !defined(_WIN32)
typedef struct tagPOINT {
    std::int32_t x;
    std::int32_t y;
} POINT;

typedef struct _POINTL {
    std::int32_t x;
    std::int32_t y;
} POINTL;

typedef struct tagSIZE {
    std::int32_t cx;
    std::int32_t cy;
} SIZE;

typedef struct tagRECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
} RECT;

typedef struct tagXFORM {
    float eM11;
    float eM12;
    float eM21;
    float eM22;
    float eDx;
    float eDy;
} XFORM;
#endif

#endif
