// Numeric jobs: the numeric core, interpolation and elimination, the root
// finder, formulas with their own angle factors, the optimizer, linear
// programming, minimax fitting and spatial matrices, each on objects built
// from its seed; and the jobs that must run one at a time.

#include "digest.h"

#include <zeltmath/approx/chebyshev.h>
#include <zeltmath/approx/simplex.h>
#include <zeltmath/ann/ann.h>
#include <zeltmath/complex/muller.h>
#include <zeltmath/formula/formula.h>
#include <zeltmath/numeric/core.h>
#include <zeltmath/numeric/fft.h>
#include <zeltmath/numeric/gauss.h>
#include <zeltmath/numeric/interpolation.h>
#include <zeltmath/optimize/shor.h>
#include <zeltmath/s3d/matrix.h>
#include <zeltmath/s3d/point.h>

#include <cmath>
#include <random>
#include <vector>

namespace threadtest {
namespace {

void Core(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-50, 50);
    for (int i = 0; i < 300; ++i) {
        const double a = u(rng), b = u(rng), c = u(rng);
        std::vector<double> roots;
        out.Put(Cubic(roots, a, b, c));
        out.Put(roots);
        out.Put(Round(a * 1e3));
        out.Put(GoodSin(GradToRad(a * 15)));
        out.Put(GoodCos(GradToRad(b * 15)));
        out.Put(IsLess(a, b, 1e-9));
    }
}

void InterpolationAndElimination(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-1, 1);
    const int nx = 9, ny = 7;
    std::vector<double> X(nx), Y(ny), Z(nx * ny);
    for (int i = 0; i < nx; ++i)
        X[i] = i + 0.3 * u(rng);
    for (int j = 0; j < ny; ++j)
        Y[j] = 2 * j + 0.5 * u(rng);
    for (double& z : Z)
        z = 10 * u(rng);
    for (int k = 0; k < 200; ++k) {
        const double x = -1 + 11 * (u(rng) + 1) / 2, y = -2 + 16 * (u(rng) + 1) / 2;
        out.Put(Interpol(x, X.data(), Z.data(), nx, 1));
        out.Put(Interpol(y, Y.data(), Z.data() + k % nx, ny, nx));
        out.Put(InterpolTable(x, y, X.data(), Y.data(), Z.data(), nx, ny));
    }
    for (int n = 1; n <= 24; n += 3) {
        std::vector<double> A(n * n), B(2 * n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                A[i * n + j] = u(rng) + (i == j ? n : 0);
        for (double& b : B)
            b = u(rng);
        out.Put(Gauss(n, A.data(), 2, B.data()));
        out.Put(B);
    }
}

void RootFinder(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-3, 3);
    for (int degree = 3; degree <= 14; ++degree) {
        // Real coefficients through StepMuller, complex ones through null.
        std::vector<double> coef(degree + 1);
        for (double& c : coef)
            c = u(rng);
        std::vector<double> real(degree);
        int nReal = -1;
        out.Put(CZELTMuller::StepMuller(degree, coef.data(), nReal, real.data()));
        out.Put(nReal);
        out.Put(real);

        std::vector<dcomplex> p(degree + 1), pred(degree + 1), root(degree);
        for (dcomplex& c : p)
            c = dcomplex(u(rng), u(rng));
        int n = degree;
        double maxerr = -1;
        CZELTMuller m;
        out.Put(m.null(p.data(), pred.data(), &n, root.data(), &maxerr, 1));
        out.Put(n);
        out.Put(maxerr);
        for (const dcomplex& r : root) {
            out.Put(r.re);
            out.Put(r.im);
        }
    }
}

// Two formula objects with different angle factors, used in turn on one
// thread while other threads use theirs with yet other factors.
void Formulas(unsigned seed, Digest& out)
{
    const double factors[] = {1.0, M_PI / 180, M_PI / 200, 0.5, 2.0};
    CZELTMathFormula f, g;
    f.SetAngleFactor(factors[seed % 5]);
    g.SetAngleFactor(factors[(seed + 2) % 5]);
    out.Put(f.SetFormula("a*sin(x) + cos(y)^2 - atan(x/(y+5)) + asin(0.5) + tan(30)"));
    out.Put(g.SetFormula("acos(x/100) * cot(y + 1) + sec(15) - a^2"));
    for (int i = 0; i < 1000; ++i) {
        const double x = (i - 500) * 0.13 + seed, y = i * 0.07;
        for (CZELTMathFormula* h : {&f, &g}) {
            h->SetVariable("a", 1 + seed * 0.25);
            h->SetVariable("x", x);
            h->SetVariable("y", y);
            double v = -1;
            out.Put(h->Calc(v));
            out.Put(v);
        }
    }
    for (const char* name : {"x", "y", "a"}) {
        CZELTMathFormula d;
        out.Put(f.PartialDerivative(name, d));
        out.Put(d.GetFormula());
        d.SetVariable("x", 0.3);
        d.SetVariable("y", 0.7);
        d.SetVariable("a", 2);
        double v = -1;
        out.Put(d.Calc(v));
        out.Put(v);
    }
    out.Put(f.SetFormula("sqrt(-1 - x^2)"));
    double v = 0;
    out.Put(f.Calc(v));
}

