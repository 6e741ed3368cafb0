// Linear programming, minimax fitting and Shor's r-algorithm.
#include "arrays.h"
#include "bindings.h"

#include <zeltmath/approx/chebyshev.h>
#include <zeltmath/approx/simplex.h>
#include <zeltmath/numeric/interpolation.h>
#include <zeltmath/optimize/shor.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <mutex>
#include <string>
#include <vector>

namespace zpy {

namespace {

// lp_solve makes no promise about models solved on several threads at once,
// so the linear programs run one at a time (without the GIL).
std::mutex lpMutex;

[[noreturn]] void RaiseLPError(int status)
{
    const char* text = status == 2   ? "the linear program is infeasible"
                       : status == 3 ? "the linear program is unbounded"
                                     : "the linear-programming engine failed";
    RaisePackageError("LPError", py::int_(status), text);
}

// (A, b) with A of shape (m, n) and b of shape (m,); None gives no rows.
void ToRows(py::handle pair, py::ssize_t n, const std::string& what, Array& a, Array& b, py::ssize_t& m)
{
    m = 0;
    if (pair.is_none())
        return;
    py::tuple t;
    if (!py::isinstance<py::sequence>(pair) || py::len(pair) != 2)
        throw py::value_error(what + " must be a pair (A, b)");
    t = py::tuple(py::reinterpret_borrow<py::sequence>(pair));
    a = ToArray(t[0], what + " A");
    if (a.ndim() == 1 && a.shape(0) == n)
        a = a.reshape(std::vector<py::ssize_t>{1, n});
    if (a.ndim() != 2 || a.shape(1) != n)
        throw py::value_error(what + " A must have shape (m, " + std::to_string(n) + ")");
    RequireFinite(a, what + " A");
    m = a.shape(0);
    b = ToArray(t[1], what + " b");
    if (b.ndim() == 0)
        b = b.reshape(std::vector<py::ssize_t>{1});
    if (b.ndim() != 1 || b.shape(0) != m)
        throw py::value_error(what + " b must hold " + std::to_string(m) + " values");
    RequireFinite(b, what + " b");
}

std::vector<constraint> ToConstraints(py::handle pair, py::ssize_t n, const std::string& what)
{
    Array a, b;
    py::ssize_t m;
    ToRows(pair, n, what, a, b, m);
    std::vector<constraint> out(static_cast<std::size_t>(m));
    for (py::ssize_t i = 0; i < m; ++i) {
        out[static_cast<std::size_t>(i)].a.assign(a.data() + i * n, a.data() + (i + 1) * n);
        out[static_cast<std::size_t>(i)].b = b.at(i);
    }
    return out;
}

py::array_t<double> Simplex(py::object cost, py::object eq, py::object ge)
{
    Array c = ToVector(cost, -1, "cost");
    if (c.size() == 0)
        throw py::value_error("cost must not be empty");
    const py::ssize_t n = c.size();
    std::vector<double> costs(c.data(), c.data() + n), x(static_cast<std::size_t>(n));
    std::vector<constraint> eqs = ToConstraints(eq, n, "eq"), ges = ToConstraints(ge, n, "ge");
    int status;
    {
        py::gil_scoped_release release;
        std::lock_guard<std::mutex> lock(lpMutex);
        status = SimplexSolve(costs, eqs, ges, x);
    }
    if (status != 0)
        RaiseLPError(status);
    return py::array_t<double>(n, x.data());
}

py::tuple ChebyshevFit(py::object x, py::object y, py::object nodes)
{
    Array dx = ToVector(x, -1, "x");
    Array dy = ToVector(y, dx.shape(0), "y");
    Array nx = ToVector(nodes, -1, "nodes");
    if (dx.size() == 0 || nx.size() == 0)
        throw py::value_error("x and nodes must not be empty");
    if (nx.size() > INT_MAX / 2)
        throw py::value_error("too many nodes");
    std::vector<point_d> data(static_cast<std::size_t>(dx.size())), fit(static_cast<std::size_t>(nx.size()));
    for (py::ssize_t i = 0; i < dx.size(); ++i)
        data[static_cast<std::size_t>(i)] = {dx.at(i), dy.at(i)};
    for (py::ssize_t i = 0; i < nx.size(); ++i)
        fit[static_cast<std::size_t>(i)].x = nx.at(i);
    int status;
    {
        py::gil_scoped_release release;
        std::lock_guard<std::mutex> lock(lpMutex);
        status = ChebyshevApproaching(data, fit);
    }
    if (status != 0)
        RaiseLPError(status);
    // The broken line: the nodes in increasing x, falling to 0 at the ends
    // of the data where a node lies inside them.
    std::vector<point_d> line(fit);
    std::stable_sort(line.begin(), line.end());
    auto range = std::minmax_element(data.begin(), data.end());
    if (range.first->x < line.front().x)
        line.insert(line.begin(), point_d{range.first->x, 0.0});
    if (range.second->x > line.back().x)
        line.push_back(point_d{range.second->x, 0.0});
    std::vector<double> lx, ly;
    for (const point_d& p : line) {
        lx.push_back(p.x);
        ly.push_back(p.y);
    }
    double deviation = 0;
    for (const point_d& p : data)
        deviation = std::max(deviation,
                             std::abs(p.y - Interpol(p.x, lx.data(), ly.data(), static_cast<int>(lx.size()), 1)));
    py::array_t<double> ordinates(nx.size());
    for (py::ssize_t i = 0; i < nx.size(); ++i)
        ordinates.mutable_data()[i] = fit[static_cast<std::size_t>(i)].y;
    return py::make_tuple(ordinates, deviation);
}

// Ends a run from inside a callback once a Python exception is pending.
struct CallbackFailed {};

// The r-algorithm on Python callables.  The run itself goes without the GIL;
// each callback takes it, and an exception raised by one is kept and raised
// again once the run has stopped.
class PythonProblem : public CZELTMathOptShor {
public:
    PythonProblem(py::function f, std::vector<py::function> g) : f_(std::move(f)), g_(std::move(g)) {}
    // The first exception a callback raised.
    mutable std::exception_ptr error;

protected:
    bool ObjFunction(int, int n, const double* x, double& value) const override
    {
        return Evaluate(f_, n, x, value);
    }
    bool ObjConstraint(int index, int n, const double* x, double& value) const override
    {
        return Evaluate(g_.at(static_cast<std::size_t>(index)), n, x, value);
    }

private:
    bool Evaluate(const py::function& fn, int n, const double* x, double& value) const
    {
        if (error)
            throw CallbackFailed();
        {
            py::gil_scoped_acquire gil;
            try {
                value = ToNumber(fn(py::array_t<double>(n, x)), "the value of a callback");
            } catch (...) {
                error = std::current_exception();
            }
        }
        if (error)
            throw CallbackFailed();
        return true;
    }
    py::function f_;
    std::vector<py::function> g_;
};

py::tuple Minimize(py::function fun, py::object x0, py::object lower, py::object upper, py::object linear,
                   py::object linearEq, py::object constraints, int maxIter)
{
    Array start = ToVector(x0, -1, "x0");
    const py::ssize_t n = start.size();
    if (n < 2)
        throw py::value_error("minimize needs at least 2 variables");
    if (n > 65535)
        throw py::value_error("minimize takes at most 65535 variables");
    if (maxIter < 1)
        throw py::value_error("max_iter must be positive");
    auto bounds = [&](py::handle obj, const char* what) {
        std::vector<double> v;
        if (obj.is_none())
            return v;
        Array a = ToArray(obj, what);
        if (a.ndim() == 0)
            v.assign(static_cast<std::size_t>(n), a.at());
        else if (a.ndim() == 1 && a.shape(0) == n)
            v.assign(a.data(), a.data() + n);
        else
            throw py::value_error(std::string(what) + " must be a number or hold " + std::to_string(n) + " values");
        for (double b : v)
            if (std::isnan(b))
                throw py::value_error(std::string(what) + " must not be NaN");
        return v;
    };
    std::vector<double> lo = bounds(lower, "lower"), hi = bounds(upper, "upper");
    // The optimizer's rows are a.x + b <= 0 and a.x + b = 0.
    auto rows = [&](py::handle pair, const char* what) {
        Array a, b;
        py::ssize_t m;
        ToRows(pair, n, what, a, b, m);
        std::vector<double> out;
        for (py::ssize_t i = 0; i < m; ++i) {
            out.insert(out.end(), a.data() + i * n, a.data() + (i + 1) * n);
            out.push_back(-b.at(i));
        }
        return out;
    };
    std::vector<double> ineq = rows(linear, "linear"), eq = rows(linearEq, "linear_eq");
    std::vector<py::function> g;
    if (!constraints.is_none())
        for (py::handle c : constraints) {
            if (!PyCallable_Check(c.ptr()))
                throw py::type_error("constraints must be callables g(x), feasible where g(x) <= 0");
            g.push_back(py::reinterpret_borrow<py::function>(c));
        }
    std::vector<double> x(start.data(), start.data() + n);
    PythonProblem problem(fun, g);
    {
        py::gil_scoped_release release;
        try {
            problem.Optimize(static_cast<int>(n), x.data(), static_cast<int>(g.size()), 0.0,
                             lo.empty() ? nullptr : lo.data(), hi.empty() ? nullptr : hi.data(),
                             static_cast<int>(eq.size() / static_cast<std::size_t>(n + 1)),
                             eq.empty() ? nullptr : eq.data(),
                             static_cast<int>(ineq.size() / static_cast<std::size_t>(n + 1)),
                             ineq.empty() ? nullptr : ineq.data(), maxIter, 0, nullptr);
        } catch (const CallbackFailed&) {
        }
    }
    if (problem.error)
        std::rethrow_exception(problem.error);
    py::array_t<double> point(n, x.data());
    double value = ToNumber(fun(point), "the value of fun");
    return py::make_tuple(point, value);
}

} // namespace

void BindOptimize(py::module_& m)
{
    m.def("simplex", &Simplex, py::arg("cost"), py::arg("eq") = py::none(), py::arg("ge") = py::none(),
          "Minimises cost . x subject to A x = b (eq = (A, b)), A x >= b (ge = (A, b)) and x >= 0 "
          "by the lp_solve engine; returns the optimal x.  Raises LPError with the status 2 "
          "(infeasible), 3 (unbounded) or 4 (other failure).");
    m.def("chebyshev_fit", &ChebyshevFit, py::arg("x"), py::arg("y"), py::arg("nodes"),
          "The minimax broken line through the data (x, y) with break points at the abscissas "
          "nodes: returns (ordinates at the nodes, largest absolute deviation).  Raises LPError "
          "when the linear program fails.");
    m.def("minimize", &Minimize, py::arg("fun"), py::arg("x0"), py::arg("lower") = py::none(),
          py::arg("upper") = py::none(), py::arg("linear") = py::none(), py::arg("linear_eq") = py::none(),
          py::arg("constraints") = py::none(), py::arg("max_iter") = 1000,
          "Minimises fun(x) from x0 (at least 2 variables) by Shor's r-algorithm with finite-"
          "difference gradients, under bounds lower <= x <= upper, linear rows A x <= b "
          "(linear = (A, b)) and A x = b (linear_eq = (A, b)), and nonlinear constraints g(x) <= 0 "
          "(constraints: callables).  Returns (x, fun(x)).  An exception raised by a callable "
          "stops the run and propagates.");
}

} // namespace zpy
