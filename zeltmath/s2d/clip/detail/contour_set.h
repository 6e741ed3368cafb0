#ifndef ZELTMATH_S2D_CLIP_DETAIL_CONTOUR_SET_H
#define ZELTMATH_S2D_CLIP_DETAIL_CONTOUR_SET_H

// The Boolean engine's own view of a set of rings, and its entry point.
//
// The engine combines two sets of rings by a scanbeam sweep (Vatti's method):
// every operand is read by the even-odd rule, horizontal scan lines through
// all vertices cut the plane into beams, and inside each beam the output is
// grown as fragments that are joined into closed rings.  The rings of the
// result come out in a fixed order with fixed vertex order and hole flags,
// which callers rely on; every data-structure choice below keeps them.
//
// Crossings are handled in ascending height.  When rounding makes several
// crossings at almost one point come out in an order in which a pair is not
// yet side by side in the active list, a later pair that is takes its turn
// first, so the sweep never works on a list that no longer matches the
// geometry (exact input never needs this).
//
// Input that is not finite: a ring with a NaN or infinite coordinate has no
// meaningful region and is treated as a ring without vertices.  A result ring
// that would carry a non-finite coordinate (only possible when differences of
// huge finite coordinates overflow) is dropped.

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

struct Vertex {
    double x;
    double y;
};

// 0 for a vertex with finite coordinates, NaN otherwise (v - v is 0 for a
// finite v and NaN for an infinite or NaN one), so that a ring is checked
// by a sum without a branch per vertex.
inline double NonFinite(const Vertex& v)
{
    return (v.x - v.x) + (v.y - v.y);
}

// The vertices of one ring, read where they are stored.
class RingView {
public:
    RingView(const Vertex* first, std::size_t count) : first_(first), count_(count) {}
    RingView(const std::vector<Vertex>& ring) : first_(ring.data()), count_(ring.size()) {}

    const Vertex* data() const { return first_; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const Vertex& operator[](std::size_t i) const { return first_[i]; }
    const Vertex* begin() const { return first_; }
    const Vertex* end() const { return first_ + count_; }

private:
    const Vertex* first_;
    std::size_t count_;
};

// An allocator that leaves the vertices a vector grows by uninitialized, as
// they are written right after: a ring set's storage is not cleared first.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <class U>
    UninitializedAllocator(const UninitializedAllocator<U>&) noexcept
    {
    }
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// Rings with one hole flag each (0 outer, 1 hole).  The engine ignores the
// hole flags of its operands; they are carried for the conversions.  The
// vertices of all rings lie one ring after another in one array, so that a
// set of many rings costs a few allocations, not one per ring.
class ContourSet {
public:
    int Count() const { return static_cast<int>(holes_.size()); }
    RingView Ring(int c) const { return RingView(vertices_.data() + Start(c), Length(c)); }
    int Hole(int c) const { return holes_[static_cast<std::size_t>(c)]; }
    std::size_t Vertices() const { return vertices_.size(); }

    void Add(RingView ring, int hole)
    {
        Vertex* to = Append(ring.size(), hole);
        for (const Vertex& v : ring)
            *to++ = v;
    }
    void Add(std::initializer_list<Vertex> ring, int hole) { Add(RingView(ring.begin(), ring.size()), hole); }
    // Room for a ring of n vertices at the end, which the caller fills.
    Vertex* Append(std::size_t n, int hole)
    {
        const std::size_t at = vertices_.size();
        vertices_.resize(at + n);
        ends_.push_back(at + n);
        holes_.push_back(hole);
        return vertices_.data() + at;
    }
    // Ring c's vertices, to be changed in place.
    Vertex* MutableRing(int c) { return vertices_.data() + Start(c); }
    void Reserve(std::size_t rings, std::size_t vertices)
    {
        ends_.reserve(rings);
        holes_.reserve(rings);
        vertices_.reserve(vertices);
    }
    void Clear()
    {
        vertices_.clear();
        ends_.clear();
        holes_.clear();
    }
    // Keeps only the rings for which keep(c) holds, in their order.
    template <class Keep>
    void Filter(Keep keep);

private:
    std::size_t Start(int c) const { return c == 0 ? 0 : ends_[static_cast<std::size_t>(c) - 1]; }
    std::size_t Length(int c) const { return ends_[static_cast<std::size_t>(c)] - Start(c); }

