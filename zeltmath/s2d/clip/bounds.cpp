#include <zeltmath/s2d/clip/detail/bounds.h>

#include <zeltmath/s2d/clip/detail/bound_order.h>
#include <zeltmath/s2d/clip/detail/late_start.h>

#include <algorithm>
#include <cstddef>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Fills the edge from kept vertex `from` to kept vertex `to` of `ring`
// (its `count` kept vertices) of a bound running `step`-wise.
inline Edge* MakeEdge(SweepInput& in, Edge* slot, const Vertex* ring, int count, int base, int from, int to, int step,
                      int type)
{
    Edge& e = *slot;
    e.type = type;
    e.ring = ring;
    e.count = count;
    e.base = base;
    e.step = step;
    e.prev = e.next = nullptr;
    SetSpan(in, e, from, to);
    e.bside[kClip] = in.op == Operation::Difference ? 1 : 0;
    e.bside[kSubject] = 0;
    return &e;
}

// A vertex (height y, its neighbours' py and ny) inside a horizontal run,
// which the vertex filter drops.
inline bool InsideRun(double py, double y, double ny)
{
    return py == y && ny == y;
}

// The bounds found so far, in the order found, and their sort keys.
struct FoundBounds {
    std::vector<BoundStart> starts;
    std::vector<PendingBound> keys;
    double lastHeight;   // bounds starting above it are not kept
    // A ring has a horizontal side.  A ring searched again after the vertex
    // filter still has one where the filter dropped vertices.
    bool flat = false;

    void Truncate(std::size_t n)
    {
        starts.resize(n);
        keys.resize(n);
    }
};

// Vertices looked at per chunk of FindBounds.
constexpr int kChunk = 256;

// Appends the bounds of the ring of m vertices at `kept`, the first of
// which is kept vertex `base` of the run (see Edge).  A bound starts
// only where neither neighbour is lower.  Forward bound: rises along the
// ring's own direction; reverse bound: rises against it.  With `whole`, the
// ring is read as given and the search stops (false) at the first vertex
// with both neighbours at its own height.
//
// The vertices go by in chunks: first the candidates of a chunk (neither
// neighbour lower) are listed without a branch, two at a time with SSE2,
// then their bounds are made.  In a noisy ring a third of the vertices are
// local minima in no pattern, and a branch per vertex on that test was
// mispredicted so often that it cost a few per cent of a whole run.
bool FindBounds(const Vertex* kept, int m, int base, bool whole, int type, FoundBounds& found)
{
    const double last = found.lastHeight;
    bool flat = false;
    int candidates[kChunk];
    for (int from = 0; from < m; from += kChunk) {
        const int to = std::min(m, from + kChunk);
        int count = 0;
        double py = kept[from == 0 ? m - 1 : from - 1].y;
        const auto look = [&](int k, double ny) {
            const double y = kept[k].y;
            flat = flat | (py == y);
            candidates[count] = k;
            count += (py >= y) & (ny >= y);
            py = y;
        };
        // The ring's last vertex is followed by its first.
        const int end = to == m ? m - 1 : to;
        int at = from;
#ifdef __SSE2__
        // Vertices at and at + 1, their y side by side, with those before
        // and after them.
        if (at == 0 && at < end)
            look(at++, kept[1].y);
        const auto ys = [kept](int i) {
            return _mm_unpackhi_pd(_mm_loadu_pd(&kept[i].x), _mm_loadu_pd(&kept[i + 1].x));
        };
        int flats = 0;
        for (; at + 1 < end; at += 2) {
            const __m128d y = ys(at);
            const __m128d before = ys(at - 1);
            const __m128d after = ys(at + 1);
            const int low = _mm_movemask_pd(_mm_and_pd(_mm_cmple_pd(y, before), _mm_cmple_pd(y, after)));
            flats |= _mm_movemask_pd(_mm_cmpeq_pd(before, y));
            candidates[count] = at;
            count += low & 1;
            candidates[count] = at + 1;
            count += low >> 1;
        }
        flat = flat | (flats != 0);
        if (at > from)
            py = kept[at - 1].y;
#endif
        for (; at < end; ++at)
            look(at, kept[at + 1].y);
        if (end < to)
            look(end, kept[0].y);
        for (int i = 0; i < count; ++i) {
            const int k = candidates[i];
            const double y = kept[k].y;
            const double py = kept[k == 0 ? m - 1 : k - 1].y;
            const double ny = kept[k + 1 == m ? 0 : k + 1].y;
            if (whole && InsideRun(py, y, ny))
                return false;
            for (int step : {1, -1}) {
                const bool starts = (step == 1 ? ny > y : py > y) && y <= last;
                if (!starts)
                    continue;
                const Vertex& bot = kept[k];
                const Vertex& top = kept[Step(k, step, m)];
                found.keys.emplace_back(y, bot.x, Slope(bot, top), found.starts.size());
                found.starts.emplace_back(y, kept, m, k, step, type, base);
            }
        }
    }
    found.flat = found.flat || flat;
    return true;
}

// The index among the kept vertices of the run of the next ring's first,
// where the sweep can use it (see SweepInput::onSide).
int Base(const SweepInput& in)
{
    return in.vertices <= static_cast<std::size_t>(std::numeric_limits<int>::max()) ? static_cast<int>(in.vertices) : 0;
}

