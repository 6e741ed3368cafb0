#include <zeltmath/s2d/clip/detail/bounds.h>

#include <zeltmath/s2d/clip/detail/bound_order.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Fills the edge from kept vertex `from` to kept vertex `to` (index into
// `ring`, whose first vertex is kept[ring]) of a bound running `step`-wise.
inline Edge* MakeEdge(SweepInput& in, Edge* slot, int ring, int count, int from, int to, int step, int type)
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

// Appends the kept vertices of one ring and the first edges of its bounds.
void RingBounds(const std::vector<Vertex>& ring, int type, SweepInput& in, std::vector<PendingBound>& pending)
{
    const std::size_t n = ring.size();
    if (n == 0)
        return;
    const int base = static_cast<int>(in.kept.size());
    // A vertex with both neighbours at its own height lies inside a
    // horizontal run and adds nothing.
    double py = ring[n - 1].y;
    bool extreme = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double y = ring[i].y;
        const double ny = ring[i + 1 == n ? 0 : i + 1].y;
        if (py != y || ny != y) {
            in.kept.push_back(ring[i]);
            extreme |= !(std::fabs(ring[i].x) < SweepInput::kExtreme) | !(std::fabs(y) < SweepInput::kExtreme);
        }
        py = y;
    }
    in.extreme |= extreme;
    const int m = static_cast<int>(in.kept.size()) - base;
    if (m == 0)
        return;   // a ring all at one height
    const Vertex* kept = in.kept.data() + base;
    py = kept[m - 1].y;
    for (int i = 0; i < m; ++i) {
        const double y = kept[i].y;
        const double ny = kept[i + 1 == m ? 0 : i + 1].y;
        // A bound starts only where neither neighbour is lower.  Forward
        // bound: rises along the ring's own direction; reverse bound: rises
        // against it.
        if (py >= y && ny >= y) {
            for (int step : {1, -1}) {
                const bool starts = step == 1 ? ny > y : py > y;
                if (!starts)
                    continue;
                in.arena.emplace_back();
                Edge* first = MakeEdge(in, &in.arena.back(), base, m, i, Step(i, step, m), step, type);
                pending.push_back(PendingBound{y, first->bot.x, first->dx, pending.size(), first});
            }
        }
        py = y;
    }
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
    const int to = NextTop(*this, e);
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
    in.kept.clear();
    in.kept.reserve(capacity);
    in.extreme = false;
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
