#include <zeltmath/s2d/region.h>

#include <zeltmath/s2d/detail/pixel_region.h>
#include <zeltmath/s2d/detail/region_handles.h>

#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_set>

using S2D::detail::PixelRegion;

// A handle is the address of a heap object; the table of live handles lets
// every function reject unknown and released handles instead of touching
// freed memory.
struct HRGN__ {
    PixelRegion region;
};

namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_set<HRGN> live;
};

HandleTable& Handles()
{
    static HandleTable* table = new HandleTable;  // outlives every static region owner
    return *table;
}

HRGN Register(PixelRegion&& region)
{
    std::unique_ptr<HRGN__> h(new (std::nothrow) HRGN__{std::move(region)});
    if (!h)
        return nullptr;
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.live.insert(h.get());
    return h.release();
}

bool IsLive(HRGN h)
{
    if (!h)
        return false;
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.live.count(h) != 0;
}

int Kind(const PixelRegion& r)
{
    if (r.Empty())
        return NULLREGION;
    return r.IsRectangle() ? SIMPLEREGION : COMPLEXREGION;
}

std::int32_t Clamp32(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

} // namespace

std::size_t S2D::detail::LiveRegionCount()
{
    HandleTable& t = Handles();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.live.size();
}

HRGN CreatePolygonRgn(const tagPOINT* points, int count, int fillMode)
{
    if (!points || count < 1 || (fillMode != ALTERNATE && fillMode != WINDING))
        return nullptr;
    try {
        PixelRegion r;
        if (!PixelRegion::FromPolygon(points, count, fillMode == WINDING, r))
            return nullptr;
        return Register(std::move(r));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    try {
        return Register(PixelRegion::Rect(left, top, right, bottom));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode)
{
    if (!IsLive(dst) || !IsLive(src1))
        return RGN_ERROR;
    try {
        if (mode == RGN_COPY) {
            if (dst != src1)
                dst->region = src1->region;
            return Kind(dst->region);
        }
        if (!IsLive(src2))
            return RGN_ERROR;
        PixelRegion::Op op;
        switch (mode) {
        case RGN_AND: op = PixelRegion::Op::And; break;
        case RGN_OR: op = PixelRegion::Op::Or; break;
        case RGN_XOR: op = PixelRegion::Op::Xor; break;
        case RGN_DIFF: op = PixelRegion::Op::Diff; break;
        default: return RGN_ERROR;
        }
        dst->region = PixelRegion::Combine(src1->region, src2->region, op);
        return Kind(dst->region);
    } catch (const std::bad_alloc&) {
        return RGN_ERROR;
    }
}

int DeleteObject(HRGN region)
{
    if (!region)
        return 0;
    {
        HandleTable& t = Handles();
        std::lock_guard<std::mutex> lock(t.mutex);
        if (t.live.erase(region) == 0)
            return 0;
    }
    delete region;
    return 1;
}

int PtInRegion(HRGN region, int x, int y)
{
    if (!IsLive(region))
        return 0;
    return region->region.Contains(x, y) ? 1 : 0;
}

int GetRgnBox(HRGN region, tagRECT* box)
{
    if (!IsLive(region) || !box)
        return RGN_ERROR;
    std::int64_t b[4];
    region->region.Box(b);
    box->left = Clamp32(b[0]);
    box->top = Clamp32(b[1]);
    box->right = Clamp32(b[2]);
    box->bottom = Clamp32(b[3]);
    return Kind(region->region);
}
