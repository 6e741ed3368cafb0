#ifndef ZELTMATH_S2D_CLIP_DETAIL_FRAGMENTS_H
#define ZELTMATH_S2D_CLIP_DETAIL_FRAGMENTS_H

// Output fragments of a sweep: open chains of result vertices that grow at
// both ends and are joined into closed rings.
//
// A fragment's vertices live in a singly linked list (left end to right end)
// in one arena.  When two fragments are joined, the joined list belongs to
// one of them (the owner, called its proxy), and every fragment that was
// owned by the other now names the new owner and stops being active.  The
// owners are kept in a disjoint-set forest, so a join costs near O(1)
// instead of a walk over all fragments.  The result lists the active
// fragments newest first.

#include <zeltmath/s2d/clip/detail/contour_set.h>
#include <zeltmath/s2d/clip/detail/pod_stack.h>

#include <cstddef>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

class Fragments {
public:
    static constexpr int None = -1;

    // A new fragment holding the single vertex (x, y), made by the walk of
    // the beam from y; CreateAtCrossing makes one at a crossing inside the
    // beam from `beam`.
    int Create(double x, double y) { return Create(x, y, y, 0); }
    int CreateAtCrossing(double x, double y, double beam) { return Create(x, y, beam, 1); }
    // Adds a vertex at the left or right end of the list of f's owner.
    void AddLeft(int f, double x, double y);
    void AddRight(int f, double x, double y);
    // Marks q's owner as a hole and, when p has another owner, puts p's list
    // in front of q's and hands p's fragments to q's owner.
    void MergeLeft(int p, int q);
    // Marks q's owner as outer and, when p has another owner, appends p's
    // list after q's right end and hands p's fragments to q's owner.
    void MergeRight(int p, int q);

    // One contour per active fragment with at least 3 vertices, newest
    // fragment first, its vertices in reverse list order; in place of the
    // rings of `out`, whose storage is used again.
    // With `births`, also when each ring's fragment was made (see RingBirth;
    // RecordBirths must have been called before the first fragment).
    void Result(ContourSet& out, std::vector<RingBirth>* births = nullptr) const;
    ContourSet Result() const
    {
        ContourSet out;
        Result(out);
        return out;
    }

    // Every fragment made from now on keeps when it was made.
    void RecordBirths() { recordBirths_ = true; }

    // Room for about n vertices and f fragments, so that growing the lists
    // does not move them.
    void Reserve(std::size_t n, std::size_t f);

private:
    struct Node {
        // Built in place (see RingBirth).
        Node(double x_, double y_, int next_) : x(x_), y(y_), next(next_) {}
        double x;
        double y;
        int next;
    };
    struct Fragment {
        Fragment(int self, int node) : parent(self), left(node), right(node), count(1), hole(0), active(true) {}
        int parent;   // disjoint-set parent; itself for an owner
        int left;     // first vertex node of the owner's list
        int right;    // last vertex node
        int count;    // vertices in the owner's list
        int hole;
        bool active;
    };

    int Owner(int f);
    int NewNode(double x, double y, int next);
    int Create(double x, double y, double beam, int crossing);

    PodStack<Fragment> frags_;
    PodStack<Node> nodes_;
    bool recordBirths_ = false;
    std::vector<RingBirth> births_;   // per fragment, when recorded
};

// The calls made for almost every result vertex are inline.

[[gnu::always_inline]] inline int Fragments::NewNode(double x, double y, int next)
{
    nodes_.emplace_back(x, y, next);
    return static_cast<int>(nodes_.size()) - 1;
}

[[gnu::always_inline]] inline int Fragments::Owner(int f)
{
    // Path halving keeps the forest flat.
    while (frags_[f].parent != f) {
        frags_[f].parent = frags_[frags_[f].parent].parent;
        f = frags_[f].parent;
    }
    return f;
}

[[gnu::always_inline]] inline int Fragments::Create(double x, double y, double beam, int crossing)
{
    const int node = NewNode(x, y, None);
    const int f = static_cast<int>(frags_.size());
    frags_.emplace_back(f, node);
    if (recordBirths_)
        births_.emplace_back(beam, crossing, x);
    return f;
}

[[gnu::always_inline]] inline void Fragments::AddLeft(int f, double x, double y)
{
    if (f == None)
        return;
    const int o = Owner(f);
    const int node = NewNode(x, y, frags_[o].left);
    frags_[o].left = node;
    ++frags_[o].count;
}

[[gnu::always_inline]] inline void Fragments::AddRight(int f, double x, double y)
{
    if (f == None)
        return;
    const int o = Owner(f);
    const int node = NewNode(x, y, None);
    nodes_[frags_[o].right].next = node;
    frags_[o].right = node;
    ++frags_[o].count;
}

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
