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
    // The rings, newest fragment first.
    ContourSet out;
    for (int f = static_cast<int>(frags_.size()) - 1; f >= 0; --f)
        if (frags_[f].active && frags_[f].count >= 3)
            out.holes.push_back(f);   // for now, the ring's fragment
    const std::size_t n = out.holes.size();
    out.contours.resize(n);
    // Each step along a list waits for the node before it, so the lists are
    // read two at a time and the waits of the two overlap.  A list is stored
    // from the last position to the first.  A ring with a coordinate that is
    // not finite is marked by an empty contour and left out at the end.
    const auto take = [this](int& node, Vertex*& to, double& nonFinite) {
        const Node& at = nodes_[node];
        const Vertex v{at.x, at.y};
        nonFinite += NonFinite(v);
        *--to = v;
        node = at.next;
    };
    bool dropped = false;
    for (std::size_t k = 0; k < n; k += 2) {
        const std::size_t k1 = k + 1 < n ? k + 1 : k;
        const Fragment& f0 = frags_[out.holes[k]];
        const Fragment& f1 = frags_[out.holes[k1]];
        std::vector<Vertex>& r0 = out.contours[k];
        std::vector<Vertex>& r1 = out.contours[k1];
        r0.resize(static_cast<std::size_t>(f0.count));
        r1.resize(static_cast<std::size_t>(f1.count));
        Vertex* to0 = r0.data() + r0.size();
        Vertex* to1 = r1.data() + r1.size();
        int n0 = f0.left;
        int n1 = k1 != k ? f1.left : None;
        double bad0 = 0;
        double bad1 = 0;
        while (n0 != None && n1 != None) {
            take(n0, to0, bad0);
            take(n1, to1, bad1);
        }
        while (n0 != None)
            take(n0, to0, bad0);
        while (n1 != None)
            take(n1, to1, bad1);
        out.holes[k] = f0.hole;
        out.holes[k1] = f1.hole;
        if (bad0 != 0 || bad1 != 0) {
            dropped = true;
            if (bad0 != 0)
                r0.clear();
            if (bad1 != 0)
                r1.clear();
        }
    }
    if (dropped) {
        std::size_t kept = 0;
        for (std::size_t k = 0; k < n; ++k)
            if (!out.contours[k].empty()) {
                if (kept != k) {
                    out.contours[kept] = std::move(out.contours[k]);
                    out.holes[kept] = out.holes[k];
                }
                ++kept;
            }
        out.contours.resize(kept);
        out.holes.resize(kept);
    }
    return out;
}

} // namespace detail
} // namespace clip
} // namespace S2D
