#ifndef ZELTMATH_S2D_CLIP_DETAIL_SWEEP_STATE_H
#define ZELTMATH_S2D_CLIP_DETAIL_SWEEP_STATE_H

// The sweep's state and the small pieces its steps share; the steps are in
// sweep.cpp (every beam's full walk) and sweep_changes.h (beams that visit
// only the edges that change).  Included by sweep.cpp alone.

#include <zeltmath/s2d/clip/detail/bounds.h>
#include <zeltmath/s2d/clip/detail/fragments.h>
#include <zeltmath/s2d/clip/detail/pod_stack.h>
#include <zeltmath/s2d/clip/detail/radix_queue.h>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {
namespace sweep {

// Crossings of edges whose relative run differs by no more than this are
// not looked for.
constexpr double kParallel = DBL_EPSILON;

// No active edge has a top above the beam.
constexpr double kNoTop = std::numeric_limits<double>::infinity();

// Whether edges a and b might form a bundle while both run, were they side
// by side: their slopes are within the bundle tolerance, unless both are
// vertical.  A vertical edge's x is its bottom x at every height (plus a
// zero), so two vertical edges are as far apart at every beam as at their
// bottoms, and the bundle step compares exactly that distance.
inline bool MightBundle(const Edge* a, const Edge* b)
{
    if (!(std::fabs(a->dx - b->dx) <= kCoincident))
        return false;
    return a->dx != 0 || b->dx != 0 || !(std::fabs(a->bot.x - b->bot.x) > kCoincident);
}

// Vertex classes: bit 0 top right, bit 1 top left, bit 2 bottom right,
// bit 3 bottom left inside the result.
enum VertexClass : int {
    kExternalMax = 1,
    kExternalLeft = 2,
    kExternalRight = 4,
    kRightEdge = 5,
    kInternalMaxMin = 6,
    kInternalMin = 7,
    kExternalMin = 8,
    kExternalMaxMin = 9,
    kLeftEdge = 10,
    kInternalLeft = 11,
    kInternalRight = 13,
    kInternalMax = 14
};

// Horizontal state after an edge: [state][(exists - 1) * 2 + parity].
constexpr unsigned char kNextHorizontal[3][6] = {
    {1, 2, 2, 1, 0, 0},
    {0, 0, 0, 0, 2, 2},
    {0, 0, 0, 0, 1, 1},
};

// The top of an active edge, for the queue that gives the next beam.
// Built in place, as the other records below (see RingBirth).
struct Top {
    Top(double y_, Edge* e_) : y(y_), e(e_) {}
    double y;
    Edge* e;
};

// A scheduled look at the pair an edge forms with its right neighbour:
// from beam top y on, their order may change.
struct PairCheck {
    PairCheck() = default;
    PairCheck(double y_, Edge* a_, std::uint64_t stamp_) : y(y_), a(a_), stamp(stamp_) {}
    double y;
    Edge* a;
    // As wide as the other fields: the checks are copied whole as they move
    // through the queue, and padding would be read back through a store of a
    // different width.
    std::uint64_t stamp;
};

// Merged beams.  A light beam (see LightBeam) from yb may go on past further
// heights (those of vertices left out of the run, see RunExtras) up to the
// next height of a vertex, yt, at once, when the beams of the heights it
// skips would change nothing.  No vertex lies at such a height: no bound
// starts or ends there, an edge passing through adds no output vertex (it
// is a left or right side, or nothing, and adds its vertex at its bottom
// only), and parities and horizontal states stay as they were.  So those
// beams change nothing unless a bundle forms at their bottom, or a crossing
// is found in one of them, whose point would be worked out from that beam's
// own heights.  The merged beam's walk rules both out for each edge going on
// and the one going on before it: their x at yb and at yt are in order and
// differ by more than SweepInput::xRoom, and so at every height between, as
// the distance of two lines changes linearly with the height; or both start
// at one point, where the x that XAlong gives at a height, the products of
// one height difference with the slopes, keep the order of the slopes
// (required to be that of the list), and the bundle test at yb has ruled out
// slopes within the tolerance; or both end at one point at yt, and are apart
// by more than xRoom twice over at the highest height skipped, `skipped`,
// and so lower down.
struct MergedBeams {
    // Whether edges a (the one before) and b, in order at yb and yt but
    // closer than `room` at one of them, are apart at the heights skipped.
    static bool Beside(const Edge* a, const Edge* b, double yt, double skipped, double room)
    {
        if (b->bot.y == a->bot.y && b->bot.x == a->bot.x)
            return b->dx >= a->dx;
        return b->top.y == yt && a->top.y == yt && b->top.x == a->top.x
               && std::fabs(a->dx - b->dx) * (yt - skipped) > 2 * room;
    }
};

// Bounds join the list ordered by bottom x, then dx, and an edge equal in
// both goes after the others: e goes before the first edge that it
// precedes (Precedes).  When `after` is the bound of the same height placed
// just before e, the search for e may start behind it, whatever the order
// of the list: `after` precedes no edge up to itself, so each such edge has
// an x that is NaN or no greater than after's, and when equal, a dx that
// after's is not below.  The bounds of one height come ordered by bottom
// x, then dx with NaN last, so e has an x no less than after's, and when
// equal, a dx not below after's, or NaN.  A comparison with a NaN dx is
// false; so e precedes none of those edges either.
inline bool StartsAfter(const Edge* after)
{
    return after != nullptr;
}

// Whether a joining edge e goes before an edge at x (its x at the beam
// bottom) and slope at->dx.
inline bool Precedes(const Edge* e, double x, const Edge* at)
{
    return e->xb < x || (e->xb == x && e->dx < at->dx);
}

struct Crossing {
    Crossing(Edge* e0_, Edge* e1_, double x_, double y_) : e0(e0_), e1(e1_), x(x_), y(y_) {}
    Edge* e0;
    Edge* e1;
    double x;
    double y;   // above the beam bottom
};

// The operation is a template argument, so that the per-edge tests below
// compile to straight logic instead of a switch per quadrant.
template <Operation Op>
constexpr int Combine2(int a, int b)
{
    if (Op == Operation::Union)
        return a || b;
    if (Op == Operation::Xor)
        return a ^ b;
    return a && b;
}

// What classification makes of an edge from the small numbers it looks at:
// the bundle flags of either operand above and below (ex, 0..3), the
// parities on its left (0..1) and the horizontal states (0..2).  The rule
// is stated once, in Classify; the sweep reads it from a table built from
// Classify at compile time.
//
// The parities and horizontal states that a walk carries from edge to edge
// travel packed in one number (see WalkState), so that the table gives the
// next one in a single load: a walk's cost per edge is bound by that chain.
// Four bytes apart, so that an entry's address is a shift of its index.
struct alignas(4) EdgeClass {
    unsigned char vertex;         // VertexClass, or 0
    unsigned char contributing;
    unsigned char next;           // walk state after the edge
};

// A walk state: bit 0 the clip parity, bit 1 the subject parity, bits 2-3
// the clip horizontal state, bits 4-5 the subject's.
inline constexpr int WalkState(int pc, int ps, int horizC, int horizS)
{
    return pc | (ps << 1) | (horizC << 2) | (horizS << 4);
}
// The walk state with its parities replaced, its horizontal states kept.
inline constexpr int WithParities(int state, int pc, int ps)
{
    return (state & ~3) | WalkState(pc, ps, 0, 0);
}
inline constexpr int ParityOf(int state, int operand)
{
    return (state >> operand) & 1;
}
inline constexpr bool HorizontalOpen(int state)
{
    return (state >> 2) != 0;
}

template <Operation Op>
constexpr EdgeClass Classify(int exC, int exS, int pc, int ps, int horizC, int horizS)
{
    const int aC = exC & 1, aS = exS & 1, bC = exC >> 1, bS = exS >> 1;
    const int hc = horizC != 0, hs = horizS != 0;
    EdgeClass r{};
    switch (Op) {
    case Operation::Xor:
        r.contributing = 1;
        break;
    case Operation::Union:
        r.contributing = (exC && (!ps || hs)) || (exS && (!pc || hc)) || (exC && exS && pc == ps);
        break;
    default:
        r.contributing = (exC && (ps || hs)) || (exS && (pc || hc)) || (exC && exS && pc == ps);
        break;
    }
    const int br = Combine2<Op>(pc, ps);
    const int bl = Combine2<Op>(pc ^ aC, ps ^ aS);
    const int tr = Combine2<Op>(pc ^ hc, ps ^ hs);
    const int tl = Combine2<Op>(pc ^ hc ^ bC, ps ^ hs ^ bS);
    r.vertex = static_cast<unsigned char>(tr + (tl << 1) + (br << 2) + (bl << 3));
    const int nextC = exC ? kNextHorizontal[horizC][((exC - 1) << 1) + (pc ^ aC)] : horizC;
    const int nextS = exS ? kNextHorizontal[horizS][((exS - 1) << 1) + (ps ^ aS)] : horizS;
    r.next = static_cast<unsigned char>(WalkState(pc ^ aC, ps ^ aS, nextC, nextS));
    return r;
}

// An edge's four bundle flags as bits 0 to 3: above clip, above subject,
// below clip, below subject.  Each flag is 0 or 1, so the product gathers
// the four bytes at bits 21 to 24 without a carry.
inline int BundleBits(const Edge* e)
{
    const std::uint32_t v = std::uint32_t(e->bundle[kAbove][kClip]) | std::uint32_t(e->bundle[kAbove][kSubject]) << 8
                            | std::uint32_t(e->bundle[kBelow][kClip]) << 16
                            | std::uint32_t(e->bundle[kBelow][kSubject]) << 24;
    return static_cast<int>((v * 0x00204081u) >> 21) & 0xF;
}

// BundleBits of an edge whose flags above were just set to `above` (bits 0
// and 1), reading only the flags below, and those byte by byte: one wide
// load of all four would have to wait for the stores of the flags above to
// reach the cache instead of taking them from the store buffer.
inline int BundleBitsAbove(const Edge* e, int above)
{
    return above + 4 * e->bundle[kBelow][kClip] + 8 * e->bundle[kBelow][kSubject];
}

// Index into EdgeClasses: bundle bits, then the walk state.
inline int ClassIndex(int bits, int state)
{
    return bits | (state << 4);
}

template <Operation Op>
struct EdgeClasses {
    EdgeClass of[1 << 10];
    constexpr EdgeClasses() : of{}
    {
        for (int i = 0; i < (1 << 10); ++i) {
            const int bits = i & 15;
            const int exC = (bits & 1) | ((bits >> 1) & 2);
            const int exS = ((bits >> 1) & 1) | ((bits >> 2) & 2);
            const int state = i >> 4;
            const int horizC = (state >> 2) & 3, horizS = (state >> 4) & 3;
            if (horizC < 3 && horizS < 3)
                of[i] = Classify<Op>(exC, exS, ParityOf(state, kClip), ParityOf(state, kSubject), horizC, horizS);
        }
    }
};

template <Operation Op>
inline constexpr EdgeClasses<Op> kEdgeClasses{};

template <Operation Op>
class Sweep {
public:
    explicit Sweep(SweepInput& in) : in_(in)
    {
        if (in.births)
            out_.RecordBirths();
        // A fragment starts at a local minimum of the input (two bounds
        // each) or at a crossing; the minima are the usual share.
        out_.Reserve(in.vertices + 16, in.minima.size() / 2 + 16);
        if (in.heights && !in.heights->empty())
            extraHeight_ = -kNoTop;
    }

