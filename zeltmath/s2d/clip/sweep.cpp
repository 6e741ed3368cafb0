// The scanbeam sweep.  Per beam [yb, yt]: the bounds starting at yb join the
// active edge list; coincident edges are bundled; every edge (bundle) is
// classified by what lies in the four quadrants around its point at yb, and
// that decides how output fragments start, grow and join; edges ending at yb
// leave; the crossings inside the beam are found and handled in ascending
// height; finally every edge moves up to yt (or hands over to its successor
// along the bound).

#include <zeltmath/s2d/clip/detail/sweep.h>

#include <zeltmath/s2d/clip/detail/sweep_changes.h>
#include <zeltmath/s2d/clip/detail/sweep_state.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <type_traits>

namespace S2D {
namespace clip {
namespace detail {

namespace sweep {

template <Operation Op>
void Sweep<Op>::InsertActive(Edge* e, Edge* after)
{
    // See StartsAfter.
    if (StartsAfter(after))
        PlaceFrom(e, after, after->next, [](const Edge* a) { return a->xb; });
    else
        PlaceFrom(e, nullptr, aet_, [](const Edge* a) { return a->xb; });
}

// Walks from `at` (`before` on its left) to the first edge that e precedes
// and links e in before it; xOf gives an edge's x at the beam bottom.
// Returns the number of edges passed, or kNoPlace, with e not linked, when
// its place lies past Limit edges.
template <Operation Op>
template <std::size_t Limit, class XOf>
inline std::size_t Sweep<Op>::PlaceFrom(Edge* e, Edge* before, Edge* at, XOf xOf)
{
    std::size_t steps = 0;
    for (; at; before = at, at = at->next, ++steps) {
        if (Precedes(e, xOf(at), at))
            break;
        if constexpr (Limit != kNoPlace)
            if (steps == Limit)
                return kNoPlace;
    }
    Link(e, before, at);
    return steps;
}

// Links e into the list between `before` and `at` (either may be null).
template <Operation Op>
inline void Sweep<Op>::Link(Edge* e, Edge* before, Edge* at)
{
    e->prev = before;
    e->next = at;
    if (before)
        before->next = e;
    else
        aet_ = e;
    if (at)
        at->prev = e;
}

// One step of bundle forming for edge e at height yb; e0 is the previous
// edge that continues above yb (or the first edge of the list).
template <Operation Op>
inline void Sweep<Op>::BundleStep(Edge* e, Edge*& e0, double yb)
{
    const unsigned char continues = e->top.y != yb;
    e->bundle[kAbove][kClip] = 0;
    e->bundle[kAbove][kSubject] = 0;
    e->bundle[kAbove][e->type] = continues;
    e->bstate[kAbove] = kSingle;
    if (!e0) {
        e0 = e;
        return;
    }
    if (!continues)
        return;
    if (std::fabs(e0->xb - e->xb) <= kCoincident && std::fabs(e0->dx - e->dx) <= kCoincident
        && e0->top.y != yb) {
        e->bundle[kAbove][e->type] = continues ^ e0->bundle[kAbove][e->type];
        e->bundle[kAbove][!e->type] = e0->bundle[kAbove][!e->type];
        e->bstate[kAbove] = kHead;
        e0->bundle[kAbove][kClip] = 0;
        e0->bundle[kAbove][kSubject] = 0;
        e0->bstate[kAbove] = kTail;
        bundleFormed_ = true;
    }
    e0 = e;
}

template <Operation Op>
void Sweep<Op>::FormBundles(double yb)
{
    Edge* e0 = nullptr;
    for (Edge* e = aet_; e; e = e->next)
        BundleStep(e, e0, yb);
}

// Classifies edge e (its BundleBits `bits`) at yb and grows the output by
// its vertex class.  state (see WalkState), px and cf carry the parities
// and horizontal states, the previous x and the current fragment from edge
// to edge along the list.
template <Operation Op>
template <bool Track>
[[gnu::always_inline]] inline void Sweep<Op>::ClassifyEdge(Edge* e, int bits, double yb, int& state, double& px, int& cf)
{
    const EdgeClass& c = kEdgeClasses<Op>.of[ClassIndex(bits, state)];
    // An edge that goes on above yb with a flag of its own is steady: in
    // the next beam its flags below are those above, and unless a bundle
    // forms there (which stops the beams that visit only changes for good)
    // or a horizontal side is open at it (which the walk sees), it is
    // classified with the same flags above and below: as a left or right
    // side of the result, which adds a vertex only at the edge's bottom, or
    // as nothing.  So as long as the parities on its left stay, later beams
    // change nothing of it but the previous x.  While pairs are tracked, the
    // fragment above is left equal to the one below from beam to beam, and
    // is cleared here.
    if (Track) {
        e->outp[kAbove] = Fragments::None;
        T(e).steady = static_cast<unsigned char>((bits & 3) != 0);
    }
    if (!bits)
        return;
    e->bside[kClip] = static_cast<unsigned char>(ParityOf(state, kClip));
    e->bside[kSubject] = static_cast<unsigned char>(ParityOf(state, kSubject));
    state = c.next;
    if (!c.contributing)
        return;
    const double xb = e->xb;
    // A left or right side of the result, the commonest class, by a branch
    // of its own rather than through the switch's jump table: how well that
    // indirect jump was predicted hung on where the code lay, and moved a
    // run of plate with openings by a third between builds.
    if (c.vertex == kLeftEdge || c.vertex == kRightEdge) {
        if (e->bot.y == yb) {
            if (c.vertex == kLeftEdge)
                out_.AddLeft(e->outp[kBelow], xb, yb);
            else
                out_.AddRight(e->outp[kBelow], xb, yb);
        }
        e->outp[kAbove] = e->outp[kBelow];
        px = xb;
        return;
    }
    const bool newX = xb != px;
    switch (c.vertex) {
    case kExternalMin:
    case kInternalMin:
        e->outp[kAbove] = out_.Create(xb, yb);
        px = xb;
        cf = e->outp[kAbove];
        break;
    case kExternalRight:
        if (newX) {
            out_.AddRight(cf, xb, yb);
            px = xb;
        }
        e->outp[kAbove] = cf;
        cf = Fragments::None;
        break;
    case kExternalLeft:
        out_.AddLeft(e->outp[kBelow], xb, yb);
        px = xb;
        cf = e->outp[kBelow];
        break;
    case kExternalMax:
        if (newX) {
            out_.AddLeft(cf, xb, yb);
            px = xb;
        }
        out_.MergeRight(cf, e->outp[kBelow]);
        cf = Fragments::None;
        break;
    case kInternalLeft:
        if (newX) {
            out_.AddLeft(cf, xb, yb);
            px = xb;
        }
        e->outp[kAbove] = cf;
        cf = Fragments::None;
        break;
    case kInternalRight:
        out_.AddRight(e->outp[kBelow], xb, yb);
        px = xb;
        cf = e->outp[kBelow];
        e->outp[kBelow] = Fragments::None;
        break;
    case kInternalMax:
        if (newX) {
            out_.AddRight(cf, xb, yb);
            px = xb;
        }
        out_.MergeLeft(cf, e->outp[kBelow]);
        cf = Fragments::None;
        e->outp[kBelow] = Fragments::None;
        break;
    case kInternalMaxMin:
        if (newX) {
            out_.AddRight(cf, xb, yb);
            px = xb;
        }
        out_.MergeLeft(cf, e->outp[kBelow]);
        e->outp[kBelow] = Fragments::None;
        e->outp[kAbove] = out_.Create(xb, yb);
        cf = e->outp[kAbove];
        break;
    case kExternalMaxMin:
        if (newX) {
            out_.AddLeft(cf, xb, yb);
            px = xb;
        }
        out_.MergeRight(cf, e->outp[kBelow]);
        e->outp[kBelow] = Fragments::None;
        e->outp[kAbove] = out_.Create(xb, yb);
        cf = e->outp[kAbove];
        break;
    default:
        break;
    }
}

// One walk per beam: every edge is classified, then an edge ending at yb
// leaves the list and every other edge gets its x at yt.  Classification
// only reads an edge's own state and what the edges to its left passed on,
// and leaving only touches the edge's left neighbour, which is classified
// by then; so the one walk does exactly what a walk per step would.
//
// When there is a beam above, the crossings inside it are looked for.  The
// search finds none when every bundle's x at yt is at least that of the
// bundle before it (AddToSorted meets no entry above the new edge), which
// the walk checks on its way; only a beam where that fails, or an x is
// NaN, runs the search itself.
// Inlined into the loops over the beams, as is NextBeam: with a few edges
// per beam, the calls' set-up and register saves were some 7 % of a
// beam's instructions.
template <Operation Op>
template <bool Track>
[[gnu::always_inline]] inline void Sweep<Op>::ClassifyAndRemove(double yb, double yt, bool above)
{
    int state = WalkState(parity_[kClip], parity_[kSubject], 0, 0);
    double px = -DBL_MAX;
    int cf = Fragments::None;
    crossings_.clear();
    double lastXt = -std::numeric_limits<double>::infinity();
    bool inOrder = true;
    Edge* next = nullptr;
    unsteady_.clear();
    for (Edge* e = aet_; e; e = next) {
        next = e->next;
        ClassifyEdge<Track>(e, BundleBits(e), yb, state, px, cf);
        if (e->top.y == yb) {
            Leave<Track>(e);
            continue;
        }
        if (Track && !T(e).steady)
            unsteady_.push_back(e);
        e->xt = XAbove(e, yt);
        if (e->bstate[kAbove] != kTail) {
            inOrder = inOrder && e->xt >= lastXt;
            lastXt = e->xt;
        }
    }
    parity_[kClip] = ParityOf(state, kClip);
    parity_[kSubject] = ParityOf(state, kSubject);
    if (above && !inOrder)
        SearchCrossings(yt - yb);
}

// The crossing search over the list as it stands, every edge's xt set.
template <Operation Op>
[[gnu::noinline]] void Sweep<Op>::SearchCrossings(double dy)
{
    crossings_.clear();
    Edge* sorted = nullptr;   // the search list, see AddToSorted
    for (Edge* e = aet_; e; e = e->next)
        if (e->bstate[kAbove] != kTail)
            AddToSorted(e, dy, sorted);
    SortCrossings();
}

// The crossings found, in ascending height; crossings at equal height keep
// the order found.
template <Operation Op>
void Sweep<Op>::SortCrossings()
{
    if (crossings_.size() > 1)
        std::stable_sort(crossings_.begin(), crossings_.end(),
                         [](const Crossing& a, const Crossing& b) { return LessTotal(a.y, b.y); });
}

template <Operation Op>
inline void Sweep<Op>::RemoveEnded(Edge* e)
{
    Edge* prev = e->prev;
    Edge* next = e->next;
    if (prev)
        prev->next = next;
    else
        aet_ = next;
    if (next)
        next->prev = prev;
    // A bundle head that ends hands its fragment to the tail beside it.
    if (e->bstate[kBelow] == kHead && prev && prev->bstate[kBelow] == kTail) {
        prev->outp[kBelow] = e->outp[kBelow];
        prev->bstate[kBelow] = kSingle;
        if (prev->prev && prev->prev->bstate[kBelow] == kTail)
            prev->bstate[kBelow] = kHead;
    }
}

// Edge e, ended at yb, leaves the list.  While pairs are tracked, the pair
// its neighbours now form gets its check at once: a slot that is let go is
// used again, so a later look could not tell a new neighbour by its address.
template <Operation Op>
template <bool Track>
inline void Sweep<Op>::Leave(Edge* e)
{
    Edge* prev = e->prev;
    if (Track)
        Unmark(e);
    RemoveEnded(e);
    --active_[e->type];
    in_.Release(e);
    if (Track && prev)
        SchedulePair(prev);
}

template <Operation Op>
inline void Sweep<Op>::AddToSorted(Edge* e, double dy, Edge*& head)
{
    // One entry per bundle (tails stay out), kept in descending xt from
    // `head` and linked through the edges themselves.  A new edge crosses every
    // entry it passes on its way to its place.
    Edge* before = nullptr;
    Edge* at = head;
    // Not "e->xt < at->xt": a NaN x is tested further, not taken as in order.
    while (at && !(e->xt >= at->xt)) {
        const double den = (at->xt - at->xb) - (e->xt - e->xb);
        if (e->dx == at->dx || std::fabs(den) <= kParallel)
            break;
        const double r = (e->xb - at->xb) / den;
        crossings_.emplace_back(at, e, at->xb + r * (at->xt - at->xb), r * dy);
        before = at;
        at = at->slink;
    }
    e->slink = at;
    if (before)
        before->slink = e;
    else
        head = e;
}

template <Operation Op>
void Sweep<Op>::SwapBundles(Edge* e0, Edge* e1)
{
    // e0's bundle (e0 and the tails to its left) moves to just after e1.
    Edge* first = e0;
    if (e0->bstate[kAbove] == kHead)
        while (first->prev && first->prev->bstate[kAbove] == kTail && first->prev != e1)
            first = first->prev;
    Edge* before = first->prev;
    Edge* after = e0->next;
    // Unlink [first, e0].
    if (before)
        before->next = after;
    else
        aet_ = after;
    if (after)
        after->prev = before;
    // Relink after e1.
    Edge* n = e1->next;
    e1->next = first;
    first->prev = e1;
    e0->next = n;
    if (n)
        n->prev = e0;
}

template <Operation Op>
bool Sweep<Op>::Adjacent(const Crossing& c) const
{
    const Edge* e = c.e0->next;
    while (e && e != c.e1 && e->bstate[kAbove] == kTail)
        e = e->next;
    return e == c.e1;
}

template <Operation Op>
void Sweep<Op>::HandleCrossings(double yb)
{
    for (std::size_t i = 0; i < crossings_.size(); ++i) {
        // Several crossings at almost one point can be found in an order in
        // which a pair is not yet side by side; a later pair that is takes
        // its turn first.  In exact arithmetic this never happens.
        bool adjacent = Adjacent(crossings_[i]);
        if (!adjacent) {
            in_.unevenCrossing = true;
            for (std::size_t j = i + 1; j < crossings_.size(); ++j) {
                if (Adjacent(crossings_[j])) {
                    std::swap(crossings_[i], crossings_[j]);
                    adjacent = true;
                    break;
                }
            }
        }
        allAdjacent_ = allAdjacent_ && adjacent;
        const Crossing& c = crossings_[i];
        Edge* e0 = c.e0;
        Edge* e1 = c.e1;
        const unsigned char (&a0)[2] = e0->bundle[kAbove];
        const unsigned char (&a1)[2] = e1->bundle[kAbove];
        if ((a0[kClip] || a0[kSubject]) && (a1[kClip] || a1[kSubject])) {
            const int p = e0->outp[kAbove];
            const int q = e1->outp[kAbove];
            const double ix = c.x;
            const double iy = c.y + yb;
            int in[2];
            for (int k = 0; k < 2; ++k)
                in[k] = (a0[k] && !e0->bside[k]) || (a1[k] && e1->bside[k])
                        || (!a0[k] && !a1[k] && e0->bside[k] && e1->bside[k]);
            const int tr = Combine2<Op>(in[kClip], in[kSubject]);
            const int tl = Combine2<Op>(in[kClip] ^ a1[kClip], in[kSubject] ^ a1[kSubject]);
            const int br = Combine2<Op>(in[kClip] ^ a0[kClip], in[kSubject] ^ a0[kSubject]);
            const int bl = Combine2<Op>(in[kClip] ^ a1[kClip] ^ a0[kClip],
                                    in[kSubject] ^ a1[kSubject] ^ a0[kSubject]);
            switch (tr + (tl << 1) + (br << 2) + (bl << 3)) {
            case kExternalMin:
            case kInternalMin:
                e0->outp[kAbove] = out_.CreateAtCrossing(ix, iy, yb);
                e1->outp[kAbove] = e0->outp[kAbove];
                break;
            case kExternalRight:
                if (p != Fragments::None) {
                    out_.AddRight(p, ix, iy);
                    e1->outp[kAbove] = p;
                    e0->outp[kAbove] = Fragments::None;
                }
                break;
            case kExternalLeft:
                if (q != Fragments::None) {
                    out_.AddLeft(q, ix, iy);
                    e0->outp[kAbove] = q;
                    e1->outp[kAbove] = Fragments::None;
                }
                break;
            case kExternalMax:
                if (p != Fragments::None && q != Fragments::None) {
                    out_.AddLeft(p, ix, iy);
                    out_.MergeRight(p, q);
                    e0->outp[kAbove] = Fragments::None;
                    e1->outp[kAbove] = Fragments::None;
                }
                break;
            case kInternalLeft:
                if (p != Fragments::None) {
                    out_.AddLeft(p, ix, iy);
                    e1->outp[kAbove] = p;
                    e0->outp[kAbove] = Fragments::None;
                }
                break;
            case kInternalRight:
                if (q != Fragments::None) {
                    out_.AddRight(q, ix, iy);
                    e0->outp[kAbove] = q;
                    e1->outp[kAbove] = Fragments::None;
                }
                break;
            case kInternalMax:
                if (p != Fragments::None && q != Fragments::None) {
                    out_.AddRight(p, ix, iy);
                    out_.MergeLeft(p, q);
                    e0->outp[kAbove] = Fragments::None;
                    e1->outp[kAbove] = Fragments::None;
                }
                break;
            case kInternalMaxMin:
                if (p != Fragments::None && q != Fragments::None) {
                    out_.AddRight(p, ix, iy);
                    out_.MergeLeft(p, q);
                    e0->outp[kAbove] = out_.CreateAtCrossing(ix, iy, yb);
                    e1->outp[kAbove] = e0->outp[kAbove];
                }
                break;
            case kExternalMaxMin:
                if (p != Fragments::None && q != Fragments::None) {
                    out_.AddLeft(p, ix, iy);
                    out_.MergeRight(p, q);
                    e0->outp[kAbove] = out_.CreateAtCrossing(ix, iy, yb);
                    e1->outp[kAbove] = e0->outp[kAbove];
                }
                break;
            default:
                break;
            }
        }
        // Each edge now lies on the other side of the other's bundle.
        if (e0->bundle[kAbove][kClip])
            e1->bside[kClip] = !e1->bside[kClip];
        if (e1->bundle[kAbove][kClip])
            e0->bside[kClip] = !e0->bside[kClip];
        if (e0->bundle[kAbove][kSubject])
            e1->bside[kSubject] = !e1->bside[kSubject];
        if (e1->bundle[kAbove][kSubject])
            e0->bside[kSubject] = !e0->bside[kSubject];
        SwapBundles(e0, e1);
    }
}

// Edge e keeps, below the next beam, the state it has above this one.
template <Operation Op>
inline void Sweep<Op>::CarryUp(Edge* e)
{
    PassedUp(*e).To(*e);
}

// Edge e ends at the top of this beam and its successor along the bound
// takes its place in the list, with e's state above as its state below.
template <Operation Op>
inline void Sweep<Op>::HandOver(Edge* e, Edge* succ)
{
    PassedUp(*e).To(*succ);
    Edge* prev = e->prev;
    Edge* next = e->next;
    if (prev)
        prev->next = succ;
    else
        aet_ = succ;
    if (next)
        next->prev = succ;
    succ->prev = prev;
    succ->next = next;
}

// Bounds start at vertices anywhere in their rings.  Asking for the vertex
// of the bound this many places ahead hides the wait for it.
constexpr std::size_t kFetchAhead = 8;

// The first edge of the next bound that starts at yt, lm on to the bound
// after it; null when no further bound starts there.
template <Operation Op>
inline Edge* Sweep<Op>::NextJoining(double yt, std::size_t& lm)
{
    if (!StartsAt(lm, yt))
        return nullptr;
    const std::vector<BoundStart>& minima = in_.minima;
    if (lm + kFetchAhead < minima.size()) {
        const BoundStart& ahead = minima[lm + kFetchAhead];
        __builtin_prefetch(ahead.ring + ahead.from);
    }
    return in_.FirstEdge(minima[lm++]);
}

// Step 7.  With no bounds starting at yt the list is final here, and the
// bundles of the next beam are formed in the same walk.  While pairs are
// tracked (Track), an edge keeps its fragment above equal to the one below
// (classification clears it), the edges that change at yt are listed, and
// every pair of neighbours that is new gets a check.
//
// With Join (pairs not tracked), step 1 of the next beam is done in the same
// walk: the bounds starting at yt join the list, each just before the first
// edge it precedes, as InsertBounds places them, and the bundles are formed
// with them.  An edge's x at yt is final once the walk has passed it, and
// the walk meets the edges in list order, so each bound is compared with
// the very edges, with the very x, that the search from the bound before it
// (see StartsAfter), or from the head for the first, would compare it with.
// *joined counts the bounds that joined.
template <Operation Op>
template <bool Track, bool Join>
[[gnu::always_inline]] inline bool Sweep<Op>::NextBeam(double yt, bool bundle, std::size_t* lm, int* joined)
{
    static_assert(!(Track && Join), "bounds join in the walk only while pairs are not tracked");
    if (Track) {
        ListChanges(yt, false);
        sorted_ = true;
    }
    double lowest = kNoTop;   // see lowestTop_
    bool ends = false;        // a bound ends at yt
    Edge* e0 = nullptr;
    Edge* next = nullptr;
    Edge* last = nullptr;
    Edge* joining = Join ? NextJoining(yt, *lm) : nullptr;   // the next bound to place
    Edge* placed = nullptr;                                   // the bound placed last
    // Links bound b in before edge `at` (null: at the end, after `last`).
    const auto join = [&](Edge* b, Edge* at) {
        Link(b, at ? at->prev : last, at);
        ++active_[b->type];
        lowest = Activate<false>(b, lowest);
        ++*joined;
        if (bundle)
            BundleStep(b, e0, yt);
        placed = b;
        joining = NextJoining(yt, *lm);
    };
    for (Edge* e = aet_; e; e = next) {
        next = e->next;
        // While pairs are not tracked nothing keeps an edge's slot, and the
        // successor takes the slot of the edge it follows.
        Edge* succ = nullptr;
        bool advanced = false;
        if (e->top.y == yt) {
            if (Track) {
                succ = in_.Successor(*e);
            } else {
                advanced = in_.Advance(*e);
                ends = ends || !advanced;
            }
        }
        Edge* now = e;
        if (succ) {
            HandOver(e, succ);
            lowest = Activate<Track>(succ, lowest);
            if (Track)
                events_.push_back(succ);
            now = succ;
        } else if (advanced) {
            lowest = Activate<Track>(e, lowest);
        } else {
            CarryUp(e);
            e->xb = e->xt;
            if (!Track && e->top.y != yt)
                lowest = std::min(lowest, e->top.y);
            if (Track && e->top.y == yt) {
                ending_.push_back(e);
                events_.push_back(e);
            }
        }
        if (!Track && !advanced)
            e->outp[kAbove] = Fragments::None;
        if (now != e)
            in_.Release(e);
        if (Join)
            while (joining && Precedes(joining, now->xb, now))
                join(joining, now);
        if (bundle)
            BundleStep(now, e0, yt);
        if (Track && last) {
            sorted_ = sorted_ && last->xb <= now->xb;
            // A successor may sit in the slot of an edge that left in
            // this beam, so the pair it makes is new whatever the
            // address of the left edge's last neighbour says.
            if (now != e || T(last).pairNext != now || T(last).pairStamp == 0)
                SchedulePair(last);
        }
        if (Track || Join)
            last = now;
    }
    if (Track && last && (T(last).pairNext != nullptr || T(last).pairStamp == 0))
        SchedulePair(last);
    if (Join) {
        // Bounds that precede no edge go to the end.
        while (joining) {
            join(joining, nullptr);
            last = placed;
        }
    }
    if (!Track) {
        lowestTop_ = lowest;
        // Bundles formed here (at yb, or at yt in this walk) or in the walk
        // before (at yb) leave flags that are not those of single edges.
        light_ = crossings_.empty() && !bundleFormed_ && !bundledBefore_;
        lightPairs_ = Join || ends;
        bundledBefore_ = bundleFormed_;
        bundleFormed_ = false;
    }
    return bundle;
}

// A light beam: one after a beam without crossings and without bundles, at
// whose bottom every change is a bound going on through a vertex (its edge
// handed over to the next one at the end of the beam before) or, with
// Pairs, two neighbours of one operand that both end there or both start
// there as new bounds.  Then nothing changed on the left of any other edge
// since it was last classified: an edge that ended in the beam before
// passed no flag on, a bound that started there passes its flag as it did,
// and no edge swapped places; a pair flips each parity twice or not at all
// and leaves no horizontal state open, and every other edge has its flags
// above and below.  So, as long as no bundle forms here, every edge but a
// pair's is classified with the parities it kept as its bundle sides (an
// edge handed over, with those of the edge before it), and with flags above
// and below only a left or right side of the result acts: it adds a vertex
// at its bottom, which is yb only for an edge handed over, and changes the
// previous x.  A pair is classified as the full walk would, from the
// parities after its left neighbour: by the vertex classes, the first of
// its edges either does nothing or sets the current fragment and the
// previous x to its own, and the second then uses and clears them, so no
// state comes into a pair or goes out of it (the sweep's tests go through
// every case).  The crossing search finds nothing while the x at yt keep
// the list's order, and step 7 changes only the edges ending at yt and the
// new bounds.  So one walk does the checks and the x at yt; if a bundle
// would form, the order breaks or a change is of another kind, every edge
// gets its x at yb back and false sends the beam to the full steps.
// Fragments above are left unset but for new bounds: for any other edge
// going on, its fragment below is the one classification would set above
// and step 7 copy back, and an edge handing over passes it on.
// With Merge, the beam goes on to yt past further heights, the highest of
// which is `skipped` (see MergedBeams).
template <Operation Op>
template <bool Pairs, bool Merge>
bool Sweep<Op>::LightBeam(double yb, double yt, double skipped)
{
    lightEvents_.clear();
    lightTops_.clear();
    lightWalked_.clear();
    double lowest = kNoTop;
    double lastXt = -std::numeric_limits<double>::infinity();
    // Of the last edge going on above yb: its x at yb and its dx.  The list
    // is in x order at yb after a beam without crossings (the walk before
    // checked the order at its top, which is this beam's bottom, and edges
    // that joined or were handed over since took their places by x), so
    // the bundle step's distance |x - lastXb| is x - lastXb; were the order
    // broken, the test would only give up more often.  Before the first
    // edge, lastXb is minus infinity, which no distance reaches.
    double lastXb = -std::numeric_limits<double>::infinity();
    double lastDx = 0;
    const Edge* last = nullptr;   // with Merge: the last edge going on
    const double room = in_.xRoom;
    // An edge going on above yb: the bundle step's test, the order at yt
    // (not "<": a NaN fails) and its x there.  With `through` true (a
    // std::true_type), the edge is known to end above yt.  With Merge, also
    // the test that the beams of the heights skipped would change nothing
    // of it and the edge before it (see MergedBeams).
    const auto goesOn = [&](Edge* e, auto through) {
        constexpr bool kThrough = decltype(through)::value;
        const double top = e->top.y;
        const bool ends = !kThrough && top == yt;
        const double xt = kThrough ? XAlong(e, yt) : XAbove(e, yt);
        const double xb = e->xb;
        if ((xb - lastXb <= kCoincident && std::fabs(lastDx - e->dx) <= kCoincident) || !(xt >= lastXt))
            return false;
        if constexpr (Merge) {
            if (!(xb - lastXb > room && xt - lastXt > room) && !MergedBeams::Beside(last, e, yt, skipped, room))
                return false;
            last = e;
        }
        if (ends)
            lightTops_.push_back(e);
        else
            lowest = std::min(lowest, top);
        lastXb = xb;
        lastXt = xt;
        lastDx = e->dx;
        e->xb = xt;
        return true;
    };
    // Whether e and its right neighbour are a pair of one operand that both
    // end at yb (ends) or both start there as new bounds.
    const auto pair = [yb](const Edge* e, bool ends) {
        const Edge* f = e->next;
        if (!f || f->type != e->type)
            return false;
        return ends ? f->top.y == yb : f->bot.y == yb && !f->bundle[kBelow][f->type];
    };
    // Gives back every x at yb up to e, and the beam to the full steps.
    const auto giveUp = [this, yb](const Edge* e) {
        for (Edge* f = aet_; f != e; f = f->next)
            f->xb = XAt(f, yb);
        return false;
    };
    for (Edge* e = aet_; e;) {
        // Most edges pass through the beam, from below yb to above yt: no
        // change of the beam is theirs, and their x at yt is on their slope.
        // (A loop of its own, left by goto at the end of the list: the
        // compiler keeps it tight.)
        while (e->top.y > yt && e->bot.y < yb) {
            if (!goesOn(e, std::true_type()))
                return giveUp(e);
            if (!(e = e->next))
                goto walked;
        }
        if (Pairs && e->top.y == yb) {
            if (!pair(e, true))
                return giveUp(e);
            lightEvents_.push_back(e);
            e = e->next->next;
            continue;
        }
        if (e->bot.y == yb) {
            lightEvents_.push_back(e);
            if (Pairs && !e->bundle[kBelow][e->type]) {
                if (!pair(e, false) || !goesOn(e, std::false_type()))
                    return giveUp(e);
                e = e->next;
            }
        }
        if (!goesOn(e, std::false_type()))
            return giveUp(e);
        e = e->next;
    }
walked:
    // Steps 3 and 4 for the changes, in list order.
    for (Edge* e : lightEvents_) {
        const int own = e->type == kClip ? 1 : 2;
        if (!Pairs || (e->bot.y == yb && e->bundle[kBelow][e->type])) {
            // Handed over: a left or right side adds its vertex, nothing
            // else acts (see above).
            const int state = WalkState(e->bside[kClip], e->bside[kSubject], 0, 0);
            const EdgeClass& c = kEdgeClasses<Op>.of[ClassIndex(own | own << 2, state)];
            if (!c.contributing)
                continue;
            if (c.vertex == kRightEdge)
                out_.AddRight(e->outp[kBelow], e->bot.x, yb);
            else if (c.vertex == kLeftEdge)
                out_.AddLeft(e->outp[kBelow], e->bot.x, yb);
            continue;
        }
        // A pair: the parities on its left are those after its left
        // neighbour, which goes on and was classified (or has kept its
        // parities, see above); the pair leaves them as it found them.
        Edge* f = e->next;
        const Edge* l = e->prev;
        int state = l ? WalkState(l->bside[kClip] ^ (l->type == kClip), l->bside[kSubject] ^ (l->type == kSubject), 0, 0)
                      : WalkState(parity_[kClip], parity_[kSubject], 0, 0);
        int cf = Fragments::None;
        double px = -DBL_MAX;
        if (e->top.y == yb) {
            ClassifyEdge<false>(e, own << 2, yb, state, px, cf);
            ClassifyEdge<false>(f, own << 2, yb, state, px, cf);
            Leave<false>(e);
            Leave<false>(f);
        } else {
            for (Edge* g : {e, f}) {
                g->xb = g->bot.x;
                ClassifyEdge<false>(g, own, yb, state, px, cf);
                g->xb = XAbove(g, yt);
                g->bundle[kAbove][g->type] = 1;
                lightWalked_.push_back(g);
            }
        }
    }
    // Step 7.  An edge not classified keeps its state below, which its
    // state above would have been; a new bound carries up what
    // classification gave it (its state below is none).
    bool ends = false;   // a bound ends at yt
    for (Edge* e : lightWalked_)
        if (e->top.y != yt || NextTop(*e) < 0) {
            ends = ends || e->top.y == yt;
            CarryUp(e);
            e->outp[kAbove] = Fragments::None;
        }
    for (Edge* e : lightTops_) {
        const int to = NextTop(*e);
        if (to < 0) {
            ends = true;
            continue;
        }
        if (e->outp[kAbove] == Fragments::None)
            e->outp[kAbove] = e->outp[kBelow];
        in_.Advance(*e, to);
        e->bundle[kAbove][e->type] = 1;
        lowest = Activate<false>(e, lowest);
    }
    lowestTop_ = lowest;
    light_ = true;
    lightPairs_ = ends;
    bundledBefore_ = false;
    return true;
}

// A light beam where one may be (see LightBeam).  Horizontal sides make
// bounds start and end alone, which light beams do not take, so where a bound
// may start or end, rings with horizontal sides are left to the full steps
// rather than tried in a walk that would give up.  This only decides how the
// beam is done.
template <Operation Op>
template <bool Merge>
bool Sweep<Op>::TryLight(double yb, double yt, bool pairs, double skipped)
{
    if (!pairs)
        return LightBeam<false, Merge>(yb, yt, skipped);
    return !in_.flatSides && LightBeam<true, Merge>(yb, yt, skipped);
}

// The greatest of the further heights below y, which lies above the beam's
// bottom (NextHeight found one).
template <Operation Op>
double Sweep<Op>::LastHeightBelow(double y)
{
    const std::vector<double>& heights = *in_.heights;
    std::size_t i = height_;
    while (i + 1 < heights.size() && heights[i + 1] < y)
        ++i;
    return heights[i];
}

// Edge e joins the list.  While pairs are tracked (Tracking, which is
// tracking_) its top goes to the queue that keeps the edges with their tops;
// otherwise only the lowest top counts (see NextHeight): `lowest`
// (lowestTop_, or the copy a walk keeps in a register) comes back lowered to
// e's top.  NextBeam<Track> runs exactly while tracking_ is Track.
template <Operation Op>
template <bool Tracking>
inline double Sweep<Op>::Activate(Edge* e, double lowest)
{
    ++changes_;   // joins; leaves are counted per beam
    if (!Tracking)
        return std::min(lowest, e->top.y);
    edgeTops_.Emplace(e->top.y, e);
    return lowest;
}

template <Operation Op>
inline double Sweep<Op>::Activate(Edge* e, double lowest)
{
    return tracking_ ? Activate<true>(e, lowest) : Activate<false>(e, lowest);
}

// Step 1: the bounds starting at yb join the list, by the x of every edge
// worked out on the way when the beam visits only the changes (`lazy`).
template <Operation Op>
void Sweep<Op>::InsertBounds(double yb, std::size_t& lm, bool lazy)
{
    Edge* inserted = nullptr;
    inserted_.clear();
    while (Edge* e = NextJoining(yb, lm)) {
        if (lazy) {
            LazyInsert(e, inserted, yb);
            inserted_.push_back(e);
        } else {
            InsertActive(e, inserted);
        }
        inserted = e;
        ++active_[e->type];
        lowestTop_ = Activate(e, lowestTop_);
    }
}

// The top of the beam from yb: the lowest of the next minimum and the tops
// of the active edges, or a further height below them.  False when yb is
// the last height.  When a further height comes first, *next (when given)
// is set to the lowest of the others, a vertex's height; else it is left as
// it is.  Inlined into the loops over the beams, as ClassifyAndRemove is.
template <Operation Op>
[[gnu::always_inline]] inline bool Sweep<Op>::NextHeight(double yb, std::size_t lm, double& yt, double* next)
{
    bool above = false;
    yt = yb;
    if (lowestTop_ < kNoTop) {
        yt = lowestTop_;
        above = true;
    }
    if (!edgeTops_.Empty() && (!above || edgeTops_.MinY() < yt)) {
        yt = edgeTops_.MinY();
        above = true;
    }
    const std::vector<BoundStart>& minima = in_.minima;
    if (lm < minima.size() && (!above || minima[lm].y < yt)) {
        yt = minima[lm].y;
        above = true;
    }
    // A further height divides the beam, but does not make one.
    if (above && extraHeight_ < yt) {
        const std::vector<double>& heights = *in_.heights;
        while (height_ < heights.size() && heights[height_] <= yb)
            ++height_;
        extraHeight_ = height_ < heights.size() ? heights[height_] : kNoTop;
        if (next && extraHeight_ < yt)
            *next = Height(yt);
        yt = std::min(yt, extraHeight_);
    }
    yt = Height(yt);
    return above;
}

template <Operation Op>
void Sweep<Op>::Run(ContourSet& out)
{
    // The beams are the distinct vertex heights.  Every vertex is a local
    // minimum or the top of an edge that is active by the time the sweep
    // gets there, so the next height is the smaller of the next minimum and
    // the lowest top among the active edges, instead of a sort of all
    // heights.
    parity_[kClip] = Op == Operation::Difference ? 1 : 0;
    parity_[kSubject] = 0;
    initialParity_[kClip] = parity_[kClip];
    initialParity_[kSubject] = parity_[kSubject];
    const std::vector<BoundStart>& minima = in_.minima;
    std::size_t lm = 0;
    if (minima.empty())
        return out_.Result(out, in_.births);
    classicOnly_ = in_.extreme;
    // A late start is at the height of the first bound (see BuildBounds).
    double yb = Height(minima[0].y);
    if (!in_.startEdges.empty())
        StartWith(in_.startEdges, yb);
    bool bundled = false;
    for (;;) {
        // Plain beams while the list is short: nothing but the full steps.
        // From the second on, the bounds of each beam joined in the walk
        // of step 7 before it; whether the beam is plain is decided, as
        // for the first, by the list without them.
        bool starts = StartsAt(lm, yb);
        int joined = 0;
        while (Active() - joined < in_.tuning.lazyFrom || classicOnly_) {
            if (starts)
                InsertBounds(yb, lm, false);
            double yt;
            double next = kNoTop;
            const bool above = NextHeight(yb, lm, yt, &next);
            bool lit = false;
            if (light_ && above && yb < in_.lastHeight) {
                // The beams up to the next height of a vertex at once,
                // where MergedBeams allows.
                if (MayMerge(next) && TryLight<true>(yb, next, starts || lightPairs_, LastHeightBelow(next))) {
                    yt = next;
                    lit = true;
                } else {
                    lit = TryLight(yb, yt, starts || lightPairs_);
                }
            }
            if (lit) {
                starts = StartsAt(lm, yt);
                bundled = false;
                joined = 0;
                yb = yt;
                ++beam_;
                continue;
            }
            if (!bundled)
                FormBundles(yb);
            ClassifyAndRemove<false>(yb, yt, above);
            if (!above || yb >= in_.lastHeight)
                return out_.Result(out, in_.births);
            if (!crossings_.empty())
                HandleCrossings(yb);
            joined = 0;
            if (StartsAt(lm, yt))
                bundled = NextBeam<false, true>(yt, true, &lm, &joined);
            else
                bundled = NextBeam<false>(yt, true);
            starts = false;
            yb = yt;
            ++beam_;
        }
        // The bounds that joined count among the changes of the beam, as
        // when InsertBounds places them.
        changes_ = static_cast<std::size_t>(joined);
        if (RunTracked(yb, lm, bundled))
            return out_.Result(out, in_.births);
        light_ = false;
    }
}

// The list the sweep holds at yb when it starts late: `edges` in list
// order.  Those that end at yb leave in its first walk.
template <Operation Op>
void Sweep<Op>::StartWith(const std::vector<Edge*>& edges, double yb)
{
    Edge* last = nullptr;
    for (Edge* e : edges) {
        Link(e, last, nullptr);
        last = e;
        ++active_[e->type];
        if (e->top.y != yb)
            lowestTop_ = std::min(lowestTop_, e->top.y);
    }
}

// Beams from one with a long list on, until the list is short again (false)
// or the sweep ends (true): pairs are tracked while the list is long and
// changes little, and a beam with few changes visits only them.
template <Operation Op>
bool Sweep<Op>::RunTracked(double& yb, std::size_t& lm, bool& bundled)
{
    bool lastLazy = false;
    for (;;) {
        // Visiting only the changes pays while they are few.
        bool lazy = false;
        if (lazyOk_ && tracking_ && !classicOnly_) {
            std::size_t starting = 0;
            while (StartsAt(lm + starting, yb))
                ++starting;
            lazy = (events_.size() + starting) * in_.tuning.changesPerEdge < static_cast<std::size_t>(Active());
        }
        if (!lazy && lastLazy) {
            Materialize(yb);
            bundled = false;
        }
        InsertBounds(yb, lm, lazy);
        double yt;
        double next = kNoTop;
        const bool above = NextHeight(yb, lm, yt, &next);
        if (lazy && (classicOnly_ || RiskAroundEnding(yb))) {
            classicOnly_ = true;
            lazy = false;
            Materialize(yb);
            bundled = false;
        }
        const int activeStart = Active();
        bool swapped;
        if (lazy) {
            LazyWalk(yb);
            if (!above || yb >= in_.lastHeight)
                return true;
            swapped = DueChecks(yt);
            // Up to the next height of a vertex at once, when the beams of
            // the further heights before it would change nothing: no edge
            // changes at them (none was left unsteady, and no vertex lies
            // there), no pair's order can change up to it (no check is due),
            // and no pair might bundle (or the beams would not visit only
            // the changes).
            if (!swapped && MayMerge(next) && unsteady_.empty() && (checks_.Empty() || checks_.MinY() > next))
                yt = next;
            if (swapped) {
                LocalCrossings(yb, yt);
                allAdjacent_ = true;
                HandleCrossings(yb);
                swapped = !SwapsKeepChanges(yt);
                if (swapped) {
                    // A full step 7 follows.
                    Materialize(yb);
                    MaterializeTops(yt);
                }
            }
        } else {
            if (!bundled)
                FormBundles(yb);
            if (tracking_)
                ClassifyAndRemove<true>(yb, yt, above);
            else
                ClassifyAndRemove<false>(yb, yt, above);
            if (!above || yb >= in_.lastHeight)
                return true;
            swapped = !crossings_.empty();
            HandleCrossings(yb);
        }
        // Pairs are tracked while the list is long and changes little.
        // Tracking starts after two such beams in a row, so that it does
        // not start and stop over and over where changes come and go.
        bool track = false;
        if (Active() >= in_.tuning.lazyUntil) {
            changes_ += static_cast<std::size_t>(activeStart - Active());
            const bool quiet = changes_ * in_.tuning.changesPerEdge < static_cast<std::size_t>(Active());
            track = quiet && (tracking_ || (Active() >= in_.tuning.lazyFrom && quiet_));
            quiet_ = quiet;
        }
        changes_ = 0;
        const bool startTracking = track && !tracking_;
        const bool stopTracking = !track && tracking_;
        tracking_ = track;
        if (startTracking)
            in_.StartTracking(aet_);
        const bool bundleNext = !StartsAt(lm, yt);
        if (lazy && !swapped) {
            LazyNextBeam(yt);
            bundled = false;
            lastLazy = true;
            sorted_ = true;
        } else {
            bundled = tracking_ ? NextBeam<true>(yt, bundleNext) : NextBeam<false>(yt, bundleNext);
            lastLazy = false;
            marksValid_ = false;
        }
        if (startTracking) {
            TrackAllPairs(yt);
            lowestTop_ = kNoTop;
        }
        if (stopTracking) {
            in_.StopTracking();
            checks_.Clear();
            ClearFresh();
            edgeTops_.Clear();
            if (lastLazy) {
                // A full step 7 finds the lowest top on its walk; one that
                // visited only the changes did not.
                lowestTop_ = kNoTop;
                for (Edge* e = aet_; e; e = e->next)
                    if (e->top.y != yt && e->top.y < lowestTop_)
                        lowestTop_ = e->top.y;
            }
        }
        lazyOk_ = !swapped && !startTracking && sorted_ && parity_[kClip] == initialParity_[kClip]
                  && parity_[kSubject] == initialParity_[kSubject];
        yb = yt;
        ++beam_;
        if (!tracking_ && Active() < in_.tuning.lazyUntil) {
            // Back to plain beams; the next change-only beam needs a full one
            // before it.
            lazyOk_ = false;
            if (lastLazy)
                Materialize(yb);
            return false;
        }
    }
}

} // namespace sweep

void RunSweep(Operation op, SweepInput& in, ContourSet& out)
{
    switch (op) {
    case Operation::Difference:
        return sweep::Sweep<Operation::Difference>(in).Run(out);
    case Operation::Intersection:
        return sweep::Sweep<Operation::Intersection>(in).Run(out);
    case Operation::Xor:
        return sweep::Sweep<Operation::Xor>(in).Run(out);
    default:
        return sweep::Sweep<Operation::Union>(in).Run(out);
    }
}

} // namespace detail
} // namespace clip
} // namespace S2D
