// The scanbeam sweep.  Per beam [yb, yt]: the bounds starting at yb join the
// active edge list; coincident edges are bundled; every edge (bundle) is
// classified by what lies in the four quadrants around its point at yb, and
// that decides how output fragments start, grow and join; edges ending at yb
// leave; the crossings inside the beam are found and handled in ascending
// height; finally every edge moves up to yt (or hands over to its successor
// along the bound).

#include <zeltmath/s2d/clip/detail/sweep.h>

#include <zeltmath/s2d/clip/detail/fragments.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <functional>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Edges closer than this in x at the beam bottom and in slope are one bundle.
constexpr double kCoincident = 1e-8;
// Crossings of edges whose relative run differs by no more than this are
// not looked for.
constexpr double kParallel = DBL_EPSILON;

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

// The top of an active edge, for the heap that gives the next beam.
struct Top {
    double y;
    Edge* e;
};

struct LaterTop {
    bool operator()(const Top& a, const Top& b) const { return a.y > b.y; }
};

// A scheduled look at the pair an edge forms with its right neighbour:
// from beam top y on, their order may change.
struct PairCheck {
    double y;
    Edge* a;
    unsigned stamp;
};

struct LaterCheck {
    bool operator()(const PairCheck& a, const PairCheck& b) const { return a.y > b.y; }
};

// x of edge e at height y, with the very arithmetic by which the sweep moves
// an edge from beam to beam: its bottom x where it starts, its top x where
// it ends, else along its slope from the bottom.
inline double XAt(const Edge* e, double y)
{
    if (y == e->bot.y)
        return e->bot.x;
    if (y == e->top.y)
        return e->top.x;
    return e->bot.x + e->dx * (y - e->bot.y);
}

struct Crossing {
    Edge* e0;
    Edge* e1;
    double x;
    double y;   // above the beam bottom
};

// The operation is a template argument, so that the per-edge tests below
// compile to straight logic instead of a switch per quadrant.
template <Operation Op>
inline int Combine2(int a, int b)
{
    if (Op == Operation::Union)
        return a || b;
    if (Op == Operation::Xor)
        return a ^ b;
    return a && b;
}

template <Operation Op>
class Sweep {
public:
    explicit Sweep(SweepInput& in) : in_(in) { out_.Reserve(in.kept.size() + 16); }

    ContourSet Run();

private:
    void InsertActive(Edge* e, Edge* after);
    void FormBundles(double yb);
    void BundleStep(Edge* e, Edge*& e0, double yb);
    void ClassifyEdge(Edge* e, double yb, int (&horiz)[2], double& px, int& cf);
    void ClassifyAndRemove(double yb, double yt, bool above);
    void RemoveEnded(Edge* e);
    void AddToSorted(Edge* e, double dy);
    void Activate(Edge* e);
    void HandleCrossings(double yb);
    void SwapBundles(Edge* e0, Edge* e1);
    bool Adjacent(const Crossing& c) const;
    bool NextBeam(double yt, bool bundle);

    // Beams that visit only the edges that change; see LazyWalk.
    void LazyInsert(Edge* e, Edge* after, double yb);
    bool RiskAroundEnding(double yb);
    void LazyWalk(double yb);
    bool DueChecks(double yt);
    void FindCrossings(double yb, double yt);
    void LazyNextBeam(double yt);
    void Materialize(double yb);
    void RebuildMarks();
    void Unmark(Edge* e);
    void SchedulePair(Edge* a);
    void TrackAllPairs(double yt);
    double NextCheck(const Edge* a, const Edge* b, double xa, double xb, double yt) const;
    void PopTops(double yt, bool use);
    int Active() const { return active_[kClip] + active_[kSubject]; }

    SweepInput& in_;
    Fragments out_;
    Edge* aet_ = nullptr;
    int parity_[2] = {0, 0};
    Edge* sortedHead_ = nullptr;   // crossing search list, see AddToSorted
    std::vector<double> tops_;   // min-heap of the top heights of active edges
    std::vector<Top> edgeTops_;  // the same with the edges, while pairs are tracked
    std::vector<Crossing> crossings_;

