#ifndef ZELTMATH_TESTS_S2D_CLIP_RANDOM_RINGS_H
#define ZELTMATH_TESTS_S2D_CLIP_RANDOM_RINGS_H

// Random operands for the Boolean engine's tests: simple and
// self-intersecting rings, rings on a coarse grid (shared edges, collinear
// overlaps, repeated vertices, horizontal runs), boxes and zero-area spikes.

#include <zeltmath/s2d/clip/detail/contour_set.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace random_rings {

using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Vertex;

// Coordinates are multiples of 2^-40, so that Clipper sees exactly the same
// input after scaling to integers.
constexpr double kScale = 1099511627776.0;  // 2^40

inline double Snap(double v)
{
    return std::round(v * kScale) / kScale;
}

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    int Int(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }

    // A star-shaped (simple) ring around a random centre.
    std::vector<Vertex> Star(int n, double rmin, double rmax)
    {
        const double cx = Uniform(3, 7), cy = Uniform(3, 7);
        std::vector<double> ang(n);
        for (double& a : ang)
            a = Uniform(0, 2 * M_PI);
        std::sort(ang.begin(), ang.end());
        std::vector<Vertex> r;
        for (double a : ang) {
            const double rad = Uniform(rmin, rmax);
            r.push_back({Snap(cx + rad * std::cos(a)), Snap(cy + rad * std::sin(a))});
        }
        return r;
    }

    // Random vertices: usually self-intersecting.
    std::vector<Vertex> Tangle(int n)
    {
        std::vector<Vertex> r;
        for (int i = 0; i < n; ++i)
            r.push_back({Snap(Uniform(0, 10)), Snap(Uniform(0, 10))});
        return r;
    }

    // Vertices on a coarse integer grid: shared and collinear edges,
    // repeated vertices and horizontal runs are frequent.
    std::vector<Vertex> Grid(int n, int size)
    {
        std::vector<Vertex> r;
        for (int i = 0; i < n; ++i)
            r.push_back({double(Int(0, size)), double(Int(0, size))});
        return r;
    }

    // An axis-parallel rectangle on the grid.
    std::vector<Vertex> Box(int size)
    {
        const int x0 = Int(0, size - 1), y0 = Int(0, size - 1);
        const int x1 = Int(x0 + 1, size), y1 = Int(y0 + 1, size);
        return {{double(x0), double(y0)}, {double(x1), double(y0)}, {double(x1), double(y1)},
                {double(x0), double(y1)}};
    }

    // An axis-parallel ring with sides alternating between horizontal and
    // vertical and coordinates drawn from a continuum, within the square of
    // side `size` at (x0, y0): a rectangle, or the outline of 2 to 5 bars
    // of different heights standing side by side on one base, turned by a
    // multiple of 90 degrees; either orientation, any first vertex.  It
    // never crosses itself, and sets of such rings are in general position
    // but by chance.
    std::vector<Vertex> Orthogonal(double x0, double y0, double size)
    {
        const int bars = Int(0, 2) > 0 ? 1 : Int(2, 5);
        std::vector<double> xs(bars + 1);
        for (double& x : xs)
            x = Uniform(0, size);
        std::sort(xs.begin(), xs.end());
        const double base = Uniform(0, size / 2);
        std::vector<Vertex> r{{xs[0], base}};
        for (int i = 0; i < bars; ++i) {
            const double top = base + Uniform(0.05, size / 2);
            r.push_back({xs[i], top});
            r.push_back({xs[i + 1], top});
        }
        r.push_back({xs[bars], base});
        const int turn = Int(0, 3);
        for (Vertex& v : r) {
            const double u = v.x - size / 2, w = v.y - size / 2;
            const double tu = turn == 0 ? u : turn == 1 ? -w : turn == 2 ? -u : w;
            const double tw = turn == 0 ? w : turn == 1 ? u : turn == 2 ? -w : -u;
            v = {Snap(x0 + size / 2 + tu), Snap(y0 + size / 2 + tw)};
        }
        if (Int(0, 1))
            std::reverse(r.begin(), r.end());
        std::rotate(r.begin(), r.begin() + Int(0, int(r.size()) - 1), r.end());
        return r;
    }

    // Inserts a zero-area spike (out and straight back) and a repeated vertex.
    void Spike(std::vector<Vertex>& r)
    {
        if (r.empty())
            return;
        const std::size_t i = Int(0, int(r.size()) - 1);
        const Vertex tip{Snap(Uniform(0, 10)), Snap(Uniform(0, 10))};
        const Vertex at = r[i];
        r.insert(r.begin() + i + 1, {tip, at, at});
    }

    std::vector<Vertex> Ring(int kind)
    {
        switch (kind) {
        case 0:
            return Star(Int(3, 12), 0.5, 4);
        case 1:
            return Tangle(Int(3, 9));
        case 2:
            return Grid(Int(3, 8), 6);
        case 3:
            return Box(6);
        default: {
            std::vector<Vertex> r = Star(Int(3, 10), 1, 4);
            Spike(r);
            return r;
        }
        }
    }

    ContourSet Operand(int kind)
    {
        ContourSet s;
        const int rings = Int(0, 3) == 0 ? Int(2, 3) : 1;
        for (int i = 0; i < rings; ++i)
            s.Add(Ring(kind), i > 0);
        if (kind == 0 && Int(0, 2) == 0) {
            // A hole: a small ring well inside the first star.
            Vertex c{0, 0};
            for (const Vertex& v : s.Ring(0))
                c = {c.x + v.x, c.y + v.y};
            const double n = double(s.Ring(0).size());
            const double x = Snap(c.x / n), y = Snap(c.y / n), h = 0.25;
            s.Add({{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}}, 1);
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

} // namespace random_rings

#endif