    void Run(ContourSet& out);

private:
    bool RunTracked(double& yb, std::size_t& lm, bool& bundled);
    void StartWith(const std::vector<Edge*>& edges, double yb);

private:
    void InsertActive(Edge* e, Edge* after);
    void FormBundles(double yb);
    void BundleStep(Edge* e, Edge*& e0, double yb);
    template <bool Track>
    void ClassifyEdge(Edge* e, int bits, double yb, int& state, double& px, int& cf);
    template <bool Track>
    void ClassifyAndRemove(double yb, double yt, bool above);
    template <bool Track>
    void Leave(Edge* e);
    void InsertBounds(double yb, std::size_t& lm, bool lazy);
    bool NextHeight(double yb, std::size_t lm, double& yt, double* next = nullptr);
    static constexpr std::size_t kNoPlace = std::numeric_limits<std::size_t>::max();
    template <std::size_t Limit = kNoPlace, class XOf>
    std::size_t PlaceFrom(Edge* e, Edge* before, Edge* at, XOf xOf);
    void Link(Edge* e, Edge* before, Edge* at);
    void RemoveEnded(Edge* e);
    void AddToSorted(Edge* e, double dy, Edge*& head);
    void SearchCrossings(double dy);
    void SortCrossings();
    template <bool Tracking>
    double Activate(Edge* e, double lowest);
    double Activate(Edge* e, double lowest);
    void HandleCrossings(double yb);
    void SwapBundles(Edge* e0, Edge* e1);
    bool Adjacent(const Crossing& c) const;
    template <bool Track, bool Join = false>
    bool NextBeam(double yt, bool bundle, std::size_t* lm = nullptr, int* joined = nullptr);
    Edge* NextJoining(double yt, std::size_t& lm);
    template <bool Pairs, bool Merge>
    bool LightBeam(double yb, double yt, double skipped);
    template <bool Merge = false>
    bool TryLight(double yb, double yt, bool pairs, double skipped = 0);
    double LastHeightBelow(double y);
    // Whether a beam may go on past further heights to `next` (see
    // NextHeight; kNoTop when no further height comes first): a height the
    // sweep reaches, not beyond the last one.
    bool MayMerge(double next) const { return next < kNoTop && next <= in_.lastHeight; }
    // Whether bound lm of the minima starts at height y.
    bool StartsAt(std::size_t lm, double y) const { return lm < in_.minima.size() && in_.minima[lm].y == y; }
    void CarryUp(Edge* e);
    void HandOver(Edge* e, Edge* succ);

