#include <zeltmath/s2d/edge.h>

#include <zeltmath/numeric/core.h>
#include <zeltmath/s2d/matrix.h>

#include <algorithm>
#include <cmath>

namespace S2D {

namespace {

// Fixed tolerance of parameters, parallelism and degenerate lengths.
constexpr double kParamTol = 1e-10;

bool Inside(double t)
{
    return IsLies(t, 1.0, kParamTol) != 0;
}

// Inside the edge and within the tolerance of one of its ends.
bool AtEnd(double t)
{
    return Inside(t) && (IsZero(t, kParamTol) || IsZero(t - 1, kParamTol));
}

// The edge moved to start at the origin and turned onto the positive x axis
// by -theta, with p moved alongside: a = (0, 0), b = (about the length,
// about 0) and q = (position along the line, signed distance from it).
struct Turned {
    double theta;
    Point a, b, q;
};

// How the three points reach the frame.  The distance moves them first and
// then turns the differences, which are exact whenever they can be; the
// projection applies the one product matrix Move(-P1) * Rotate(-theta) to
// each point.  The two round differently, and each result keeps its own bits.
enum class Route { MoveThenTurn, ProductMatrix };

Turned TurnOntoXAxis(const Point& p1, const Point& p2, const Point& p, Route route)
{
    Turned r{0.0, p1, p2, p};
    r.q -= r.a;
    r.b -= r.a;
    r.a -= r.a;
    r.theta = r.b.GetPolarAngle();
    if (route == Route::ProductMatrix) {
        const Matrix toFrame = Matrix::Move(-p1.x, -p1.y) * Matrix::Rotate(-r.theta);
        r.a = toFrame.Transform(p1);
        r.b = toFrame.Transform(p2);
        r.q = toFrame.Transform(p);
        return r;
    }
    const Matrix turn = Matrix::Rotate(-r.theta);
    r.a = turn.Transform(r.a);
    r.b = turn.Transform(r.b);
    r.q = turn.Transform(r.q);
    return r;
}

// A point of the turned frame back in the plane: turned back by theta, then
// moved back to p1.  Built from the same two factors as the way in, this is
// exact up to rounding for every direction; a general elimination would lose
// digits, or fail, for edges running in or near the negative x direction.
Point TurnBack(const Turned& r, const Point& p1, const Point& inFrame)
{
    return (Matrix::Rotate(r.theta) * Matrix::Move(p1.x, p1.y)).Transform(inFrame);
}

double ParameterOf(const Turned& r)
{
    return IsZero(r.b.x, kParamTol) ? 0.0 : r.q.x / r.b.x;
}

} // namespace

Edge::~Edge() = default;

Edge& Edge::operator=(const Edge& e)
{
    if (this != &e) {
        p1_ = e.p1_;
        p2_ = e.p2_;
    }
    return *this;
}

Point& Edge::P2()
{
    return p2_;
}

Edge& Edge::SetP12(const Point& p1, const Point& p2)
{
    p1_ = p1;
    p2_ = p2;
    return *this;
}

void Edge::GetP12(Point& p1, Point& p2) const
{
    p1 = p1_;
    p2 = p2_;
}

Vector Edge::GetVector() const
{
    return Vector(p1_, p2_);
}

Vector Edge::GetNorm() const
{
    return Vector(p2_.y - p1_.y, -(p2_.x - p1_.x));
}

double Edge::GetLength() const
{
    return std::sqrt(GetLengthSqr());
}

double Edge::GetLengthSqr() const
{
    return GetVector().GetLengthSqr();
}

double Edge::GetPolarAngle() const
{
    return GetVector().GetPolarAngle();
}

Point Edge::GetPoint(double t) const
{
    return Point(p1_, p2_, t);
}

unsigned char Edge::IsEqual(const Edge& e, double tol) const
{
    return (Point::IsEqual(p1_, e.p1_, tol) && Point::IsEqual(p2_, e.p2_, tol)) ? 1 : 0;
}

unsigned char Edge::IsEqual(const Edge& a, const Edge& b, double tol)
{
    return a.IsEqual(b, tol);
}

double Edge::GetDistance(const Point& p, double* t) const
{
    const Turned r = TurnOntoXAxis(p1_, p2_, p, Route::MoveThenTurn);
    if (t)
        *t = ParameterOf(r);
    if (r.q.x <= r.a.x)
        return r.q.Distance(r.a);
    if (r.q.x >= r.b.x)
        return r.q.Distance(r.b);
    return std::fabs(r.q.y);
}

Point Edge::GetProjection(const Point& p) const
{
    const Turned f = TurnOntoXAxis(p1_, p2_, p, Route::ProductMatrix);
    Point r(f.q.x, (f.a.y + f.b.y) / 2);
    if (f.q.x <= f.a.x)
        r = f.a;
    else if (f.q.x >= f.b.x)
        r = f.b;
    return TurnBack(f, p1_, r);
}

unsigned char Edge::CheckPtBelongs(const Point& p, double* t, double tol) const
{
    double s = 0;
    if (!Point::Belongs2Line(p, p1_, p2_, &s, tol))
        return 0;
    if (t)
        *t = s;
    return Inside(s) ? 1 : 0;
}

unsigned int Edge::CalcLayout(const Circle& c, double* t1, double* t2) const
{
    const double r = c.Radius();
    const double L = GetLength();
    if (IsZero(L, kParamTol)) {
        if (!IsZero(c.Distance(p1_) - r, kParamTol))
            return LAYOUT_APART;
        if (t1)
            *t1 = 0;
        if (t2)
            *t2 = 0;
        return LAYOUT_CROSS | LAYOUT_TOUCH | LAYOUT_OUTSIDE;
    }

    // Signed distance s from the centre to the line along the unit normal.
    const Point centre(c.x, c.y);
    Vector n = GetNorm();
    n.Normalize();
    const Point q = centre + n;
    double s = 0;
    Point::LinesCrossed(centre, q, p1_, p2_, &s);
    if (!IsNonGreater(std::fabs(s), r, kParamTol))
        return LAYOUT_APART | LAYOUT_OUTSIDE;

    // m: the foot of the perpendicular from the centre; h: the half chord
    // in parameter units.  A line just outside the circle (within the
    // tolerance) counts as tangent.
    double m = 0;
    Point::LinesCrossed(p1_, p2_, centre, q, &m);
    const double h = std::sqrt(std::max(0.0, r * r - s * s)) / L;
    const double s1 = m - h;
    const double s2 = m + h;
    if (t1)
        *t1 = s1;
    if (t2)
        *t2 = s2;

    const bool in1 = Inside(s1), in2 = Inside(s2);
    const bool end1 = AtEnd(s1), end2 = AtEnd(s2);
    unsigned int result;
    if ((in1 && !end1) || (in2 && !end2))
        result = LAYOUT_CROSS;
    else if (IsZero(h, kParamTol) && in1)
        result = LAYOUT_CROSS | LAYOUT_OUTSIDE;
    else if (IsLess(c.Distance(p1_), r, kParamTol))
        result = LAYOUT_APART;
    else
        result = LAYOUT_APART | LAYOUT_OUTSIDE;
    if (end1 || end2)
        result |= LAYOUT_TOUCH;
    return result;
}

unsigned int Edge::CalcLayout(const Edge& e, double* t1, double* t2) const
{
    const Point& b1 = e.P1();
    const Point& b2 = e.P2();
    const double ax = p2_.x - p1_.x, ay = p2_.y - p1_.y;
    const double bx = b2.x - b1.x, by = b2.y - b1.y;
    // nb: a normal of e; den = nb . a vanishes for parallel edges.
    const double nbx = by, nby = -bx;
    const double den = nbx * ax + nby * ay;

    if (!IsZero(den, kParamTol)) {
        const double wx = p1_.x - b1.x, wy = p1_.y - b1.y;
        const double s1 = -(nbx * wx + nby * wy) / den;
        const double nax = ay, nay = -ax;
        const double s2 = (nax * wx + nay * wy) / (nax * bx + nay * by);
        const bool in1 = Inside(s1), in2 = Inside(s2);
        const bool end1 = AtEnd(s1), end2 = AtEnd(s2);
        unsigned int result;
        if (end1 && end2)
            result = LAYOUT_APART;
        else
            result = (in1 && in2) ? LAYOUT_CROSS : LAYOUT_APART;
        if ((in2 && end1) || (in1 && end2))
            result |= LAYOUT_TOUCH;
        if (t1)
            *t1 = s1;
        if (t2)
            *t2 = s2;
        return result;
    }

    unsigned int result = LAYOUT_PARALLEL;
    double s1 = 0, s2 = 0;
    if (!Point::Belongs2Line(b1, p1_, p2_, &s1, kParamTol))
        return result | LAYOUT_APART;
    // Collinear: both parameters are positions along this edge.
    const bool in1 = Inside(s1);
    const bool in2 = CheckPtBelongs(b2, &s2, kParamTol) != 0;
    const bool end1 = in1 && AtEnd(s1);
    const bool end2 = in2 && (IsZero(s2, kParamTol) || IsZero(s2 - 1, kParamTol));
    if ((in1 && in2) || IsLess(s1 * s2, 0, kParamTol) || (in1 && !end1) || (in2 && !end2))
        result |= LAYOUT_CROSS;
    else
        result |= LAYOUT_APART;
    if (end1 || end2)
        result |= LAYOUT_TOUCH;
    if (t1)
        *t1 = s1;
    if (t2)
        *t2 = s2;
    return result;
}

bool Edge::operator==(const Edge& e) const
{
    return p1_ == e.p1_ && p2_ == e.p2_;
}

bool Edge::operator<(const Edge& e) const
{
    return p1_ < e.p1_ && p2_ < e.p2_;
}

bool Edge::Intersect(const Edge& e, Point& out) const
{
    return Intersect(*this, e, out);
}

bool Edge::Intersect(const Edge& e1, const Edge& e2, Point& out)
{
    const Point& a1 = e1.P1();
    const Point& a2 = e1.P2();
    const Point& b1 = e2.P1();
    const Point& b2 = e2.P2();
    if (std::max(a1.x, a2.x) < std::min(b1.x, b2.x) || std::max(b1.x, b2.x) < std::min(a1.x, a2.x))
        return false;
    if (std::max(a1.y, a2.y) < std::min(b1.y, b2.y) || std::max(b1.y, b2.y) < std::min(a1.y, a2.y))
        return false;

    const Point A = a2 - a1;
    const Point B = b2 - b1;
    const double den1 = A.x * B.y - A.y * B.x;
    if (!(std::fabs(den1) > 1e-50))
        return false;
    const double t = -Simple(a1 - b1, B) / den1;
    const double den2 = B.x * A.y - B.y * A.x;
    if (!(std::fabs(den2) > 1e-50))
        return false;
    const double u = -Simple(b1 - a1, A) / den2;
    if (t >= 0 && t <= 1 && u >= 0 && u <= 1) {
        out = Point(a1.x + A.x * t, a1.y + A.y * t);
        return true;
    }
    return false;
}

Line::~Line() = default;

Line& Line::operator=(const Line& l)
{
    Edge::operator=(l);
    return *this;
}

double Line::GetDistance(const Point& p, double* t) const
{
    const Turned r = TurnOntoXAxis(p1_, p2_, p, Route::MoveThenTurn);
    if (t)
        *t = ParameterOf(r);
    return std::fabs(r.q.y);
}

Point Line::GetProjection(const Point& p) const
{
    const Turned f = TurnOntoXAxis(p1_, p2_, p, Route::ProductMatrix);
    return TurnBack(f, p1_, Point(f.q.x, (f.a.y + f.b.y) / 2));
}

unsigned char Line::CheckPtBelongs(const Point& p, double* t, double tol) const
{
    double s = 0;
    if (!Point::Belongs2Line(p, p1_, p2_, &s, tol))
        return 0;
    if (t)
        *t = s;
    return 1;
}

} // namespace S2D
