// Normalisation of rings in general position by halves (see by_halves.h).

#include <zeltmath/s2d/clip/detail/by_halves.h>

#include <zeltmath/s2d/clip/detail/radix_queue.h>
#include <zeltmath/s2d/clip/detail/survey.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Sorts `values` (no NaN among them), a byte of their order keys at a time
// from the lowest, skipping the bytes that all keys share.
void RadixSort(std::vector<double>& values)
{
    const std::size_t n = values.size();
    std::vector<std::uint64_t> keys(n);
    std::vector<std::uint64_t> spare(n);
    std::uint64_t differ = 0;
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = OrderKey(values[i]);
        differ |= keys[i] ^ keys[0];
    }
    for (int shift = 0; shift < 64; shift += 8) {
        if (((differ >> shift) & 0xFF) == 0)
            continue;
        std::size_t start[257] = {};
        for (const std::uint64_t k : keys)
            ++start[((k >> shift) & 0xFF) + 1];
        for (int b = 0; b < 256; ++b)
            start[b + 1] += start[b];
        for (const std::uint64_t k : keys)
            spare[start[(k >> shift) & 0xFF]++] = k;
        keys.swap(spare);
    }
    for (std::size_t i = 0; i < n; ++i)
        values[i] = FromOrderKey(keys[i]);
}

// Whether every two of `values` are more than kNear apart (sorts them).
bool Apart(std::vector<double>& values)
{
    if (values.size() < 256)
        std::sort(values.begin(), values.end());
    else
        RadixSort(values);
    for (std::size_t i = 1; i < values.size(); ++i)
        if (!(values[i] - values[i - 1] > kNear))
            return false;
    return true;
}

// Appends the rings of `from` to `to`.
void Append(const ContourSet& from, ContourSet& to)
{
    for (int c = 0; c < from.Count(); ++c)
        to.Add(from.Ring(c), 0);
}

// Up to this many rings are united in layers of rings whose boxes do not
// meet, more by halves.
constexpr std::size_t kLayered = 16;
static_assert(kLayered <= 64, "the layers taken about a ring are the bits of a 64-bit mask");

// Sets kept from call to call, so that their storage is used again: two
// sets per depth of the halving (scratch[2 depth] and scratch[2 depth + 1]),
// and the layers of the rings being united.
struct Work {
    std::vector<ContourSet> scratch;
    std::vector<ContourSet> layers;
};

// The n rings (of boxes `boxes`, n <= kLayered) side by side in layers,
// into work.layers: each ring in turn takes the lowest layer that holds no
// ring whose box meets its own.  Returns how many layers there are.
std::size_t Layer(const RingView* rings, const Box* boxes, std::size_t n, Work& work)
{
    std::size_t layerOf[kLayered];
    std::size_t layers = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t taken = 0;
        for (std::size_t j = 0; j < i; ++j)
            if (Near(boxes[i], boxes[j]))
                taken |= std::uint64_t(1) << layerOf[j];
        std::size_t l = 0;
        while (taken >> l & 1)
            ++l;
        layerOf[i] = l;
        layers = std::max(layers, l + 1);
    }
    if (work.layers.size() < layers)
        work.layers.resize(layers);
    for (std::size_t l = 0; l < layers; ++l)
        work.layers[l].Clear();
    for (std::size_t i = 0; i < n; ++i)
        work.layers[layerOf[i]].Add(rings[i], 0);
    return layers;
}

// The union of the n `layers` (each of rings side by side) into `out`, by
// halves; the halves are made in scratch[2 depth] and scratch[2 depth + 1].
void UniteLayers(const ContourSet* layers, std::size_t n, ContourSet& out, std::vector<ContourSet>& scratch,
                 std::size_t depth = 0)
{
    out.Clear();
    if (n == 1)
        return Append(layers[0], out);
    ContourSet& a = scratch[2 * depth];
    ContourSet& b = scratch[2 * depth + 1];
    UniteLayers(layers, n / 2, a, scratch, depth + 1);
    UniteLayers(layers + n / 2, n - n / 2, b, scratch, depth + 1);
    CombineInto(Operation::Union, a, b, out);
}

