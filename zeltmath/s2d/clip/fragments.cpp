#include <zeltmath/s2d/clip/detail/fragments.h>

#include <cmath>

namespace S2D {
namespace clip {
namespace detail {

int Fragments::NewNode(double x, double y, int next)
{
    nodes_.push_back(Node{x, y, next});
    return static_cast<int>(nodes_.size()) - 1;
}

int Fragments::Owner(int f)
{
    // Path halving keeps the forest flat.
    while (frags_[f].parent != f) {
        frags_[f].parent = frags_[frags_[f].parent].parent;
        f = frags_[f].parent;
    }
    return f;
}

int Fragments::Create(double x, double y)
{
    const int node = NewNode(x, y, None);
    const int f = static_cast<int>(frags_.size());
    frags_.push_back(Fragment{f, node, node, 0, true});
    return f;
}

void Fragments::AddLeft(int f, double x, double y)
{
    if (f == None)
        return;
    Fragment& o = frags_[Owner(f)];
    o.left = NewNode(x, y, o.left);
}

void Fragments::AddRight(int f, double x, double y)
{
    if (f == None)
        return;
    const int o = Owner(f);
    const int node = NewNode(x, y, None);
    nodes_[frags_[o].right].next = node;
    frags_[o].right = node;
}

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
    frags_[op].parent = oq;
    frags_[op].active = false;
}

ContourSet Fragments::Result() const
{
    ContourSet out;
    for (int f = static_cast<int>(frags_.size()) - 1; f >= 0; --f) {
        const Fragment& fr = frags_[f];
        if (!fr.active)
            continue;
        std::size_t count = 0;
        bool finite = true;
        for (int n = fr.left; n != None; n = nodes_[n].next) {
            ++count;
            finite = finite && std::isfinite(nodes_[n].x) && std::isfinite(nodes_[n].y);
        }
        if (count < 3 || !finite)
            continue;
        // Stored from the last position to the first.
        std::vector<Vertex> ring(count);
        std::size_t pos = count;
        for (int n = fr.left; n != None; n = nodes_[n].next)
            ring[--pos] = Vertex{nodes_[n].x, nodes_[n].y};
        out.Add(std::move(ring), fr.hole);
    }
    return out;
}

} // namespace detail
} // namespace clip
} // namespace S2D