// A bounded, constrained bowl whose centre depends on the seed.
class Bowl : public CZELTMathOptShor {
public:
    explicit Bowl(double shift) : shift_(shift) {}
    int Run(std::vector<double>& x) const
    {
        x = {3, -4, 1};
        const double lower[] = {-5, -5, -5}, upper[] = {5, 5, 5};
        const double ineq[] = {1, 1, 1, -2};  // x0 + x1 + x2 <= 2
        return Optimize(3, x.data(), 1, 0.0, lower, upper, 0, nullptr, 1, ineq, 4000, 0, nullptr);
    }

protected:
    bool ObjFunction(int, int, const double* x, double& value) const override
    {
        value = (x[0] - 1 - shift_) * (x[0] - 1 - shift_) + 2 * (x[1] + 2) * (x[1] + 2) +
                std::fabs(x[2] - shift_) + 100 * (x[1] - x[0] * x[0]) * (x[1] - x[0] * x[0]) * 1e-3;
        return true;
    }
    bool ObjConstraint(int, int, const double* x, double& value) const override
    {
        value = x[0] * x[0] + x[2] * x[2] - 9;  // inside the circle of radius 3
        return true;
    }

private:
    double shift_;
};

void Optimizer(unsigned seed, Digest& out)
{
    for (int k = 0; k < 3; ++k) {
        const Bowl bowl(0.25 * ((seed + k) % 9));
        std::vector<double> x;
        out.Put(bowl.Run(x));
        out.Put(x);
    }
}

void LinearProgramming(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    for (int k = 0; k < 8; ++k) {
        const int n = 4 + k % 5;
        // Covering rows a.x >= b with b below a.1, so x = 1 is feasible, and
        // positive costs, so the minimum is bounded.
        std::vector<double> cost(n);
        for (double& c : cost)
            c = 0.5 + u(rng);
        std::vector<constraint> eqs, ges(n + 2);
        for (constraint& row : ges) {
            row.a.resize(n);
            double sum = 0;
            for (double& a : row.a)
                sum += a = u(rng);
            row.b = sum * (0.2 + 0.7 * u(rng));
        }
        if (k % 2) {
            constraint total;
            total.a.assign(n, 1.0);
            total.b = n;  // met by x = 1 as well
            eqs.push_back(total);
        }
        std::vector<double> x(n, -1);
        out.Put(SimplexSolve(cost, eqs, ges, x));
        out.Put(x);
    }
    // Minimax broken lines through samples of a curve.
    std::vector<point_d> data;
    for (int i = 0; i <= 60; ++i) {
        const double t = i * 0.1;
        data.push_back(point_d{t, std::sin(t + seed) + 0.1 * t * t});
    }
    std::vector<point_d> nodes{{0, 0}, {1.5 + 0.1 * (seed % 4), 0}, {4, 0}, {6, 0}};
    out.Put(ChebyshevApproaching(data, nodes));
    for (const point_d& node : nodes) {
        out.Put(node.x);
        out.Put(node.y);
    }
}

void SpatialMatrices(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-2, 2);
    S3D::MatrixStack stack;
    std::vector<S3D::Point> points;
    for (int i = 0; i < 30; ++i)
        points.emplace_back(u(rng), u(rng), u(rng));
    for (int k = 0; k < 30; ++k) {
        const S3D::Matrix m = S3D::Matrix::RotationAxis(S3D::Vector(u(rng), u(rng), 1), u(rng)) *
                              S3D::Matrix::Scale(1.5, 0.5 + std::fabs(u(rng)), 2) *
                              S3D::Matrix::Move(u(rng), u(rng), u(rng));
        const S3D::Matrix inv = S3D::Matrix::Invert(m);
        stack.Push(m, static_cast<unsigned char>(k % 3 != 0), static_cast<unsigned char>(k % 2));
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                out.Put(inv.GetV(i, j));
                out.Put(stack.Top().GetV(i, j));
            }
        std::vector<S3D::Point> moved;
        (m * inv).Transform(points, moved);
        out.Put(moved);
        if (k % 4 == 3)
            stack.Pop();
    }
    out.Put(stack.Size());
}

// The transform keeps process-wide work arrays.
void Fourier(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int n : {1, 7, 16, 360, 77, 1000, 2 * 97}) {
        std::vector<double> re(n), im(n), yr(n), yi(n);
        for (int i = 0; i < n; ++i) {
            re[i] = u(rng);
            im[i] = u(rng);
        }
        out.Put(FastFourier(n, re.data(), im.data(), yr.data(), yi.data()));
        out.Put(yr);
        out.Put(yi);
    }
}

// ANN keeps the state of a running search (query, tree points, result heap)
// in process-wide variables, and every tree shares one static empty leaf, so
// trees are built and searched one at a time even when they are distinct.
void NearestNeighbours(unsigned seed, Digest& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-10, 10);
    const int n = 500, dim = 3, k = 4;
    ANNpointArray pts = ANN::AllocPts(n, dim);
    for (int i = 0; i < n; ++i)
        for (int d = 0; d < dim; ++d)
            pts[i][d] = u(rng);
    {
        ANN::kd_tree tree(pts, n, dim);
        ANNpoint q = ANN::AllocPt(dim);
        for (int s = 0; s < 50; ++s) {
            for (int d = 0; d < dim; ++d)
                q[d] = u(rng);
            ANNidx idx[k];
            ANNdist dist[k];
            tree.annkSearch(q, k, idx, dist);
            for (int j = 0; j < k; ++j) {
                out.Put(idx[j]);
                out.Put(dist[j]);
            }
        }
        ANN::DeallocPt(q);
    }
    ANN::DeallocPts(pts);
}

} // namespace

std::vector<Job> NumericJobs()
{
    return {{"numeric core", Core},
            {"interpolation and elimination", InterpolationAndElimination},
            {"root finder", RootFinder},
            {"formulas", Formulas},
            {"optimizer", Optimizer},
            {"simplex and minimax fit", LinearProgramming},
            {"spatial matrices", SpatialMatrices}};
}

std::vector<Job> SerialJobs()
{
    return {{"fast Fourier transform", Fourier}, {"nearest neighbours", NearestNeighbours}};
}

} // namespace threadtest
