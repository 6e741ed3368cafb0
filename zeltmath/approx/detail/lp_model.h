#ifndef ZELTMATH_APPROX_DETAIL_LP_MODEL_H
#define ZELTMATH_APPROX_DETAIL_LP_MODEL_H

#include <cstddef>
#include <functional>
#include <vector>

namespace zeltmath {
namespace detail {

// Owner of one lp_solve model: n non-negative columns, rows added one at a
// time as arrays of n + 1 doubles (element 0 ignored), objective minimised.
// The engine's breakdowns (memory, numerical instability) are thrown as
// CZELTException; the model is released in every case.
class LpModel {
public:
    explicit LpModel(int columns);
    ~LpModel();
    LpModel(const LpModel&) = delete;
    LpModel& operator=(const LpModel&) = delete;

    void AddEqual(std::vector<double>& row, double rhs);
    void AddGreaterEqual(std::vector<double>& row, double rhs);
    void SetObjective(std::vector<double>& row);
    // 0 optimal, 2 infeasible, 3 unbounded, 4 any other failure.
    int Solve();
    // Values of the columns after Solve returned 0.
    std::vector<double> Values() const;

private:
    void AddRow(std::vector<double>& row, int type, double rhs);

    void* m_lp;  // lprec*, kept opaque so lp_lib.h stays inside one file
    int m_columns;
};

// Turns a status of lp_solve's solve() into the library's result: 0
// optimal, 2 infeasible, 3 unbounded, 4 any other failure.  Running out of
// memory and numerical breakdown are thrown instead (codes below).
int MapSolveStatus(int engineStatus);

// Codes of the engine failures thrown as CZELTException.
constexpr unsigned int kLpOutOfMemory = 0xFFFFFFFFu;
constexpr unsigned int kLpNumericalFailure = 1u;

// The common road of SimplexSolve and ChebyshevApproaching: a model of
// `columns` variables (more than the engine's int can count is refused with
// std::invalid_argument, naming `who`) is filled by build, which receives a
// zeroed work row of columns + 1 doubles, and solved.  On status 0 values
// receives the variable values, values[j] for variable j (1 .. columns), and
// 0 is returned; otherwise the status (4 also when the values come back
// incomplete).  Callers run it inside WithLpMemory.
int SolveLp(std::size_t columns, const char* who,
            const std::function<void(LpModel& model, std::vector<double>& row)>& build,
            std::vector<double>& values);

// Runs body; a failed allocation in it is thrown as
// CZELTException(kLpOutOfMemory), everything else passes unchanged.
int WithLpMemory(const std::function<int()>& body);

// Throws std::invalid_argument ("<who>: <what>") unless good.
void Require(bool good, const char* who, const char* what);

} // namespace detail
} // namespace zeltmath

#endif
