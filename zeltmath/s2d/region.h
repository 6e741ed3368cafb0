#ifndef ZELTMATH_S2D_REGION_H
#define ZELTMATH_S2D_REGION_H

#include <zeltmath/base/export.h>
#include <zeltmath/s2d/win_types.h>

/// \file
/// Integer pixel regions, standing in for the Windows graphics regions on
/// systems without them.  A region is a set of pixels; pixel (x, y) is the unit
/// square [x, x + 1) x [y, y + 1).  A polygon covers the pixels whose centres
/// (x + 0.5, y + 0.5) lie inside it; a centre exactly on a left or top edge
/// counts as inside, one exactly on a right or bottom edge as outside, so
/// polygons that share an edge never share a pixel (the top-left rule of the
/// Windows rasteriser).  A rectangle region (left, top, right, bottom) covers
/// the pixels left <= x < right, top <= y < bottom.
///
/// Handles are owned by whoever created them and released with DeleteObject.
/// Every function checks its handles: an unknown or already released handle
/// makes it fail (RGN_ERROR, 0 or null), it never crashes.
#if !defined(_WIN32)

struct HRGN__;
/// Handle of a pixel region.
typedef HRGN__* HRGN;

/// Polygon fill mode:
constexpr int ALTERNATE = 1;  ///< even-odd
constexpr int WINDING = 2;    ///< non-zero winding

/// CombineRgn: the intersection.
constexpr int RGN_AND = 1;
/// CombineRgn: the union.
constexpr int RGN_OR = 2;
/// CombineRgn: the pixels in exactly one source.
constexpr int RGN_XOR = 3;
/// CombineRgn: the pixels of the first source not in the second.
constexpr int RGN_DIFF = 4;
/// CombineRgn: a copy of the first source.
constexpr int RGN_COPY = 5;

/// Region kind returned by CombineRgn and GetRgnBox: failure.
constexpr int RGN_ERROR = 0;
/// An empty region.
constexpr int NULLREGION = 1;
/// A region that is one rectangle.
constexpr int SIMPLEREGION = 2;
/// A region of more than one rectangle.
constexpr int COMPLEXREGION = 3;

/// A new region of the polygon; null when points is null, count < 1, the fill
/// mode is unknown, or the polygon spans more than 4 194 304 pixel rows.
/// Fewer than three points give an empty region.
ZELTMATH_API HRGN CreatePolygonRgn(const tagPOINT* points, int count, int fillMode);
/// A new region of the rectangle (the corners are normalised first).
ZELTMATH_API HRGN CreateRectRgn(int left, int top, int right, int bottom);
/// dst := src1 op src2 (src2 unused for RGN_COPY); dst may be one of the
/// sources.  Returns the kind of the result, RGN_ERROR on a bad handle or mode
/// (dst then unchanged).
ZELTMATH_API int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
/// Releases the region; 0 for a null or unknown handle, else 1.
ZELTMATH_API int DeleteObject(HRGN region);
/// 1 when pixel (x, y) belongs to the region.
ZELTMATH_API int PtInRegion(HRGN region, int x, int y);
/// The bounding rectangle (all zero for an empty region); returns its kind.
ZELTMATH_API int GetRgnBox(HRGN region, tagRECT* box);

#endif

#endif
