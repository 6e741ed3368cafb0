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
constexpr std::size_t kRadixFrom = 512;
constexpr int kDigitBits = 11;
constexpr std::uint32_t kDigits = 1u << kDigitBits;

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
    // Stable radix sort by height, digit by digit from the lowest; digits
    // that all keys share are skipped.  Bounds of one height stay in seq
    // order and are then put in order by the rest of the key.
    std::vector<Keyed> a(n), b(n);
    for (std::size_t i = 0; i < n; ++i)
        a[i] = Keyed{HeightKey(pending[i].y), static_cast<std::uint32_t>(i)};
    std::vector<std::uint32_t> count(kDigits);
    for (int shift = 0; shift < 64; shift += kDigitBits) {
        std::fill(count.begin(), count.end(), 0u);
        for (const Keyed& k : a)
            ++count[(k.key >> shift) & (kDigits - 1)];
        if (count[(a[0].key >> shift) & (kDigits - 1)] == n)
            continue;
        std::uint32_t sum = 0;
        for (std::uint32_t& c : count) {
            const std::uint32_t here = c;
            c = sum;
            sum += here;
        }
        for (const Keyed& k : a)
            b[count[(k.key >> shift) & (kDigits - 1)]++] = k;
        a.swap(b);
    }
    std::vector<PendingBound> sorted(n);
    for (std::size_t i = 0; i < n; ++i)
        sorted[i] = pending[a[i].at];
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && a[j].key == a[i].key)
            ++j;
        if (j - i > 1)
            std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(i), sorted.begin() + static_cast<std::ptrdiff_t>(j),
                      before);
        i = j;
    }
    pending.swap(sorted);
}

} // namespace detail
} // namespace clip
} // namespace S2D
