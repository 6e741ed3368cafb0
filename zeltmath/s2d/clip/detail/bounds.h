#ifndef ZELTMATH_S2D_CLIP_DETAIL_BOUNDS_H
#define ZELTMATH_S2D_CLIP_DETAIL_BOUNDS_H

// Edges and bounds of the sweep.
//
// A bound is a chain of edges of one ring that rises strictly from a local
// minimum to a local maximum; horizontal sides never become edges, they only
// separate bounds.  No edge is made before the sweep: a bound's first edge
// is made when the bound joins the list, and each further edge when the
// sweep reaches the top of the one below it, in the slot of an edge that has
// left, so that the edges in use stay few and warm in the cache.  The arena
// is sized before it is filled, so the links between edges are plain
// pointers.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

enum : int { kClip = 0, kSubject = 1 };
enum : int { kAbove = 0, kBelow = 1 };
enum BundleState : unsigned char { kSingle = 0, kHead = 1, kTail = 2 };

struct Edge {
    Vertex bot;             // lower end
    Vertex top;             // upper end, top.y > bot.y
    double xb;              // x at the bottom of the current beam
    double xt;              // x at its top
    double dx;              // run over rise
    int type;               // kClip or kSubject
    unsigned char bundle[2][2];   // [kAbove/kBelow][operand]
    unsigned char bside[2];       // [operand]: 0 left, 1 right
    unsigned char bstate[2];      // [kAbove/kBelow]
    int outp[2];                  // fragment [kAbove/kBelow], or -1
    Edge* prev;             // active list
    Edge* next;
    Edge* slink;            // crossing search of the current beam
    const Vertex* ring;     // the kept vertices of the edge's ring
    int count;              // how many
    int topAt;              // index of the top vertex in the ring
    int step;               // +1 along the ring, -1 against it
    int base;               // index of the ring's first kept vertex among those of the run
};
// A power of two, so that a slot's index is a shift of its offset.
static_assert(sizeof(Edge) == 128, "an edge is 128 bytes");

// The index of edge e's side among the sides of its ring: side k joins kept
// vertices k and k + 1 (cyclically).
inline int RingSide(const Edge& e)
{
    if (e.step < 0)
        return e.topAt;
    return e.topAt == 0 ? e.count - 1 : e.topAt - 1;
}

// A beam height as the sweep uses it: its value, with zero as +0.  The
// heights are the distinct y of the vertices, and -0 and +0 are one value;
// the sign that a result vertex at height zero shows must not hang on which
// vertex the sweep took the height from.
inline double Height(double y)
{
    return y + 0.0;
}

// Edges closer than this in x at the beam bottom and in slope are one bundle.
constexpr double kCoincident = 1e-8;

// x at height y of the edge from (botX, botY) of slope dx, along its slope.
// (Coordinates by value: with the vertices by reference, or the top's too,
// the sweep's walks compiled to more instructions.)
inline double XAlong(double botX, double botY, double dx, double y)
{
    return botX + dx * (y - botY);
}

inline double XAlong(const Edge* e, double y)
{
    return XAlong(e->bot.x, e->bot.y, e->dx, y);
}

// x of edge e at a height y above its bottom: its top x where it ends, else
// along its slope from the bottom.  The walks use it for an edge's x at the
// beam top, which is always above its bottom.
inline double XAbove(const Edge* e, double y)
{
    if (y == e->top.y)
        return e->top.x;
    return XAlong(e, y);
}

// The same for the edge from bot to top of slope dx, before it is made.
inline double XAbove(const Vertex& bot, const Vertex& top, double dx, double y)
{
    if (y == top.y)
        return top.x;
    return XAlong(bot.x, bot.y, dx, y);
}

// x of edge e at height y, with the very arithmetic by which the sweep moves
// an edge from beam to beam: its bottom x where it starts, else XAbove.
inline double XAt(const Edge* e, double y)
{
    if (y == e->bot.y)
        return e->bot.x;
    return XAbove(e, y);
}

