#include <zeltmath/approx/chebyshev.h>

#include <zeltmath/approx/detail/lp_model.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

bool point_d::operator<(const point_d& other) const
{
    return x < other.x;
}

bool point_d::operator==(const point_d& other) const
{
    const double eps = 2.220446049250313e-16;
    if (std::fabs(x - other.x) <= eps)
        return true;
    return std::fabs(x) <= eps && std::fabs(other.x) <= eps;
}

namespace {

// Hat function of the break point at xi spanning [low, high].
double Hat(double t, double low, double xi, double high)
{
    if (t < low || t > high)
        return 0.0;
    if (t > xi)
        return (high - t) / (high - xi);
    if (t == xi)
        return 1.0;
    return (t - low) / (xi - low);
}

struct Knot {
    double x;
    double low;
    double high;
    bool used;  // the hat function is non-zero at some data point
};

// Value at t of the broken line through the knots with given ordinates,
// among those flagged in `known`; extended linearly beyond the outermost.
double LineThrough(const std::vector<Knot>& knots, const std::vector<double>& c, const std::vector<bool>& known,
                   double t)
{
    std::vector<std::size_t> idx;
    for (std::size_t i = 0; i < knots.size(); ++i)
        if (known[i])
            idx.push_back(i);
    if (idx.size() == 1)
        return c[idx[0]];
    std::size_t seg = 0;  // segment idx[seg] .. idx[seg + 1] that covers t
    while (seg + 2 < idx.size() && knots[idx[seg + 1]].x < t)
        ++seg;
    const std::size_t a = idx[seg], b = idx[seg + 1];
    const double s = (t - knots[a].x) / (knots[b].x - knots[a].x);
    return c[a] + s * (c[b] - c[a]);
}

void CheckFinite(const std::vector<point_d>& pts, bool withY, const char* what)
{
    for (const point_d& p : pts)
        zeltmath::detail::Require(std::isfinite(p.x) && (!withY || std::isfinite(p.y)), "ChebyshevApproaching",
                                  what);
}

} // namespace

int ChebyshevApproaching(std::vector<point_d>& data, std::vector<point_d>& nodes)
{
    if (data.empty() || nodes.empty())
        return 100;
    CheckFinite(data, true, "non-finite value in data");
    CheckFinite(nodes, false, "non-finite value in nodes");

    return zeltmath::detail::WithLpMemory([&] {
        // Break points: the node abscissas in increasing order, repeats merged.
        std::vector<std::size_t> order(nodes.size());
        std::iota(order.begin(), order.end(), std::size_t(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return nodes[a] < nodes[b]; });
        std::vector<Knot> knots;
        std::vector<std::size_t> knotOf(nodes.size());
        for (std::size_t k : order) {
            if (knots.empty() || !(nodes[k] == point_d{knots.back().x, 0.0}))
                knots.push_back(Knot{nodes[k].x, 0.0, 0.0, false});
            knotOf[k] = knots.size() - 1;
        }

        const auto range = std::minmax_element(data.begin(), data.end());
        const double first = range.first->x, last = range.second->x;
        const std::size_t n = knots.size();
        for (std::size_t i = 0; i < n; ++i) {
            knots[i].low = i == 0 ? first : knots[i - 1].x;
            knots[i].high = i + 1 == n ? last : knots[i + 1].x;
        }

        // Variables 1 .. 2n: the pairs (p_i, q_i) with ordinate p_i - q_i;
        // variable 2n + 1: the deviation bound e.
        const std::size_t cols = 2 * n + 1;
        std::vector<double> v;
        const int status = zeltmath::detail::SolveLp(
            cols, "ChebyshevApproaching", [&](zeltmath::detail::LpModel& model, std::vector<double>& row) {
                for (const point_d& d : data) {
                    for (std::size_t i = 0; i < n; ++i) {
                        const double phi = Hat(d.x, knots[i].low, knots[i].x, knots[i].high);
                        if (phi != 0.0)
                            knots[i].used = true;
                        row[2 * i + 1] = phi;
                        row[2 * i + 2] = -phi;
                    }
                    row[cols] = 1.0;
                    model.AddGreaterEqual(row, d.y);  // line + e >= y
                    for (std::size_t j = 1; j < cols; ++j)
                        row[j] = -row[j];
                    model.AddGreaterEqual(row, -d.y);  // -line + e >= -y
                }
                std::fill(row.begin(), row.end(), 0.0);
                row[cols] = 1.0;
                model.SetObjective(row);
            }, v);
        if (status != 0)
            return status;

        std::vector<double> c(n);
        std::vector<bool> known(n);
        bool any = false;
        for (std::size_t i = 0; i < n; ++i) {
            c[i] = v[2 * i + 1] - v[2 * i + 2];
            known[i] = knots[i].used;
            any = any || known[i];
        }
        if (any)
            for (std::size_t i = 0; i < n; ++i)
                if (!known[i])
                    c[i] = LineThrough(knots, c, known, knots[i].x);
        for (std::size_t k = 0; k < nodes.size(); ++k)
            nodes[k].y = c[knotOf[k]];
        return 0;
    });
}
