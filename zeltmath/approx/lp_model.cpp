#include <zeltmath/approx/detail/lp_model.h>

#include <zeltmath/base/exception.h>

#include <lpsolve/lp_lib.h>

#include <cmath>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

namespace zeltmath {
namespace detail {

namespace {

lprec* Lp(void* p) { return static_cast<lprec*>(p); }

[[noreturn]] void ThrowOutOfMemory() { throw CZELTException(kLpOutOfMemory, nullptr); }

} // namespace

LpModel::LpModel(int columns) : m_lp(nullptr), m_columns(columns)
{
    lprec* lp = make_lp(0, columns);
    if (!lp)
        ThrowOutOfMemory();
    // The library prints nothing; the engine is kept silent as well.
    set_verbose(lp, NEUTRAL);
    m_lp = lp;
}

LpModel::~LpModel()
{
    delete_lp(Lp(m_lp));
}

void LpModel::AddRow(std::vector<double>& row, int type, double rhs)
{
    // add_constraint fails only when the engine cannot grow its storage.
    if (!add_constraint(Lp(m_lp), row.data(), type, rhs))
        ThrowOutOfMemory();
}

void LpModel::AddEqual(std::vector<double>& row, double rhs) { AddRow(row, EQ, rhs); }

void LpModel::AddGreaterEqual(std::vector<double>& row, double rhs) { AddRow(row, GE, rhs); }

void LpModel::SetObjective(std::vector<double>& row)
{
    if (!set_obj_fn(Lp(m_lp), row.data()))
        ThrowOutOfMemory();
    set_minim(Lp(m_lp));
}

int MapSolveStatus(int engineStatus)
{
    switch (engineStatus) {
    case OPTIMAL:
        return 0;
    case INFEASIBLE:
        return 2;
    case UNBOUNDED:
        return 3;
    case NOMEMORY:
        ThrowOutOfMemory();
    case NUMFAILURE:     // no valid pivot row left: numerical instability
    case ACCURACYERROR:  // the engine could not reach an accurate basis
        throw CZELTException(kLpNumericalFailure, nullptr);
    default:
        // Sub-optimal or degenerate stops, time-outs, aborts, missing
        // factorisation engines and the like.
        return 4;
    }
}

int LpModel::Solve()
{
    const int status = MapSolveStatus(solve(Lp(m_lp)));
    if (status != 0)
        return status;
    // A column that no row mentions is set straight to its bound by the
    // engine, which reports an optimum at its infinity when the column's
    // cost is negative.  Such a program is unbounded.
    const double infinity = get_infinite(Lp(m_lp));
    for (double v : Values())
        if (!(std::fabs(v) < infinity))
            return 3;
    if (!(get_objective(Lp(m_lp)) > -infinity))
        return 3;
    return 0;
}

std::vector<double> LpModel::Values() const
{
    std::vector<double> values(static_cast<std::size_t>(m_columns) + 1, 0.0);
    if (!get_variables(Lp(m_lp), values.data() + 1))
        return std::vector<double>();
    return values;
}

int WithLpMemory(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        // Our own work arrays count as the engine's memory.
        ThrowOutOfMemory();
    }
}

void Require(bool good, const char* who, const char* what)
{
    if (!good)
        throw std::invalid_argument(std::string(who) + ": " + what);
}

int SolveLp(std::size_t columns, const char* who,
            const std::function<void(LpModel& model, std::vector<double>& row)>& build,
            std::vector<double>& values)
{
    Require(columns <= static_cast<std::size_t>(INT32_MAX) - 1, who, "too many variables");
    LpModel model(static_cast<int>(columns));
    std::vector<double> row(columns + 1, 0.0);
    build(model, row);
    const int status = model.Solve();
    if (status != 0)
        return status;
    values = model.Values();
    return values.size() == columns + 1 ? 0 : 4;
}

} // namespace detail
} // namespace zeltmath
