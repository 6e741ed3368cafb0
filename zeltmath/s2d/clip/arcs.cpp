// The arcs left out of an intersection (see arcs.h), and the proof that the
// result keeps every bit.
//
// Let R be the one ring of one operand in the run, Y the rings of the other,
// x0 the least x of Y's boxes, and on the left of them the cut x0 - need,
// where need is four times SweepInput::xRoom: the bundle tolerance and the
// x allowances of two edges (XAllowance), many times over.  (The right side mirrors the left.)  Let c
// be the centre of R's box, W = c.x - cut > 0.  Required:
//   (a) R turns one way around c: every side's turn seen from c is certain
//       and of one sign, R crosses the line through c at c's height twice
//       (one turn), and no side is horizontal.  So the angle seen from c
//       grows strictly along R, and every ray from c meets R once;
//   (b) the arc P = v_p, ..., Q = v_q, consecutive vertices all left of the
//       cut, at least one between P and Q.  R passes through P and through
//       Q (its neighbours lie strictly below and above it), both rising or
//       both falling, and Q lies that way from P;
//   (c) at P and at Q, the steps of angle to both neighbours have sines s
//       with W s / 2 > need.
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
//   3. D and K lie left of the cut, Y right of x0, more than need apart.
//      Seen from c, D and K lie in the wedge of angles from P to Q, and the
//      sides of E of R outside it, those at P and Q sharing its edges.  On
//      a line at height y left of c the angle falls (or grows) with x; and
//      for a point p of D or K and a point q of E on it, apart in angle by
//      at least the least step of (c),
//          |p.x - q.x| = |p - c| |q - c| sin(angle) / |y - c.y|
//                     >= |q - c| s,
//      and |p.x - q.x| >= W - |q - c| as p lies left of the cut, so their
//      distance exceeds W s / 2 > need.  The two pairs that share a vertex
//      (the sides of E and of D or K at P, and at Q) are never in the list
//      together: R passes through P, so one of them ends at P's height
//      where the other starts, and is handed over to it.  So the computed x
//      of E keep their order against D and K at every beam, no bundle forms
//      between them, no crossing is found between them, and a bound placed
//      by its x goes to the same side of them.
//   4. So at every beam both runs hold the same list of E, with the edges
//      of D at that height (a run of neighbours) or K (when it spans the
//      beam) in the same gap between two of them, as the sweep keeps its
//      list in x order up to rounding.
//   5. What D and K pass on: they lie where Y has no edge on their left, so
//      Y's parity there is 0 and its horizontal state none, and none of them
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

