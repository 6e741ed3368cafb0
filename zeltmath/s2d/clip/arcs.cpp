// The arcs left out of an intersection (see arcs.h), and the proof that the
// result keeps every bit.
//
// Let R be the one ring of one operand in the run and Y the rings of the
// other; need is four times SweepInput::xRoom, the bundle tolerance and the
// x allowances of two edges (XAllowance), many times over.  Let c be the
// centre of R's box.  Required, for an arc on the left of Y (the right side
// mirrors it):
//   (a) R turns one way around c: every side's turn seen from c is certain
//       and of one sign, R crosses the line through c at c's height twice
//       (one turn), and no side is horizontal.  So the angle seen from c
//       grows strictly along R, and every ray from c meets R once;
//   (b) the arc P = v_p, ..., Q = v_q, consecutive vertices, at least one
//       between P and Q.  R passes through P and through Q (its neighbours
//       lie strictly below and above it), both rising or both falling, and Q
//       lies that way from P;
//   (c) every side of the arc, and the side PQ, lies left of every side of
//       Y by more than need at every height they share: its greatest x is
//       below the least x of the sides of Y that reach the bands of heights
//       it spans (an Envelope of Y), by more than need;
//   (d) with s the least sine of the steps of angle from P and from Q to
//       their neighbours, and rho no more than the distance from c of any
//       point of the arc or of PQ, rho s > 2 need.
// R' is R with v_(p+1), ..., v_(q-1) left out, so that the side PQ takes the
// arc's place, and the run of R' has the heights of those vertices as
// further heights of beams.  Call D the sides of the arc, K the side PQ, and
// E every other edge (of R or Y), which both runs share.
//   1. The beams are the same: the heights left out are still heights.
//   2. The bounds are the same but where one passes through P or Q: R and R'
//      have the same local minima outside the arc (P and Q are none), and
//      each bound starting there has the same first edge and key.  Where a
//      bound passes through P (or Q), K takes the place of the side of the
//      arc there, in the slot of the edge it follows.
//   3. At every height D and K lie left of Y by more than need (c).  Seen
//      from c, D and K lie in the wedge of angles from P to Q, and the sides
//      of E of R outside it, those at P and Q sharing its edges.  On a line
//      at height y the angle falls (or grows) with x.  Take a point p of D or
//      K and a point q of E on it, apart in angle by at least the least
//      step of (d), h = y - c.y.  If that angle is at most a right one,
//          |p.x - q.x| = |p - c| |q - c| sin(angle) / |h| >= |p - c| s,
//      as |q - c| >= |h|.  If it is more, p and q lie on either side of c,
//      and |p.x - q.x| >= |p - c|; and for h = 0 they lie on the two rays
//      of the line through c.  So their distance exceeds rho s > 2 need.
//      The two pairs that share a vertex (the sides of E and of D or K at P,
//      and at Q) are never in the list together: R passes through P, so one
//      of them ends at P's height where the other starts, and is handed
//      over to it.  So the computed x of E keep their order against D and K
//      at every beam, no bundle forms between them, no crossing is found
//      between them, and a bound placed by its x goes to the same side of
//      them.
//   4. So at every beam both runs hold the same list of E, with the edges
//      of D at that height (a run of neighbours) or K (when it spans the
//      beam) in the same gap between two of them, as the sweep keeps its
//      list in x order up to rounding.
//   5. What D and K pass on: they lie where Y has no edge on their left (on
//      the right of Y, where its edges on their left come in pairs), so Y's
//      parity there is 0 and its horizontal state none, and none of them
//      contributes, nor does a crossing among D (the intersection needs Y
//      inside); the previous x and the current fragment pass through them
//      unchanged.  What passes on is R's parity and horizontal state.  An
//      edge's flag above is 1 when its bottom is at or below the beam and
//      its top above (bundles move flags but keep their sum), and along the
//      arc these sum, modulo 2, to [P.y <= yb] + [Q.y <= yb], which is K's
//      flag.  No side of the arc is horizontal, and the two sides that start
//      (or end) at a vertex of the arc are neighbours in the list, as no
//      side lies between them in angle: the first opens the horizontal
//      state and the second closes it.  K passes through P and Q, with its
//      flags below and above, and leaves the state as it is.
//   6. Crossings among D (the two sides of a local maximum of the arc, just
//      below it) change only D and make no output.  But the sweep takes a
//      crossing whose edges are not side by side after a later one that is
//      (HandleCrossings), and that later one could be such a crossing.  The
//      crossings of edges not side by side are the same in both runs (those
//      among D are between neighbours), so the run that left arcs out tells
//      when there is one (SweepInput::unevenCrossing), and the run is then
//      made again with the whole rings.

