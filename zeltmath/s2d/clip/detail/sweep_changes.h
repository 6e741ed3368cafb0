#ifndef ZELTMATH_S2D_CLIP_DETAIL_SWEEP_CHANGES_H
#define ZELTMATH_S2D_CLIP_DETAIL_SWEEP_CHANGES_H

// Beams that visit only the edges that change.  Included by sweep.cpp alone.
//
// In dense input most active edges only pass through a beam: nothing about
// them changes but their x, which is a function of the beam's height alone
// (XAt).  Such an edge is steady (see ClassifyEdge): once classified, every
// later beam classifies it the same way as long as the parities on its left
// stay and no horizontal side is open at it: its fragment above is its
// fragment below, its bundle sides are those parities, and it changes
// nothing else but the previous x.  A beam may then skip it, provided that
//   - the list is in x order at the beam's bottom, and no two neighbours
//     swap places inside the beam: each pair of neighbours has a scheduled
//     check, the first beam from which rounding can no longer promise their
//     order (NextCheck), where their order is compared exactly; a beam with
//     a swap is finished by the full steps, and so is the next one;
//   - no bundle can form: neighbours that might bundle (slopes within the
//     bundle tolerance, but for vertical edges farther apart than it; see
//     MightBundle) turn every later beam over to the full walk;
//   - the edges that change are visited in list order: those that join,
//     leave or hand over to a successor here, and those whose last visit
//     did not find them steady; from each, the walk goes on to the right
//     until the parities agree with those the next edge was last classified
//     with and no horizontal side is open;
//   - a run of visits starts after all edges of its first x, so that the
//     previous x it starts from is below every x it meets, as in the full
//     walk.
// So every output step and every state the walk passes on is that of the
// full walk, bit for bit.  Only beams of many active edges and few changes
// are done so; the tests force the path on small inputs and compare it with
// the literal reference.

