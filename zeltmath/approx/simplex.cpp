#include <zeltmath/approx/simplex.h>

#include <zeltmath/approx/detail/lp_model.h>

#include <zeltmath/base/exception.h>

#include <cmath>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

bool constraint::operator==(const constraint&) const
{
    return false;
}

namespace {

void CheckRows(const std::vector<constraint>& rows, std::size_t n, const char* list)
{
    for (const constraint& c : rows) {
        if (c.a.size() < n)
            throw std::invalid_argument(std::string("SimplexSolve: a constraint in ") + list +
                                        " has fewer coefficients than cost has variables");
        for (std::size_t j = 0; j < n; ++j)
            if (std::isnan(c.a[j]))
                throw std::invalid_argument("SimplexSolve: NaN coefficient");
        if (std::isnan(c.b))
            throw std::invalid_argument("SimplexSolve: NaN right-hand side");
    }
}

void AddRows(zeltmath::detail::LpModel& model, std::vector<double>& row, const std::vector<constraint>& rows,
             bool equal)
{
    const std::size_t n = row.size() - 1;
    for (const constraint& c : rows) {
        for (std::size_t j = 0; j < n; ++j)
            row[j + 1] = c.a[j];
        if (equal)
            model.AddEqual(row, c.b);
        else
            model.AddGreaterEqual(row, c.b);
    }
}

} // namespace

int SimplexSolve(std::vector<double>& cost, std::vector<constraint>& eqs, std::vector<constraint>& ges,
                 std::vector<double>& x)
{
    const std::size_t n = cost.size();
    if (n == 0)
        return 100;
    if (x.size() < n)
        throw std::invalid_argument("SimplexSolve: x holds fewer elements than cost");
    if (n > static_cast<std::size_t>(INT32_MAX) - 1)
        throw std::invalid_argument("SimplexSolve: too many variables");
    for (double c : cost)
        if (std::isnan(c))
            throw std::invalid_argument("SimplexSolve: NaN cost coefficient");
    CheckRows(eqs, n, "eqs");
    CheckRows(ges, n, "ges");

    std::vector<double> values;
    try {
        zeltmath::detail::LpModel model(static_cast<int>(n));
        std::vector<double> row(n + 1, 0.0);
        AddRows(model, row, eqs, true);
        AddRows(model, row, ges, false);
        for (std::size_t j = 0; j < n; ++j)
            row[j + 1] = cost[j];
        model.SetObjective(row);

        const int status = model.Solve();
        if (status != 0)
            return status;
        values = model.Values();
    } catch (const std::bad_alloc&) {
        // Our own work arrays count as the engine's memory.
        throw CZELTException(zeltmath::detail::kLpOutOfMemory, nullptr);
    }
    if (values.size() != n + 1)
        return 4;
    for (std::size_t j = 0; j < n; ++j)
        x[j] = values[j + 1];
    return 0;
}
