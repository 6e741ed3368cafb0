#ifndef ZELTMATH_APPROX_CHEBYSHEV_H
#define ZELTMATH_APPROX_CHEBYSHEV_H
/// \file
/// Minimax (Chebyshev) fitting of a broken line to tabulated data.

#include <zeltmath/base/export.h>

#include <vector>

/// A point of tabulated data, or a break point of a fitted broken line.
struct ZELTMATH_API point_d {
    /// The abscissa.
    double x = 0.0;
    /// The ordinate.
    double y = 0.0;

    /// Both compare the abscissas only.  == allows the machine epsilon of
    /// doubles (2.220446049250313e-16) as an absolute difference, and treats
    /// any two abscissas within that epsilon of zero as equal.
    bool operator<(const point_d& other) const;
    /// Abscissas equal within the machine epsilon, as described above.
    bool operator==(const point_d& other) const;
};

/// Minimax (Chebyshev) fit of a continuous broken line to tabulated data.
///
/// data holds the points to approximate (normally in increasing x); nodes
/// hold the abscissas of the break points in their x fields, and on success
/// their y fields receive the ordinates of the broken line that minimises the
/// largest absolute deviation max_k |data[k].y - line(data[k].x)|.  The fit is
/// solved as a linear program by SimplexSolve's engine.
///
/// Result: 0 on success; 100 when data or nodes is empty (nothing changed);
/// 2, 3 or 4 (the linear-programming status) with the nodes unchanged.
/// Breakdowns of the engine are thrown as by SimplexSolve.  Non-finite
/// values in data or in the node abscissas are rejected with
/// std::invalid_argument; ordinates of magnitude 1e30 and more count as
/// infinite for the engine (such a fit is reported infeasible, 2).
///
/// The line is the sum of one hat function per node: 1 at the node, falling
/// linearly to 0 at the neighbouring nodes.  The first node's hat reaches back
/// to the smallest data abscissa and the last node's forward to the largest,
/// so nodes at the ends of the data give the plain broken line through the
/// nodes, while a first (last) node inside the data makes the line fall to 0
/// at the data's first (last) abscissa.
///
/// How unusual nodes are read:
///  - Order: the nodes are taken in increasing x whatever their order in the
///    vector; each element receives the ordinate at its own abscissa.
///  - Repeated abscissas (equal under point_d::operator==) are one break point:
///    a broken line has one ordinate there, and every such node receives it.
///  - Nodes outside the data range are allowed.  A first node before the data
///    (a last node after it) simply extends the line's end segment over the
///    data.  A node whose hat function vanishes at every data point does not
///    influence the fit; it receives the value of the broken line through the
///    other nodes (interpolated between its neighbours, extended linearly
///    beyond the outermost ones, or the ordinate of the only other node).
///  - The data range is taken from the smallest and largest data abscissa, so
///    unordered data is fitted as if it were sorted.
ZELTMATH_API int ChebyshevApproaching(std::vector<point_d>& data, std::vector<point_d>& nodes);

#endif
