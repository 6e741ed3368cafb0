// A tour of every area of the library, one block per area, as the README
// shows them.  Each block checks its own result, so the program doubles as a
// test that the README's examples work.
// The reference's area pages (doc/) show the blocks between the //! [name]
// markers, so keep the markers around a block when editing it.
#include <zeltmath/zeltmath.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    std::printf("%-44s %s\n", what, ok ? "ok" : "WRONG");
    failures += ok ? 0 : 1;
}

bool Near(double a, double b, double tol = 1e-9) { return std::fabs(a - b) <= tol; }

//! [objective]
// Minimise (x - 1)^2 + (y + 2)^2 subject to x + y >= 0, given to the
// optimizer as the linear row -x - y + 0 <= 0.
struct Bowl : CZELTMathOptShor {
    bool ObjFunction(int, int, const double* x, double& f) const override
    {
        f = (x[0] - 1) * (x[0] - 1) + (x[1] + 2) * (x[1] + 2);
        return true;
    }
};
//! [objective]

} // namespace

int main()
{
    using S2D::Point;
    using S2D::Polygon;
    using S2D::PolyPolygon;

    // --- base: the suite's string and exception classes
    //! [base]
    CZELTString text("1,5");
    Check(text.Replace(",", ".") == 1 && std::string(text) == "1.5", "CZELTString::Replace");
    unsigned int code = 0;
    try {
        throw CZELTException(7, "seven");
    } catch (const CZELTException& e) {
        code = e.GetCode();
    }
    Check(code == 7, "CZELTException carries its code");
    //! [base]

    // --- numeric: tolerant comparisons, cubic, interpolation, FFT
    //! [numeric]
    Check(IsZero(0.001, 0.001) && !IsLess(1.0, 1.0005, 0.001), "tolerant comparisons");
    std::vector<double> cubic;
    Cubic(cubic, -6, 11, -6);                                  // x^3 - 6x^2 + 11x - 6
    Check(cubic.size() == 3, "three real roots of a cubic");
    double X[] = {0, 1, 2}, Y[] = {0, 10, 20};
    Check(Near(Interpol(0.5, X, Y, 3, 1), 5), "Interpol");
    std::vector<double> re(360, 1.0), yr(360), yi(360);
    FastFourier(360, re.data(), nullptr, yr.data(), yi.data());
    Check(Near(yr[0], 360) && Near(yr[1], 0), "FastFourier of a constant");
    //! [numeric]

    // --- s2d: edges, matrices, polygons and their Boolean operations
    //! [s2d]
    S2D::Edge e(Point(0, 0), Point(2, 0));
    double t1 = 0, t2 = 0;
    const unsigned bits = e.CalcLayout(S2D::Edge(Point(1, -1), Point(1, 1)), &t1, &t2);
    Check(bits == LAYOUT_CROSS && Near(t1, 0.5), "edges crossing at their middles");
    const S2D::Matrix m = S2D::Matrix::Rotate(ZT_PI_2) * S2D::Matrix::Move(5, 0);
    const Point q = S2D::Matrix::Invert(m).Transform(m.Transform(Point(1, 2)));
    Check(Near(q.x, 1) && Near(q.y, 2), "a matrix and its inverse cancel");

    PolyPolygon plate(Polygon(std::vector<Point>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    plate.AddPolygon(Polygon(std::vector<Point>{{4, 4}, {6, 4}, {6, 6}, {4, 6}}), 1);   // 1: a hole
    const PolyPolygon notch(Polygon(std::vector<Point>{{8, -1}, {12, -1}, {12, 3}, {8, 3}}));
    PolyPolygon cut = plate.Clip(S2D::PPOLY_DIFFERENCE, notch);
    double area = 0;
    for (unsigned i = 0; i < cut.Size(); ++i) {
        unsigned char hole = 0;
        area += (cut.GetPolygon(i, &hole).Area()) * (hole ? -1 : 1);
    }
    Check(Near(area, 100 - 4 - 6), "plate minus hole minus notch");
    Check(cut.CheckIn(Point(1, 1), 1, 1e-9, 1, nullptr) && !cut.CheckIn(Point(5, 5), 1, 1e-9, 1, nullptr),
          "containment respects the hole");
    PolyPolygon moved;
    S2D::Transform::Transform(S2D::Matrix::Move(20, 0), cut, moved);
    Check(moved.CheckIn(Point(21, 1), 1, 1e-9, 1, nullptr) && !moved.CheckIn(Point(25, 5), 1, 1e-9, 1, nullptr),
          "a region moved as a whole keeps its hole");

    S2D::HollowPolygon section(Polygon(std::vector<Point>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    section.AddInner(Polygon(std::vector<Point>{{4, 4}, {6, 4}, {6, 6}, {4, 6}}));
    HRGN rgn = section.CreateRgn(S2D::Matrix());                // caller owns the region
    Check(rgn && PtInRegion(rgn, 1, 1) && !PtInRegion(rgn, 5, 5), "hollow polygon as a pixel region");
    DeleteObject(rgn);
    //! [s2d]

    // --- s3d: spatial matrices
    //! [s3d]
    const S3D::Matrix r = S3D::Matrix::RotationAxis(S3D::Vector(0, 0, 1), ZT_PI_2);
    const S3D::Point p3 = r.Transform(S3D::Point(1, 0, 0));
    Check(Near(p3.V1(), 0) && Near(p3.V2(), 1), "quarter turn about z");
    //! [s3d]

    // --- formula engine
    //! [formula]
    CZELTMathFormula f;
    double v = 0;
    const bool parsed = f.SetFormula("a*sin(x)+2") == nullptr;
    f.SetVariable("a", 3.0);
    f.SetVariable("x", 0.5);
    Check(parsed && f.Calc(v) == nullptr && Near(v, 3 * std::sin(0.5) + 2), "formula value");
    CZELTMathFormula d;
    const bool derived = f.PartialDerivative("x", d) == nullptr;
    Check(derived && std::string(d.GetFormula()) == "a * COS( x )", "derivative a * COS( x )");
    Check(f.SetFormula("1/0") != nullptr, "1/0 is reported, not computed");
    //! [formula]

    // --- complex: polynomial roots by Muller's method
    //! [complex]
    double c[] = {-6, 11, -6, 1}, roots[3];
    int nRoots = 0;
    Check(CZELTMuller::StepMuller(3, c, nRoots, roots) == 0 && nRoots == 3, "StepMuller finds 1, 2, 3");
    //! [complex]

    // --- optimize: Shor's r-algorithm with one linear inequality
    //! [optimize]
    double x[2] = {0, 0};
    const double row[3] = {-1, -1, 0};                         // -x - y + 0 <= 0
    Bowl().Optimize(2, x, 0, 0, nullptr, nullptr, 0, nullptr, 1, row, 1000, 0, nullptr);
    Check(Near(x[0], 1.5, 1e-3) && Near(x[1], -1.5, 1e-3), "constrained minimum at (1.5, -1.5)");
    //! [optimize]

    // --- approx: linear programming and minimax fitting
    //! [approx]
    std::vector<double> cost{1, 2}, sol(2);
    std::vector<constraint> eqs, ges{{{1, 1}, 1}};             // x + y >= 1
    Check(SimplexSolve(cost, eqs, ges, sol) == 0 && Near(sol[0], 1) && Near(sol[1], 0), "SimplexSolve");
    std::vector<point_d> data, nodes{{0, 0}, {1, 0}};
    for (int i = 0; i <= 10; ++i)
        data.push_back({i / 10.0, 2 + 3 * (i / 10.0)});
    Check(ChebyshevApproaching(data, nodes) == 0 && Near(nodes[0].y, 2) && Near(nodes[1].y, 5),
          "minimax line through exact data");
    //! [approx]

    // --- ann: nearest neighbours from the ANN library
    //! [ann]
    ANNpointArray pts = ANN::AllocPts(3, 2);
    const double coords[3][2] = {{0, 0}, {5, 5}, {9, 1}};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 2; ++k)
            pts[i][k] = coords[i][k];
    {
        ANN::kd_tree tree(pts, 3, 2);
        ANNpoint query = ANN::AllocPt(2);
        query[0] = 8;
        query[1] = 2;
        ANNidx nn = -1;
        ANNdist d2 = 0;
        tree.annkSearch(query, 1, &nn, &d2);
        Check(nn == 2 && Near(d2, 2), "nearest neighbour of (8, 2)");
        ANN::DeallocPt(query);
    }
    ANN::DeallocPts(pts);
    ANN::annClose();
    //! [ann]

    std::printf("%s\n", failures ? "some results are wrong" : "every result is right");
    return failures ? 1 : 0;
}
