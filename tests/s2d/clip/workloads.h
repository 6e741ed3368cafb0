#ifndef ZELTMATH_TESTS_S2D_CLIP_WORKLOADS_H
#define ZELTMATH_TESTS_S2D_CLIP_WORKLOADS_H

// The large inputs on which the Boolean engine is measured against its peers
// (bench/s2d) and compared bit for bit with the reference sweep (tests).
// Plain coordinates only, so that every side converts them its own way.

#include <cmath>
#include <random>
#include <vector>

namespace workload {

struct Pt {
    double x;
    double y;
};
using Ring = std::vector<Pt>;

// A star-shaped ring of n vertices, clockwise, around (cx, cy): radius 1
// plus 8 low-frequency cosines of amplitude 0.25 u / (k + 1), plus noise of
// half the vertex spacing.  Two of them cross a few dozen times whatever n.
inline Ring Smooth(int n, unsigned seed, double cx, double cy)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    double amp[8], phase[8];
    for (int k = 0; k < 8; ++k) {
        amp[k] = 0.25 * u(rng) / (k + 1);
        phase[k] = 2 * M_PI * u(rng);
    }
    const double step = 2 * M_PI / n;
    Ring ring;
    ring.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double t = -(i + 0.5 * u(rng)) * step;
        double r = 1;
        for (int k = 0; k < 8; ++k)
            r += amp[k] * std::cos((k + 1) * t + phase[k]);
        r += 0.5 * step * (u(rng) - 0.5);
        ring.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
    }
    return ring;
}

// A noisy unit circle of n vertices, clockwise, around (cx, cy): angles
// jittered by +-0.4 of the spacing, radius uniform in [0.998, 1.002].  At
// large n the noise is far above the spacing, so the ring zigzags and a scan
// line near the top or bottom cuts thousands of its edges.
inline Ring Fuzzy(int n, unsigned seed, double cx, double cy)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-0.4, 0.4), radius(0.998, 1.002);
    const double step = 2 * M_PI / n;
    Ring ring;
    ring.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double t = -(i + jitter(rng)) * step;
        const double r = radius(rng);
        ring.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
    }
    return ring;
}

// The plate (0, 0)-(120 k, 300), clockwise.
inline Ring Plate(int k)
{
    const double w = 120.0 * k;
    return {{0, 0}, {0, 300}, {w, 300}, {w, 0}};
}

// k circular openings of radius 45 with 64 vertices each, clockwise,
// centred at (60 + 120 i, 150).
inline std::vector<Ring> Openings(int k)
{
    std::vector<Ring> rings(k);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < 64; ++j) {
            const double t = -2 * M_PI * j / 64;
            rings[i].push_back({60 + 120.0 * i + 45 * std::cos(t), 150 + 45 * std::sin(t)});
        }
    return rings;
}

// k squares, clockwise, lower-left corners uniform in [0, 100]^2 and sides
// uniform in [2, 10].
inline std::vector<Ring> Squares(int k, unsigned seed = 7)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> pos(0, 100), side(2, 10);
    std::vector<Ring> rings;
    for (int i = 0; i < k; ++i) {
        const double x = pos(rng), y = pos(rng), s = side(rng);
        rings.push_back({{x, y}, {x, y + s}, {x + s, y + s}, {x + s, y}});
    }
    return rings;
}

} // namespace workload

#endif