#include <zeltmath/s2d/clip/detail/short_sort.h>
#include <zeltmath/s2d/clip/detail/sweep_state.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace S2D {
namespace clip {
namespace detail {
namespace sweep {

// The start of step 7 while pairs are tracked: lists as changing at yt the
// edges last found unsteady that go on, and takes the edges whose top is yt
// off the queue.  With `use`, each of those is handed over to its successor
// or listed as ending at the next beam (else the full walk does that).
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::ListChanges(double yt, bool use)
{
    events_.clear();
    ending_.clear();
    for (Edge* u : unsteady_)
        if (u->top.y != yt)
            events_.push_back(u);
    while (!edgeTops_.Empty() && edgeTops_.MinY() <= yt) {
        Edge* e = edgeTops_.PopMin().e;
        if (!use)
            continue;
        const int to = NextTop(*e);
        if (to < 0) {
            ending_.push_back(e);
            events_.push_back(e);
            continue;
        }
        // The edge goes on up its bound in its own slot, which keeps its
        // place among the landmarks and takes its new side in the table of
        // sides (SweepInput::onSide); its record starts afresh, so that the
        // checks of its pairs lapse.  The bundle sides it keeps are not
        // read before they are set: the next beam lists it as changing and
        // classifies it.
        const int mark = T(e).mark;
        in_.Advance(*e, to);
        in_.SetSide(*e);
        T(e).mark = mark;
        lowestTop_ = Activate(e, lowestTop_);
        events_.push_back(e);
        if (e->prev)
            SchedulePair(e->prev);
        SchedulePair(e);
    }
}

// Empties fresh_; the checks filed from here on are the fresh ones (see
// SchedulePair).
template <Operation Op>
inline void Sweep<Op>::ClearFresh()
{
    fresh_.clear();
    freshFrom_ = stamps_;
}

template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::SchedulePair(Edge* a)
{
    T(a).pairNext = a->next;
    // Beams visit only the changes for slopes the checks can bound, and
    // while no bundle can form.
    if (!(std::fabs(a->dx) < 1e300))
        classicOnly_ = true;
    if (!a->next) {
        T(a).pairStamp = 0;   // no check of a stands
        return;
    }
    if (MightBundle(a, a->next))
        classicOnly_ = true;
    // A check filed for `a` since fresh_ was last emptied still stands: it
    // looks at a's neighbour when it is due, not at the one it was filed
    // with.  (Stamps count modulo 2^32; those filed since are the ones in
    // (freshFrom_, stamps_].)
    if (T(a).pairStamp - freshFrom_ - 1u < stamps_ - freshFrom_)
        return;
    T(a).pairStamp = ++stamps_;
    fresh_.emplace_back(-DBL_MAX, a, T(a).pairStamp);
}

template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::TrackAllPairs(double yt)
{
    // Edges ending at yt are listed as ending already.
    checks_.Clear();
    ClearFresh();
    edgeTops_.Clear();
    for (Edge* e = aet_; e; e = e->next) {
        SchedulePair(e);
        if (e->top.y != yt)
            edgeTops_.Emplace(e->top.y, e);
    }
}

// The first beam top from which the order of a (left) and b (right), whose
// x at yt are xa <= xb, is no longer certain.  Each edge's x at any height
// of its span is within its XAllowance of its line.  While the distance of
// the lines exceeds twice both allowances the computed order cannot change;
// the lines close in at the difference of the slopes, and a pair that cannot
// close in before one of its edges ends needs no further look.  The estimate
// is shortened by a millionth, far more than its own roundings.
//
// A pair one of whose edges ends at yt meets no further beam, whatever its
// distance: the edge is handed over to its successor at yt, or, at the end
// of its bound, leaves in the walk of the next beam, before its crossing
// search; either way a new pair takes its place with a check of its own.
// Most such pairs are the two edges of a local maximum at yt, which meet
// there.
template <Operation Op>
double Sweep<Op>::NextCheck(const Edge* a, const Edge* b, double xa, double xb, double yt) const
{
    const double top = std::min(a->top.y, b->top.y);
    if (top <= yt)
        return DBL_MAX;
    const double allowance = XAllowance(a->bot, a->top) + XAllowance(b->bot, b->top) + 1e-300;
    const double room = (xb - xa) - 4 * allowance;
    if (!(room > 0))
        return yt;
    const double closing = a->dx - b->dx;
    if (!(closing > 0))
        return DBL_MAX;
    const double dy = room / closing * (1 - 1e-6);
    if (!(dy > 1e-12 * std::fabs(yt)))
        return yt;
    const double y = yt + dy;
    return y > top ? DBL_MAX : y;
}

// Runs the checks due by beam top yt; true when some pair of neighbours
// changes order in the beam.
template <Operation Op>
[[gnu::noinline]] bool Sweep<Op>::DueChecks(double yt)
{
    bool swap = false;
    recheck_.clear();
    std::swap(due_, fresh_);
    ClearFresh();
    for (;;) {
        PairCheck c;
        if (!due_.empty()) {
            c = due_.back();
            due_.pop_back();
        } else if (!checks_.Empty() && checks_.MinY() <= yt) {
            c = checks_.PopMin();
        } else {
            break;
        }
        Edge* a = c.a;
        if (T(a).pairStamp != c.stamp || !a->next)
            continue;
        Edge* b = a->next;
        const double xa = XAt(a, yt);
        const double xb = XAt(b, yt);
        if (xa > xb) {
            swap = true;
            fresh_.push_back(c);
            continue;
        }
        const double next = NextCheck(a, b, xa, xb, yt);
        if (next != DBL_MAX)
            recheck_.emplace_back(next, a, c.stamp);
    }
    for (const PairCheck& c : recheck_)
        checks_.Emplace(c);
    return swap;
}

// Landmarks: every kMarkGap-th edge of the list, in list order, so that an
// insertion in a beam that visits only the changes need not walk the list
// from its head when it finds no edge near it along its ring (NearbyEdge).
// The list is in x order then, so the edges up to a landmark left of the
// new edge's x all come before it, as the walk from the head would find.
// A landmark that leaves hands its place to a neighbour that is none, or
// the landmarks are rebuilt.
constexpr std::size_t kMarkGap = 8;

template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::RebuildMarks()
{
    for (Edge* m : marks_)
        if (m)
            T(m).mark = -1;
    marks_.clear();
    std::size_t i = 0;
    for (Edge* e = aet_; e; e = e->next, ++i)
        if (i % kMarkGap == kMarkGap - 1) {
            T(e).mark = static_cast<int>(marks_.size());
            marks_.push_back(e);
        }
    marksValid_ = true;
}

// Edge e, about to leave the list, stops being a landmark.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::Unmark(Edge* e)
{
    if (T(e).mark < 0)
        return;
    Edge* heir = e->prev && T(e->prev).mark < 0 ? e->prev : e->next && T(e->next).mark < 0 ? e->next : nullptr;
    marks_[static_cast<std::size_t>(T(e).mark)] = heir;
    if (heir)
        T(heir).mark = T(e).mark;
    else
        marksValid_ = false;
    T(e).mark = -1;
}

// How far along its ring, either way, a new bound looks for an edge of
// the sweep to start the search for its place from (NearbyEdge), and how
// many edges that search passes before it leaves the place to the
// landmarks.
//
// A side that passes below the height y of a local minimum is on a bound
// that started lower, and the side that crosses y is in the sweep.  So the
// search goes past j sides only for a minimum with no vertex below it
// within j places along its ring, and two such minima within j places of
// each other are at one height: apart from minima at one height, the
// searches of a ring of n vertices pass some n log(kSideReach) sides in
// all, and mostly they find an edge at once.
constexpr int kSideReach = 64;
constexpr std::size_t kNearSteps = 16;

// An edge in the list on one of the sides of e's ring nearest e's bottom,
// leaving out the two sides that meet there (those of the bounds starting
// there), or null.  Mostly such an edge passes close by.
template <Operation Op>
inline Edge* Sweep<Op>::NearbyEdge(const Edge* e)
{
    if (!in_.sidesOn) {
        // e joins the list after this search; its sides are recorded as
        // it goes on up its bound.
        in_.WatchSides(aet_);
        if (!in_.sidesOn)
            return nullptr;
    }
    const int n = e->count;
    const int bottom = Step(e->topAt, -e->step, n);
    int up = bottom;                               // the side from the bottom up the ring
    int down = bottom == 0 ? n - 1 : bottom - 1;   // the side from the bottom down it
    // Each way at most half of the other n - 2 sides.
    const int reach = std::min(kSideReach, (n - 2) / 2);
    for (int j = 0; j < reach; ++j) {
        up = up + 1 == n ? 0 : up + 1;
        down = down == 0 ? n - 1 : down - 1;
        for (const int side : {up, down}) {
            Edge* h = in_.OnSide(e->base, side);
            if (h && h != e)
                return h;
        }
    }
    return nullptr;
}

// Links e in where the walk from the head would, when that place is within
// kNearSteps edges of edge h; false (nothing done) otherwise.  The list is
// in x order at yb, so once the search stands right of an edge whose x is
// below e's, every edge up to that one comes before e.
template <Operation Op>
inline bool Sweep<Op>::PlaceNear(Edge* e, Edge* h, double yb)
{
    Edge* before = h;
    Edge* at = h->next;
    if (!(XAt(h, yb) < e->xb)) {
        at = h;
        before = h->prev;
        for (std::size_t k = 0; before && !(XAt(before, yb) < e->xb); ++k) {
            if (k == kNearSteps)
                return false;
            at = before;
            before = before->prev;
        }
    }
    return PlaceFrom<kNearSteps>(e, before, at, [yb](const Edge* a) { return XAt(a, yb); }) != kNoPlace;
}

// InsertActive with the x of every edge at yb worked out on the way.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::LazyInsert(Edge* e, Edge* after, double yb)
{
    const auto xAt = [yb](const Edge* a) { return XAt(a, yb); };
    if (StartsAfter(after)) {
        if (PlaceFrom(e, after, after->next, xAt) > 4 * kMarkGap)
            marksValid_ = false;
    } else if (Edge* near = NearbyEdge(e); !near || !PlaceNear(e, near, yb)) {
        if (!marksValid_)
            RebuildMarks();
        // The last landmark left of e's x.
        std::size_t lo = 0, hi = marks_.size();
        while (lo < hi) {
            const std::size_t mid = (lo + hi) / 2;
            if (XAt(marks_[mid], yb) < e->xb)
                lo = mid + 1;
            else
                hi = mid;
        }
        Edge* before = lo > 0 ? marks_[lo - 1] : nullptr;
        if (PlaceFrom(e, before, before ? before->next : aet_, xAt) > 4 * kMarkGap)
            marksValid_ = false;
    }
    in_.SetSide(*e);
    if (e->prev)
        SchedulePair(e->prev);
    SchedulePair(e);
}

// Around an edge that ends at yb its neighbours meet in the bundle step,
// where they might bundle.
template <Operation Op>
[[gnu::noinline]] bool Sweep<Op>::RiskAroundEnding(double yb)
{
    for (Edge* e : ending_) {
        Edge* l = e->prev;
        while (l && l->top.y == yb)
            l = l->prev;
        Edge* r = e->next;
        while (r && r->top.y == yb)
            r = r->next;
        if (l && r && MightBundle(l, r))
            return true;
    }
    return false;
}

template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::Materialize(double yb)
{
    for (Edge* e = aet_; e; e = e->next)
        e->xb = XAt(e, yb);
}

// Steps 2 to 4 of a beam, visiting the edges that change and, from each,
// on to the right until the walk's state agrees with the next edge's.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::LazyWalk(double yb)
{
    for (Edge* e : inserted_)
        events_.push_back(e);
    for (Edge* e : events_) {
        T(e).listed = beam_;
        e->xb = XAt(e, yb);
    }
    // Mostly a handful.  Among events of equal x the walk takes the
    // leftmost first whatever their order here (see below).
    SortShort(events_.begin(), events_.end(), [](const Edge* a, const Edge* b) { return a->xb < b->xb; });
    walked_.clear();
    unsteady_.clear();
    const int start[2] = {parity_[kClip], parity_[kSubject]};
    int state = 0;
    int cf = Fragments::None;
    double px = -DBL_MAX;
    Edge* resume = nullptr;   // where the last run of visits stopped
    for (Edge* ev : events_) {
        if (T(ev).walked == beam_)
            continue;
        // Edges of the same x on the left join the run, so that the
        // previous x it starts from is below every x it meets.
        Edge* e = ev;
        while (e->prev && T(e->prev).walked != beam_ && XAt(e->prev, yb) == ev->xb)
            e = e->prev;
        if (e != resume) {
            Edge* l = e->prev;
            const int pc = l ? l->bside[kClip] ^ l->bundle[kAbove][kClip] : start[kClip];
            const int ps = l ? l->bside[kSubject] ^ l->bundle[kAbove][kSubject] : start[kSubject];
            state = WithParities(state, pc, ps);
            px = -DBL_MAX;
        }
        while (e) {
            Edge* next = e->next;
            e->xb = XAt(e, yb);
            T(e).walked = beam_;
            const unsigned char continues = e->top.y != yb;
            e->bundle[kAbove][kClip] = 0;
            e->bundle[kAbove][kSubject] = 0;
            e->bundle[kAbove][e->type] = continues;
            e->bstate[kAbove] = kSingle;
            ClassifyEdge<true>(e, BundleBitsAbove(e, continues << e->type), yb, state, px, cf);
            if (!continues) {
                Leave<true>(e);
            } else {
                walked_.push_back(e);
                if (!T(e).steady)
                    unsteady_.push_back(e);
            }
            e = next;
            // The run goes on at least to its event (edges of the same x may
            // come first), and past every edge that changes.
            if (e && T(ev).walked == beam_ && T(e).listed != beam_ && T(e).steady
                && !HorizontalOpen(state)
                && e->bside[kClip] == ParityOf(state, kClip) && e->bside[kSubject] == ParityOf(state, kSubject))
                break;
        }
        resume = e;
        if (!e)
            break;
    }
    // Every edge left continues above yb with its own operand's flag.
    parity_[kClip] = start[kClip] ^ (active_[kClip] & 1);
    parity_[kSubject] = start[kSubject] ^ (active_[kSubject] & 1);
}

// After the crossings of a beam that visited only the changes: when every
// crossing swapped two neighbours, the parities on the left of every other
// edge are what they were, so the next beam may again visit only the
// changes, with the crossed edges among them, once their new neighbours have
// checks and the list is in x order at yt.  False when a full beam must
// follow.
template <Operation Op>
[[gnu::noinline]] bool Sweep<Op>::SwapsKeepChanges(double yt)
{
    if (!allAdjacent_)
        return false;
    bool ordered = true;
    for (const Crossing& c : crossings_)
        for (Edge* e : {c.e0, c.e1}) {
            walked_.push_back(e);
            unsteady_.push_back(e);
            if (T(e).mark >= 0)
                marksValid_ = false;
            if (e->prev)
                SchedulePair(e->prev);
            SchedulePair(e);
        }
    // The new neighbours, and any pair found out of order that no crossing
    // swapped.
    for (const PairCheck& c : fresh_) {
        const Edge* a = c.a;
        if (T(a).pairStamp == c.stamp && a->next)
            ordered = ordered && !(XAt(a, yt) > XAt(a->next, yt));
    }
    return ordered;
}

// Every edge's x at yt, which a full step 7 reads.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::MaterializeTops(double yt)
{
    for (Edge* e = aet_; e; e = e->next)
        e->xt = XAbove(e, yt);
}

// The crossing search of the full steps for a beam whose first steps
// visited only the changes, done over the runs (blocks) of the list that
// hold every pair of edges whose order changes inside the beam.  The pairs
// of neighbours that DueChecks found out of order (fresh_) start the
// blocks.  A block grows until the edge on its left has an x at yt no
// greater than the block's least and the edge on its right one no less than
// its greatest; blocks that meet are merged.  Then, by induction along the
// list, every edge outside the blocks has the greatest x at yt so far, and
// every edge left of a block an x at yt no greater than the block's least.
// The full search adds the edges in list order to a list kept in descending
// x at yt from its head and looks for crossings only while the entry it
// meets is greater: so it meets no greater entry for an edge outside the
// blocks, and no entry from outside a block while it adds the block's
// edges.  Searching the blocks one by one in list order finds the same
// crossings in the same order.  The list is in x order at yb.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::LocalCrossings(double yb, double yt)
{
    blocks_.clear();
    for (const PairCheck& c : fresh_)
        if (T(c.a).pairStamp == c.stamp && c.a->next && T(c.a).block < 0)
            GrowBlock(c.a, yb, yt);
    blockOrder_.clear();
    for (std::size_t k = 0; k < blocks_.size(); ++k)
        if (blocks_[k].into == static_cast<int>(k))
            blockOrder_.push_back(static_cast<int>(k));
    std::sort(blockOrder_.begin(), blockOrder_.end(),
              [this, yb](int a, int b) { return BlockBefore(a, b, yb); });
    crossings_.clear();
    const double dy = yt - yb;
    for (const int k : blockOrder_) {
        Edge* sorted = nullptr;   // see AddToSorted
        for (Edge* e = blocks_[static_cast<std::size_t>(k)].first;; e = e->next) {
            T(e).block = -1;
            if (e->bstate[kAbove] != kTail)
                AddToSorted(e, dy, sorted);
            if (e == blocks_[static_cast<std::size_t>(k)].last)
                break;
        }
    }
    SortCrossings();
}

// Grows a block from the pair a, a->next (see LocalCrossings), merging the
// blocks it meets; the edges it takes get their x at yb and at yt.
template <Operation Op>
[[gnu::noinline]] int Sweep<Op>::GrowBlock(Edge* a, double yb, double yt)
{
    const int me = static_cast<int>(blocks_.size());
    blocks_.emplace_back(a, a, 0, 0, me);
    const auto root = [this](int k) {
        while (blocks_[static_cast<std::size_t>(k)].into != k)
            k = blocks_[static_cast<std::size_t>(k)].into;
        return k;
    };
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    const auto take = [&](Edge* e) {
        e->xb = XAt(e, yb);
        e->xt = XAbove(e, yt);
        T(e).block = me;
        lo = std::min(lo, e->xt);
        hi = std::max(hi, e->xt);
    };
    // Takes the block of edge e (another one), on the left or right.
    const auto merge = [&](Edge* e, bool left, Edge*& first, Edge*& last) {
        Block& o = blocks_[static_cast<std::size_t>(root(T(e).block))];
        (left ? first : last) = left ? o.first : o.last;
        lo = std::min(lo, o.lo);
        hi = std::max(hi, o.hi);
        o.into = me;
    };
    Edge* first = a;
    Edge* last = a->next;
    take(first);
    take(last);
    for (bool grew = true; grew;) {
        grew = false;
        while (Edge* p = first->prev) {
            if (T(p).block >= 0) {
                merge(p, true, first, last);
            } else {
                if (!(XAbove(p, yt) > lo))
                    break;
                take(p);
                first = p;
            }
            grew = true;
        }
        while (Edge* n = last->next) {
            if (T(n).block >= 0) {
                merge(n, false, first, last);
            } else {
                if (!(XAbove(n, yt) < hi))
                    break;
                take(n);
                last = n;
            }
            grew = true;
        }
    }
    Block& block = blocks_[static_cast<std::size_t>(me)];
    block.first = first;
    block.last = last;
    block.lo = lo;
    block.hi = hi;
    return me;
}

// Whether block a comes before block b in the list (disjoint blocks of a
// list in x order at yb).
template <Operation Op>
bool Sweep<Op>::BlockBefore(int a, int b, double yb) const
{
    const Block& p = blocks_[static_cast<std::size_t>(a)];
    const Block& q = blocks_[static_cast<std::size_t>(b)];
    if (p.first->xb != q.first->xb)
        return p.first->xb < q.first->xb;
    // Equal x: every edge between the two has that x too.
    for (const Edge* e = p.last->next; e && XAt(e, yb) == p.first->xb; e = e->next)
        if (e == q.first)
            return true;
    return false;
}

// Step 7 for a beam without swaps: the visited edges carry their state
// below, the edges reaching yt hand over to their successors, and every
// other edge only moves, which XAt accounts for.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::LazyNextBeam(double yt)
{
    for (Edge* e : walked_)
        CarryUp(e);
    ListChanges(yt, true);
}

} // namespace sweep
} // namespace detail
} // namespace clip
} // namespace S2D

#endif
