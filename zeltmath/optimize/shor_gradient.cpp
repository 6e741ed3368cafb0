#include <zeltmath/optimize/detail/shor_gradient.h>

#include <algorithm>
#include <cmath>

namespace zeltmath {
namespace detail {

void ApproxGradient(unsigned n, double* g, double* x, double f, const std::function<double(double*)>& fun,
                    const double* deltax, bool objective)
{
    for (unsigned i = 0; i < n; ++i) {
        const double y = x[i];
        const double sign = deltax[i] < 0 ? -1.0 : 1.0;
        double d = std::max(std::fabs(y), 5e-15) * deltax[i];
        bool central = false;
        if (objective) {
            if (std::fabs(d) < 2e-10) {
                d = 2e-10 * sign;
                central = true;
            }
        } else if (std::fabs(d) < 5e-15) {
            d = 5e-15 * sign;
        }
        try {
            x[i] = y + d;
            double fi = fun(x);
            if (objective)
                for (int retry = 0; retry < 3 && fi == f; ++retry) {
                    d *= 10.0;
                    x[i] = y + d;
                    fi = fun(x);
                }
            g[i] = (fi - f) / d;
            if (central) {
                x[i] = y - d;
                fi = fun(x);
                g[i] = 0.5 * (g[i] + (f - fi) / d);
            }
        } catch (...) {
            x[i] = y;  // a throwing callback leaves the point as it was
            throw;
        }
        x[i] = y;
    }
}

} // namespace detail
} // namespace zeltmath
