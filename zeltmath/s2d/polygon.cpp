#include <zeltmath/s2d/polygon.h>

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/circle.h>
#include <zeltmath/numeric/detail/tolerance.h>
#include <zeltmath/s2d/detail/ring_geometry.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace S2D {

template class GenericEnumeration<Point, Polygon, unsigned>;
template class GenericSlice<Point, Polygon, unsigned>;

namespace {

// False only when IsBetween(p, a, b, tol) is certainly false, decided
// without its trigonometry: p lies beyond the box of the segment by more than
// tol plus the slack that the segment-parameter tolerance (1e-10 of the
// length) and rounding allow.  Degenerate edges (and NaN) are left to the
// exact test, which treats them by its own rules.
inline bool MayLieOn(const Point& p, const Point& a, const Point& b, double tolAbs)
{
    const double span = std::fabs(b.x - a.x) + std::fabs(b.y - a.y);
    if (!(span > 1e-9))
        return true;
    const double m = tolAbs * (1 + 1e-9) + 1e-9 * span;
    const double dy1 = p.y - a.y, dy2 = p.y - b.y;
    if ((dy1 > m && dy2 > m) || (dy1 < -m && dy2 < -m))
        return false;
    const double dx1 = p.x - a.x, dx2 = p.x - b.x;
    if ((dx1 > m && dx2 > m) || (dx1 < -m && dx2 < -m))
        return false;
    return true;
}

// Whether the ray from p towards +x crosses the edge from `prev` to `cur`,
// with the half-open tolerant test on the heights (a horizontal edge never
// counts, and the division is only reached when the ends differ in height).
inline bool RayCrosses(const Point& p, const Point& cur, const Point& prev, double tolAbs)
{
    using zeltmath::detail::LessBeyond;
    using zeltmath::detail::NonGreaterWithin;
    if (!((NonGreaterWithin(cur.y, p.y, tolAbs) && LessBeyond(p.y, prev.y, tolAbs)) ||
          (NonGreaterWithin(prev.y, p.y, tolAbs) && LessBeyond(p.y, cur.y, tolAbs))))
        return false;
    return LessBeyond(p.x, (p.y - cur.y) * (prev.x - cur.x) / (prev.y - cur.y) + cur.x, tolAbs);
}

} // namespace

unsigned char detail::CheckInRing(const Point* v, std::size_t n, const Point& p, unsigned char onBorder,
                                  double tol, unsigned char checkBorder)
{
    // The border test and the crossing count visit the same edges; they run in
    // one pass, and a point found on the border answers at once, as it would
    // after a separate border pass.
    const double tolAbs = std::fabs(tol);
    bool inside = false;
    if (checkBorder) {
        const Point* prev = &v[n - 1];
        for (std::size_t i = 0; i < n; ++i) {
            const Point& cur = v[i];
            const double dy1 = p.y - prev->y, dy2 = p.y - cur.y;
            const bool above = dy1 > tolAbs && dy2 > tolAbs;
            const bool below = dy1 < -tolAbs && dy2 < -tolAbs;
            if (above || below) {
                // Beyond both ends in height by more than tol: the ray misses
                // the edge, and the border test can only reach it within its
                // slack (or when the edge is degenerate).
                const double gap = above ? std::min(dy1, dy2) : -std::max(dy1, dy2);
                const double span = std::fabs(cur.x - prev->x) + std::fabs(cur.y - prev->y);
                if (!(span > 1e-9 && gap > tolAbs * (1 + 1e-9) + 1e-9 * span) &&
                    MayLieOn(p, *prev, cur, tolAbs) && IsBetween(p, *prev, cur, tol) != 0.0)
                    return onBorder;
            } else {
                if (MayLieOn(p, *prev, cur, tolAbs) && IsBetween(p, *prev, cur, tol) != 0.0)
                    return onBorder;
                if (RayCrosses(p, cur, *prev, tolAbs))
                    inside = !inside;
            }
            prev = &cur;
        }
    } else {
        const Point* prev = &v[n - 1];
        for (std::size_t i = 0; i < n; ++i) {
            if (RayCrosses(p, v[i], *prev, tolAbs))
                inside = !inside;
            prev = &v[i];
        }
    }
    return inside ? 1 : 0;
}

Polygon::~Polygon() = default;

Polygon& Polygon::operator=(const Polygon& other)
{
    if (this != &other)
        Polyline::operator=(other);
    return *this;
}

unsigned Polygon::EdgeCount() const
{
    return Size();
}

unsigned char Polygon::IsSelfCrossed(unsigned* first, unsigned* second, unsigned* flags) const
{
    unsigned i = 0, j = 0, layout = 0;
    if (!Polyline::IsSelfCrossed(&i, &j, &layout))
        return 0;
    if (first)
        *first = i;
    if (second)
        *second = j;
    if (flags)
        *flags = layout;
    // Edge 0 and the closing edge share vertex 0; the walk looks at that pair
    // last, so when it is the one found nothing else crossed.
    if (i == 0 && j + 1 == EdgeCount() && (layout & (LAYOUT_APART | LAYOUT_TOUCH)) != 0)
        return 0;
    return 1;
}