    int active_[2] = {0, 0};            // active edges per operand
    std::size_t changes_ = 0;           // edges that joined or left in this beam
    int initialParity_[2] = {0, 0};
    long beam_ = 0;                     // number of the current beam
    bool tracking_ = false;             // pair checks are kept
    bool classicOnly_ = false;          // input that every beam walks in full
    bool lazyOk_ = false;               // the next beam may visit only changes
    bool sorted_ = false;               // the list is in x order at the next beam
    unsigned stamps_ = 0;
    std::vector<PairCheck> checks_;     // min-heap of pair checks
    std::vector<PairCheck> recheck_;
    std::vector<Edge*> events_;         // edges that change at the next beam
    std::vector<Edge*> ending_;         // edges whose bound ends at the next beam
    std::vector<Edge*> inserted_;       // bounds that joined at this beam
    std::vector<Edge*> walked_;         // edges visited in this beam that stay
    std::vector<Edge*> unsteady_;       // of those, the ones not merely passing
    std::vector<Edge*> marks_;          // every kMarkGap-th edge of the list
    bool marksValid_ = false;
};

template <Operation Op>
void Sweep<Op>::InsertActive(Edge* e, Edge* after)
{
    // Ordered by xb, then dx; an edge equal in both goes after the others:
    // e goes before the first edge that it precedes.  The bounds of one
    // minimum come in that same order, so when `after` is the bound inserted
    // just before e, no edge up to `after` can follow e and the search starts
    // behind it (NaN slopes, which break that order, search from the head).
    Edge* before = nullptr;
    Edge* at = aet_;
    if (after && after->dx == after->dx && e->dx == e->dx) {
        before = after;
        at = after->next;
    }
    while (at && !(e->xb < at->xb || (e->xb == at->xb && e->dx < at->dx))) {
        before = at;
        at = at->next;
    }
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

// Classifies edge e at yb and grows the output by its vertex class.  horiz,
// px and cf carry the horizontal states, the previous x and the current
// fragment from edge to edge along the list.
template <Operation Op>
[[gnu::always_inline]] inline void Sweep<Op>::ClassifyEdge(Edge* e, double yb, int (&horiz)[2], double& px, int& cf)
{
    const int exC = e->bundle[kAbove][kClip] + (e->bundle[kBelow][kClip] << 1);
    const int exS = e->bundle[kAbove][kSubject] + (e->bundle[kBelow][kSubject] << 1);
    e->outp[kAbove] = Fragments::None;
    // An edge that passes through the beam with the same bundle flags above
    // and below, where no horizontal side is open, is steady: as long as the
    // parities on its left stay, every later beam classifies it the same.
    e->steady = static_cast<unsigned char>((exC | exS) != 0 && (exC == 3 || exC == 0) && (exS == 3 || exS == 0)
                                           && (horiz[kClip] | horiz[kSubject]) == 0 && e->bot.y != yb);
    if (!exC && !exS)
        return;
    const int pc = parity_[kClip];
    const int ps = parity_[kSubject];
    const int hc = horiz[kClip] != 0;
    const int hs = horiz[kSubject] != 0;
    e->bside[kClip] = static_cast<unsigned char>(pc);
    e->bside[kSubject] = static_cast<unsigned char>(ps);

    bool contributing;
    switch (Op) {
    case Operation::Xor:
        contributing = true;
        break;
    case Operation::Union:
        contributing = (exC && (!ps || hs)) || (exS && (!pc || hc)) || (exC && exS && pc == ps);
        break;
    default:
        contributing = (exC && (ps || hs)) || (exS && (pc || hc)) || (exC && exS && pc == ps);
        break;
    }
    const int aC = e->bundle[kAbove][kClip];
    const int aS = e->bundle[kAbove][kSubject];
    const int bC = e->bundle[kBelow][kClip];
    const int bS = e->bundle[kBelow][kSubject];
    const int br = Combine2<Op>(pc, ps);
    const int bl = Combine2<Op>(pc ^ aC, ps ^ aS);
    const int tr = Combine2<Op>(pc ^ hc, ps ^ hs);
    const int tl = Combine2<Op>(pc ^ hc ^ bC, ps ^ hs ^ bS);

    parity_[kClip] ^= aC;
    parity_[kSubject] ^= aS;
    if (exC)
        horiz[kClip] = kNextHorizontal[horiz[kClip]][((exC - 1) << 1) + parity_[kClip]];
    if (exS)
        horiz[kSubject] = kNextHorizontal[horiz[kSubject]][((exS - 1) << 1) + parity_[kSubject]];

    if (!contributing)
        return;
    const double xb = e->xb;
    const bool newX = xb != px;
    switch (tr + (tl << 1) + (br << 2) + (bl << 3)) {
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
    case kLeftEdge:
        if (e->bot.y == yb)
            out_.AddLeft(e->outp[kBelow], xb, yb);
        e->outp[kAbove] = e->outp[kBelow];
        px = xb;
        break;
    case kRightEdge:
        if (e->bot.y == yb)
            out_.AddRight(e->outp[kBelow], xb, yb);
        e->outp[kAbove] = e->outp[kBelow];
        px = xb;
        break;
    default:
        break;
    }
}

// One walk per beam: every edge is classified, then an edge ending at yb
// leaves the list and every other edge gets its x at yt and, when there is a
// beam above, is checked for crossings inside it.  Classification only reads
// an edge's own state and what the edges to its left passed on, and leaving
// only touches the edge's left neighbour, which is classified by then; so
// the one walk does exactly what a walk per step would.
template <Operation Op>
void Sweep<Op>::ClassifyAndRemove(double yb, double yt, bool above)
{
    int horiz[2] = {0, 0};
    double px = -DBL_MAX;
    int cf = Fragments::None;
    crossings_.clear();
    sortedHead_ = nullptr;
    const double dy = yt - yb;
    Edge* next = nullptr;
    unsteady_.clear();
    for (Edge* e = aet_; e; e = next) {
        next = e->next;
        ClassifyEdge(e, yb, horiz, px, cf);
        if (e->top.y == yb) {
            RemoveEnded(e);
            --active_[e->type];
            ++changes_;
            in_.Release(e);
            continue;
        }
        if (tracking_ && !e->steady)
            unsteady_.push_back(e);
        e->xt = e->top.y == yt ? e->top.x : e->bot.x + e->dx * (yt - e->bot.y);
        if (above && e->bstate[kAbove] != kTail)
            AddToSorted(e, dy);
    }
    // Ascending height; crossings at equal height keep the order found.
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

template <Operation Op>
inline void Sweep<Op>::AddToSorted(Edge* e, double dy)
{
    // One entry per bundle (tails stay out), kept in descending xt from the
    // head and linked through the edges themselves.  A new edge crosses every
    // entry it passes on its way to its place.
    Edge* before = nullptr;
    Edge* at = sortedHead_;
    while (at) {
        const double den = (at->xt - at->xb) - (e->xt - e->xb);
        if (e->xt >= at->xt || e->dx == at->dx || std::fabs(den) <= kParallel)
            break;
        const double r = (e->xb - at->xb) / den;
        crossings_.push_back(Crossing{at, e, at->xb + r * (at->xt - at->xb), r * dy});
        before = at;
        at = at->slink;
    }
    e->slink = at;
    if (before)
        before->slink = e;
    else
        sortedHead_ = e;
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
        if (!Adjacent(crossings_[i])) {
            for (std::size_t j = i + 1; j < crossings_.size(); ++j) {
                if (Adjacent(crossings_[j])) {
                    std::swap(crossings_[i], crossings_[j]);
                    break;
                }
            }
        }
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
                e0->outp[kAbove] = out_.Create(ix, iy);
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
                    e0->outp[kAbove] = out_.Create(ix, iy);
                    e1->outp[kAbove] = e0->outp[kAbove];
                }
                break;
            case kExternalMaxMin:
                if (p != Fragments::None && q != Fragments::None) {
                    out_.AddLeft(p, ix, iy);
                    out_.MergeRight(p, q);
                    e0->outp[kAbove] = out_.Create(ix, iy);
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

template <Operation Op>
bool Sweep<Op>::NextBeam(double yt, bool bundle)
{
    // With no bounds starting at yt the list is final here, and the bundles
    // of the next beam are formed in the same walk.  An edge keeps its
    // fragment above equal to the one below; classification clears it.
    const bool track = tracking_;
    events_.clear();
    ending_.clear();
    if (track)
        for (Edge* u : unsteady_)
            if (u->top.y != yt)
                events_.push_back(u);
    if (track)
        PopTops(yt, false);
    Edge* e0 = nullptr;
    Edge* next = nullptr;
    Edge* last = nullptr;
    sorted_ = true;
    for (Edge* e = aet_; e; e = next) {
        next = e->next;
        Edge* succ = e->top.y == yt ? in_.Successor(*e) : nullptr;
        Edge* now = e;
        if (succ) {
            succ->outp[kBelow] = e->outp[kAbove];
            succ->bstate[kBelow] = e->bstate[kAbove];
            succ->bundle[kBelow][kClip] = e->bundle[kAbove][kClip];
            succ->bundle[kBelow][kSubject] = e->bundle[kAbove][kSubject];
            Edge* prev = e->prev;
            if (prev)
                prev->next = succ;
            else
                aet_ = succ;
            if (next)
                next->prev = succ;
            succ->prev = prev;
            succ->next = next;
            Activate(succ);
            if (track)
                events_.push_back(succ);
            now = succ;
        } else {
            e->outp[kBelow] = e->outp[kAbove];
            e->bstate[kBelow] = e->bstate[kAbove];
            e->bundle[kBelow][kClip] = e->bundle[kAbove][kClip];
            e->bundle[kBelow][kSubject] = e->bundle[kAbove][kSubject];
            e->xb = e->xt;
            if (track && e->top.y == yt) {
                ending_.push_back(e);
                events_.push_back(e);
            }
        }
        if (now != e)
            in_.Release(e);
        if (bundle)
            BundleStep(now, e0, yt);
        if (track && last) {
            sorted_ = sorted_ && last->xb <= now->xb;
            if (last->pairNext != now || last->pairStamp == 0)
                SchedulePair(last);
        }
        last = now;
    }
    if (track && last && last->pairNext != nullptr)
        SchedulePair(last);
    return bundle;
}

template <Operation Op>
inline void Sweep<Op>::Activate(Edge* e)
{
    tops_.push_back(e->top.y);
    std::push_heap(tops_.begin(), tops_.end(), std::greater<double>());
    ++changes_;
    if (tracking_) {
        edgeTops_.push_back(Top{e->top.y, e});
        std::push_heap(edgeTops_.begin(), edgeTops_.end(), LaterTop());
    }
    // Beams visit only the changes for slopes the checks below can bound.
    if (!(std::fabs(e->dx) < 1e300))
        classicOnly_ = true;
}

// Takes the edges whose top is yt off the heap.  With `use`, each is handed
// over to its successor or listed as ending at the next beam.
template <Operation Op>
void Sweep<Op>::PopTops(double yt, bool use)
{
    while (!edgeTops_.empty() && edgeTops_.front().y <= yt) {
        Edge* e = edgeTops_.front().e;
        std::pop_heap(edgeTops_.begin(), edgeTops_.end(), LaterTop());
        edgeTops_.pop_back();
        if (!use)
            continue;
        Edge* succ = in_.Successor(*e);
        if (!succ) {
            ending_.push_back(e);
            events_.push_back(e);
            continue;
        }
        succ->outp[kBelow] = e->outp[kAbove];
        succ->bstate[kBelow] = e->bstate[kAbove];
        succ->bundle[kBelow][kClip] = e->bundle[kAbove][kClip];
        succ->bundle[kBelow][kSubject] = e->bundle[kAbove][kSubject];
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
        if (e->mark >= 0) {
            succ->mark = e->mark;
            marks_[static_cast<std::size_t>(e->mark)] = succ;
            e->mark = -1;
        }
        in_.Release(e);
        Activate(succ);
        events_.push_back(succ);
        if (prev)
            SchedulePair(prev);
        SchedulePair(succ);
    }
}

// ---- Beams that visit only the edges that change ----------------------
//
// In dense input most active edges only pass through a beam: nothing about
// them changes but their x, which is a function of the beam's height alone
// (XAt).  Such an edge is steady (see ClassifyEdge): its bundle flags are
// the same above and below, no horizontal side is open at it, and once
// classified so, every later beam classifies it the same way as long as the
// parities on its left stay: its fragment above is its fragment below, its
// bundle sides are those parities and it changes nothing else.  A beam may
// then skip it, provided that
//   - no two neighbours swap places in the beam: each pair of neighbours has
//     a scheduled check, the first beam from which rounding can no longer
//     promise their order (NextCheck); the order is compared exactly there;
//     a beam with a swap is finished by the full steps;
//   - no bundle can form: a pair of neighbours with slopes within the
//     bundle tolerance turns every later beam over to the full walk;
//   - the walk around the edges that change ends only where the parities
//     and the horizontal states agree with those the next edge was last
//     classified with.
// Each skipped edge would have done exactly what it did in its last beam,
// which changes no output and no state the walk carries on, except the
// previous x, which can only matter between edges of one x.  So the output
// is that of the full walk, bit for bit.  Only a beam of many active edges
// is done so; every other beam takes the full walk.

template <Operation Op>
void Sweep<Op>::SchedulePair(Edge* a)
{
    a->pairStamp = ++stamps_;
    a->pairNext = a->next;
    if (!a->next)
        return;
    if (std::fabs(a->dx - a->next->dx) <= kCoincident)
        classicOnly_ = true;
    checks_.push_back(PairCheck{-DBL_MAX, a, a->pairStamp});
    std::push_heap(checks_.begin(), checks_.end(), LaterCheck());
}

template <Operation Op>
void Sweep<Op>::TrackAllPairs(double yt)
{
    // Edges ending at yt are listed as ending already.
    checks_.clear();
    edgeTops_.clear();
    for (Edge* e = aet_; e; e = e->next) {
        SchedulePair(e);
        if (e->top.y != yt)
            edgeTops_.push_back(Top{e->top.y, e});
    }
    std::make_heap(edgeTops_.begin(), edgeTops_.end(), LaterTop());
}

// The first beam top from which the order of a (left) and b (right), whose
// x at yt are xa <= xb, is no longer certain.  Each edge's x at any height
// of its span is within 8u(|bot.x| + |top.x|) of its line (u the unit
// roundoff): one rounding each for the height difference, the product and
// the sum, and three for the slope, each relative to at most those
// magnitudes.  While the distance of the lines exceeds twice both
// allowances the computed order cannot change; the lines close in at the
// difference of the slopes, and a pair that cannot close in before one of
// its edges ends needs no further look.  The estimate is shortened by a
// millionth, far more than its own roundings.
template <Operation Op>
double Sweep<Op>::NextCheck(const Edge* a, const Edge* b, double xa, double xb, double yt) const
{
    constexpr double u = DBL_EPSILON / 2;
    const double allowance =
        8 * u * (std::fabs(a->bot.x) + std::fabs(a->top.x) + std::fabs(b->bot.x) + std::fabs(b->top.x)) + 1e-300;
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
    return y > std::min(a->top.y, b->top.y) ? DBL_MAX : y;
}

// Runs the checks due by beam top yt; true when some pair of neighbours
// changes order in the beam.
template <Operation Op>
bool Sweep<Op>::DueChecks(double yt)
{
    bool swap = false;
    recheck_.clear();
    while (!checks_.empty() && checks_.front().y <= yt) {
        const PairCheck c = checks_.front();
        std::pop_heap(checks_.begin(), checks_.end(), LaterCheck());
        checks_.pop_back();
        Edge* a = c.a;
        if (a->pairStamp != c.stamp || !a->next)
            continue;
        Edge* b = a->next;
        const double xa = XAt(a, yt);
        const double xb = XAt(b, yt);
        if (xa > xb) {
            swap = true;
            recheck_.push_back(PairCheck{-DBL_MAX, a, c.stamp});
            continue;
        }
        const double next = NextCheck(a, b, xa, xb, yt);
        if (next != DBL_MAX)
            recheck_.push_back(PairCheck{next, a, c.stamp});
    }
    for (const PairCheck& c : recheck_) {
        checks_.push_back(c);
        std::push_heap(checks_.begin(), checks_.end(), LaterCheck());
    }
    return swap;
}

// Landmarks: every kMarkGap-th edge of the list, in list order, so that an
// insertion in a beam that visits only the changes need not walk the list
// from its head.  The list is in x order then, so the edges up to a landmark
// left of the new edge's x all come before it, as the walk from the head
// would find.  A landmark that leaves hands its place to a neighbour that is
// none, or the landmarks are rebuilt.
constexpr std::size_t kMarkGap = 16;

template <Operation Op>
void Sweep<Op>::RebuildMarks()
{
    for (Edge* m : marks_)
        if (m)
            m->mark = -1;
    marks_.clear();
    std::size_t i = 0;
    for (Edge* e = aet_; e; e = e->next, ++i)
        if (i % kMarkGap == kMarkGap - 1) {
            e->mark = static_cast<int>(marks_.size());
            marks_.push_back(e);
        }
    marksValid_ = true;
}

// Edge e, about to leave the list, stops being a landmark.
template <Operation Op>
void Sweep<Op>::Unmark(Edge* e)
{
    if (e->mark < 0)
        return;
    Edge* heir = e->prev && e->prev->mark < 0 ? e->prev : e->next && e->next->mark < 0 ? e->next : nullptr;
    marks_[static_cast<std::size_t>(e->mark)] = heir;
    if (heir)
        heir->mark = e->mark;
    else
        marksValid_ = false;
    e->mark = -1;
}

// InsertActive with the x of every edge at yb worked out on the way.
template <Operation Op>
void Sweep<Op>::LazyInsert(Edge* e, Edge* after, double yb)
{
    Edge* before = nullptr;
    Edge* at = aet_;
    if (after && after->dx == after->dx && e->dx == e->dx) {
        before = after;
        at = after->next;
    } else {
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
        if (lo > 0) {
            before = marks_[lo - 1];
            at = before->next;
        }
    }
    std::size_t steps = 0;
    while (at) {
        const double x = XAt(at, yb);
        if (e->xb < x || (e->xb == x && e->dx < at->dx))
            break;
        before = at;
        at = at->next;
        ++steps;
    }
    if (steps > 4 * kMarkGap)
        marksValid_ = false;
    e->prev = before;
    e->next = at;
    if (before)
        before->next = e;
    else
        aet_ = e;
    if (at)
        at->prev = e;
    if (before)
        SchedulePair(before);
    SchedulePair(e);
}

// Around an edge that ends at yb its neighbours meet in the bundle step;
// with slopes within the bundle tolerance they might bundle.
template <Operation Op>
bool Sweep<Op>::RiskAroundEnding(double yb)
{
    for (Edge* e : ending_) {
        Edge* l = e->prev;
        while (l && l->top.y == yb)
            l = l->prev;
        Edge* r = e->next;
        while (r && r->top.y == yb)
            r = r->next;
        if (l && r && std::fabs(l->dx - r->dx) <= kCoincident)
            return true;
    }
    return false;
}

template <Operation Op>
void Sweep<Op>::Materialize(double yb)
{
    for (Edge* e = aet_; e; e = e->next)
        e->xb = XAt(e, yb);
}

// Steps 2 to 4 of a beam, visiting the edges that change and, from each,
// on to the right until the walk's state agrees with the next edge's.
template <Operation Op>
void Sweep<Op>::LazyWalk(double yb)
{
    for (Edge* e : inserted_)
        events_.push_back(e);
    for (Edge* e : events_) {
        e->listed = beam_;
        e->xb = XAt(e, yb);
    }
    std::sort(events_.begin(), events_.end(), [](const Edge* a, const Edge* b) { return a->xb < b->xb; });
    walked_.clear();
    unsteady_.clear();
    const int start[2] = {parity_[kClip], parity_[kSubject]};
    int horiz[2] = {0, 0};
    int cf = Fragments::None;
    double px = -DBL_MAX;
    Edge* resume = nullptr;   // where the last run of visits stopped
    for (Edge* ev : events_) {
        if (ev->walked == beam_)
            continue;
        // Edges of the same x on the left join the run, so that the
        // previous x it starts from is below every x it meets.
        Edge* e = ev;
        while (e->prev && e->prev->walked != beam_ && XAt(e->prev, yb) == ev->xb)
            e = e->prev;
        if (e != resume) {
            Edge* l = e->prev;
            parity_[kClip] = l ? l->bside[kClip] ^ l->bundle[kAbove][kClip] : start[kClip];
            parity_[kSubject] = l ? l->bside[kSubject] ^ l->bundle[kAbove][kSubject] : start[kSubject];
            px = -DBL_MAX;
        }
        while (e) {
            Edge* next = e->next;
            e->xb = XAt(e, yb);
            e->walked = beam_;
            const unsigned char continues = e->top.y != yb;
            e->bundle[kAbove][kClip] = 0;
            e->bundle[kAbove][kSubject] = 0;
            e->bundle[kAbove][e->type] = continues;
            e->bstate[kAbove] = kSingle;
            ClassifyEdge(e, yb, horiz, px, cf);
            if (!continues) {
                Edge* prev = e->prev;
                Unmark(e);
                RemoveEnded(e);
                --active_[e->type];
                ++changes_;
                in_.Release(e);
                if (prev)
                    SchedulePair(prev);
            } else {
                walked_.push_back(e);
                if (!e->steady)
                    unsteady_.push_back(e);
            }
            e = next;
            if (e && e->listed != beam_ && e->steady && (horiz[kClip] | horiz[kSubject]) == 0
                && e->bside[kClip] == parity_[kClip] && e->bside[kSubject] == parity_[kSubject])
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

// The crossing search of the full steps, for a beam whose first steps
// visited only the changes.
template <Operation Op>
void Sweep<Op>::FindCrossings(double yb, double yt)
{
    crossings_.clear();
    sortedHead_ = nullptr;
    const double dy = yt - yb;
    for (Edge* e = aet_; e; e = e->next) {
        e->xt = e->top.y == yt ? e->top.x : e->bot.x + e->dx * (yt - e->bot.y);
        if (e->bstate[kAbove] != kTail)
            AddToSorted(e, dy);
    }
    if (crossings_.size() > 1)
        std::stable_sort(crossings_.begin(), crossings_.end(),
                         [](const Crossing& a, const Crossing& b) { return LessTotal(a.y, b.y); });
}

// Step 7 for a beam without swaps: the visited edges carry their state
// below, the edges reaching yt hand over to their successors, and every
// other edge only moves, which XAt accounts for.
template <Operation Op>
void Sweep<Op>::LazyNextBeam(double yt)
{
    for (Edge* e : walked_) {
        e->outp[kBelow] = e->outp[kAbove];
        e->bstate[kBelow] = e->bstate[kAbove];
        e->bundle[kBelow][kClip] = e->bundle[kAbove][kClip];
        e->bundle[kBelow][kSubject] = e->bundle[kAbove][kSubject];
    }
    events_.clear();
    ending_.clear();
    for (Edge* u : unsteady_)
        if (u->top.y != yt)
            events_.push_back(u);
    PopTops(yt, true);
}

template <Operation Op>
ContourSet Sweep<Op>::Run()
{
    // The beams are the distinct vertex heights.  Every vertex is a local
    // minimum or the top of an edge that is active by the time the sweep
    // gets there, so the next height is the smaller of the next minimum and
    // the lowest top among the active edges: a small heap instead of a sort
    // of all heights.
    parity_[kClip] = Op == Operation::Difference ? 1 : 0;
    parity_[kSubject] = 0;
    initialParity_[kClip] = parity_[kClip];
    initialParity_[kSubject] = parity_[kSubject];
    const std::vector<BoundStart>& minima = in_.minima;
    std::size_t lm = 0;
    if (minima.empty())
        return out_.Result();
    for (const Vertex& v : in_.kept)
        if (!(std::fabs(v.x) < 1e150 && std::fabs(v.y) < 1e150))
            classicOnly_ = true;
    double yb = minima[0].y;
    bool bundled = false;
    bool lastLazy = false;
    for (;; ++beam_) {
        // Visiting only the changes pays while they are few.
        std::size_t starting = 0;
        while (lm + starting < minima.size() && minima[lm + starting].y == yb)
            ++starting;
        bool lazy = lazyOk_ && tracking_ && !classicOnly_
                    && (events_.size() + starting) * in_.tuning.changesPerEdge < static_cast<std::size_t>(Active());
        if (!lazy && lastLazy) {
            Materialize(yb);
            bundled = false;
        }
        Edge* inserted = nullptr;
        inserted_.clear();
        while (lm < minima.size() && minima[lm].y == yb) {
            Edge* e = minima[lm].first;
            if (lazy)
                LazyInsert(e, inserted, yb);
            else
                InsertActive(e, inserted);
            inserted = e;
            inserted_.push_back(e);
            ++active_[e->type];
            Activate(e);
            ++lm;
        }
        while (!tops_.empty() && tops_.front() <= yb) {
            std::pop_heap(tops_.begin(), tops_.end(), std::greater<double>());
            tops_.pop_back();
        }
        bool above = false;
        double yt = yb;
        if (!tops_.empty()) {
            yt = tops_.front();
            above = true;
        }
        if (lm < minima.size() && (!above || minima[lm].y < yt)) {
            yt = minima[lm].y;
            above = true;
        }
        if (lazy && (classicOnly_ || RiskAroundEnding(yb))) {
            classicOnly_ = true;
            lazy = false;
            Materialize(yb);
            bundled = false;
        }
        bool swapped;
        if (lazy) {
            LazyWalk(yb);
            if (!above)
                break;
            swapped = DueChecks(yt);
            if (swapped) {
                Materialize(yb);
                FindCrossings(yb, yt);
                HandleCrossings(yb);
            }
        } else {
            if (!bundled)
                FormBundles(yb);
            ClassifyAndRemove(yb, yt, above);
            if (!above)
                break;
            swapped = !crossings_.empty();
            HandleCrossings(yb);
        }
        // Pairs are tracked while the list is long.
        // while the list is long and changes little.
        const bool track = (Active() >= in_.tuning.lazyFrom || (tracking_ && Active() >= in_.tuning.lazyUntil))
                           && changes_ * in_.tuning.changesPerEdge < static_cast<std::size_t>(Active());
        changes_ = 0;
        const bool startTracking = track && !tracking_;
        tracking_ = track;
        const bool bundleNext = !(lm < minima.size() && minima[lm].y == yt);
        if (lazy && !swapped) {
            LazyNextBeam(yt);
            bundled = false;
            lastLazy = true;
            sorted_ = true;
        } else {
            bundled = NextBeam(yt, bundleNext);
            lastLazy = false;
            marksValid_ = false;
        }
        if (startTracking)
            TrackAllPairs(yt);
        if (!tracking_) {
            checks_.clear();
            edgeTops_.clear();
        }
        lazyOk_ = !swapped && !startTracking && sorted_ && parity_[kClip] == initialParity_[kClip]
                  && parity_[kSubject] == initialParity_[kSubject];
        yb = yt;
    }
    return out_.Result();
}

} // namespace

ContourSet RunSweep(Operation op, SweepInput& in)
{
    switch (op) {
    case Operation::Difference:
        return Sweep<Operation::Difference>(in).Run();
    case Operation::Intersection:
        return Sweep<Operation::Intersection>(in).Run();
    case Operation::Xor:
        return Sweep<Operation::Xor>(in).Run();
    default:
        return Sweep<Operation::Union>(in).Run();
    }
}

} // namespace detail
} // namespace clip
} // namespace S2D
