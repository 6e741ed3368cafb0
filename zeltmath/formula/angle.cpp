#include <zeltmath/formula/detail/angle.h>

namespace zeltmath {
namespace formula {

namespace {
// initial-exec: the value is read by every trigonometric evaluation, and the
// one double fits in the static TLS reserve of a loaded library.
thread_local double t_angleFactor __attribute__((tls_model("initial-exec"))) = 0.0;
} // namespace

double CurrentAngleFactor() { return t_angleFactor; }
void SetCurrentAngleFactor(double k) { t_angleFactor = k; }

} // namespace formula
} // namespace zeltmath
