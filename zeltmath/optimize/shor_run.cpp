// Shor's r-algorithm with an exact penalty on the largest constraint
// residual, in the form published for nonsmooth constrained problems:
// every iteration dilates the space along the difference of the last two
// normalised (transformed) gradients, searches along the anti-gradient of
// the dilated space with an adaptive step, and measures the progress in
// steps to tune the next step length.
//
// Choices made where the method leaves room:
//  - Line search: each trial checks, in this order, a vanishing step, an
//    unbounded objective (-f >= 1e100 ends the run), the residual (infinite,
//    feasible, or a fast enough fall that raises the penalty and ends the
//    search), an infinite or NaN objective, a value worse than the
//    acceptance factor allows, a value not better than the previous trial
//    (ends the search there), and otherwise an improvement (step growth).
//    An infinite value and a value beyond the acceptance factor both start
//    the search over from its start point with the current step divided by
//    5.1, whether or not earlier trials had improved.  Since the improving
//    trials grow the step again, a search that runs into a sharp rise (the
//    wall of a large penalty) could start over for ever; after 3 such starts
//    following progress it ends at its last improving trial instead.
//  - The bound m of the acceptance factor starts at 20 after every restart
//    and drops by 10 n whenever a search starts over for a too large value.
//  - Restarts (B = I, counters of the current stretch cleared) follow a
//    change of the penalty coefficient, a collapse of the metric (direction
//    of norm <= 1e-15) and the return to the best point; the step is rescaled
//    so that its length in x is kept.
//  - The coefficient is lowered (divided by 10) only after 20 iterations at
//    infeasible points with a gradient below 0.01 times the coefficient.
//  - Vanishing steps are counted over the whole run.
//  - When the argument test keeps holding without the function test for 50
//    iterations, or the function test holds again after the return to the
//    best point, the run ends normally: the point no longer moves.
//  - A residual counts as infinite at +1e100 and above or NaN; a large
//    negative residual (every constraint met with room, or none at all) is
//    a met constraint, not an infinite one.
//  - The point handed back, whatever the code, is the last accepted one: the
//    start point, the last improving trial of a line search, the point a
//    search ended at, or the best point after the run went back to it.
#include <zeltmath/optimize/detail/shor_run.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <new>
#include <vector>

namespace zeltmath {
namespace detail {

namespace {

constexpr double kInfinity = 1e100;     // magnitudes at or above count as infinite
constexpr double kSmallNorm = 1e-15;    // relative size of a negligible vector
constexpr double kRavineCosine = -1 + 1e-4;
constexpr double kRavineDilation = -0.9;
constexpr double kStepReduction = 5.1;
constexpr double kGrowth20 = 2.0, kGrowth10 = 1.5, kGrowth3 = 1.05;
constexpr std::size_t kStepRecords = 3;
constexpr double kDesiredSteps = 6.3;
constexpr int kInfiniteRetries = 3;
constexpr int kOvershootRetries = 3;
constexpr int kVanishingSteps = 5;
constexpr int kArgumentPatience = 50;
constexpr int kPenaltyPatience = 20;
constexpr double kStartBound = 20.0;    // m of the acceptance factor after a restart

bool Finite(double v) { return std::fabs(v) < kInfinity; }  // false for NaN too

double Norm(const std::vector<double>& v)
{
    double s = 0.0;
    for (double e : v)
        s += e * e;
    return std::sqrt(s);
}

double Distance(const double* a, const std::vector<double>& b)
{
    double s = 0.0;
    for (std::size_t i = 0; i < b.size(); ++i)
        s += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(s);
}

// A point of the run with its objective and residual.
struct Sample {
    std::vector<double> x;
    double f = 0.0;         // objective
    double residual = 0.0;  // raw largest constraint residual
    bool feasible = true;
};

class Run {
public:
    Run(unsigned n, double* x, double* options, const ShorProblem& problem)
        : n_(n), x_(x), o_(options), p_(problem)
    {
    }

    double Execute();

private:
    // ---- evaluation helpers
    double Objective()
    {
        o_[9] += 1;
        return p_.fun(x_);
    }
    double Residual()
    {
        o_[11] += 1;
        return p_.func(x_);
    }
    double Penalty(double residual, bool feasible) const { return feasible ? 0.0 : residual; }
    double Working(double f, double residual, bool feasible) const
    {
        return f + penalty_ * Penalty(residual, feasible);
    }
    bool IsFeasible(double residual) const { return !constrained_ || residual <= feasTol_; }