    // Beams that visit only the edges that change; see LazyWalk.
    void LazyInsert(Edge* e, Edge* after, double yb);
    Edge* NearbyEdge(const Edge* e);
    bool PlaceNear(Edge* e, Edge* h, double yb);
    bool RiskAroundEnding(double yb);
    void LazyWalk(double yb);
    bool DueChecks(double yt);
    void MaterializeTops(double yt);
    void LocalCrossings(double yb, double yt);
    int GrowBlock(Edge* a, double yb, double yt);
    bool BlockBefore(int a, int b, double yb) const;
    void LazyNextBeam(double yt);
    void Materialize(double yb);
    void RebuildMarks();
    void Unmark(Edge* e);
    void SchedulePair(Edge* a);
    void ClearFresh();
    void TrackAllPairs(double yt);
    double NextCheck(const Edge* a, const Edge* b, double xa, double xb, double yt) const;
    void ListChanges(double yt, bool use);
    bool SwapsKeepChanges(double yt);
    int Active() const { return active_[kClip] + active_[kSubject]; }
    EdgeTrack& T(const Edge* e) { return in_.Track(e); }

    SweepInput& in_;
    Fragments out_;
    Edge* aet_ = nullptr;
    int parity_[2] = {0, 0};
    // The lowest top above the beam among the active edges, or kNoTop; kept
    // while pairs are not tracked.  The walk of step 7 visits every edge
    // anyway, so it finds it afresh in each beam, and the bounds that join
    // lower it.
    double lowestTop_ = kNoTop;
    RadixQueue<Top> edgeTops_;   // the same with the edges, while pairs are tracked
    std::vector<Crossing> crossings_;
    // The next of in_.heights above the beam (kNoTop for none), at height_;
    // below the beam once the beam has passed it.
    double extraHeight_ = kNoTop;
    std::size_t height_ = 0;

