#include <zeltmath/s2d/clip/detail/fragments.h>

namespace S2D {
namespace clip {
namespace detail {

void Fragments::MergeLeft(int p, int q)
{
    if (p == None || q == None)
        return;
    const int oq = Owner(q);
    frags_[oq].hole = 1;
    const int op = Owner(p);
    if (op == oq)
        return;
    nodes_[frags_[op].right].next = frags_[oq].left;
    frags_[oq].left = frags_[op].left;
    frags_[oq].count += frags_[op].count;
    frags_[op].parent = oq;
    frags_[op].active = false;
}

void Fragments::MergeRight(int p, int q)
{
    if (p == None || q == None)
        return;
    const int oq = Owner(q);
    frags_[oq].hole = 0;
    const int op = Owner(p);
    if (op == oq)
        return;
    nodes_[frags_[oq].right].next = frags_[op].left;
    frags_[oq].right = frags_[op].right;
    frags_[oq].count += frags_[op].count;
    frags_[op].parent = oq;
    frags_[op].active = false;
}

void Fragments::Reserve(std::size_t n)
{
    nodes_.reserve(n);
}

ContourSet Fragments::Result() const
{
    ContourSet out;
    for (int f = static_cast<int>(frags_.size()) - 1; f >= 0; --f) {
        const Fragment& fr = frags_[f];
        if (!fr.active || fr.count < 3)
            continue;
        // Stored from the last position to the first.
        std::vector<Vertex> ring(static_cast<std::size_t>(fr.count));
        std::size_t pos = ring.size();
        double nonFinite = 0;
        for (int n = fr.left; n != None; n = nodes_[n].next) {
            const Vertex v{nodes_[n].x, nodes_[n].y};
            nonFinite += NonFinite(v);
            ring[--pos] = v;
        }
        if (nonFinite == 0)
            out.Add(std::move(ring), fr.hole);
    }
    return out;
}

} // namespace detail
} // namespace clip
} // namespace S2D