// The union of the n `rings` (of boxes `boxes`, sorted as they are to be
// united) into `out` and the box of them all into `hull`: up to kLayered
// rings by their layers; more by one run over the unions of the two
// halves, or, when the boxes of the halves do not meet, the halves side by
// side.
void ByHalves(const RingView* rings, const Box* boxes, std::size_t n, ContourSet& out, Box& hull, Work& work,
              std::size_t depth = 0)
{
    out.Clear();
    if (n <= kLayered) {
        hull = Box();
        for (std::size_t i = 0; i < n; ++i)
            hull = Hull(hull, boxes[i]);
        const std::size_t layers = Layer(rings, boxes, n, work);
        return UniteLayers(work.layers.data(), layers, out, work.scratch, depth);
    }
    ContourSet& a = work.scratch[2 * depth];
    ContourSet& b = work.scratch[2 * depth + 1];
    Box ha;
    Box hb;
    ByHalves(rings, boxes, n / 2, a, ha, work, depth + 1);
    ByHalves(rings + n / 2, boxes + n / 2, n - n / 2, b, hb, work, depth + 1);
    hull = Hull(ha, hb);
    if (!Near(ha, hb)) {
        Append(a, out);
        return Append(b, out);
    }
    CombineInto(Operation::Union, a, b, out);
}

// Spreads the 16 low bits of v to the even bits of the result.
std::uint64_t Spread(std::uint32_t v)
{
    std::uint64_t x = v & 0xFFFFu;
    x = (x | (x << 8)) & 0x00FF00FFu;
    x = (x | (x << 4)) & 0x0F0F0F0Fu;
    x = (x | (x << 2)) & 0x33333333u;
    x = (x | (x << 1)) & 0x55555555u;
    return x;
}

// Where c lies between lo and hi, on a scale of 0 to 65535.
std::uint32_t Scale(double c, double lo, double hi)
{
    return hi > lo ? static_cast<std::uint32_t>((c - lo) / (hi - lo) * 65535.0) : 0;
}

// Two operands whose union is that of `rings`, each of rings side by side
// that do not meet, for one last run to unite.  Rings whose boxes do not
// meet, directly or through others, are apart and are not run together.
// A group of up to kLayered rings is put in layers; the first half of the
// layers, united, goes to one operand and the rest to the other (a group
// of two layers needs no run of its own).  A larger group is taken in the
// order of its boxes' centres along a Z curve, and its two halves, each
// united by halves, go one to each operand: the runs unite neighbours,
// whose union has fewer vertices than they have, before the runs that hold
// many rings.
void Halve(const std::vector<RingView>& rings, ContourSet& first, ContourSet& second)
{
    const std::size_t n = rings.size();
    std::vector<Box> boxes(n);
    Box hull;
    for (std::size_t i = 0; i < n; ++i) {
        Survey(rings[i], boxes[i]);
        hull = Hull(hull, boxes[i]);
    }
    // Groups: rings whose boxes meet, found over the boxes in order of
    // their left sides.
    std::vector<std::size_t> parent(n);
    std::vector<std::size_t> byLeft(n);
    for (std::size_t i = 0; i < n; ++i)
        parent[i] = byLeft[i] = i;
    const auto root = [&parent](std::size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    std::sort(byLeft.begin(), byLeft.end(),
              [&boxes](std::size_t a, std::size_t b) { return boxes[a].xmin < boxes[b].xmin; });
    std::vector<Box> left(n);   // the boxes in that order, read in a row
    for (std::size_t k = 0; k < n; ++k)
        left[k] = boxes[byLeft[k]];
    // The pairs whose boxes meet are listed first, without a branch on
    // whether they meet in y, which is hard to foretell.
    std::vector<std::pair<std::size_t, std::size_t>> meet(n);
    std::size_t met = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const Box& a = left[k];
        for (std::size_t l = k + 1; l < n && left[l].xmin <= a.xmax; ++l) {
            if (met == meet.size())
                meet.resize(2 * meet.size());
            meet[met] = {k, l};
            met += static_cast<std::size_t>(int(left[l].ymin <= a.ymax) & int(a.ymin <= left[l].ymax));
        }
    }
    for (std::size_t i = 0; i < met; ++i)
        parent[root(byLeft[meet[i].second])] = root(byLeft[meet[i].first]);
    struct Place {
        std::size_t group;
        std::uint64_t key;
        std::size_t ring;
    };
    std::vector<Place> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Box& b = boxes[i];
        const std::uint32_t x = Scale(0.5 * b.xmin + 0.5 * b.xmax, hull.xmin, hull.xmax);
        const std::uint32_t y = Scale(0.5 * b.ymin + 0.5 * b.ymax, hull.ymin, hull.ymax);
        order[i] = Place{root(i), Spread(x) | Spread(y) << 1, i};
    }
    std::sort(order.begin(), order.end(), [](const Place& a, const Place& b) {
        return a.group != b.group ? a.group < b.group : a.key != b.key ? a.key < b.key : a.ring < b.ring;
    });
    std::vector<RingView> sorted;
    std::vector<Box> sortedBoxes;
    sorted.reserve(n);
    sortedBoxes.reserve(n);
    for (const Place& p : order) {
        sorted.push_back(rings[p.ring]);
        sortedBoxes.push_back(boxes[p.ring]);
    }

    first.Clear();
    second.Clear();
    ContourSet part;
    Box box;
    Work work;
    std::size_t halvings = 2;
    for (std::size_t k = n; k > 1; k -= k / 2)
        ++halvings;
    work.scratch.resize(2 * halvings);
    for (std::size_t lo = 0, hi; lo < n; lo = hi) {
        for (hi = lo + 1; hi < n && order[hi].group == order[lo].group;)
            ++hi;
        const std::size_t m = hi - lo;
        if (m <= kLayered) {
            const std::size_t layers = Layer(sorted.data() + lo, sortedBoxes.data() + lo, m, work);
            const std::size_t half = (layers + 1) / 2;
            UniteLayers(work.layers.data(), half, part, work.scratch);
            Append(part, first);
            if (layers > 1) {
                UniteLayers(work.layers.data() + half, layers - half, part, work.scratch);
                Append(part, second);
            }
            continue;
        }
        const std::size_t mid = lo + m / 2;
        ByHalves(sorted.data() + lo, sortedBoxes.data() + lo, m / 2, part, box, work);
        Append(part, first);
        ByHalves(sorted.data() + mid, sortedBoxes.data() + mid, hi - mid, part, box, work);
        Append(part, second);
    }
}