// The box of the rings of a set that take part in the run.
Box BoxOf(const std::vector<Box>& boxes, const std::vector<char>& ignore)
{
    Box b;
    for (std::size_t c = 0; c < boxes.size(); ++c)
        if (!ignore[c])
            b = Hull(b, boxes[c]);
    return b;
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

// A side of the box of the other operand: vertices beyond `cut` (left of it
// when `way` is -1, right when 1) may be left out; `width` is W, the
// distance from the centre c to the cut.
struct Beside {
    double cut;
    int way;
    double width;
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

// Condition (c) at a vertex.  The sine of a step is |cross| over the two
// distances from c; the cross product is certain to within a millionth
// (kCertain), and the rest is rounded down with room.
bool Wide(const Around3& v, const Vertex& c, double width, double need)
{
    const auto distance = [&c](const Vertex& p) { return std::hypot(p.x - c.x, p.y - c.y); };
    const auto wide = [&](const Vertex& a, const Vertex& b) {
        const double sine = std::fabs(TurnAt(c, a, b).cross) * (1 - 1e-5) / (distance(a) * distance(b) * (1 + 1e-9));
        return width * sine > 2 * need;
    };
    return wide(v.before, v.at) && wide(v.at, v.after);
}

// An arc found: P, Q, and the first vertex left out and how many.
struct Arc {
    std::size_t p;
    std::size_t q;
    std::size_t first;
    std::size_t count;
};

// The arc of a run of `len` vertices beyond side b, from vertex `first` of
// ring r on (cyclic, in ring order), but for the turn of the side PQ.  The
// ring rises or falls through P and Q the way it goes from the run's first
// vertex to its last: P is the first vertex of the run that meets (b) and
// (c) so, Q the last that meets them with P.
void ArcOfRun(const Vertex* r, std::size_t n, std::size_t first, std::size_t len, const Vertex& c, const Beside& b,
              double need, std::vector<Arc>& out)
{
    const auto at = [&](std::size_t k) { return first + k < n ? first + k : first + k - n; };
    const double rise = r[at(len - 1)].y - r[first].y;
    const int way = rise > 0 ? 1 : rise < 0 ? -1 : 0;
    if (way == 0)
        return;
    std::size_t p = 0;
    for (; p + 2 < len; ++p) {
        const Around3 v = At(r, n, at(p));
        if (Through(v) == way && Wide(v, c, b.width, need))
            break;
    }
    if (p + 2 >= len)
        return;
    const double py = r[at(p)].y;
    std::size_t q = len - 1;
    for (; q >= p + 2; --q) {
        const Around3 v = At(r, n, at(q));
        if (Through(v) == way && (v.at.y - py) * way > 0 && Wide(v, c, b.width, need))
            break;
    }
    if (q >= p + 2)
        out.push_back({at(p), at(q), at(p + 1), q - p - 1});
}

// The arcs of ring r beyond side b, each in a run of vertices beyond it.
// Some vertex is not beyond: c is not, and it is the centre of r's box.
// (way * x > way * cut is x beyond the cut either way: negation is exact.)
void ArcsBeyond(const Vertex* r, std::size_t n, const Vertex& c, const Beside& b, double need, std::vector<Arc>& out)
{
    const double way = b.way;
    const double cut = way * b.cut;
    std::size_t start = 0;
    while (start < n && way * r[start].x > cut)
        ++start;
    if (start == n)
        return;
    std::size_t i = start;
    for (std::size_t k = 1; k < n;) {
        if (++i == n)
            i = 0;
        if (!(way * r[i].x > cut)) {
            ++k;
            continue;
        }
        const std::size_t first = i;
        std::size_t len = 1;
        for (std::size_t j = i + 1 == n ? 0 : i + 1; k + len < n && way * r[j].x > cut; j = j + 1 == n ? 0 : j + 1)
            ++len;
        ArcOfRun(r, n, first, len, c, b, need, out);
        k += len;
        i = first + len - 1 < n ? first + len - 1 : first + len - 1 - n;
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
                  const ContourSet& clip, const std::vector<char>& ignoreC, const std::vector<Box>& boxC,
                  SweepInput& in)
{
    if (in.extreme)
        return false;
    const ContourSet* sets[2] = {&clip, &subject};          // by operand
    const std::vector<Box>* boxes[2] = {&boxC, &boxS};
    const int only[2] = {OnlyRing(ignoreC), OnlyRing(ignoreS)};
    const Box whole[2] = {BoxOf(boxC, ignoreC), BoxOf(boxS, ignoreS)};
    if (!(whole[0].xmin <= whole[0].xmax) || !(whole[1].xmin <= whole[1].xmax))
        return false;
    const double need = 4 * in.xRoom;
    std::vector<Arc> arcs;
    bool any = false;
    for (const int type : {kSubject, kClip}) {
        if (only[type] < 0)
            continue;
        const Box& own = (*boxes[type])[static_cast<std::size_t>(only[type])];
        const Box& other = whole[1 - type];
        const Vertex c{(own.xmin + own.xmax) / 2, (own.ymin + own.ymax) / 2};
        const Beside sides[2] = {{other.xmin - need, -1, c.x - (other.xmin - need)},
                                 {other.xmax + need, 1, (other.xmax + need) - c.x}};
        const auto reaches = [&own](const Beside& b) {
            return b.width > 0 && (b.way < 0 ? own.xmin < b.cut : own.xmax > b.cut);
        };
        if (!reaches(sides[0]) && !reaches(sides[1]))
            continue;
        const RingView r = sets[type]->Ring(only[type]);
        if (!in.tuning.alwaysDropArcs && !Zigzags(r))
            continue;
        arcs.clear();
        for (const Beside& b : sides)
            if (reaches(b))
                ArcsBeyond(r.data(), r.size(), c, b, need, arcs);
        if (arcs.empty())
            continue;
        const int sense = Around(r, c);
        if (sense == 0)
            continue;
        // The side PQ turns R's way (lying beside c, the arc spans less than
        // half a turn).
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
