#include <zeltmath/s2d/clip/detail/bounds.h>

#include <algorithm>
#include <cstddef>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// A bound waiting for its place among the minima, with its sort key copied
// out of the edge so that sorting does not chase pointers.
struct PendingBound {
    double y;
    double x;
    double dx;
    std::size_t seq;
    Edge* first;
};

inline Edge* MakeEdge(std::vector<Edge>& arena, const Vertex& bot, const Vertex& top, int type, Operation op)
{
    arena.emplace_back();
    Edge& e = arena.back();
    e.bot = bot;
    e.top = top;
    e.xb = bot.x;
    e.xt = bot.x;
    e.dx = (top.x - bot.x) / (top.y - bot.y);
    e.type = type;
    e.bundle[kAbove][kClip] = e.bundle[kAbove][kSubject] = 0;
    e.bundle[kBelow][kClip] = e.bundle[kBelow][kSubject] = 0;
    e.bside[kClip] = op == Operation::Difference ? 1 : 0;
    e.bside[kSubject] = 0;
    e.bstate[kAbove] = e.bstate[kBelow] = kSingle;
    e.outp[kAbove] = e.outp[kBelow] = -1;
    e.prev = e.next = e.succ = e.slink = nullptr;
    return &e;
}

// Appends the bounds of one ring.
void RingBounds(const std::vector<Vertex>& ring, int type, Operation op, std::vector<Vertex>& kept,
                SweepInput& in, std::vector<PendingBound>& pending)
{
    const std::size_t n = ring.size();
    kept.clear();
    // A vertex with both neighbours at its own height lies inside a
    // horizontal run and adds nothing.
    if (n == 0)
        return;
    kept.reserve(n);
    double py = ring[n - 1].y;
    for (std::size_t i = 0; i < n; ++i) {
        const double y = ring[i].y;
        const double ny = ring[i + 1 == n ? 0 : i + 1].y;
        if (py != y || ny != y)
            kept.push_back(ring[i]);
        py = y;
    }
    const std::size_t m = kept.size();
    auto next = [m](std::size_t i) { return i + 1 == m ? 0 : i + 1; };
    auto prev = [m](std::size_t i) { return i == 0 ? m - 1 : i - 1; };

    for (std::size_t i = 0; i < m; ++i) {
        const double y = kept[i].y;
        // Forward bound: rises along the ring's own direction.
        if (kept[prev(i)].y >= y && kept[next(i)].y > y) {
            Edge* first = nullptr;
            Edge* last = nullptr;
            std::size_t v = i;
            do {
                Edge* e = MakeEdge(in.arena, kept[v], kept[next(v)], type, op);
                if (last)
                    last->succ = e;
                else
                    first = e;
                last = e;
                v = next(v);
            } while (kept[next(v)].y > kept[v].y);
            pending.push_back(PendingBound{y, first->bot.x, first->dx, pending.size(), first});
        }
        // Reverse bound: rises against the ring's direction.
        if (kept[prev(i)].y > y && kept[next(i)].y >= y) {
            Edge* first = nullptr;
            Edge* last = nullptr;
            std::size_t v = i;
            do {
                Edge* e = MakeEdge(in.arena, kept[v], kept[prev(v)], type, op);
                if (last)
                    last->succ = e;
                else
                    first = e;
                last = e;
                v = prev(v);
            } while (kept[prev(v)].y > kept[v].y);
            pending.push_back(PendingBound{y, first->bot.x, first->dx, pending.size(), first});
        }
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

void BuildBounds(Operation op, const ContourSet& subject, const std::vector<char>& ignoreSubject,
                 const ContourSet& clip, const std::vector<char>& ignoreClip, SweepInput& in)
{
    // Every edge joins two kept vertices of one ring, so a ring never gives
    // more edges than it has vertices; reserving that keeps the arena (and
    // the pointers into it) in place.
    in.arena.clear();
    in.arena.reserve(EdgeCapacity(subject, ignoreSubject) + EdgeCapacity(clip, ignoreClip));
    std::vector<PendingBound> pending;
    std::vector<Vertex> kept;
    for (std::size_t c = 0; c < subject.contours.size(); ++c)
        if (!ignoreSubject[c])
            RingBounds(subject.contours[c], kSubject, op, kept, in, pending);
    for (std::size_t c = 0; c < clip.contours.size(); ++c)
        if (!ignoreClip[c])
            RingBounds(clip.contours[c], kClip, op, kept, in, pending);

    // Bounds at one minimum in order of bottom x, then dx; bounds equal in
    // both keep the order in which they were found.
    std::sort(pending.begin(), pending.end(), [](const PendingBound& a, const PendingBound& b) {
        if (a.y != b.y)
            return a.y < b.y;
        if (a.x != b.x)
            return a.x < b.x;
        if (LessTotal(a.dx, b.dx))
            return true;
        if (LessTotal(b.dx, a.dx))
            return false;
        return a.seq < b.seq;
    });
    in.minima.clear();
    in.minima.reserve(pending.size());
    for (const PendingBound& p : pending)
        in.minima.push_back(BoundStart{p.y, p.first});
}

} // namespace detail
} // namespace clip
} // namespace S2D
