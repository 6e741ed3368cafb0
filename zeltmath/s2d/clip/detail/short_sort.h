#ifndef ZELTMATH_S2D_CLIP_DETAIL_SHORT_SORT_H
#define ZELTMATH_S2D_CLIP_DETAIL_SHORT_SORT_H

// A sort for the many short ranges the engine sorts (the events of a beam,
// the bounds of one bucket of heights).

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace S2D {
namespace clip {
namespace detail {

// Ranges up to this long are sorted by insertion.
constexpr std::size_t kInsertionUpTo = 16;

// Sorts [first, last) by `before`: by insertion when the range is short,
// where std::sort's set-up would cost more than the sort itself, else by
// std::sort.
template <class It, class Before>
void SortShort(It first, It last, Before before)
{
    const std::size_t n = static_cast<std::size_t>(last - first);
    if (n > kInsertionUpTo) {
        std::sort(first, last, before);
        return;
    }
    if (n < 2)
        return;
    for (It i = first + 1; i != last; ++i) {
        const typename std::iterator_traits<It>::value_type v = *i;
        It j = i;
        for (; j != first && before(v, *(j - 1)); --j)
            *j = *(j - 1);
        *j = v;
    }
}

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
