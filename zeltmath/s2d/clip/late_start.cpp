// The late start (see late_start.h) and the proof it rests on.
//
// Let y0 be the start height, the low edges those of the bounds starting
// below y0 up to the one that reaches y0, and c a point above them.  Seen
// from c, a point p below it has t(p) = (p.x - c.x) / (c.y - p.y); on a line
// at height y < c.y, x is c.x + (c.y - y) t, so at any one height the order
// in x is the order in t, and the t of the points of a side below c lie
// between those of its ends.  The low edges are required to be sides of one
// run along the ring, below c, along which t grows (or falls) at every step
// by at least tau; so two of them that share no vertex lie apart in t by at
// least the step of a side between them.
// Hence, at any height y < y0 at which both run:
//   - two low edges that share no vertex lie apart in x by at least
//     (c.y - y0) tau, which is required to exceed the bundle tolerance and
//     the x allowances of both (XAllowance) many times over: their computed
//     x keep their order, and they never form a bundle;
//   - two low edges that start at one vertex (a local minimum) are placed
//     in the order of their slopes, which is their order in t above it, and
//     their computed x at the same height keep that order up to the lower
//     of their tops, since rounding keeps the order of the products with
//     the same height difference; at that top it is checked, with margin.
//     Their slopes are required to differ by more than the bundle
//     tolerance;
//   - two low edges that end at one vertex m (a local maximum) may swap in
//     the computed x just below m; when m is below y0 both leave there, and
//     the swaps, which change nothing outside the two and make no output,
//     are gone by y0.  When m is at or above y0, their distance at the last
//     height they meet below it is required to exceed their allowances.
//     Their slopes, too, are required to differ by more than the bundle
//     tolerance.
// So no beam below y0 finds a crossing that lasts or forms a bundle, no
// edge there contributes (the other operand is outside everywhere), and
// the list the sweep holds at y0 is the edges that reach it, ordered by
// their x there and, where equal, by t; each with its own flag below, no
// fragment, its x there as the beams would have moved it, and its bundle
// sides set anew by the first classification.

#include <zeltmath/s2d/clip/detail/late_start.h>

#include <zeltmath/s2d/clip/detail/turn.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Whether the `sides` sides of the ring (n kept vertices) from vertex
// `first` on are all below c and each turns the same way, as seen from c,
// by a certain turn; tau is lowered to their least step in t, or less.
// (The step along the side from a to b is |cross| over the product of their
// depths below c; the least |cross|, made smaller by its rounding, over the
// square of the greatest depth bounds them all.)
bool Monotone(const Vertex* ring, int n, int first, int sides, const Vertex& c, double& tau)
{
    if (!(ring[first].y < c.y))
        return false;
    int sense = 0;
    double least = std::numeric_limits<double>::infinity();
    double low = ring[first].y;
    for (int k = first, i = 0; i < sides; ++i) {
        const int next = k + 1 == n ? 0 : k + 1;
        if (!(ring[next].y < c.y))
            return false;
        const Turn t = TurnAt(c, ring[k], ring[next]);
        const int s = SignOf(t);
        if (s == 0 || (sense != 0 && s != sense))
            return false;
        sense = s;
        least = std::min(least, std::fabs(t.cross));
        low = std::min(low, ring[next].y);
        k = next;
    }
    tau = std::min(tau, least * (1 - 1e-6) / ((c.y - low) * (c.y - low)));
    return true;
}

inline double TOf(const Vertex& c, const Vertex& p)
{
    return (p.x - c.x) / (c.y - p.y);
}

// An edge that reaches y0: kept vertices bot and top (top at or above y0)
// of `bound`, with its x at y0 and its t midpoint for the order.
struct Reach {
    const BoundStart* bound;
    int bot;
    int top;
    double x;
    double t;
};

// Two low edges ending at a local maximum at or above y0, left then right.
struct Peak {
    int left;
    int top;
    int right;
};

} // namespace

