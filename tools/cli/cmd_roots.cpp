#include "commands.h"

#include "errors.h"
#include "io.h"

#include <zeltmath/complex/muller.h>

#include <cmath>
#include <ostream>

namespace zcli {

namespace {

std::string FormatComplex(const dcomplex& z)
{
    if (z.im == 0)
        return FormatNumber(z.re);
    return FormatNumber(z.re) + (z.im < 0 ? " - " : " + ") + FormatNumber(std::fabs(z.im)) + "i";
}

} // namespace

int RunRoots(const std::vector<double>& coefficients, std::ostream& out)
{
    if (coefficients.empty())
        throw InputError("roots: no coefficients given");
    for (double c : coefficients)
        if (!std::isfinite(c))
            throw InputError("roots: coefficients must be finite numbers");
    int degree = static_cast<int>(coefficients.size()) - 1;
    std::vector<dcomplex> p(coefficients.size()), reduced(coefficients.size()), roots(coefficients.size());
    for (std::size_t i = 0; i < coefficients.size(); ++i)
        p[i] = dcomplex(coefficients[i], 0);
    double maxErr = 0;
    CZELTMuller muller;
    switch (muller.null(p.data(), reduced.data(), &degree, roots.data(), &maxErr, 0)) {
    case 0:
        break;
    case 2:
        throw ComputeError("roots: every coefficient is zero, so every number is a root");
    case 3:
        throw ComputeError("roots: a non-zero constant has no roots");
    default:
        throw ComputeError("roots: the root finder failed");
    }
    out << "degree: " << degree << '\n';
    for (int i = 0; i < degree; ++i)
        out << "root " << i + 1 << ": " << FormatComplex(roots[i]) << '\n';
    out << "error: " << FormatNumber(maxErr) << '\n';
    return 0;
}

} // namespace zcli
