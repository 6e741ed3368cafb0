#include <zeltmath/s2d/clip/detail/bound_order.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Below this many bounds the comparison sort is as fast.
constexpr std::size_t kRadixFrom = 64;
// From this many bounds on, digits of 11 bits take fewer passes than the
// cost of their larger histograms.
constexpr std::size_t kWideDigitsFrom = 512;

// An unsigned key in the order of the (finite) double, with -0 equal to +0.
inline std::uint64_t HeightKey(double v)
{
    if (v == 0)
        v = 0;
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return (b >> 63) ? ~b : b | (std::uint64_t(1) << 63);
}

struct Keyed {
    std::uint64_t key;
    std::uint32_t at;
};

// Stable LSD radix sort of `a` by key, digits of Bits bits from the lowest;
// a digit that all keys share is skipped.  b is scratch of a's size.  The
// histograms of all digits are counted in one pass when they are small.
template <int Bits>
void RadixByKey(std::vector<Keyed>& a, std::vector<Keyed>& b)
{
    constexpr std::uint32_t kDigits = 1u << Bits;
    constexpr int kPasses = (64 + Bits - 1) / Bits;
    constexpr bool kCountAtOnce = Bits <= 8;
    const std::size_t n = a.size();
    std::vector<std::uint32_t> counts(kDigits * (kCountAtOnce ? kPasses : 1));
    if (kCountAtOnce)
        for (const Keyed& k : a)
            for (int p = 0; p < kPasses; ++p)
                ++counts[p * kDigits + ((k.key >> (p * Bits)) & (kDigits - 1))];
    for (int p = 0; p < kPasses; ++p) {
        const int shift = p * Bits;
        std::uint32_t* count = counts.data() + (kCountAtOnce ? p * kDigits : 0);
        if (!kCountAtOnce) {
            std::fill(count, count + kDigits, 0u);
            for (const Keyed& k : a)
                ++count[(k.key >> shift) & (kDigits - 1)];
        }
        if (count[(a[0].key >> shift) & (kDigits - 1)] == n)
            continue;
        std::uint32_t sum = 0;
        for (std::uint32_t d = 0; d < kDigits; ++d) {
            const std::uint32_t here = count[d];
            count[d] = sum;
            sum += here;
        }
        for (const Keyed& k : a)
            b[count[(k.key >> shift) & (kDigits - 1)]++] = k;
        a.swap(b);
    }
}

} // namespace

void SortBounds(std::vector<PendingBound>& pending)
{
    // A lambda, not the function's address, so that the comparison inlines.
    const auto before = [](const PendingBound& a, const PendingBound& b) { return BoundBefore(a, b); };
    const std::size_t n = pending.size();
    if (n < kRadixFrom) {
        std::sort(pending.begin(), pending.end(), before);
        return;
    }
    // Stable radix sort by height.  Bounds of one height stay in seq order
    // and are then put in order by the rest of the key.
    std::vector<Keyed> a(n), b(n);
    for (std::size_t i = 0; i < n; ++i)
        a[i] = Keyed{HeightKey(pending[i].y), static_cast<std::uint32_t>(i)};
    if (n < kWideDigitsFrom)
        RadixByKey<8>(a, b);
    else
        RadixByKey<11>(a, b);
    std::vector<PendingBound> sorted(n);
    for (std::size_t i = 0; i < n; ++i)
        sorted[i] = pending[a[i].at];
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && a[j].key == a[i].key)
            ++j;
        // Most often the two bounds of one local minimum.
        if (j - i == 2) {
            if (before(sorted[i + 1], sorted[i]))
                std::swap(sorted[i], sorted[i + 1]);
        } else if (j - i > 2) {
            std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(i), sorted.begin() + static_cast<std::ptrdiff_t>(j),
                      before);
        }
        i = j;
    }
    pending.swap(sorted);
}

} // namespace detail
} // namespace clip
} // namespace S2D