    std::vector<Vertex, UninitializedAllocator<Vertex>> vertices_;   // filled by Append's caller
    std::vector<std::size_t> ends_;   // ring c is [ends_[c - 1], ends_[c])
    std::vector<int> holes_;
};

template <class Keep>
void ContourSet::Filter(Keep keep)
{
    // Ring c moves to position `rings` <= c, so everything of ring c is read
    // before anything is written over it.
    std::size_t rings = 0;
    std::size_t from = 0;
    std::size_t to = 0;
    for (int c = 0; c < Count(); ++c) {
        const std::size_t end = ends_[static_cast<std::size_t>(c)];
        if (keep(c)) {
            for (std::size_t i = from; i < end; ++i)
                vertices_[to++] = vertices_[i];
            ends_[rings] = to;
            holes_[rings] = holes_[static_cast<std::size_t>(c)];
            ++rings;
        }
        from = end;
    }
    vertices_.resize(to);
    ends_.resize(rings);
    holes_.resize(rings);
}

// Same values as the public PPOLY_OPERATION.
enum class Operation : int { Difference = 0, Intersection = 1, Xor = 2, Union = 3 };

// How the sweep spends its effort; the result never depends on it.  From
// `lazyFrom` active edges on, until fewer than `lazyUntil` are left, a beam
// in which at most one edge in `changesPerEdge` changes visits only the
// edges that change (see the sweep).  Tests lower the numbers to take that
// path on small inputs.  With `endEarly`, a difference or an intersection
// ends where its result can gain nothing more (see CombineInto), and with
// `startLate` it may start where its result can first gain something (see
// late_start.h), and with `dropArcs` an intersection may leave out arcs of
// a ring that run beside the other operand (see arcs.h), where that may pay,
// or wherever it can with `alwaysDropArcs`; the tests and the fuzzer compare
// runs with and without.
struct SweepTuning {
    int lazyFrom = 64;
    int lazyUntil = 32;
    std::size_t changesPerEdge = 4;
    bool endEarly = true;
    bool startLate = true;
    bool dropArcs = true;
    bool alwaysDropArcs = false;
};

// When the sweep made the fragment that a result ring grew from: in the beam
// from height `beam`, by the walk along the beam's edges (crossing 0, at x)
// or at a crossing inside the beam (1), after the walk.  A result lists its
// rings in the reverse order of their births.
//
// Like every small record the engine keeps in a vector, it has a constructor
// and is built in place (emplace_back): a record built as a temporary is
// written field by field and then copied with wider loads than those
// stores, and each such load waits for the stores to reach the cache
// instead of taking their values from the store buffer.
struct RingBirth {
    RingBirth() = default;
    RingBirth(double beam_, int crossing_, double x_) : beam(beam_), crossing(crossing_), x(x_) {}
    double beam;
    int crossing;
    double x;
};

// Whether ring a was born after ring b, for rings of one sweep that the
// walks of their beams met at different x, or born in different beams or
// phases of a beam.
inline bool BornLater(const RingBirth& a, const RingBirth& b)
{
    if (a.beam != b.beam)
        return a.beam > b.beam;
    if (a.crossing != b.crossing)
        return a.crossing > b.crossing;
    return a.x > b.x;
}

// What a run may take and give besides its operands and its result.
struct RunExtras {
    // More heights at which beams start, ascending, all finite: the sweep
    // divides its beams there as if vertices of rings left out of the run
    // were there.
    const std::vector<double>* heights = nullptr;
    // Filled with the birth of every result ring, in result order.
    std::vector<RingBirth>* births = nullptr;
    // Set to whether the sweep started late (see late_start.h).
    bool* startedLate = nullptr;
    // Set to whether the result is that of a run that left arcs out (see
    // arcs.h).
    bool* droppedArcs = nullptr;
};

// subject <op> clip.  Neither operand is changed; everything the run needs is
// allocated by the call and released before it returns.
ContourSet Combine(Operation op, const ContourSet& subject, const ContourSet& clip,
                   const SweepTuning& tuning = SweepTuning());
// The same, the result in place of the rings of `out` (neither operand),
// whose storage is used again: a caller that runs the engine over and over
// need not allocate a result every time.
void CombineInto(Operation op, const ContourSet& subject, const ContourSet& clip, ContourSet& out,
                 const SweepTuning& tuning = SweepTuning());
void CombineInto(Operation op, const ContourSet& subject, const ContourSet& clip, ContourSet& out,
                 const SweepTuning& tuning, const RunExtras& extras);

// The signed area of a result read as outer rings minus holes.
double NetArea(const ContourSet& set);

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
