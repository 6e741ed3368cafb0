#include <zeltmath/s2d/detail/pixel_region.h>

#include <algorithm>

namespace S2D {
namespace detail {

namespace {

bool Apply(PixelRegion::Op op, bool a, bool b)
{
    switch (op) {
    case PixelRegion::Op::And: return a && b;
    case PixelRegion::Op::Or: return a || b;
    case PixelRegion::Op::Xor: return a != b;
    case PixelRegion::Op::Diff: return a && !b;
    }
    return false;
}

// Boolean combination of two sorted span lists.
std::vector<std::int64_t> CombineSpans(const std::vector<std::int64_t>& xa, const std::vector<std::int64_t>& xb,
                                       PixelRegion::Op op)
{
    std::vector<std::int64_t> out;
    std::size_t i = 0, j = 0;
    bool inA = false, inB = false, in = false;
    while (i < xa.size() || j < xb.size()) {
        std::int64_t x;
        if (j >= xb.size() || (i < xa.size() && xa[i] <= xb[j]))
            x = xa[i];
        else
            x = xb[j];
        while (i < xa.size() && xa[i] == x) {
            inA = !inA;
            ++i;
        }
        while (j < xb.size() && xb[j] == x) {
            inB = !inB;
            ++j;
        }
        const bool now = Apply(op, inA, inB);
        if (now != in) {
            out.push_back(x);
            in = now;
        }
    }
    return out;
}

struct PolygonEdge {
    std::int64_t ylo;  // first row whose centre line crosses the edge
    std::int64_t yhi;  // one past the last such row
    std::int64_t x1, y1, dx, dy;
    int dir;
};

// ceil(n / d) for d > 0, exactly.
std::int64_t CeilDiv(std::int64_t n, std::int64_t d)
{
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

// The first pixel whose centre lies on or right of the crossing of the edge
// with the centre line y + 0.5 of row y: ceil(x - 0.5) for the crossing x.
// The vertices are integers, so x - 0.5 is the fraction
//   ((2 x1 - 1) dy + (2 y + 1 - 2 y1) dx) / (2 dy)
// and the pixel is found exactly: a centre exactly on the edge belongs to the
// pixels right of it, so a pixel is inside a span [left, right) when its
// centre is on a left edge and outside when it is on a right edge.  With at
// most kMaxRows rows, |dy| <= 2^22 and every product stays below 2^56.
std::int64_t FirstPixelRightOf(const PolygonEdge& e, std::int64_t y)
{
    std::int64_t num = (2 * e.x1 - 1) * e.dy + (2 * y + 1 - 2 * e.y1) * e.dx;
    std::int64_t den = 2 * e.dy;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return CeilDiv(num, den);
}

const std::vector<std::int64_t> kNoSpans;

const std::vector<std::int64_t>& SpansAt(const std::vector<PixelRegion::Band>& bands, std::size_t& k,
                                         std::int64_t y)
{
    while (k < bands.size() && bands[k].bottom <= y)
        ++k;
    if (k < bands.size() && bands[k].top <= y)
        return bands[k].xs;
    return kNoSpans;
}

} // namespace

void PixelRegion::Append(std::int64_t top, std::int64_t bottom, std::vector<std::int64_t>&& xs)
{
    if (xs.empty() || top >= bottom)
        return;
    if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().xs == xs) {
        m_bands.back().bottom = bottom;
        return;
    }
    m_bands.push_back(Band{top, bottom, std::move(xs)});
}

PixelRegion PixelRegion::Rect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    PixelRegion r;
    if (left < right)
        r.Append(top, bottom, {left, right});
    return r;
}

bool PixelRegion::FromPolygon(const tagPOINT* points, int count, bool winding, PixelRegion& out)
{
    out.m_bands.clear();
    if (!points || count < 3)
        return true;
    std::int64_t ymin = points[0].y, ymax = points[0].y;
    std::vector<PolygonEdge> edges;
    edges.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const tagPOINT& p = points[i];
        const tagPOINT& q = points[(i + 1) % count];
        ymin = std::min<std::int64_t>(ymin, p.y);
        ymax = std::max<std::int64_t>(ymax, p.y);
        if (p.y == q.y)
            continue;
        PolygonEdge e;
        e.ylo = std::min<std::int64_t>(p.y, q.y);
        e.yhi = std::max<std::int64_t>(p.y, q.y);
        e.x1 = p.x;
        e.y1 = p.y;
        e.dx = static_cast<std::int64_t>(q.x) - p.x;
        e.dy = static_cast<std::int64_t>(q.y) - p.y;
        e.dir = q.y > p.y ? 1 : -1;
        edges.push_back(e);
    }
    if (ymax - ymin > kMaxRows)
        return false;
    std::sort(edges.begin(), edges.end(),
              [](const PolygonEdge& a, const PolygonEdge& b) { return a.ylo < b.ylo; });