    int active_[2] = {0, 0};            // active edges per operand
    std::size_t changes_ = 0;           // edges that joined or left in this beam
    bool quiet_ = false;                // the last beam changed few edges
    int initialParity_[2] = {0, 0};
    long beam_ = 0;                     // number of the current beam
    bool tracking_ = false;             // pair checks are kept
    bool classicOnly_ = false;          // input that every beam walks in full
    bool lazyOk_ = false;               // the next beam may visit only changes
    bool sorted_ = false;               // the list is in x order at the next beam
    unsigned stamps_ = 0;
    unsigned freshFrom_ = 0;            // stamps_ when fresh_ was last emptied
    RadixQueue<PairCheck> checks_;      // pair checks, least height first
    PodStack<PairCheck> fresh_;         // checks due at the next look, unordered
    PodStack<PairCheck> due_;
    PodStack<PairCheck> recheck_;
    PodStack<Edge*> events_;            // edges that change at the next beam
    PodStack<Edge*> ending_;            // edges whose bound ends at the next beam
    PodStack<Edge*> inserted_;          // bounds that joined at this beam
    PodStack<Edge*> walked_;            // edges visited in this beam that stay
    PodStack<Edge*> unsteady_;          // of those, the ones not steady
    std::vector<Edge*> marks_;          // every kMarkGap-th edge of the list
    // Runs of the list whose order changes inside a beam; see LocalCrossings.
    struct Block {
        Block(Edge* first_, Edge* last_, double lo_, double hi_, int into_)
            : first(first_), last(last_), lo(lo_), hi(hi_), into(into_)
        {
        }
        Edge* first;
        Edge* last;
        double lo;      // the least and greatest x at the beam top
        double hi;
        int into;       // the block it was merged into, or itself
    };
    std::vector<Block> blocks_;
    std::vector<int> blockOrder_;
    bool marksValid_ = false;
    bool allAdjacent_ = true;           // every crossing met its pair side by side
    // The next beam may be a light one (see LightBeam), and a bound may
    // start or end at its bottom.
    bool light_ = false;
    bool lightPairs_ = false;
    // A bundle formed since light_ was last decided, or in the walk before.
    bool bundleFormed_ = false;
    bool bundledBefore_ = false;
    PodStack<Edge*> lightEvents_;       // of a light beam: edges starting at its bottom
    PodStack<Edge*> lightTops_;         // and edges ending at its top
    PodStack<Edge*> lightWalked_;       // and new bounds, classified
};

} // namespace sweep
} // namespace detail
} // namespace clip
} // namespace S2D

#endif