#include <zeltmath/s2d/clip/detail/arcs.h>

#include <zeltmath/s2d/clip/detail/bucket_sort.h>
#include <zeltmath/s2d/clip/detail/turn.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// The one ring of a set that takes part in the run, or -1.
int OnlyRing(const std::vector<char>& ignore)
{
    int only = -1;
    for (std::size_t c = 0; c < ignore.size(); ++c)
        if (!ignore[c]) {
            if (only >= 0)
                return -1;
            only = static_cast<int>(c);
        }
    return only;
}

// Whether leaving arcs of ring r out may pay.  The sweep still has a beam at
// every height left out, and saves only the walks over the arc's edges, so
// it pays where the ring zigzags up and down, many of its sides at each
// height, and not where it runs on smoothly, one side per height, which
// leaving out costs more than it saves.  Measured on a sample: the rise and
// fall of 64 runs of 8 sides, spread over the ring, against their net rise.
bool Zigzags(RingView r)
{
    constexpr std::size_t kRuns = 64, kSides = 8;
    const std::size_t n = r.size();
    double travel = 0, net = 0;
    for (std::size_t k = 0; k < kRuns; ++k) {
        const std::size_t from = k * n / kRuns;
        std::size_t i = from;
        for (std::size_t j = 0; j < kSides; ++j) {
            const std::size_t next = i + 1 == n ? 0 : i + 1;
            travel += std::fabs(r[next].y - r[i].y);
            i = next;
        }
        net += std::fabs(r[i].y - r[from].y);
    }
    return travel > 1.5 * net;
}

// Condition (a): the sign of the turns of ring r around c, or 0 when r does
// not turn one way around it once.  Without a branch per side, which the
// signs of a noisy ring would make hard to predict: every turn is certain
// and positive when the least of cross - kCertain * scale is above 0, and
// negative when the greatest of cross + kCertain * scale is below 0 (see
// SignOf).  (a.y - c.y >= 0 just when a.y >= c.y: the difference of two
// numbers is zero only when they are equal.)
int Around(RingView r, const Vertex& c)
{
    const std::size_t n = r.size();
    if (n < 3)
        return 0;
    const Vertex* v = r.data();
    double ax = v[n - 1].x - c.x, ay = v[n - 1].y - c.y, py = v[n - 1].y;
    bool above = ay >= 0;
    double least = std::numeric_limits<double>::infinity(), greatest = -least;
    std::size_t crossings = 0;
    bool flat = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double bx = v[i].x - c.x, by = v[i].y - c.y;
        const Turn t = TurnOf(ax, ay, bx, by);
        least = std::min(least, t.cross - kCertain * t.scale);
        greatest = std::max(greatest, t.cross + kCertain * t.scale);
        flat = flat | (v[i].y == py);
        const bool nowAbove = by >= 0;
        crossings += above != nowAbove;
        above = nowAbove;
        ax = bx;
        ay = by;
        py = v[i].y;
    }
    if (flat || crossings != 2)
        return 0;
    return least > 0 ? 1 : greatest < 0 ? -1 : 0;
}

// The extent in x of Y over bands of heights: for each band k, the least
// and the greatest x of Y's vertices in bands k - 1 to k + 1, and of the
// ends of the sides that pass through one of those bands (from a band below
// it to one above it).  Every point of Y at a height of band k lies between
// them: it lies on a side from band ka to band kb, ka <= k <= kb; if they
// are at most one apart, both ends lie in bands k - 1 to k + 1, and else
// the side passes through k, or through k + 1 (when ka = k) or k - 1 (when
// kb = k).  Heights beyond Y's fall into its first or last band, which only
// asks more of what lies there.
class Envelope {
public:
    // Over the rings of `set` not flagged in `ignore`, within `box`.
    Envelope(const ContourSet& set, const std::vector<char>& ignore, const Box& box)
        : left_(box.xmin), right_(box.xmax)
    {
        std::size_t sides = 0;
        for (int c = 0; c < set.Count(); ++c)
            if (!ignore[static_cast<std::size_t>(c)])
                sides += set.Ring(c).size();
        // Some 64 vertices a band, and at most kMostBands: finer bands cost
        // more to fill and to look up than they let the arcs reach.
        bands_ = static_cast<int>(std::min<std::size_t>(kMostBands, std::max<std::size_t>(1, sides / 64)));
        last_ = bands_ - 1;
        lo_ = box.ymin;
        scale_ = box.ymax > box.ymin ? bands_ / (box.ymax - box.ymin) : 0;
        if (!(scale_ <= DBL_MAX))
            scale_ = 0;
        if (!Fill(set, ignore, 8 * sides + 1)) {
            // Long sides through many bands: one band, Y's box.
            bands_ = 1;
            last_ = 0;
            scale_ = 0;
            Fill(set, ignore, 8 * sides + 1);
        }
    }