    std::vector<const PolygonEdge*> active;
    // Each crossing as the first pixel right of it, with the edge's direction.
    // Crossings that share that pixel may come in any order: between them
    // only empty spans can arise.
    std::vector<std::pair<std::int64_t, int>> crossings;
    std::size_t next = 0;
    for (std::int64_t y = ymin; y < ymax; ++y) {
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [y](const PolygonEdge* e) { return e->yhi <= y; }),
                     active.end());
        while (next < edges.size() && edges[next].ylo <= y)
            active.push_back(&edges[next++]);
        crossings.clear();
        for (const PolygonEdge* e : active)
            crossings.emplace_back(FirstPixelRightOf(*e, y), e->dir);
        std::sort(crossings.begin(), crossings.end());

        std::vector<std::int64_t> xs;
        int wind = 0;
        std::int64_t left = 0;
        for (const auto& c : crossings) {
            const bool wasIn = winding ? wind != 0 : (wind & 1) != 0;
            wind += winding ? c.second : 1;
            const bool isIn = winding ? wind != 0 : (wind & 1) != 0;
            if (!wasIn && isIn) {
                left = c.first;
            } else if (wasIn && !isIn) {
                // Pixels whose centres x + 0.5 lie in [left, right).
                const std::int64_t lo = left;
                const std::int64_t hi = c.first;
                if (lo < hi) {
                    if (!xs.empty() && xs.back() >= lo)
                        xs.back() = std::max(xs.back(), hi);
                    else {
                        xs.push_back(lo);
                        xs.push_back(hi);
                    }
                }
            }
        }
        out.Append(y, y + 1, std::move(xs));
    }
    return true;
}

PixelRegion PixelRegion::Combine(const PixelRegion& a, const PixelRegion& b, Op op)
{
    std::vector<std::int64_t> ys;
    ys.reserve(2 * (a.m_bands.size() + b.m_bands.size()));
    for (const Band& band : a.m_bands) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : b.m_bands) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    PixelRegion r;
    std::size_t ka = 0, kb = 0;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const std::int64_t y0 = ys[i];
        const auto& sa = SpansAt(a.m_bands, ka, y0);
        const auto& sb = SpansAt(b.m_bands, kb, y0);
        r.Append(y0, ys[i + 1], CombineSpans(sa, sb, op));
    }
    return r;
}

bool PixelRegion::Contains(std::int64_t x, std::int64_t y) const
{
    auto band = std::upper_bound(m_bands.begin(), m_bands.end(), y,
                                 [](std::int64_t v, const Band& b) { return v < b.bottom; });
    if (band == m_bands.end() || band->top > y)
        return false;
    const auto idx = std::upper_bound(band->xs.begin(), band->xs.end(), x) - band->xs.begin();
    return (idx & 1) != 0;
}

void PixelRegion::Box(std::int64_t box[4]) const
{
    box[0] = box[1] = box[2] = box[3] = 0;
    if (m_bands.empty())
        return;
    box[0] = m_bands.front().xs.front();
    box[2] = m_bands.front().xs.back();
    for (const Band& b : m_bands) {
        box[0] = std::min(box[0], b.xs.front());
        box[2] = std::max(box[2], b.xs.back());
    }
    box[1] = m_bands.front().top;
    box[3] = m_bands.back().bottom;
}

} // namespace detail
} // namespace S2D
