// PolyPolygon::Assemble: regions from loose edges or from lists of rings.

#include <zeltmath/s2d/poly_polygon.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

namespace S2D {

namespace {

constexpr double kInsideTol = 1e-10;

struct IndexEdge {
    unsigned a;
    unsigned b;
};

// The box of a ring, widened so that a point outside it can never pass the
// strict containment test: the tolerance, plus slack for rounding.
struct Box {
    double x0, y0, x1, y1;

    explicit Box(const Polygon& ring)
    {
        x0 = y0 = HUGE_VAL;
        x1 = y1 = -HUGE_VAL;
        for (const Point& p : ring.Points()) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        const double slack = 2 * kInsideTol + 1e-9 * (std::fabs(x0) + std::fabs(x1) + std::fabs(y0) + std::fabs(y1));
        x0 -= slack;
        y0 -= slack;
        x1 += slack;
        y1 += slack;
    }
    // Not certainly outside (NaN is left to the exact test).
    bool MayHold(const Point& p) const { return !(p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1); }
};

bool StrictlyInside(const Polygon& ring, const Box& box, const Point& p)
{
    return box.MayHold(p) && ring.CheckIn(p, 0, kInsideTol, 1);
}

std::uint64_t Key(unsigned a, unsigned b)
{
    if (a > b)
        std::swap(a, b);
    return (static_cast<std::uint64_t>(a) << 32) | b;
}

// Edges listed an even number of times vanish, an odd number leaves the
// last copy: each edge cancels with the next copy in list order.
std::vector<IndexEdge> CancelShared(const std::vector<unsigned>& list)
{
    const std::size_t m = list.size() / 2;
    std::vector<char> keep(m, 1);
    std::unordered_map<std::uint64_t, std::size_t> pending;
    pending.reserve(m);
    for (std::size_t k = 0; k < m; ++k) {
        const auto found = pending.emplace(Key(list[2 * k], list[2 * k + 1]), k);
        if (!found.second) {
            keep[found.first->second] = 0;
            keep[k] = 0;
            pending.erase(found.first);
        }
    }
    std::vector<IndexEdge> edges;
    for (std::size_t k = 0; k < m; ++k)
        if (keep[k])
            edges.push_back(IndexEdge{list[2 * k], list[2 * k + 1]});
    return edges;
}

// Traces the edges into rings; returns the status.
int TraceRings(const std::vector<Point>& points, const std::vector<unsigned>& list, std::vector<Polygon>& rings)
{
    if (list.size() % 2 != 0 || points.size() < 3)
        return PolyPolygon::ASSEMBLE_BAD_INPUT;
    const std::vector<IndexEdge> all = CancelShared(list);

    // Points that no remaining edge uses drop out; an edge naming a point
    // beyond the list is dropped after that, so its other end stays and
    // fails the degree check.
    const std::size_t n = points.size();
    std::vector<char> used(n, 0);
    for (const IndexEdge& e : all) {
        if (e.a < n)
            used[e.a] = 1;
        if (e.b < n)
            used[e.b] = 1;
    }
    std::vector<IndexEdge> edges;
    edges.reserve(all.size());
    for (const IndexEdge& e : all)
        if (e.a < n && e.b < n)
            edges.push_back(e);

    // Every used point needs exactly two edges; each point's edges are kept
    // in list order.  A loop never bounds anything.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<unsigned> degree(n, 0);
    std::vector<std::size_t> adjacent(2 * n, kNone);
    for (std::size_t k = 0; k < edges.size(); ++k) {
        const IndexEdge& e = edges[k];
        if (e.a == e.b)
            return PolyPolygon::ASSEMBLE_BAD_DEGREE;
        for (unsigned p : {e.a, e.b}) {
            if (degree[p] < 2)
                adjacent[2 * p + degree[p]] = k;
            ++degree[p];
        }
    }
    for (std::size_t p = 0; p < n; ++p)
        if (used[p] && degree[p] != 2)
            return PolyPolygon::ASSEMBLE_BAD_DEGREE;

    // Ring starts: the smallest untraced point, the first of equals in list
    // order.  Without NaN the order is a strict weak one and one stable sort
    // serves every ring; with NaN each start is found by a linear scan, as
    // the comparison then only allows.
    std::vector<unsigned> order;
    for (unsigned p = 0; p < n; ++p)
        if (used[p])
            order.push_back(p);
    const bool finite = std::none_of(order.begin(), order.end(), [&](unsigned p) {
        return std::isnan(points[p].x) || std::isnan(points[p].y);
    });
    if (finite)
        std::stable_sort(order.begin(), order.end(),
                         [&](unsigned a, unsigned b) { return points[a].Point::operator<(points[b]); });

    std::vector<char> traced(n, 0);
    std::size_t next = 0;
    for (;;) {
        while (next < order.size() && traced[order[next]])
            ++next;
        if (next == order.size())
            break;
        unsigned start = order[next];
        if (!finite)
            for (std::size_t i = next + 1; i < order.size(); ++i)
                if (!traced[order[i]] && points[order[i]].Point::operator<(points[start]))
                    start = order[i];

        Polygon ring;
        unsigned cur = start;
        std::size_t edge = adjacent[2 * start];
        for (;;) {
            if (edge == kNone || traced[cur])
                return PolyPolygon::ASSEMBLE_TRACE_FAILED;
            ring.Add(points[cur]);
            traced[cur] = 1;
            const unsigned other = edges[edge].a == cur ? edges[edge].b : edges[edge].a;
            if (other == start)
                break;
            const std::size_t* two = &adjacent[2 * other];
            edge = two[0] == edge ? two[1] : two[0];
            cur = other;
        }
        rings.push_back(std::move(ring));
    }
    return PolyPolygon::ASSEMBLE_OK;
}

// Containers first, then outer rings and holes (one level of nesting),
// added to result.
void Classify(std::vector<Polygon> rings, PolyPolygon& result)
{
    std::vector<Box> boxes;
    boxes.reserve(rings.size());
    for (const Polygon& r : rings)
        boxes.emplace_back(r);
    for (std::size_t i = 0; i < rings.size(); ++i)
        for (std::size_t j = i + 1; j < rings.size(); ++j)
            if (StrictlyInside(rings[j], boxes[j], rings[i][0])) {
                std::swap(rings[i], rings[j]);
                std::swap(boxes[i], boxes[j]);
            }

    std::vector<std::size_t> outers;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        const Point& first = rings[i][0];
        const bool hole = std::any_of(outers.begin(), outers.end(), [&](std::size_t k) {
            return StrictlyInside(rings[k], boxes[k], first);
        });
        result.AddPolygon(rings[i], hole ? 1 : 0);
        if (!hole)
            outers.push_back(i);
    }
}

void SetStatus(int* status, int code)
{
    if (status)
        *status = code;
}

} // namespace