    // The band of height y: never decreasing as y grows.
    int Band(double y) const
    {
        return static_cast<int>(std::min(std::max((y - lo_) * scale_, 0.0), last_));
    }

    // Whether the points from x `left` to `right` at the heights from
    // `low` to `high` lie beyond Y by more than `need`: left of it when
    // `way` is -1, right of it when 1.
    bool Beyond(int way, double left, double right, double low, double high, double need) const
    {
        for (int k = Band(low), last = Band(high); k <= last; ++k)
            if (!BeyondBands(way, left, right, k, k, need))
                return false;
        return true;
    }

    // The same at the heights of bands lo and hi (one band, or two side by
    // side).
    bool BeyondBands(int way, double left, double right, int lo, int hi, double need) const
    {
        const std::size_t a = static_cast<std::size_t>(lo), b = static_cast<std::size_t>(hi);
        return way < 0 ? right < std::min(least_[a], least_[b]) - need
                       : left > std::max(greatest_[a], greatest_[b]) + need;
    }

    // The same for the side from a to b, within each band it spans.
    bool SideBeyond(int way, const Vertex& a, const Vertex& b, double need) const
    {
        // Beyond all of Y, as most sides beyond it are.
        if (way < 0 ? std::max(a.x, b.x) < left_ - need : std::min(a.x, b.x) > right_ + need)
            return true;
        const Vertex& low = a.y < b.y ? a : b;
        const Vertex& high = a.y < b.y ? b : a;
        if (Beyond(way, std::min(a.x, b.x), std::max(a.x, b.x), low.y, high.y, need))
            return true;
        const int first = Band(low.y), last = Band(high.y);
        if (first == last)
            return false;
        // Piece by piece, one a band, between its x at the piece's ends.
        const double dx = (high.x - low.x) / (high.y - low.y);
        double x = low.x, from = low.y;
        for (int k = first; k <= last; ++k) {
            const double top = k == last ? high.y : lo_ + (k + 1) / scale_;
            const double xt = k == last ? high.x : low.x + dx * (top - low.y);
            // The x at the piece's ends, widened by their rounding (that of
            // the slope's too, over at most the side's whole rise).
            const double slack = 4 * DBL_EPSILON * (std::fabs(x) + std::fabs(xt) + std::fabs(low.x) + std::fabs(high.x));
            if (!Beyond(way, std::min(x, xt) - slack, std::max(x, xt) + slack, from, top, need))
                return false;
            x = xt;
            from = top;
        }
        return true;
    }

private:
    static constexpr std::size_t kMostBands = 512;