bool StartLate(SweepInput& in, const std::vector<BoundStart>& starts, const PendingBound* low, std::size_t count)
{
    if (count == 0)
        return false;
    const double y0 = in.late.height;
    const Vertex c = in.late.centre;
    const Vertex* ring = starts[low[0].seq].ring;
    const int n = starts[low[0].seq].count;
    for (std::size_t i = 1; i < count; ++i)
        if (starts[low[i].seq].ring != ring)
            return false;
    if (n < 3)
        return false;

    std::vector<Reach> reach;
    std::vector<Peak> peaks;
    double yLast = -std::numeric_limits<double>::infinity();   // the last beam height below y0
    double allowance = 0;                                      // the greatest of the low edges
    double tau = std::numeric_limits<double>::infinity();
    // A vertex not below c, which no run below c takes in: the low edges'
    // run is counted from it, at place (k - origin) mod n for vertex k.
    // Mostly the vertex half a ring from a low bound's bottom is one.
    int origin = (starts[low[0].seq].from + n / 2) % n;
    for (int k = 0; ring[origin].y < c.y; ++k) {
        if (k == n)
            return false;
        origin = origin + 1 == n ? 0 : origin + 1;
    }
    int runFrom = n, runTo = -1;
    const auto place = [&](int k) {
        const int at = k >= origin ? k - origin : k - origin + n;
        runFrom = std::min(runFrom, at);
        runTo = std::max(runTo, at);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const BoundStart& b = starts[low[i].seq];
        const int s = b.step;
        int bot = b.from;
        const Vertex& v = ring[bot];
        // A local minimum whose sides both rise; the other bound starts
        // there too.  Its pair is checked from the forward bound.
        const int other = Step(bot, -s, n);
        if (!(ring[other].y > v.y))
            return false;
        if (s == 1) {
            const Vertex& p = ring[Step(bot, 1, n)];
            const Vertex& q = ring[other];
            const double dp = Slope(v, p), dq = Slope(v, q);
            if (!(std::fabs(dp - dq) > kCoincident))
                return false;
            const bool pLeft = dp < dq;
            const Vertex& lt = pLeft ? p : q;
            const Vertex& rt = pLeft ? q : p;
            const double h = std::min(p.y, q.y);
            const double margin = 2 * (XAllowance(v, p) + XAllowance(v, q));
            if (!(XAbove(v, lt, pLeft ? dp : dq, h) + margin < XAbove(v, rt, pLeft ? dq : dp, h)))
                return false;
        }
        for (;;) {
            const int top = Step(bot, s, n);
            const Vertex& B = ring[bot];
            const Vertex& T = ring[top];
            if (!(T.y < c.y))
                return false;
            allowance = std::max(allowance, XAllowance(B, T));
            yLast = std::max(yLast, B.y);
            place(bot);
            place(top);
            const int after = Step(top, s, n);
            const Vertex& A = ring[after];
            if (T.y >= y0) {
                const double dx = Slope(B, T);
                reach.push_back({&b, bot, top, XAbove(B, T, dx, y0), TOf(c, B) + TOf(c, T)});
                // The other side of a local maximum, from below y0 too.
                if (s == 1 && A.y < T.y && A.y < y0) {
                    const bool leftHere = dx > Slope(A, T);
                    peaks.push_back({leftHere ? bot : after, top, leftHere ? after : bot});
                }
                break;
            }
            yLast = std::max(yLast, T.y);
            if (A.y > T.y) {
                bot = top;
                continue;
            }
            // A local maximum below y0, checked from the forward bound.
            if (!(A.y < T.y))
                return false;
            if (s == 1 && !(std::fabs(Slope(B, T) - Slope(A, T)) > kCoincident))
                return false;
            break;
        }
    }
    // The run of the ring from the first vertex of a low edge to the last.
    if (reach.empty() || !Monotone(ring, n, (origin + runFrom) % n, runTo - runFrom, c, tau))
        return false;
    if (in.heights) {
        const std::vector<double>& h = *in.heights;
        const auto below = std::lower_bound(h.begin(), h.end(), y0);
        if (below != h.begin())
            yLast = std::max(yLast, *(below - 1));
    }
    if (!((c.y - y0) * tau > kCoincident + 8 * allowance))
        return false;
    for (const Peak& p : peaks) {
        const Vertex& m = ring[p.top];
        const double dl = Slope(ring[p.left], m), dr = Slope(ring[p.right], m);
        const double closing = dl - dr;
        if (!(closing > kCoincident))
            return false;
        const double rise = m.y > y0 ? m.y - y0 : y0 - yLast;
        if (!(rise * closing > 4 * (XAllowance(ring[p.left], m) + XAllowance(ring[p.right], m))))
            return false;
    }
    std::sort(reach.begin(), reach.end(), [](const Reach& a, const Reach& b) {
        return a.x < b.x || (a.x == b.x && a.t < b.t);
    });
    // Every edge reaching y0 is made, in the slot and state in which the
    // sweep would hold it there: its bound's first edge moved up to the
    // side that reaches y0, or the one after it where that side ends at y0
    // and the bound goes on.
    in.startEdges.clear();
    in.startEdges.reserve(reach.size());
    for (const Reach& r : reach) {
        Edge* e = in.FirstEdge(*r.bound);
        if (r.bot != r.bound->from)
            SetSpan(in, *e, r.bot, r.top);
        if (e->top.y == y0) {
            const int to = NextTop(*e);
            if (to >= 0)
                SetSpan(in, *e, e->topAt, to);
        }
        e->xb = XAt(e, y0);
        e->bundle[kBelow][e->type] = 1;
        in.startEdges.push_back(e);
    }
    return true;
}

} // namespace detail
} // namespace clip
} // namespace S2D