// Both builders return the one local object on every path, so that the
// result is built in the caller's storage and handing it over needs no copy
// that could run out of memory after the status has been decided.

PolyPolygon PolyPolygon::Assemble(const std::vector<Point>& points, const std::vector<unsigned>& edges,
                                  std::vector<Polygon>* rings, int* status)
{
    PolyPolygon result;
    int code = ASSEMBLE_OK;
    try {
        std::vector<Polygon> traced;
        code = TraceRings(points, edges, traced);
        if (code == ASSEMBLE_OK) {
            std::vector<Polygon> copy;
            if (rings)
                copy = traced;
            Classify(std::move(traced), result);
            if (rings)
                rings->swap(copy);
        }
    } catch (const std::bad_alloc&) {
        result.Clear();
        code = ASSEMBLE_NO_MEMORY;
    }
    SetStatus(status, code);
    return result;
}

PolyPolygon PolyPolygon::Assemble(const std::vector<Polygon>& polygons, std::vector<Polygon>*, int* status)
{
    PolyPolygon result;
    int code = ASSEMBLE_OK;
    if (polygons.empty()) {
        code = ASSEMBLE_TRACE_FAILED;
    } else {
        try {
            PolyPolygon operand;
            for (const Polygon& p : polygons)
                operand.AddPolygon(p, 0);
            result = PolyPolygon().Clip(PPOLY_UNION, operand);
        } catch (const std::bad_alloc&) {
            result.Clear();
            code = ASSEMBLE_NO_MEMORY;
        }
    }
    SetStatus(status, code);
    return result;
}

} // namespace S2D
