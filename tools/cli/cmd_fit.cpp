#include "commands.h"

#include "errors.h"
#include "io.h"
#include "svg.h"

#include <zeltmath/approx/chebyshev.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace zcli {

namespace {

// The fitted function at t: the sum of the node ordinates times their hat
// functions, each rising from the previous node (the first data abscissa for
// the first node) to 1 at its own node and falling to the next node (the last
// data abscissa for the last node).
double Fitted(const std::vector<point_d>& nodes, double first, double last, double t)
{
    double sum = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const double x = nodes[i].x;
        const double low = i == 0 ? first : nodes[i - 1].x;
        const double high = i + 1 == nodes.size() ? last : nodes[i + 1].x;
        double phi = 0;
        if (t < low || t > high)
            phi = 0;
        else if (t > x)
            phi = (high - t) / (high - x);
        else if (t == x)
            phi = 1;
        else
            phi = (t - low) / (x - low);
        sum += nodes[i].y * phi;
    }
    return sum;
}

const char* StatusText(int status)
{
    switch (status) {
    case 2: return "the fitting problem is infeasible";
    case 3: return "the fitting problem is unbounded";
    default: return "the linear-programming engine failed";
    }
}

} // namespace

int RunFit(const FitRequest& request, std::ostream& out)
{
    if (request.data.size() < 2)
        throw InputError("fit: the data needs at least two points");
    if (request.nodes.empty())
        throw InputError("fit: no nodes given");
    std::vector<point_d> data;
    for (const XY& p : request.data)
        data.push_back(point_d{p.x, p.y});
    std::stable_sort(data.begin(), data.end(), [](const point_d& a, const point_d& b) { return a.x < b.x; });
    std::vector<point_d> nodes;
    for (double x : request.nodes) {
        if (!nodes.empty() && !(x > nodes.back().x))
            throw InputError("fit: the nodes must be given in increasing order");
        if (x < data.front().x || x > data.back().x)
            throw InputError("fit: node " + FormatNumber(x) + " lies outside the data range [" +
                             FormatNumber(data.front().x) + ", " + FormatNumber(data.back().x) + "]");
        nodes.push_back(point_d{x, 0});
    }

    const int status = ChebyshevApproaching(data, nodes);
    if (status != 0) {
        out << "fit: " << StatusText(status) << " (status " << status << ")\n";
        return 1;
    }
    const double first = data.front().x, last = data.back().x;
    double deviation = 0;
    for (const point_d& p : data)
        deviation = std::max(deviation, std::fabs(p.y - Fitted(nodes, first, last, p.x)));
    for (const point_d& n : nodes)
        out << "node " << FormatNumber(n.x) << ": " << FormatNumber(n.y) << '\n';
    out << "max deviation: " << FormatNumber(deviation) << '\n';

    if (!request.svgPath.empty()) {
        SvgPicture picture;
        std::vector<S2D::Point> line, upper, lower, dots;
        std::vector<double> knots{first};
        for (const point_d& n : nodes)
            knots.push_back(n.x);
        knots.push_back(last);
        for (double t : knots) {
            const double y = Fitted(nodes, first, last, t);
            line.emplace_back(t, y);
            upper.emplace_back(t, y + deviation);
            lower.emplace_back(t, y - deviation);
        }
        for (const point_d& p : data)
            dots.emplace_back(p.x, p.y);
        SvgPicture::Style band;
        band.stroke = "#9e9e9e";
        band.strokeWidth = 1;
        band.dash = "4 3";
        picture.AddPolyline(upper, band, "fit + deviation");
        picture.AddPolyline(lower, band, "fit - deviation");
        SvgPicture::Style fit;
        fit.stroke = "#c62828";
        fit.strokeWidth = 2;
        picture.AddPolyline(line, fit, "minimax broken line");
        picture.AddDots(dots, 2.5, "#1565c0", "data");
        std::vector<S2D::Point> nodePoints;
        for (const point_d& n : nodes)
            nodePoints.emplace_back(n.x, n.y);
        picture.AddDots(nodePoints, 4, "#c62828", "nodes");
        WriteFileAtomic(request.svgPath, picture.Render(640, false));
    }
    return 0;
}

} // namespace zcli
