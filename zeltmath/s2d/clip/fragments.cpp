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

void Fragments::Reserve(std::size_t n, std::size_t f)
{
    nodes_.reserve(n);
    frags_.reserve(f);
    if (recordBirths_)
        births_.reserve(f);
}

void Fragments::Result(ContourSet& out, std::vector<RingBirth>* births) const
{
    // The rings, newest fragment first.
    std::vector<int> owners;
    std::size_t vertices = 0;
    for (int f = static_cast<int>(frags_.size()) - 1; f >= 0; --f)
        if (frags_[f].active && frags_[f].count >= 3) {
            owners.push_back(f);
            vertices += static_cast<std::size_t>(frags_[f].count);
        }
    const std::size_t n = owners.size();
    if (births) {
        births->clear();
        for (const int f : owners)
            births->push_back(births_[static_cast<std::size_t>(f)]);
    }
    out.Clear();
    out.Reserve(n, vertices);
    for (const int f : owners)
        out.Append(static_cast<std::size_t>(frags_[f].count), frags_[f].hole);
    const auto end = [&](std::size_t k) {
        return out.MutableRing(static_cast<int>(k)) + frags_[owners[k]].count;
    };
    // Each step along a list waits for the node before it, so the lists are
    // read two at a time and the waits of the two overlap.  A list is stored
    // from the last position to the first.
    const auto take = [this](int& node, Vertex*& to, double& nonFinite) {
        const Node& from = nodes_[node];
        const Vertex v{from.x, from.y};
        nonFinite += NonFinite(v);
        *--to = v;
        node = from.next;
    };
    std::vector<char> finite;   // per ring; set up at the first that is not
    for (std::size_t k = 0; k < n; k += 2) {
        const bool pair = k + 1 < n;
        int n0 = frags_[owners[k]].left;
        int n1 = pair ? frags_[owners[k + 1]].left : None;
        Vertex* to0 = end(k);
        Vertex* to1 = pair ? end(k + 1) : nullptr;
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
        if (bad0 != 0 || bad1 != 0) {
            finite.resize(n, 1);
            finite[k] = bad0 == 0;
            if (pair)
                finite[k + 1] = bad1 == 0;
        }
    }
    // A ring with a coordinate that is not finite is left out.
    if (!finite.empty()) {
        // Filter asks for the rings in order, so the births move with them.
        std::size_t kept = 0;
        out.Filter([&](int c) {
            const bool keep = finite[static_cast<std::size_t>(c)] != 0;
            if (keep && births)
                (*births)[kept++] = (*births)[static_cast<std::size_t>(c)];
            return keep;
        });
        if (births)
            births->resize(kept);
    }
}

} // namespace detail
} // namespace clip
} // namespace S2D
