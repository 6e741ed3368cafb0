#include <zeltmath/s2d/clip/detail/bounds.h>

#include <zeltmath/s2d/clip/detail/bound_order.h>

#include <algorithm>
#include <cstddef>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Fills the edge from kept vertex `from` to kept vertex `to` of `ring`
// (its `count` kept vertices) of a bound running `step`-wise.
inline Edge* MakeEdge(SweepInput& in, Edge* slot, const Vertex* ring, int count, int from, int to, int step, int type)
{
    Edge& e = *slot;
    e.type = type;
    e.ring = ring;
    e.count = count;
    e.step = step;
    e.prev = e.next = nullptr;
    SetSpan(in, e, from, to);
    return &e;
}

// A vertex (height y, its neighbours' py and ny) inside a horizontal run,
// which the vertex filter drops.
inline bool InsideRun(double py, double y, double ny)
{
    return py == y && ny == y;
}

// Appends the first edges of the bounds of the ring of m vertices at
// `kept`.  A bound starts only where neither neighbour is lower.  Forward
// bound: rises along the ring's own direction; reverse bound: rises against
// it.  With `whole`, the ring is read as given and the search stops (false)
// at the first vertex with both neighbours at its own height.
bool FindBounds(const Vertex* kept, int m, bool whole, int type, SweepInput& in, std::vector<PendingBound>& pending)
{
    double py = kept[m - 1].y;
    for (int k = 0; k < m; ++k) {
        const double y = kept[k].y;
        const double ny = kept[k + 1 == m ? 0 : k + 1].y;
        if (py >= y && ny >= y) {
            if (whole && InsideRun(py, y, ny))
                return false;
            for (int step : {1, -1}) {
                const bool starts = step == 1 ? ny > y : py > y;
                if (!starts)
                    continue;
                in.arena.emplace_back();
                Edge* first = MakeEdge(in, &in.arena.back(), kept, m, k, Step(k, step, m), step, type);
                pending.push_back(PendingBound{y, first->bot.x, first->dx, pending.size(), first});
            }
        }
        py = y;
    }
    return true;
}

// The first edges of the bounds of one ring.  A vertex with both neighbours
// at its own height lies inside a horizontal run and adds nothing.  Most
// rings have no such vertex, and the sweep reads them in place; the kept
// vertices of the others are copied to in.kept and searched again.
void RingBounds(const std::vector<Vertex>& ring, int type, SweepInput& in, std::vector<PendingBound>& pending)
{
    const std::size_t n = ring.size();
    if (n == 0)
        return;
    const std::size_t arenaMark = in.arena.size();
    const std::size_t pendingMark = pending.size();
    if (FindBounds(ring.data(), static_cast<int>(n), true, type, in, pending)) {
        in.vertices += n;
        return;
    }
    in.arena.resize(arenaMark);
    pending.resize(pendingMark);
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
    in.vertices += static_cast<std::size_t>(m);
    FindBounds(in.kept.data() + base, m, false, type, in, pending);
}

std::size_t EdgeCapacity(const ContourSet& set, const std::vector<char>& ignore)
{
    std::size_t total = 0;
    for (std::size_t c = 0; c < set.contours.size(); ++c)
        if (!ignore[c])
            total += set.contours[c].size();
    return total;
}

} // namespace

Edge* SweepInput::Successor(const Edge& e)
{
    const int to = NextTop(e);
    if (to < 0)
        return nullptr;
    Edge* slot;
    if (spare.empty()) {
        arena.emplace_back();
        slot = &arena.back();
    } else {
        slot = spare.back();
        spare.pop_back();
    }
    return MakeEdge(*this, slot, e.ring, e.count, e.topAt, to, e.step, e.type);
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
    // Reserved, so that edges may point into it as it fills.
    in.kept.clear();
    in.kept.reserve(capacity);
    in.vertices = 0;
    std::vector<PendingBound> pending;
    pending.reserve(capacity / 2 + 1);   // two per local minimum, most often enough
    for (std::size_t c = 0; c < subject.contours.size(); ++c)
        if (!ignoreSubject[c])
            RingBounds(subject.contours[c], kSubject, in, pending);
    for (std::size_t c = 0; c < clip.contours.size(); ++c)
        if (!ignoreClip[c])
            RingBounds(clip.contours[c], kClip, in, pending);

    SortBounds(pending);
    in.minima.clear();
    in.minima.reserve(pending.size());
    for (const PendingBound& p : pending)
        in.minima.push_back(BoundStart{p.y, p.first});
}

} // namespace detail
} // namespace clip
} // namespace S2D