// Whether a side of `ring` (axis-parallel, its sides alternating, every x
// and y its own) crosses another side of it.  Rings of more than
// kMostChecked vertices are taken as crossing themselves.
constexpr std::size_t kMostChecked = 64;

bool CrossesItself(RingView ring)
{
    const std::size_t n = ring.size();
    if (n == 4)
        return false;
    if (n > kMostChecked)
        return true;
    // Side i runs from vertex i to the next; a vertical side meets a
    // horizontal one other than its neighbours only by crossing it, as no
    // two sides share an x or a y.
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& a = ring[i];
        const Vertex& b = ring[i + 1 == n ? 0 : i + 1];
        if (a.x != b.x)
            continue;
        const double lo = std::min(a.y, b.y);
        const double hi = std::max(a.y, b.y);
        for (std::size_t j = 0; j < n; ++j) {
            const Vertex& c = ring[j];
            const Vertex& d = ring[j + 1 == n ? 0 : j + 1];
            if (c.y == d.y && c.y > lo && c.y < hi && std::min(c.x, d.x) < a.x && a.x < std::max(c.x, d.x))
                return true;
        }
    }
    return false;
}

} // namespace

bool InGeneralPosition(const std::vector<RingView>& rings)
{
    std::size_t sides = 0;
    for (const RingView& ring : rings)
        sides += ring.size();
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(sides / 2);
    ys.reserve(sides / 2);
    for (const RingView& ring : rings) {
        const std::size_t n = ring.size();
        if (n < 4 || n % 2 != 0)
            return false;
        // Side i runs from vertex i to the next; the sides of one parity of
        // i are the horizontal ones.
        const bool evenHorizontal = ring[0].y == ring[1].y;
        for (std::size_t i = 0; i < n; ++i) {
            const Vertex& a = ring[i];
            const Vertex& b = ring[i + 1 == n ? 0 : i + 1];
            if (!(std::fabs(a.x) <= kModerate && std::fabs(a.y) <= kModerate))
                return false;
            if ((i % 2 == 0) == evenHorizontal) {
                if (!(a.y == b.y && a.x != b.x))
                    return false;
                ys.push_back(a.y);
            } else {
                if (!(a.x == b.x && a.y != b.y))
                    return false;
                xs.push_back(a.x);
            }
        }
    }
    if (!Apart(xs) || !Apart(ys))
        return false;
    for (const RingView& ring : rings)
        if (CrossesItself(ring))
            return false;
    return true;
}

void NormalizeByHalves(const std::vector<RingView>& outers, const std::vector<RingView>& inners, ContourSet& out)
{
    out.Clear();
    if (outers.empty())
        return;   // the holes are taken from an empty set
    ContourSet first;
    ContourSet second;
    Halve(outers, first, second);
    if (inners.empty())
        return CombineInto(Operation::Union, first, second, out);
    // The union of the outer rings and that of the holes need not be run
    // results themselves, only operands of the last run: halves of which
    // the second is empty are that already.
    const auto unite = [&first, &second](ContourSet& to) {
        if (second.Count() > 0)
            CombineInto(Operation::Union, first, second, to);
        else
            std::swap(to, first);
    };
    ContourSet united;
    unite(united);
    Halve(inners, first, second);
    ContourSet holes;
    unite(holes);
    CombineInto(Operation::Difference, united, holes, out);
}

} // namespace detail
} // namespace clip
} // namespace S2D
