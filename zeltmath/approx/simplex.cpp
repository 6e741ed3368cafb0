#include <zeltmath/approx/simplex.h>

#include <zeltmath/approx/detail/lp_model.h>

#include <cmath>

bool constraint::operator==(const constraint&) const
{
    return false;
}

namespace {

using zeltmath::detail::Require;

constexpr const char* kWho = "SimplexSolve";

void CheckRows(const std::vector<constraint>& rows, std::size_t n)
{
    for (const constraint& c : rows) {
        Require(c.a.size() >= n, kWho, "a constraint has fewer coefficients than cost has variables");
        for (std::size_t j = 0; j < n; ++j)
            Require(!std::isnan(c.a[j]), kWho, "NaN coefficient");
        Require(!std::isnan(c.b), kWho, "NaN right-hand side");
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
    Require(x.size() >= n, kWho, "x holds fewer elements than cost");
    for (double c : cost)
        Require(!std::isnan(c), kWho, "NaN cost coefficient");
    CheckRows(eqs, n);
    CheckRows(ges, n);

    std::vector<double> values;
    const int status = zeltmath::detail::WithLpMemory([&] {
        return zeltmath::detail::SolveLp(n, kWho, [&](zeltmath::detail::LpModel& model, std::vector<double>& row) {
            AddRows(model, row, eqs, true);
            AddRows(model, row, ges, false);
            for (std::size_t j = 0; j < n; ++j)
                row[j + 1] = cost[j];
            model.SetObjective(row);
        }, values);
    });
    if (status != 0)
        return status;
    for (std::size_t j = 0; j < n; ++j)
        x[j] = values[j + 1];
    return 0;
}
