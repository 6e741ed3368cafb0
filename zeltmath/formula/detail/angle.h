#ifndef ZELTMATH_FORMULA_DETAIL_ANGLE_H
#define ZELTMATH_FORMULA_DETAIL_ANGLE_H

// The current angle factor: the number of radians in one angle unit, one
// value per thread (0.0 when a thread starts).  The trigonometric nodes read
// it whenever they are evaluated; the formula object sets it to its own
// factor around every parse, evaluation and derivative (AngleFactorScope).

namespace zeltmath {
namespace formula {

namespace detail_angle {
// A plain thread-local double (no constructor, no destructor), so reading it
// needs no initialisation check; initial-exec, since the one double fits in
// the static TLS reserve of a loaded library.
extern __thread double t_factor __attribute__((tls_model("initial-exec")));
} // namespace detail_angle

inline double CurrentAngleFactor() { return detail_angle::t_factor; }
inline void SetCurrentAngleFactor(double k) { detail_angle::t_factor = k; }

// Sets the thread's current angle factor for the lifetime of the scope and
// restores the previous value on every way out.
class AngleFactorScope {
public:
    explicit AngleFactorScope(double k) : m_saved(CurrentAngleFactor()) { SetCurrentAngleFactor(k); }
    ~AngleFactorScope() { SetCurrentAngleFactor(m_saved); }
    AngleFactorScope(const AngleFactorScope&) = delete;
    AngleFactorScope& operator=(const AngleFactorScope&) = delete;

private:
    double m_saved;
};

} // namespace formula
} // namespace zeltmath

#endif