    // Fills the bands; false when the sides pass through more than `most`
    // bands in all.
    bool Fill(const ContourSet& set, const std::vector<char>& ignore, std::size_t most)
    {
        std::vector<double> least(static_cast<std::size_t>(bands_), std::numeric_limits<double>::infinity());
        std::vector<double> greatest(static_cast<std::size_t>(bands_), -std::numeric_limits<double>::infinity());
        std::size_t through = 0;
        for (int c = 0; c < set.Count(); ++c) {
            if (ignore[static_cast<std::size_t>(c)])
                continue;
            const RingView r = set.Ring(c);
            if (r.empty())
                continue;
            int ka = Band(r[r.size() - 1].y);
            for (std::size_t i = 0; i < r.size(); ++i) {
                const Vertex& a = r[i == 0 ? r.size() - 1 : i - 1];
                const Vertex& b = r[i];
                const int kb = Band(b.y);
                const std::size_t k = static_cast<std::size_t>(kb);
                least[k] = std::min(least[k], b.x);
                greatest[k] = std::max(greatest[k], b.x);
                const int from = std::min(ka, kb) + 1, to = std::max(ka, kb) - 1;
                if (from <= to) {
                    through += static_cast<std::size_t>(to - from + 1);
                    if (through > most)
                        return false;
                    for (int j = from; j <= to; ++j) {
                        least[static_cast<std::size_t>(j)] = std::min(least[static_cast<std::size_t>(j)], std::min(a.x, b.x));
                        greatest[static_cast<std::size_t>(j)] = std::max(greatest[static_cast<std::size_t>(j)], std::max(a.x, b.x));
                    }
                }
                ka = kb;
            }
        }
        least_.resize(least.size());
        greatest_.resize(greatest.size());
        for (std::size_t k = 0; k < least.size(); ++k) {
            const std::size_t below = k == 0 ? 0 : k - 1, above = k + 1 == least.size() ? k : k + 1;
            least_[k] = std::min(std::min(least[below], least[k]), least[above]);
            greatest_[k] = std::max(std::max(greatest[below], greatest[k]), greatest[above]);
        }
        return true;
    }

    double left_, right_;   // the least and greatest x of Y
    double lo_ = 0;
    double scale_ = 0;
    int bands_ = 1;
    double last_ = 0;   // the last band, as a number
    std::vector<double> least_, greatest_;
};

// Vertex i of ring r (n vertices) and its neighbours.
struct Around3 {
    const Vertex& before;
    const Vertex& at;
    const Vertex& after;
};

inline Around3 At(const Vertex* r, std::size_t n, std::size_t i)
{
    return {r[i == 0 ? n - 1 : i - 1], r[i], r[i + 1 == n ? 0 : i + 1]};
}

// Condition (b) at a vertex: 1 when the ring rises through it, -1 when it
// falls through it, else 0.
int Through(const Around3& v)
{
    if (v.before.y < v.at.y && v.at.y < v.after.y)
        return 1;
    if (v.before.y > v.at.y && v.at.y > v.after.y)
        return -1;
    return 0;
}

inline double Distance(const Vertex& p, const Vertex& c)
{
    return std::hypot(p.x - c.x, p.y - c.y);
}

// The lesser sine of the steps of angle, seen from c, from a vertex to its
// neighbours (d): |cross| over the two distances from c.  The cross product
// is certain to within a millionth (kCertain), and the rest is rounded down
// with room.
double Steps(const Around3& v, const Vertex& c)
{
    const auto sine = [&c](const Vertex& a, const Vertex& b) {
        return std::fabs(TurnAt(c, a, b).cross) * (1 - 1e-5) / (Distance(a, c) * Distance(b, c) * (1 + 1e-9));
    };
    return std::min(sine(v.before, v.at), sine(v.at, v.after));
}

// No more than the distance from c of any point of the side from p to q:
// from the foot of c on it, rounded down with room.
double SideDistance(const Vertex& p, const Vertex& q, const Vertex& c)
{
    const double ux = q.x - p.x, uy = q.y - p.y;
    const double t = std::clamp(((c.x - p.x) * ux + (c.y - p.y) * uy) / (ux * ux + uy * uy), 0.0, 1.0);
    const double rounding = 4 * DBL_EPSILON
                            * (std::fabs(p.x) + std::fabs(q.x) + std::fabs(p.y) + std::fabs(q.y) + std::fabs(c.x)
                               + std::fabs(c.y));
    return std::hypot(p.x + t * ux - c.x, p.y + t * uy - c.y) * (1 - 1e-9) - rounding;
}

// An arc found: P, Q, and the first vertex left out and how many.
struct Arc {
    std::size_t p;
    std::size_t q;
    std::size_t first;
    std::size_t count;
};

// Halvings of a run whose arc fails, down to runs of this many vertices.
constexpr std::size_t kShortestRun = 16;

