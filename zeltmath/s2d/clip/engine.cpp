// Entry point of the Boolean engine: trivial results, the bounding-box
// pretest that leaves out rings which cannot matter, then the sweep.

#include <zeltmath/s2d/clip/detail/contour_set.h>
#include <zeltmath/s2d/clip/detail/sweep.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>

namespace S2D {
namespace clip {
namespace detail {

namespace {

struct Box {
    double xmin = DBL_MAX;
    double ymin = DBL_MAX;
    double xmax = -DBL_MAX;
    double ymax = -DBL_MAX;
};

bool Finite(const std::vector<Vertex>& ring)
{
    for (const Vertex& v : ring)
        if (!std::isfinite(v.x) || !std::isfinite(v.y))
            return false;
    return true;
}

std::vector<Box> Boxes(const ContourSet& set, const std::vector<char>& ignore)
{
    std::vector<Box> boxes(set.contours.size());
    for (std::size_t c = 0; c < set.contours.size(); ++c) {
        if (ignore[c])
            continue;
        // In locals, so that the loop keeps them in registers.
        Box b;
        for (const Vertex& v : set.contours[c]) {
            b.xmin = std::min(b.xmin, v.x);
            b.xmax = std::max(b.xmax, v.x);
            b.ymin = std::min(b.ymin, v.y);
            b.ymax = std::max(b.ymax, v.y);
        }
        boxes[c] = b;
    }
    return boxes;
}

bool Overlap(const Box& a, const Box& b)
{
    return !(a.xmax < b.xmin || a.xmin > b.xmax) && !(a.ymax < b.ymin || a.ymin > b.ymax);
}

// Leaves out every ring of `set` whose box meets no box of `other`.
void IgnoreApart(const std::vector<Box>& boxes, std::vector<char>& ignore,
                 const std::vector<Box>& otherBoxes, const std::vector<char>& otherIgnore)
{
    for (std::size_t c = 0; c < boxes.size(); ++c) {
        if (ignore[c])
            continue;
        bool overlap = false;
        for (std::size_t s = 0; s < otherBoxes.size() && !overlap; ++s)
            overlap = !otherIgnore[s] && Overlap(boxes[c], otherBoxes[s]);
        if (!overlap)
            ignore[c] = 1;
    }
}

} // namespace

ContourSet Combine(Operation op, const ContourSet& subject, const ContourSet& clip, const SweepTuning& tuning)
{
    const int s = subject.Count();
    const int c = clip.Count();
    const bool diffOrInt = op == Operation::Difference || op == Operation::Intersection;
    if ((s == 0 && c == 0) || (s == 0 && diffOrInt) || (c == 0 && op == Operation::Intersection))
        return ContourSet();

    std::vector<char> ignoreS(subject.contours.size()), ignoreC(clip.contours.size());
    for (int i = 0; i < s; ++i)
        ignoreS[i] = !Finite(subject.contours[i]);
    for (int i = 0; i < c; ++i)
        ignoreC[i] = !Finite(clip.contours[i]);

    if (diffOrInt && s > 0 && c > 0) {
        const std::vector<Box> boxS = Boxes(subject, ignoreS);
        const std::vector<Box> boxC = Boxes(clip, ignoreC);
        std::vector<char> origS = ignoreS;
        IgnoreApart(boxC, ignoreC, boxS, origS);
        if (op == Operation::Intersection)
            IgnoreApart(boxS, ignoreS, boxC, ignoreC);
    }

    SweepInput in;
    in.tuning = tuning;
    BuildBounds(op, subject, ignoreS, clip, ignoreC, in);
    if (in.minima.empty())
        return ContourSet();
    return RunSweep(op, in);
}

double NetArea(const ContourSet& set)
{
    double total = 0;
    for (std::size_t c = 0; c < set.contours.size(); ++c) {
        const std::vector<Vertex>& r = set.contours[c];
        double a = 0;
        for (std::size_t i = 0; i < r.size(); ++i) {
            const Vertex& p = r[i];
            const Vertex& q = r[(i + 1) % r.size()];
            a += p.x * q.y - p.y * q.x;
        }
        a = std::fabs(a) / 2;
        total += set.holes[c] ? -a : a;
    }
    return total;
}

} // namespace detail
} // namespace clip
} // namespace S2D