// How far the x that XAlong gives for the edge from bot to top, at any
// height of its span, may lie from the edge's line: one rounding each for
// the height difference, the product and the sum, and three for the slope,
// each relative to at most |bot.x| + |top.x|, counted as 8 roundings.
inline double XAllowance(const Vertex& bot, const Vertex& top)
{
    return 8 * (DBL_EPSILON / 2) * (std::fabs(bot.x) + std::fabs(top.x));
}

// What an edge passes up at the top of a beam: its fragment, bundle state
// and bundle flags above become the state below of the edge that goes on
// there, the edge itself or its successor along the bound.
struct PassedUp {
    int outp;
    unsigned char bstate;
    unsigned char bundle[2];

    explicit PassedUp(const Edge& from)
        : outp(from.outp[kAbove]), bstate(from.bstate[kAbove]),
          bundle{from.bundle[kAbove][kClip], from.bundle[kAbove][kSubject]}
    {
    }
    void To(Edge& e) const
    {
        e.outp[kBelow] = outp;
        e.bstate[kBelow] = bstate;
        e.bundle[kBelow][kClip] = bundle[kClip];
        e.bundle[kBelow][kSubject] = bundle[kSubject];
    }
};

// Bookkeeping of an edge slot for the beams that visit only the edges that
// change (see the sweep), kept apart from the edges so that the full walk
// does not carry it: the pair the edge forms with its right neighbour and
// the stamp of the check scheduled for it, whether its last classification
// was that of an edge passing through the beam undisturbed, the beam in
// which it was last visited or listed as changing, and its index among the
// landmarks of the list (or -1), and the block of a local crossing search
// it is in (or -1).
// The records are allocated for all slots but set up only as edges are
// made, so that a sweep that tracks for a while touches few of them.
struct EdgeTrack {
    Edge* pairNext;
    unsigned pairStamp;
    unsigned char steady;
    long walked;
    long listed;
    int mark;
    int block;

    void Reset()
    {
        pairNext = nullptr;
        pairStamp = 0;
        steady = 0;
        walked = -1;
        listed = -1;
        mark = -1;
        block = -1;
    }
};

// A bound that waits for the sweep to reach its local minimum y: its first
// edge runs from kept vertex `from` of its ring one `step` on.
struct BoundStart {
    BoundStart() = default;
    BoundStart(double y_, const Vertex* ring_, int count_, int from_, int step_, int type_, int base_)
        : y(y_), ring(ring_), count(count_), from(from_), step(step_), type(type_), base(base_)
    {
    }
    double y;
    const Vertex* ring;   // kept vertices of the bound's ring
    int count;            // how many
    int from;
    int step;             // +1 along the ring, -1 against it
    int type;             // kClip or kSubject
    int base;             // see Edge
};

