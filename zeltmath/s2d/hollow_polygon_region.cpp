// HollowPolygon::CreateRgn: the region mapped into device coordinates and
// handed to the integer region layer.

#include <zeltmath/s2d/hollow_polygon.h>

#include <zeltmath/s2d/transform.h>

#include <climits>
#include <memory>
#include <new>
#include <vector>

namespace S2D {

namespace {

struct RegionDeleter {
    void operator()(HRGN__* r) const { DeleteObject(r); }
};
// Owns a region until it is handed to the caller, so that every early
// return releases it.
using RegionOwner = std::unique_ptr<HRGN__, RegionDeleter>;

// The ring mapped by m and rounded to integers (halves away from zero); null
// when the ring has no vertices or too many for the region layer.
RegionOwner RingRegion(const Matrix& m, const Polygon& ring, Polygon& mapped, std::vector<tagPOINT>& points)
{
    Transform::Transform(m, ring, mapped);
    if (mapped.Size() == 0 || mapped.Size() > static_cast<unsigned>(INT_MAX))
        return RegionOwner();
    points.resize(mapped.Size());
    for (unsigned i = 0; i < mapped.Size(); ++i)
        mapped[i].GetPoint(points[i]);
    return RegionOwner(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
}

} // namespace

HRGN HollowPolygon::CreateRgn(const Matrix& m) const
{
    try {
        Polygon mapped;
        std::vector<tagPOINT> points;
        RegionOwner result = RingRegion(m, outer_, mapped, points);
        if (!result)
            return nullptr;
        for (const Polygon& hole : inners_) {
            RegionOwner cut = RingRegion(m, hole, mapped, points);
            if (!cut || CombineRgn(result.get(), result.get(), cut.get(), RGN_DIFF) == RGN_ERROR)
                return nullptr;
        }
        return result.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace S2D