// The bounds of one ring.  A vertex with both neighbours at its own height
// lies inside a horizontal run and adds nothing.  Most rings have no such
// vertex, and the sweep reads them in place; the kept vertices of the
// others are copied to in.kept and searched again.
void RingBounds(RingView ring, int type, SweepInput& in, FoundBounds& found)
{
    const std::size_t n = ring.size();
    if (n == 0)
        return;
    const std::size_t mark = found.starts.size();
    if (FindBounds(ring.data(), static_cast<int>(n), Base(in), true, type, found)) {
        in.vertices += n;
        return;
    }
    found.Truncate(mark);
    if (in.kept.capacity() < in.keptRoom)
        in.kept.reserve(in.keptRoom);
    const std::size_t base = in.kept.size();
    double py = ring[n - 1].y;
    for (std::size_t i = 0; i < n; ++i) {
        const double y = ring[i].y;
        if (!InsideRun(py, y, ring[i + 1 == n ? 0 : i + 1].y))
            in.kept.push_back(ring[i]);
        py = y;
    }
    const int m = static_cast<int>(in.kept.size() - base);
    if (m == 0)
        return;   // a ring all at one height
    const int first = Base(in);
    in.vertices += static_cast<std::size_t>(m);
    FindBounds(in.kept.data() + base, m, first, false, type, found);
}

// Room for the slots of edges that have left, before the list grows: as
// many as most small runs ever hold at once, for one allocation instead of
// a doubling at each of the first few.
constexpr std::size_t kSpareRoom = 32;

std::size_t EdgeCapacity(const ContourSet& set, const std::vector<char>& ignore)
{
    std::size_t total = 0;
    for (int c = 0; c < set.Count(); ++c)
        if (!ignore[static_cast<std::size_t>(c)])
            total += set.Ring(c).size();
    return total;
}

} // namespace

// Inlined into its two callers, which run at every bound and vertex.
[[gnu::always_inline]] inline Edge* SweepInput::Slot()
{
    if (spare.empty()) {
        arena.emplace_back();
        return &arena.back();
    }
    Edge* slot = spare.back();
    spare.pop_back();
    return slot;
}

Edge* SweepInput::FirstEdge(const BoundStart& b)
{
    return MakeEdge(*this, Slot(), b.ring, b.count, b.base, b.from, Step(b.from, b.step, b.count), b.step, b.type);
}

Edge* SweepInput::Successor(const Edge& e)
{
    const int to = NextTop(e);
    if (to < 0)
        return nullptr;
    return MakeEdge(*this, Slot(), e.ring, e.count, e.base, e.topAt, to, e.step, e.type);
}

void BuildBounds(Operation op, const ContourSet& subject, const std::vector<char>& ignoreSubject,
                 const ContourSet& clip, const std::vector<char>& ignoreClip, SweepInput& in)
{
    // Every edge joins two kept vertices of one ring, so a ring never gives
    // more edges than it has vertices; reserving that keeps the arena (and
    // the pointers into it) in place.
    const std::size_t capacity = EdgeCapacity(subject, ignoreSubject) + EdgeCapacity(clip, ignoreClip);
    in.op = op;
    in.arena.clear();
    in.arena.reserve(capacity);
    in.spare.clear();
    in.spare.reserve(kSpareRoom);
    in.kept.clear();
    in.keptRoom = capacity;
    in.vertices = 0;
    FoundBounds found;
    found.lastHeight = in.lastHeight;
    // Two bounds per local minimum; noisy rings have more, and the lists
    // grow.  Not more: with the arena, the largest block of the run, they
    // keep the run's memory within what the allocator keeps for the next
    // run instead of returning it to the system after every run.
    found.starts.reserve(capacity / 2 + 1);
    found.keys.reserve(capacity / 2 + 1);
    // A ring with arcs left out is read from in.arcs instead.
    const auto ring = [&in](const ContourSet& set, int c, int type) {
        return c == in.arcs.ring[type] ? RingView(in.arcs.vertices[type]) : set.Ring(c);
    };
    for (int c = 0; c < subject.Count(); ++c)
        if (!ignoreSubject[static_cast<std::size_t>(c)])
            RingBounds(ring(subject, c, kSubject), kSubject, in, found);
    for (int c = 0; c < clip.Count(); ++c)
        if (!ignoreClip[static_cast<std::size_t>(c)])
            RingBounds(ring(clip, c, kClip), kClip, in, found);

    in.flatSides = found.flat;
    in.startEdges.clear();
    if (in.late.on) {
        // The bounds starting below the late start height go to the end;
        // when the sweep can start late, they are left out.  (The order of
        // the bounds is total, so SortBounds gives the same whatever order
        // they are in.)  The sweep starts at the height of a bound, as the
        // beams do.
        bool startsThere = false;
        const auto low = std::partition(found.keys.begin(), found.keys.end(),
                                        [y = in.late.height, &startsThere](const PendingBound& p) {
                                            startsThere = startsThere || p.y == y;
                                            return !(p.y < y);
                                        });
        if (startsThere && low != found.keys.end()
            && StartLate(in, found.starts, &*low, static_cast<std::size_t>(found.keys.end() - low)))
            found.keys.erase(low, found.keys.end());
    }
    // The minima are allocated once the sort has let go of its buffers, so
    // that the two do not add up to the run's peak of memory.
    SortBounds(found.keys);
    in.minima.clear();
    in.minima.reserve(found.keys.size());
    for (const PendingBound& p : found.keys)
        in.minima.push_back(found.starts[p.seq]);
}

} // namespace detail
} // namespace clip
} // namespace S2D