// Everything a sweep starts from.
struct SweepInput {
    Operation op;
    SweepTuning tuning;
    // The kept vertices of the rings that lost some to the vertex filter,
    // ring after ring; the other rings are read where they are, in the
    // operands, which outlive the sweep.  Edges point into it, so the first
    // ring that needs it reserves room for all (keptRoom), and most runs
    // never do.
    std::vector<Vertex> kept;
    std::size_t keptRoom = 0;
    std::size_t vertices = 0;         // kept vertices of all rings
    std::vector<Edge> arena;
    std::vector<Edge*> spare;         // slots of edges that have left
    std::unique_ptr<EdgeTrack[]> track;   // one per arena slot, once needed
    std::vector<BoundStart> minima;   // ascending y; same y by bottom x, then dx
    // A vertex of a ring in the run is beyond kExtreme in x or y: the
    // arithmetic of the beams that visit only the changes could overflow,
    // so every beam is walked in full.  Set by the caller of BuildBounds.
    bool extreme = false;
    static constexpr double kExtreme = 1e150;
    // The result gains nothing above this height (see CombineInto): no
    // bound starting above it is made, and the sweep ends once the beam at
    // it is classified.  Set before BuildBounds.
    double lastHeight = std::numeric_limits<double>::infinity();
    // A ring in the run has a horizontal side.  Set by BuildBounds.
    bool flatSides = false;
    // Set before BuildBounds when the sweep may start late (see
    // late_start.h): the height below which the result gains nothing, and a
    // point above the part of the one ring that reaches below it, from which
    // that ring is looked at.
    struct LateStart {
        bool on = false;
        double height = 0;
        Vertex centre{0, 0};
    } late;
    // Set by BuildBounds when the sweep starts late: the edges in the list
    // at late.height, in list order.  The bounds that start below are then
    // left out of minima.
    std::vector<Edge*> startEdges;
    // Set before BuildBounds when arcs of rings are left out (see arcs.h):
    // for each operand, the ring of its set that `vertices` stands for, or
    // -1; and the heights of the vertices left out, ascending and distinct,
    // which `heights` then points to.
    struct Arcs {
        int ring[2] = {-1, -1};
        std::vector<Vertex> vertices[2];
        std::vector<double> heights;
    } arcs;
    // Set by the sweep when a crossing was taken while its two edges were
    // not side by side (see HandleCrossings).
    bool unevenCrossing = false;
    // Two edges whose x differ by more than this at two heights, in the same
    // order, differ by more than the bundle tolerance at every height
    // between, and keep their order there in the x that XAlong gives: the
    // bundle tolerance and four times the greatest x allowance of an edge
    // (XAllowance) in the run.  Set by the caller of BuildBounds.
    double xRoom = std::numeric_limits<double>::infinity();
    // See RunExtras.
    const std::vector<double>* heights = nullptr;
    std::vector<RingBirth>* births = nullptr;

    // The first edge of bound b, in a free slot.
    Edge* FirstEdge(const BoundStart& b);
    // The next edge up e's bound, or null when the bound ends at e's top.
    Edge* Successor(const Edge& e);
    // A slot for a new edge: one an edge has left, else a new one.
    Edge* Slot();
    // Turns e into the next edge up its bound in its own slot and place in
    // the list, with e's state above as its state below: what Successor and
    // a hand-over give, without a new slot, except that the edge keeps its
    // bundle sides: the parities on its left, which the next classification
    // sets anew and a beam without changes on the left may take as they are.
    // False (e unchanged) when the bound ends at e's top.  Inline: the sweep
    // calls it at every vertex.
    inline bool Advance(Edge& e);
    // The same onto kept vertex `to` of e's ring, NextTop(e), which is not
    // -1.
    inline void Advance(Edge& e, int to);
    // e has left the sweep; its slot may be used again.
    void Release(Edge* e)
    {
        // Checks scheduled for its pair lapse; the walk still reads
        // whether it visited the edge in this beam.
        if (track) {
            Track(e).pairStamp = 0;
            Track(e).mark = -1;
        }
        e->step = 0;   // no longer on a side (see OnSide)
        spare.push_back(e);
    }
    EdgeTrack& Track(const Edge* e) { return track[static_cast<std::size_t>(e - arena.data())]; }
    // Records for every slot, those of the edges in `active` set up.
    void StartTracking(Edge* active)
    {
        if (!track)
            track.reset(new EdgeTrack[arena.capacity()]);
        for (Edge* e = active; e; e = e->next)
            Track(e).Reset();
    }
    // From now on until StopTracking, onSide follows the edges, starting
    // with those in `active`.
    void WatchSides(Edge* active)
    {
        if (!onSide) {
            if (vertices > static_cast<std::size_t>(std::numeric_limits<int>::max()))
                return;
            // calloc: a large table is zeroed by the system a page at a
            // time as it is touched, and a run touches the sides of the
            // rings where it looks for places only.
            onSide.reset(static_cast<int*>(std::calloc(vertices, sizeof(int))));
            if (!onSide)
                throw std::bad_alloc();
        }
        sidesOn = true;
        for (Edge* e = active; e; e = e->next)
            SetSide(*e);
    }
    void StopTracking() { sidesOn = false; }
    // While pairs are tracked, from the first beam that visits only the
    // changes and has a bound to place on: for each side of each ring (its
    // RingSide after the ring's base), 1 + the slot of an edge that was on
    // it, so that the bound can look for its place from an edge near it
    // along its ring.  The beams that visit only the changes write the
    // edges they place or move on; the others write nothing, so a side may
    // lack its edge.  An entry is only a lead: its slot may have left the
    // sweep (its step is then 0), or been moved on or used again for
    // another side, and OnSide checks it.
    struct FreeDelete {
        void operator()(int* p) const { std::free(p); }
    };
    std::unique_ptr<int[], FreeDelete> onSide;
    bool sidesOn = false;
    void SetSide(const Edge& e)
    {
        if (sidesOn)
            onSide[static_cast<std::size_t>(e.base + RingSide(e))] = static_cast<int>(&e - arena.data()) + 1;
    }
    // The edge in the sweep on side k of the ring of kept vertices from
    // `base` on, or null when the table knows of none (while sidesOn).
    Edge* OnSide(int base, int k)
    {
        const int slot = onSide[static_cast<std::size_t>(base + k)];
        if (!slot)
            return nullptr;
        Edge* e = arena.data() + (slot - 1);
        return e->step != 0 && e->base == base && RingSide(*e) == k ? e : nullptr;
    }
};

