#include <zeltmath/formula/detail/angle.h>

namespace zeltmath {
namespace formula {
namespace detail_angle {

__thread double t_factor __attribute__((tls_model("initial-exec"))) = 0.0;

} // namespace detail_angle
} // namespace formula
} // namespace zeltmath
