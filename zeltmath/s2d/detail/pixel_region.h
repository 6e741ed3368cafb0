#ifndef ZELTMATH_S2D_DETAIL_PIXEL_REGION_H
#define ZELTMATH_S2D_DETAIL_PIXEL_REGION_H

#include <zeltmath/s2d/win_types.h>

#include <cstdint>
#include <vector>

namespace S2D {
namespace detail {

// A set of pixels stored as horizontal bands: rows [top, bottom) that share
// the same sorted, disjoint half-open spans [xs[0], xs[1]), [xs[2], xs[3]), ...
// Bands are sorted by top, do not overlap, are never empty, and two touching
// bands never have equal spans (they are merged).
class PixelRegion {
public:
    struct Band {
        std::int64_t top;
        std::int64_t bottom;
        std::vector<std::int64_t> xs;
    };

    enum class Op { And, Or, Xor, Diff };

    static constexpr std::int64_t kMaxRows = std::int64_t(1) << 22;

    PixelRegion() = default;
    static PixelRegion Rect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
    // false when the polygon spans more than kMaxRows rows.
    static bool FromPolygon(const tagPOINT* points, int count, bool winding, PixelRegion& out);
    static PixelRegion Combine(const PixelRegion& a, const PixelRegion& b, Op op);

    bool Contains(std::int64_t x, std::int64_t y) const;
    bool Empty() const { return m_bands.empty(); }
    bool IsRectangle() const { return m_bands.size() == 1 && m_bands[0].xs.size() == 2; }
    // left, top, right, bottom; all zero when empty.
    void Box(std::int64_t box[4]) const;
    const std::vector<Band>& Bands() const { return m_bands; }

private:
    // Appends rows [top, bottom) with the given spans, merging with the last
    // band when it touches and has the same spans.
    void Append(std::int64_t top, std::int64_t bottom, std::vector<std::int64_t>&& xs);

    std::vector<Band> m_bands;
};

} // namespace detail
} // namespace S2D

#endif