// The vertex `step` places after vertex i of a ring of `count` vertices.
inline int Step(int i, int step, int count)
{
    i += step;
    return i == count ? 0 : i < 0 ? count - 1 : i;
}

// The index in e's ring of the vertex above e's top along its bound, or -1
// when the bound ends at e's top.
inline int NextTop(const Edge& e)
{
    const int to = Step(e.topAt, e.step, e.count);
    return e.ring[to].y > e.ring[e.topAt].y ? to : -1;
}

// Run over rise of the edge from bot to top.
inline double Slope(const Vertex& bot, const Vertex& top)
{
    return (top.x - bot.x) / (top.y - bot.y);
}

// The ends, x and slope of edge e (e.ring set) on the span from kept vertex
// `from` to kept vertex `to` of its ring.
inline void SetEnds(Edge& e, int from, int to)
{
    const Vertex& bot = e.ring[from];
    const Vertex& top = e.ring[to];
    e.bot = bot;
    e.top = top;
    e.xb = bot.x;
    e.xt = bot.x;
    e.dx = Slope(bot, top);
    e.topAt = to;
    e.slink = nullptr;
}

// Puts edge e on the span from kept vertex `from` to kept vertex `to` of
// its ring (e.ring set), with no state in the sweep yet but its bundle
// sides, which the caller sets.
inline void SetSpan(SweepInput& in, Edge& e, int from, int to)
{
    SetEnds(e, from, to);
    e.bundle[kAbove][kClip] = e.bundle[kAbove][kSubject] = 0;
    e.bundle[kBelow][kClip] = e.bundle[kBelow][kSubject] = 0;
    e.bstate[kAbove] = e.bstate[kBelow] = kSingle;
    e.outp[kAbove] = e.outp[kBelow] = -1;
    if (in.track)
        in.Track(&e).Reset();
}

inline bool SweepInput::Advance(Edge& e)
{
    const int to = NextTop(e);
    if (to < 0)
        return false;
    Advance(e, to);
    return true;
}

// The state above passes below (PassedUp); above, the edge starts as
// SetSpan leaves a new one.
inline void SweepInput::Advance(Edge& e, int to)
{
    PassedUp(e).To(e);
    e.outp[kAbove] = -1;
    e.bstate[kAbove] = kSingle;
    e.bundle[kAbove][kClip] = e.bundle[kAbove][kSubject] = 0;
    SetEnds(e, e.topAt, to);
    if (track)
        Track(&e).Reset();
}

// Builds the bounds of both operands (subject first).  ignoreSubject and
// ignoreClip flag rings left out of this run.
void BuildBounds(Operation op, const ContourSet& subject, const std::vector<char>& ignoreSubject,
                 const ContourSet& clip, const std::vector<char>& ignoreClip, SweepInput& in);

// Strict weak order on doubles that puts NaN after every number, so that
// sorting stays well defined whatever the arithmetic produced.
inline bool LessTotal(double a, double b)
{
    return a < b || (b != b && a == a);
}

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