    // Gradient of the working function at x_ into g_ (unnormalised), ng_.
    // Returns 0 or a termination code.
    int Gradient(bool atStart);
    void Restart();
    bool Better(const Sample& a, const Sample& b) const;
    void Store(Sample& s) const;
    void Finish(int code);

    int LineSearch();

    unsigned n_;
    double* x_;
    double* o_;
    const ShorProblem& p_;
    bool constrained_ = false;

    double tolx_ = 0, tolf_ = 0, feasTol_ = 0, ddx_ = 0, w_ = 0, zeroGrad_ = 0;
    long itmax_ = 0;

    std::vector<double> g_, g0_, gt_, p_dir_, z_, v_, gc_, deltax_, B_;
    double ng_ = 0.0;  // norm of the working gradient
    double h_ = 0.0;   // signed step (negative: against the gradient)
    double penalty_ = 1.0;
    double pNorm_ = 1.0;  // norm of the last search direction

    Sample cur_, best_;
    double F_ = 0.0;   // working value at the current point

    long k_ = 0;        // iterations
    long kr_ = 0;       // iterations since the last restart
    double m_ = kStartBound;
    int ravine_ = 0, kd_ = 0;
    bool premature_ = false;
    int vanishing_ = 0;
    bool metInfinite_ = false;
    bool penaltyRaised_ = false;
    int termx_ = 0;
    int lowGradient_ = 0;
    bool backToBest_ = false;
    std::deque<double> steps_;
};

int Run::Gradient(bool atStart)
{
    if (p_.grad) {
        p_.grad(x_, g_.data());
        o_[10] += 1;
    } else {
        p_.approx(g_.data(), x_, cur_.f, true, deltax_.data());
    }
    ng_ = Norm(g_);
    if (!Finite(ng_))
        return kShorBadGradient;
    if (atStart && ng_ < zeroGrad_)
        return kShorBadGradient;
    if (cur_.feasible)
        return 0;
    if (p_.gradc) {
        p_.gradc(x_, gc_.data());
        o_[12] += 1;
    } else {
        std::vector<double> dc(n_);
        for (unsigned i = 0; i < n_; ++i)
            dc[i] = x_[i] >= 0 ? ddx_ : -ddx_;
        p_.approx(gc_.data(), x_, cur_.residual, false, dc.data());
    }
    const double ngc = Norm(gc_);
    if (!Finite(ngc) || (atStart && ngc < zeroGrad_))
        return kShorBadConstraintGradient;
    for (unsigned i = 0; i < n_; ++i)
        g_[i] += penalty_ * gc_[i];
    ng_ = Norm(g_);
    if (!Finite(ng_))
        return kShorBadGradient;
    return 0;
}

void Run::Restart()
{
    // The step is measured in the metric of B; B = I makes the direction a
    // unit vector, so the step is rescaled to keep its length in x.
    if (pNorm_ > 0 && std::isfinite(pNorm_))
        h_ *= pNorm_;
    pNorm_ = 1.0;
    std::fill(B_.begin(), B_.end(), 0.0);
    for (unsigned i = 0; i < n_; ++i)
        B_[i * n_ + i] = 1.0;
    g0_ = g_;
    kr_ = 0;
    m_ = kStartBound;
    ravine_ = 0;
    steps_.clear();
}

// Feasible points beat infeasible ones; otherwise the working value decides.
bool Run::Better(const Sample& a, const Sample& b) const
{
    if (a.feasible != b.feasible)
        return a.feasible;
    return Working(a.f, a.residual, a.feasible) < Working(b.f, b.residual, b.feasible);
}

void Run::Store(Sample& s) const
{
    s.x.assign(x_, x_ + n_);
}

void Run::Finish(int code)
{
    o_[8] = code;
}

// One line search along p_dir_ from the current point.  Leaves the accepted
// point in x_ / cur_ / F_; returns 0 or a termination code.
int Run::LineSearch()
{
    const Sample start = cur_;
    const double Fs = F_;
    const double nn = static_cast<double>(n_);
    const double factor =
        std::max(1.0 + std::max(2.0 * tolf_, std::pow(1.0 + 0.1 / (nn * nn), (m_ - static_cast<double>(kr_)) * nn)),
                 std::pow(1.15, std::max(1.0, std::log10(ng_ + 1.0))));
    const double worseBound = Fs >= 0 ? Fs * factor : Fs / factor;

    int infinite = 0;
    int trials = 0;
    int overshoots = 0;  // restarts for a too large value after progress
    double Fprev = Fs;
    double residualPrev = start.residual;
    metInfinite_ = false;
    penaltyRaised_ = false;

    auto backToStart = [&]() {
        std::copy(start.x.begin(), start.x.end(), x_);
        cur_ = start;
        trials = 0;
        Fprev = Fs;
        residualPrev = start.residual;
    };

    for (;;) {
        for (unsigned i = 0; i < n_; ++i)
            x_[i] += h_ * p_dir_[i];

        bool moved = false;
        for (unsigned i = 0; i < n_ && !moved; ++i)
            moved = std::fabs(x_[i] - start.x[i]) > kSmallNorm * std::fabs(x_[i]);
        if (!moved) {
            backToStart();
            if (infinite > 0)
                return kShorInfiniteValue;
            if (++vanishing_ >= kVanishingSteps)
                return kShorVanishingStep;
            h_ *= 10.0;
            continue;
        }

        const double f = Objective();
        if (-f >= kInfinity)
            return kShorUnbounded;
        double residual = 0.0;
        bool feasible = true;
        if (constrained_) {
            residual = Residual();
            if (!(residual < kInfinity))
                return kShorInfiniteResidual;
            feasible = IsFeasible(residual);
            if (!feasible && Finite(f)) {
                const double drop = residual - residualPrev;
                if (drop < -kSmallNorm) {
                    const double rate = -15.0 * drop / Distance(x_, start.x);
                    if (rate > 1.2 * penalty_) {
                        penalty_ = rate;
                        cur_ = Sample{std::vector<double>(), f, residual, feasible};
                        Store(cur_);
                        F_ = Working(f, residual, feasible);
                        penaltyRaised_ = true;
                        return 0;
                    }
                }
            }
            residualPrev = residual;
        }

        if (!Finite(f)) {
            metInfinite_ = true;
            if (++infinite > kInfiniteRetries)
                return kShorInfiniteValue;
            backToStart();
            h_ /= kStepReduction;
            continue;
        }

        const double F = Working(f, residual, feasible);
        if (F > worseBound || std::isnan(F)) {
            if (trials > 0 && ++overshoots > kOvershootRetries) {
                // The search keeps growing its step into a sharp rise (a
                // wall of the penalty, say): it ends at the last improving
                // trial.
                std::copy(cur_.x.begin(), cur_.x.end(), x_);
                F_ = Fprev;
                return 0;
            }
            backToStart();
            h_ /= kStepReduction;
            m_ -= 10.0 * nn;
            continue;
        }
        if (!(F < Fprev)) {
            // The value stopped falling: this point, on the far side of the
            // minimum along the line, becomes the new iterate.
            cur_ = Sample{std::vector<double>(), f, residual, feasible};
            Store(cur_);
            F_ = F;
            return 0;
        }
        cur_ = Sample{std::vector<double>(), f, residual, feasible};
        Store(cur_);
        Fprev = F;
        ++trials;
        if (trials >= 20)
            h_ *= kGrowth20;
        else if (trials >= 10)
            h_ *= kGrowth10;
        else if (trials >= 3)
            h_ *= kGrowth3;
    }
}

double Run::Execute()
{
    const double defaults[8] = {-1.0, 1e-4, 1e-6, 15000.0, 0.0, 1e-8, 2.5, 1e-11};
    for (int k = 0; k < 8; ++k)
        if (o_[k] == 0.0 || std::isnan(o_[k]))
            o_[k] = defaults[k];
    auto clampTol = [](double v) { return std::min(1.0, std::max(1e-12, v)); };
    o_[1] = clampTol(o_[1]);
    if (std::isfinite(o_[8]))
        o_[1] = std::max(o_[1], 100.0 * o_[8]);
    o_[2] = clampTol(o_[2]);
    o_[5] = clampTol(o_[5]);
    o_[6] = std::max(o_[6], 1.5);
    for (int k = 8; k < 13; ++k)
        o_[k] = 0.0;

    if (n_ < 2 || n_ > 0xFFFF) {
        Finish(kShorBadSetup);
        return 0.0;
    }
    try {
        g_.assign(n_, 0.0);
        g0_.assign(n_, 0.0);
        gt_.assign(n_, 0.0);
        p_dir_.assign(n_, 0.0);
        z_.assign(n_, 0.0);
        v_.assign(n_, 0.0);
        gc_.assign(n_, 0.0);
        deltax_.assign(n_, 0.0);
        B_.assign(static_cast<std::size_t>(n_) * n_, 0.0);
        cur_.x.reserve(n_);
        best_.x.reserve(n_);
    } catch (const std::bad_alloc&) {
        Finish(kShorBadSetup);
        return 0.0;
    }

    // Iteration limit: the integer part of options[3] as a 16-bit count.
    {
        const double lim = std::isfinite(o_[3]) ? std::trunc(std::fmod(o_[3], 65536.0)) : 15000.0;
        itmax_ = static_cast<long>(static_cast<std::uint16_t>(static_cast<std::int32_t>(lim) & 0xFFFF));
    }
    tolx_ = o_[1];
    tolf_ = o_[2];
    feasTol_ = o_[5];
    ddx_ = std::max(o_[7], 1e-11);
    w_ = 1.0 / o_[6] - 1.0;
    zeroGrad_ = n_ * 1e-16;
    constrained_ = static_cast<bool>(p_.func);

    // ---- set-up
    cur_.f = Objective();
    if (!Finite(cur_.f)) {
        Finish(kShorInfiniteValue);
        return cur_.f;
    }
    if (constrained_) {
        cur_.residual = Residual();
        if (!(cur_.residual < kInfinity)) {
            Finish(kShorInfiniteResidual);
            return cur_.f;
        }
        cur_.feasible = IsFeasible(cur_.residual);
    }
    Store(cur_);
    penalty_ = 1.0;
    F_ = Working(cur_.f, cur_.residual, cur_.feasible);

    std::fill(deltax_.begin(), deltax_.end(), -ddx_);
    if (const int code = Gradient(true)) {
        Finish(code);
        return cur_.f;
    }
    double xmax = 0.0;
    for (unsigned i = 0; i < n_; ++i)
        xmax = std::max(xmax, std::fabs(x_[i]));
    h_ = -std::sqrt(tolx_) * xmax;
    if (std::fabs(o_[0]) != 1.0)
        h_ = -std::max(std::fabs(h_), std::fabs(o_[0]));
    else
        h_ = -std::max(std::fabs(h_), 1.0 / std::log(ng_ + 1.1));
    Restart();
    best_ = cur_;

    // ---- iterations
    int code = 0;
    for (;;) {
        if (k_ >= itmax_) {
            code = kShorIterationLimit;
            break;
        }
        ++k_;
        ++kr_;

        // 1. Transformed gradient; a jump over a ravine when it points
        // nearly against the previous one.
        for (unsigned i = 0; i < n_; ++i) {
            double s = 0.0;
            for (unsigned j = 0; j < n_; ++j)
                s += B_[i * n_ + j] * g_[j];
            gt_[i] = s;
        }
        const double ngt = Norm(gt_);
        double dot = 0.0;
        for (unsigned i = 0; i < n_; ++i)
            dot += gt_[i] * g0_[i];
        const double ng0 = Norm(g0_);
        double w = w_;
        if (ngt > 0 && ng0 > 0 && dot / (ngt * ng0) < kRavineCosine) {
            if (ravine_ == 0)
                kd_ = 4;
            ++ravine_;
            w = kRavineDilation;
            h_ *= 2.0;
            if (ravine_ > 2 * kd_) {
                ++kd_;
                premature_ = true;
            }
        } else {
            ravine_ = 0;
        }

        // 2. Dilation along the gradient difference.
        for (unsigned i = 0; i < n_; ++i)
            z_[i] = gt_[i] - g0_[i];
        const double nz = Norm(z_);
        if (nz > kSmallNorm * ngt) {
            double zg = 0.0;
            for (unsigned i = 0; i < n_; ++i) {
                z_[i] /= nz;
                zg += z_[i] * gt_[i];
            }
            for (unsigned i = 0; i < n_; ++i)
                g0_[i] = gt_[i] + w * zg * z_[i];
            std::vector<double>& v = v_;  // zT B
            for (unsigned i = 0; i < n_; ++i) {
                double s = 0.0;
                for (unsigned kk = 0; kk < n_; ++kk)
                    s += B_[kk * n_ + i] * z_[kk];
                v[i] = s;
            }
            for (unsigned j = 0; j < n_; ++j)
                for (unsigned i = 0; i < n_; ++i)
                    B_[j * n_ + i] += w * z_[j] * v[i];
        } else {
            g0_ = gt_;
        }

        // 3. Direction in the original space.
        const double ngNew = Norm(g0_);
        bool degenerate = !(ngNew > 0) || !std::isfinite(ngNew);
        if (!degenerate) {
            for (unsigned i = 0; i < n_; ++i) {
                double s = 0.0;
                for (unsigned j = 0; j < n_; ++j)
                    s += B_[j * n_ + i] * g0_[j];
                p_dir_[i] = s / ngNew;
            }
            const double np = Norm(p_dir_);
            degenerate = !(np > kSmallNorm) || !std::isfinite(np);
            if (!degenerate)
                pNorm_ = np;
        }
        if (degenerate) {
            // The metric has collapsed: start again from the plain gradient.
            Restart();
            const double ng = std::max(ng_, zeroGrad_);
            for (unsigned i = 0; i < n_; ++i)
                p_dir_[i] = g_[i] / ng;
        }

        // 4. Line search.
        const std::vector<double> xOld(x_, x_ + n_);
        if (const int c = LineSearch()) {
            code = c;
            break;
        }

        // 5. Step adaptation from the advance measured in steps.
        const double advance = Distance(x_, xOld) / (std::fabs(h_) * Norm(p_dir_));
        if (std::isfinite(advance) && advance > 0) {
            steps_.push_front(advance);
            if (steps_.size() > kStepRecords)
                steps_.pop_back();
            double sum = 0.0, weights = 0.0, weight = 3.0;
            for (double q : steps_) {
                sum += weight * q;
                weights += weight;
                weight -= 1.0;
            }
            const double q = sum / weights;
            if (q > kDesiredSteps)
                h_ *= steps_.size() == 1 ? q - kDesiredSteps + 1.0 : std::sqrt(q - kDesiredSteps + 1.0);
            else if (q < kDesiredSteps)
                h_ *= std::sqrt(q / kDesiredSteps);
        }

        // 6. New gradient, differenced in the direction x moves.
        for (unsigned i = 0; i < n_; ++i)
            deltax_[i] = p_dir_[i] >= 0 ? -ddx_ : ddx_;
        if (const int c = Gradient(false)) {
            code = c;
            break;
        }
        const bool zeroGradient = ng_ <= zeroGrad_;
        bool penaltyChanged = penaltyRaised_;
        if (!cur_.feasible && ng_ < 0.01 * penalty_) {
            // A coefficient far above what the gradients need: lower it.
            if (++lowGradient_ >= kPenaltyPatience) {
                penalty_ /= 10.0;
                lowGradient_ = 0;
                penaltyChanged = true;
            }
        } else {
            lowGradient_ = 0;
        }
        if (penaltyChanged) {
            F_ = Working(cur_.f, cur_.residual, cur_.feasible);
            Restart();
        }

        // 7. Termination tests against the best point so far, then the record.
        if (cur_.feasible && kr_ > 5 && (kr_ > 12 || ng_ <= 1.0) && !metInfinite_ && best_.feasible) {
            bool xtest = true;
            const double threshold = std::max(tolx_, 1e-3);
            for (unsigned i = 0; i < n_ && xtest; ++i)
                if (std::fabs(x_[i]) >= threshold)
                    xtest = std::fabs(x_[i] - best_.x[i]) <= std::fabs(x_[i]) * tolx_;
            const double Fbest = Working(best_.f, best_.residual, best_.feasible);
            const bool ftest = std::fabs(F_ - Fbest) <= std::fabs(F_) * tolf_;
            if (xtest && ftest) {
                code = static_cast<int>(k_);
                break;
            }
            if (ftest) {
                if (backToBest_) {
                    code = static_cast<int>(k_);  // the value has settled; the point will not
                    break;
                }
                // Resume from the best point with a short step.
                backToBest_ = true;
                if (Better(cur_, best_))
                    best_ = cur_;
                std::copy(best_.x.begin(), best_.x.end(), x_);
                cur_ = best_;
                F_ = Working(cur_.f, cur_.residual, cur_.feasible);
                double xm = 0.0;
                for (unsigned i = 0; i < n_; ++i)
                    xm = std::max(xm, std::fabs(x_[i]));
                h_ = -10.0 * tolx_ * std::max(1.0, xm);
                std::fill(deltax_.begin(), deltax_.end(), -ddx_);
                if (const int c = Gradient(false)) {
                    code = c;
                    break;
                }
                Restart();
                continue;
            }
            if (xtest) {
                if (++termx_ >= kArgumentPatience) {
                    code = static_cast<int>(k_);
                    break;
                }
            } else {
                termx_ = 0;
            }
        }
        if (Better(cur_, best_))
            best_ = cur_;
        if (zeroGradient) {
            code = kShorZeroGradient;
            break;
        }
    }

    if (code > 0 && premature_)
        code = kShorPremature;
    Finish(code);
    // Hand back the last accepted point (a search that ended the run may
    // have left a trial point in x).
    std::copy(cur_.x.begin(), cur_.x.end(), x_);
    return cur_.f;
}

} // namespace

double RunShor(unsigned n, double* x, double* options, const ShorProblem& problem)
{
    Run run(n, x, options, problem);
    return run.Execute();
}

} // namespace detail
} // namespace zeltmath