// The arcs of a run of `len` vertices of ring r from vertex `first` on
// (cyclic, in ring order), whose sides all lie beyond Y, but for the turn
// of the side PQ.  The ring rises or falls through P and Q the way it goes
// from the run's first vertex to its last: P is the first vertex of the run
// that meets (b) so, Q the last that meets it with P; then PQ must lie
// beyond Y (c), and rho, no more than the least distance of a vertex of the
// arc from c less half its longest side, or that of PQ, meet (d).  When
// they fail, as when the run bends round Y and PQ cuts across it, each half
// of the run (sharing the vertex between them, which neither leaves out) is
// tried in turn.
void ArcsOfRun(const Vertex* r, std::size_t n, std::size_t first, std::size_t len, const Vertex& c,
               const Envelope& y, int side, double need, std::vector<Arc>& out)
{
    const auto at = [&](std::size_t k) { return first + k < n ? first + k : first + k - n; };
    const auto halves = [&] {
        if (len < 2 * kShortestRun)
            return;
        const std::size_t half = len / 2;
        ArcsOfRun(r, n, first, half + 1, c, y, side, need, out);
        ArcsOfRun(r, n, at(half), len - half, c, y, side, need, out);
    };
    const double rise = r[at(len - 1)].y - r[first].y;
    const int way = rise > 0 ? 1 : rise < 0 ? -1 : 0;
    if (way == 0)
        return halves();
    std::size_t p = 0;
    while (p + 2 < len && Through(At(r, n, at(p))) != way)
        ++p;
    if (p + 2 >= len)
        return halves();
    const Vertex& P = r[at(p)];
    std::size_t q = len - 1;
    for (; q >= p + 2; --q) {
        const Around3 v = At(r, n, at(q));
        if (Through(v) == way && (v.at.y - P.y) * way > 0)
            break;
    }
    if (q < p + 2)
        return halves();
    const Vertex& Q = r[at(q)];
    if (!y.SideBeyond(side, P, Q, need))
        return halves();
    const auto squared = [](const Vertex& a, const Vertex& b) {
        return (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
    };
    double nearest = squared(Q, c), longest = 0;
    for (std::size_t k = p; k < q; ++k) {
        const Vertex& a = r[at(k)];
        nearest = std::min(nearest, squared(a, c));
        longest = std::max(longest, squared(a, r[at(k + 1)]));
    }
    const double rho = std::min(std::sqrt(nearest) * (1 - 1e-9) - std::sqrt(longest) * (0.5 + 1e-9),
                                SideDistance(P, Q, c));
    const double s = std::min(Steps(At(r, n, at(p)), c), Steps(At(r, n, at(q)), c));
    if (!(rho * s > 2 * need))
        return halves();
    out.push_back({at(p), at(q), at(p + 1), q - p - 1});
}

// Which sides of ring r lie beyond Y (c): bit 0 on the left of it, bit 1
// on the right.  A side at heights where Y has nothing is beyond it on both
// sides, and is taken on the left only, so that no two arcs share a side.
// A side within two bands, as most are, is tested without a branch.
void SidesBeyond(RingView r, const Envelope& y, double need, std::vector<unsigned char>& beyond)
{
    const std::size_t n = r.size();
    beyond.resize(n);
    int ka = y.Band(r[0].y);
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& a = r[i];
        const Vertex& b = r[i + 1 == n ? 0 : i + 1];
        const int kb = y.Band(b.y);
        const int lo = std::min(ka, kb), hi = std::max(ka, kb);
        bool left, right;
        if (hi - lo <= 1) {
            const double xl = std::min(a.x, b.x), xr = std::max(a.x, b.x);
            left = y.BeyondBands(-1, xl, xr, lo, hi, need);
            right = y.BeyondBands(1, xl, xr, lo, hi, need);
        } else {
            left = y.SideBeyond(-1, a, b, need);
            right = y.SideBeyond(1, a, b, need);
        }
        beyond[i] = static_cast<unsigned char>(left | ((right & !left) << 1));
        ka = kb;
    }
}

// The arcs of ring r beyond Y on one side (bit `bit` of `beyond`), each
// within a run of sides that all lie beyond it.  A ring beyond Y everywhere
// leaves nothing out.
void ArcsBeyond(const Vertex* r, std::size_t n, const Vertex& c, const Envelope& y, int side, double need,
                const std::vector<unsigned char>& beyond, std::vector<Arc>& out)
{
    const unsigned char bit = side < 0 ? 1 : 2;
    std::size_t start = 0;   // a side not beyond
    while (start < n && (beyond[start] & bit))
        ++start;
    if (start == n)
        return;
    // Side i runs from vertex i to the next.
    for (std::size_t k = 1, i = start + 1 == n ? 0 : start + 1; k < n;) {
        if (!(beyond[i] & bit)) {
            ++k;
            i = i + 1 == n ? 0 : i + 1;
            continue;
        }
        const std::size_t from = i;
        std::size_t sides = 0;
        while (k < n && (beyond[i] & bit)) {
            ++k;
            ++sides;
            i = i + 1 == n ? 0 : i + 1;
        }
        ArcsOfRun(r, n, from, sides + 1, c, y, side, need, out);
    }
}