unsigned char Polygon::CheckIn(const Point& p, unsigned char onBorder, double tol,
                               unsigned char checkBorder) const
{
    const std::size_t n = points_.size();
    if (n == 0)
        return 0;
    if (n == 1)
        return (checkBorder && p.IsEqual(points_[0], tol)) ? onBorder : 0;
    if (n == 2)
        return (checkBorder && IsBetween(p, points_[0], points_[1], tol) != 0.0) ? onBorder : 0;

    return detail::CheckInRing(points_.data(), n, p, onBorder, tol, checkBorder);
}

unsigned char Polygon::CheckIn(const Polyline& pl, unsigned char onBorder, double tol,
                               unsigned char checkBorder) const
{
    for (unsigned i = 0; i < pl.Size(); ++i)
        if (!CheckIn(pl[i], onBorder, tol, checkBorder))
            return 0;
    return 1;
}

unsigned char Polygon::CheckIn(const Circle& c, unsigned char onBorder, double tol) const
{
    const Point& centre = c;
    if (!CheckIn(centre, 0, tol, 1))
        return 0;
    const double r = c.Radius();
    const unsigned n = EdgeCount();
    for (unsigned i = 0; i < n; ++i) {
        const double d = EdgeAt(i).GetDistance(centre, nullptr);
        if (IsZero(d - r, tol)) {
            if (!onBorder)
                return 0;
        } else if (IsLess(d, r, tol)) {
            // The edge passes nearer to the centre than the radius: the circle
            // reaches out of the polygon.
            return 0;
        }
    }
    return 1;
}

std::vector<unsigned> Polygon::CheckPointsIn(const Polygon& other, unsigned char onBorder, double tol,
                                             unsigned char checkBorder) const
{
    std::vector<unsigned> result;
    for (unsigned i = 0; i < Size(); ++i)
        if (other.CheckIn(points_[i], onBorder, tol, checkBorder))
            result.push_back(i);
    return result;
}

unsigned char Polygon::IsCrossed(const Polyline& pl, unsigned char touching, double tol) const
{
    bool someInside = false, someOutside = false;
    for (unsigned i = 0; i < pl.Size(); ++i) {
        if (!someInside && CheckIn(pl[i], 0, tol, 1))
            someInside = true;
        if (!someOutside && !CheckIn(pl[i], 1, tol, 1))
            someOutside = true;
        if (someInside && someOutside)
            return 1;
    }

    if (touching) {
        for (unsigned i = 0; i < pl.Size(); ++i)
            if (CheckPtNearEdge(pl[i], tol, nullptr))
                return 1;
        for (unsigned i = 0; i < Size(); ++i)
            if (pl.CheckPtNearEdge(points_[i], tol, nullptr))
                return 1;
    }

    const unsigned n = EdgeCount();
    const unsigned m = pl.EdgeCount();
    for (unsigned i = 0; i < n; ++i) {
        const Edge ei = EdgeAt(i);
        for (unsigned j = 0; j < m; ++j) {
            const Edge ej = pl.EdgeAt(j);
            double t1 = 0, t2 = 0;
            const unsigned layout = ei.CalcLayout(ej, &t1, &t2);
            if (layout & LAYOUT_PARALLEL)
                continue;
            if (layout & LAYOUT_TOUCH) {
                // An end of one edge lies on the other: the pair counts when
                // the edge of pl runs into the inside.
                if (CheckIn(ej.GetPoint(0.5), 0, tol, 1))
                    return 1;
                continue;
            }
            if (layout & LAYOUT_CROSS)
                return 1;
        }
    }
    return 0;
}

Polygon& Polygon::operator>>=(int k)
{
    const long long n = static_cast<long long>(points_.size());
    if (n == 0)
        return *this;
    long long shift = static_cast<long long>(k) % n;
    if (shift < 0)
        shift += n;
    if (shift != 0)
        std::rotate(points_.begin(), points_.begin() + shift, points_.end());
    return *this;
}

Polygon& Polygon::operator<<=(int k)
{
    const long long n = static_cast<long long>(points_.size());
    if (n == 0)
        return *this;
    // n - k, passed as it is whenever it fits an int; only beyond that range
    // (k near INT_MIN, or a huge ring) is it brought back by a multiple of n,
    // which rotates the same way.
    long long shift = n - static_cast<long long>(k);
    if (shift > INT_MAX || shift < INT_MIN)
        shift %= n;
    return *this >>= static_cast<int>(shift);
}

double Polygon::Area() const
{
    return std::fabs(detail::SignedDoubledArea(points_.data(), points_.size())) / 2;
}

unsigned char Polygon::IsClockwise() const
{
    return detail::SignedDoubledArea(points_.data(), points_.size()) < 0 ? 1 : 0;
}

Point Polygon::MassCenter()
{
    double sx = 0, sy = 0;
    const double s = detail::SignedDoubledArea(points_.data(), points_.size(),
                                               [&sx, &sy](const Point& a, const Point& b, double c) {
                                                   sx += (a.x + b.x) * c;
                                                   sy += (a.y + b.y) * c;
                                               });
    return Point(sx, sy) / (3.0 * s);
}

PolygonVertices Polygon::operator[](const std::vector<unsigned>& indices) const
{
    return PolygonVertices(this, indices);
}

PolygonVertexSlice Polygon::operator[](const std::vector<unsigned>& indices)
{
    return PolygonVertexSlice(this, indices);
}

bool PolygonOrderComparer::operator()(unsigned a, unsigned b) const
{
    const std::vector<Polygon>& polygons = *polygons_;
    return polygons[b].CheckIn(polygons[a], 0, 1e-10, 0) == 1;
}

} // namespace S2D
