// Classic test problems with published optima for the optimizers.
#ifndef ZELTMATH_TESTS_OPTIMIZE_PROBLEMS_H
#define ZELTMATH_TESTS_OPTIMIZE_PROBLEMS_H

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace testproblems {

using Fn = std::function<double(const double*)>;

struct Problem {
    std::string name;
    int n;
    std::vector<double> start;
    Fn objective;
    std::vector<Fn> nonlinear;       // residual <= 0 when met (inequality) or = 0
    std::vector<bool> nonlinearEq;   // which of them are equalities
    std::vector<double> lower, upper;
    std::vector<std::vector<double>> eq, ineq;  // rows a0..a(n-1), b: a.x + b (= / <=) 0
    std::vector<double> solution;
    double optimum;
    double tolerance;  // on the objective reached by the r-algorithm
    double xTolerance; // on the coordinates
};

inline std::vector<Problem> All()
{
    std::vector<Problem> ps;
    {
        Problem p;
        p.name = "Rosenbrock";
        p.n = 2;
        p.start = {-1.2, 1.0};
        p.objective = [](const double* x) { return 100 * std::pow(x[1] - x[0] * x[0], 2) + std::pow(1 - x[0], 2); };
        p.solution = {1, 1};
        p.optimum = 0;
        p.tolerance = 1e-10;
        p.xTolerance = 1e-05;
        ps.push_back(p);
    }
    {
        Problem p;  // HS1: Rosenbrock with x1 >= -1.5
        p.name = "HS1";
        p.n = 2;
        p.start = {-2.0, 1.0};
        p.objective = [](const double* x) { return 100 * std::pow(x[1] - x[0] * x[0], 2) + std::pow(1 - x[0], 2); };
        p.lower = {-1e300, -1.5};
        p.solution = {1, 1};
        p.optimum = 0;
        p.tolerance = 1e-10;
        p.xTolerance = 1e-05;
        ps.push_back(p);
    }
    {
        Problem p;  // HS6: nonlinear equality
        p.name = "HS6";
        p.n = 2;
        p.start = {-1.2, 1.0};
        p.objective = [](const double* x) { return std::pow(1 - x[0], 2); };
        p.nonlinear = {[](const double* x) { return 10 * (x[1] - x[0] * x[0]); }};
        p.nonlinearEq = {true};
        p.solution = {1, 1};
        p.optimum = 0;
        p.tolerance = 0.01;
        p.xTolerance = 0.2;
        ps.push_back(p);
    }
    {
        Problem p;  // HS21: bounds and a linear inequality, infeasible start
        p.name = "HS21";
        p.n = 2;
        p.start = {-1.0, -1.0};
        p.objective = [](const double* x) { return 0.01 * x[0] * x[0] + x[1] * x[1] - 100; };
        p.lower = {2, -50};
        p.upper = {50, 50};
        p.ineq = {{-10, 1, 10}};  // 10 x0 - x1 >= 10
        p.solution = {2, 0};
        p.optimum = -99.96;
        p.tolerance = 0.0001;
        p.xTolerance = 0.01;
        ps.push_back(p);
    }
    {
        Problem p;  // HS28: linear equality
        p.name = "HS28";
        p.n = 3;
        p.start = {-4, 1, 1};
        p.objective = [](const double* x) { return std::pow(x[0] + x[1], 2) + std::pow(x[1] + x[2], 2); };
        p.eq = {{1, 2, 3, -1}};
        p.solution = {0.5, -0.5, 0.5};
        p.optimum = 0;
        p.tolerance = 1e-10;
        p.xTolerance = 1e-05;
        ps.push_back(p);
    }
    {
        Problem p;  // HS35 (Beale): bounds and a linear inequality
        p.name = "HS35";
        p.n = 3;
        p.start = {0.5, 0.5, 0.5};
        p.objective = [](const double* x) {
            return 9 - 8 * x[0] - 6 * x[1] - 4 * x[2] + 2 * x[0] * x[0] + 2 * x[1] * x[1] + x[2] * x[2] +
                   2 * x[0] * x[1] + 2 * x[0] * x[2];
        };
        p.lower = {0, 0, 0};
        p.ineq = {{1, 1, 2, -3}};
        p.solution = {4.0 / 3, 7.0 / 9, 4.0 / 9};
        p.optimum = 1.0 / 9;
        p.tolerance = 1e-05;
        p.xTolerance = 0.001;
        ps.push_back(p);
    }
    {
        Problem p;  // HS43 (Rosen-Suzuki): three nonlinear inequalities
        p.name = "HS43";
        p.n = 4;
        p.start = {0, 0, 0, 0};
        p.objective = [](const double* x) {
            return x[0] * x[0] + x[1] * x[1] + 2 * x[2] * x[2] + x[3] * x[3] - 5 * x[0] - 5 * x[1] - 21 * x[2] +
                   7 * x[3];
        };
        p.nonlinear = {
            [](const double* x) {
                return -(8 - x[0] * x[0] - x[1] * x[1] - x[2] * x[2] - x[3] * x[3] - x[0] + x[1] - x[2] + x[3]);
            },
            [](const double* x) {
                return -(10 - x[0] * x[0] - 2 * x[1] * x[1] - x[2] * x[2] - 2 * x[3] * x[3] + x[0] + x[3]);
            },
            [](const double* x) {
                return -(5 - 2 * x[0] * x[0] - x[1] * x[1] - x[2] * x[2] - 2 * x[0] + x[1] + x[3]);
            }};
        p.solution = {0, 1, 2, -1};
        p.optimum = -44;
        p.tolerance = 0.002;
        p.xTolerance = 0.03;
        ps.push_back(p);
    }
    {
        Problem p;  // HS71: bounds, nonlinear inequality and equality
        p.name = "HS71";
        p.n = 4;
        p.start = {1, 5, 5, 1};
        p.objective = [](const double* x) { return x[0] * x[3] * (x[0] + x[1] + x[2]) + x[2]; };
        p.nonlinear = {[](const double* x) { return 25 - x[0] * x[1] * x[2] * x[3]; },
                       [](const double* x) { return x[0] * x[0] + x[1] * x[1] + x[2] * x[2] + x[3] * x[3] - 40; }};
        p.nonlinearEq = {false, true};
        p.lower = {1, 1, 1, 1};
        p.upper = {5, 5, 5, 5};
        p.solution = {1, 4.7429994, 3.8211503, 1.3794082};
        p.optimum = 17.0140173;
        p.tolerance = 0.15;
        p.xTolerance = 0.5;
        ps.push_back(p);
    }
    {
        Problem p;  // HS76: bounds and three linear inequalities
        p.name = "HS76";
        p.n = 4;
        p.start = {0.5, 0.5, 0.5, 0.5};
        p.objective = [](const double* x) {
            return x[0] * x[0] + 0.5 * x[1] * x[1] + x[2] * x[2] + 0.5 * x[3] * x[3] - x[0] * x[2] + x[2] * x[3] -
                   x[0] - 3 * x[1] + x[2] - x[3];
        };
        p.lower = {0, 0, 0, 0};
        p.ineq = {{1, 2, 1, 1, -5}, {3, 1, 2, -1, -4}, {0, -1, -4, 0, 1.5}};
        p.solution = {0.2727273, 2.090909, 0, 0.5454545};
        p.optimum = -4.681818181;
        p.tolerance = 1e-05;
        p.xTolerance = 0.01;
        ps.push_back(p);
    }
    return ps;
}

} // namespace testproblems

#endif
