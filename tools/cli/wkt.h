#ifndef ZELTMATH_TOOL_WKT_H
#define ZELTMATH_TOOL_WKT_H

#include <zeltmath/s2d/point.h>

#include <string>
#include <string_view>
#include <vector>

namespace zcli {

// One ring of a region as read from well-known text: its vertices without the
// repeated closing vertex, and whether it is a hole (an interior ring).
struct WktRing {
    std::vector<S2D::Point> points;
    bool hole = false;
};

// A polygon for output: the outer ring first, then its holes.
using WktPolygon = std::vector<std::vector<S2D::Point>>;

// Reads POLYGON or MULTIPOLYGON text (keywords in any case, EMPTY allowed,
// two coordinates a vertex).  The first ring of each polygon is outer, the
// others are holes.  Rings may be given closed or open.  Throws InputError
// with the offset of the fault for anything else, for rings of fewer than
// three distinct vertices and for coordinates that are not finite.
std::vector<WktRing> ParseWkt(std::string_view text);

// MULTIPOLYGON text of the polygons (MULTIPOLYGON EMPTY when there are none);
// every ring is written closed.
std::string FormatWkt(const std::vector<WktPolygon>& polygons);

} // namespace zcli

#endif
