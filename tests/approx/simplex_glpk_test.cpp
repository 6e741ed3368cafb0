// SimplexSolve against GLPK on random programs of known kind.
#include <zeltmath/approx/simplex.h>

#include <glpk.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Program {
    std::vector<double> cost;
    std::vector<constraint> eqs, ges;
};

struct Answer {
    int status;
    double objective;
};

Answer SolveWithGlpk(const Program& p)
{
    const int n = static_cast<int>(p.cost.size());
    const int rows = static_cast<int>(p.eqs.size() + p.ges.size());
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    glp_add_cols(lp, n);
    for (int j = 1; j <= n; ++j) {
        glp_set_col_bnds(lp, j, GLP_LO, 0.0, 0.0);
        glp_set_obj_coef(lp, j, p.cost[j - 1]);
    }
    if (rows > 0)
        glp_add_rows(lp, rows);
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0.0};
    int r = 0;
    auto add = [&](const constraint& c, int type) {
        ++r;
        glp_set_row_bnds(lp, r, type, c.b, c.b);
        for (int j = 0; j < n; ++j)
            if (c.a[j] != 0.0) {
                ia.push_back(r);
                ja.push_back(j + 1);
                ar.push_back(c.a[j]);
            }
    };
    for (const constraint& c : p.eqs)
        add(c, GLP_FX);
    for (const constraint& c : p.ges)
        add(c, GLP_LO);
    glp_load_matrix(lp, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.presolve = GLP_OFF;
    Answer a{4, 0.0};
    if (glp_simplex(lp, &parm) == 0) {
        switch (glp_get_status(lp)) {
        case GLP_OPT: a = {0, glp_get_obj_val(lp)}; break;
        case GLP_NOFEAS: a.status = 2; break;
        case GLP_UNBND: a.status = 3; break;
        default: break;
        }
    }
    glp_delete_prob(lp);
    return a;
}

enum class Kind { Feasible, Infeasible, Unbounded };

Program Random(std::mt19937& rng, Kind kind)
{
    std::uniform_int_distribution<int> dimension(2, 9), coef(-6, 6), few(0, 3), some(1, 6);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Program p;
    const int n = dimension(rng);
    std::vector<double> x0(n);
    for (double& v : x0)
        v = unit(rng) < 0.3 ? 0.0 : 3.0 * unit(rng);
    // For an unbounded program: either a variable that no row mentions, or
    // a ray d >= 0 (dense) along which every row stays satisfied and the
    // cost falls.
    const bool useRay = kind == Kind::Unbounded && rng() % 2 == 0;
    const int freeColumn = kind == Kind::Unbounded && !useRay ? static_cast<int>(rng() % n) : -1;
    const int pivot = static_cast<int>(rng() % n);
    std::vector<double> ray(n);
    for (double& v : ray)
        v = 0.2 + unit(rng);
    auto alongRay = [&](const constraint& c) {
        double s = 0.0;
        for (int j = 0; j < n; ++j)
            s += c.a[j] * ray[j];
        return s;
    };
    auto randomRow = [&]() {
        constraint c;
        c.a.resize(n);
        for (double& v : c.a)
            v = unit(rng) < 0.3 ? 0.0 : coef(rng) + 0.25 * unit(rng);
        if (freeColumn >= 0)
            c.a[freeColumn] = 0.0;
        return c;
    };
    auto rayRow = [&](bool equal) {
        constraint c = randomRow();
        if (useRay) {
            const double s = alongRay(c);
            if (equal || s < 0.0)
                c.a[pivot] -= (s - (equal ? 0.0 : unit(rng))) / ray[pivot];
        }
        return c;
    };
    auto dot = [&](const constraint& c) {
        double s = 0.0;
        for (int j = 0; j < n; ++j)
            s += c.a[j] * x0[j];
        return s;
    };
    // Rows satisfied by x0, so the program is feasible.
    for (int i = few(rng); i > 0; --i) {
        constraint c = rayRow(true);
        c.b = dot(c);
        p.eqs.push_back(c);
    }
    for (int i = some(rng); i > 0; --i) {
        constraint c = rayRow(false);
        c.b = dot(c) - 2.0 * unit(rng);
        p.ges.push_back(c);
    }
    p.cost.resize(n);
    for (double& v : p.cost)
        v = 0.1 + 4.0 * unit(rng);  // positive costs: bounded below by 0
    if (kind == Kind::Infeasible) {
        // a.x >= b from the first row and -a.x >= -b + delta contradict.
        constraint c = p.ges.front();
        for (double& v : c.a)
            v = -v;
        c.b = -c.b + 0.5 + unit(rng);
        p.ges.insert(p.ges.begin() + static_cast<long>(rng() % (p.ges.size() + 1)), c);
    }
    if (freeColumn >= 0)
        p.cost[freeColumn] = -0.5 - unit(rng);
    if (useRay) {
        double s = 0.0;
        for (int j = 0; j < n; ++j)
            if (j != pivot)
                s += p.cost[j] * ray[j];
        p.cost[pivot] = -(s + 0.5 + unit(rng)) / ray[pivot];
    }
    return p;
}

TEST(SimplexAgainstGlpk, RandomProgramsAgreeOnStatusAndOptimum)
{
    std::mt19937 rng(20261206);
    int seen[3] = {0, 0, 0};
    for (int trial = 0; trial < 300; ++trial) {
        const Kind kind = static_cast<Kind>(trial % 3);
        Program p = Random(rng, kind);
        const Answer peer = SolveWithGlpk(p);
        const std::size_t n = p.cost.size();
        std::vector<double> x(n, -1.0);
        Program copy = p;
        const int status = SimplexSolve(copy.cost, copy.eqs, copy.ges, x);
        ASSERT_EQ(status, peer.status) << "trial " << trial;
        const int expected = kind == Kind::Feasible ? 0 : kind == Kind::Infeasible ? 2 : 3;
        ASSERT_EQ(status, expected) << "trial " << trial;
        ++seen[static_cast<int>(kind)];
        if (status != 0) {
            EXPECT_EQ(x, std::vector<double>(n, -1.0));
            continue;
        }
        double objective = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            EXPECT_GE(x[j], -1e-9);
            objective += p.cost[j] * x[j];
        }
        EXPECT_NEAR(objective, peer.objective, 1e-9 * std::max(1.0, std::fabs(peer.objective))) << trial;
        for (const constraint& c : p.eqs) {
            double s = 0.0;
            for (std::size_t j = 0; j < n; ++j)
                s += c.a[j] * x[j];
            EXPECT_NEAR(s, c.b, 1e-8 * std::max(1.0, std::fabs(c.b)));
        }
        for (const constraint& c : p.ges) {
            double s = 0.0;
            for (std::size_t j = 0; j < n; ++j)
                s += c.a[j] * x[j];
            EXPECT_GE(s, c.b - 1e-8 * std::max(1.0, std::fabs(c.b)));
        }
    }
    EXPECT_EQ(seen[0], 100);
    EXPECT_EQ(seen[1], 100);
    EXPECT_EQ(seen[2], 100);
}

} // namespace
