#ifndef ZELTMATH_FORMULA_DETAIL_ANGLE_H
#define ZELTMATH_FORMULA_DETAIL_ANGLE_H

// The current angle factor: the number of radians in one angle unit, one
// value per thread (0.0 when a thread starts).  The trigonometric nodes read
// it whenever they are evaluated; the formula object sets it to its own
// factor around every parse, evaluation and derivative (AngleFactorScope).

namespace zeltmath {
namespace formula {

double CurrentAngleFactor();
void SetCurrentAngleFactor(double k);

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
