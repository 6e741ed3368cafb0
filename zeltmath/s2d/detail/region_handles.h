#ifndef ZELTMATH_S2D_DETAIL_REGION_HANDLES_H
#define ZELTMATH_S2D_DETAIL_REGION_HANDLES_H

#include <cstddef>

namespace S2D {
namespace detail {

// The number of region handles created and not yet released, in the whole
// process.  For white-box tests that check that no handle leaks.
std::size_t LiveRegionCount();

} // namespace detail
} // namespace S2D

#endif