// Ring r without the vertices of the arcs (first vertex and count of each,
// cyclic), in ring order, into `kept`; their heights go to `heights`.
void Prune(RingView r, const std::vector<Arc>& arcs, std::vector<Vertex>& kept, std::vector<double>& heights)
{
    const std::size_t n = r.size();
    // As ranges [from, to) of indices, a range over the end split in two.
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::size_t count = 0;
    for (const Arc& a : arcs) {
        count += a.count;
        if (a.first + a.count <= n) {
            ranges.emplace_back(a.first, a.first + a.count);
        } else {
            ranges.emplace_back(a.first, n);
            ranges.emplace_back(0, a.first + a.count - n);
        }
    }
    std::sort(ranges.begin(), ranges.end());
    kept.clear();
    kept.reserve(n - count);
    heights.reserve(heights.size() + count);
    std::size_t at = 0;
    for (const auto& [from, end] : ranges) {
        kept.insert(kept.end(), r.begin() + at, r.begin() + from);
        for (std::size_t i = from; i < end; ++i)
            heights.push_back(r[i].y);
        at = end;
    }
    kept.insert(kept.end(), r.begin() + at, r.end());
}

} // namespace

bool LeaveOutArcs(const ContourSet& subject, const std::vector<char>& ignoreS, const std::vector<Box>& boxS,
                  const Box& hullS, const ContourSet& clip, const std::vector<char>& ignoreC,
                  const std::vector<Box>& boxC, const Box& hullC, SweepInput& in)
{
    if (in.extreme)
        return false;
    const ContourSet* sets[2] = {&clip, &subject};          // by operand
    const std::vector<char>* ignores[2] = {&ignoreC, &ignoreS};
    const std::vector<Box>* boxes[2] = {&boxC, &boxS};
    const int only[2] = {OnlyRing(ignoreC), OnlyRing(ignoreS)};
    const Box* whole[2] = {&hullC, &hullS};
    if (Empty(hullC) || Empty(hullS))
        return false;
    const double need = 4 * in.xRoom;
    std::vector<Arc> arcs;
    std::vector<unsigned char> beyond;
    bool any = false;
    for (const int type : {kSubject, kClip}) {
        if (only[type] < 0)
            continue;
        const RingView r = sets[type]->Ring(only[type]);
        if (!in.tuning.alwaysDropArcs && !Zigzags(r))
            continue;
        const Box& own = (*boxes[type])[static_cast<std::size_t>(only[type])];
        const Vertex c{(own.xmin + own.xmax) / 2, (own.ymin + own.ymax) / 2};
        const int other = 1 - type;
        const Envelope y(*sets[other], *ignores[other], *whole[other]);
        SidesBeyond(r, y, need, beyond);
        arcs.clear();
        for (const int side : {-1, 1})
            ArcsBeyond(r.data(), r.size(), c, y, side, need, beyond, arcs);
        if (arcs.empty())
            continue;
        const int sense = Around(r, c);
        if (sense == 0)
            continue;
        // The side PQ turns R's way (the arc spans less than half a turn).
        arcs.erase(std::remove_if(arcs.begin(), arcs.end(),
                                  [&](const Arc& a) { return SignOf(TurnAt(c, r[a.p], r[a.q])) != sense; }),
                   arcs.end());
        if (arcs.empty())
            continue;
        Prune(r, arcs, in.arcs.vertices[type], in.arcs.heights);
        in.arcs.ring[type] = only[type];
        any = true;
    }
    if (!any)
        return false;
    std::vector<double>& h = in.arcs.heights;
    BucketSort(
        h, [](double y) { return y; }, [](double a, double b) { return a < b; });
    h.erase(std::unique(h.begin(), h.end()), h.end());
    in.heights = &h;
    return true;
}

} // namespace detail
} // namespace clip
} // namespace S2D
