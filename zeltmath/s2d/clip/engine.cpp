// Entry point of the Boolean engine: trivial results, the bounding-box
// pretest that leaves out rings which cannot matter, the arcs an
// intersection may leave out (arcs.h), then the sweep.

#include <zeltmath/s2d/clip/detail/arcs.h>
#include <zeltmath/s2d/clip/detail/bounds.h>
#include <zeltmath/s2d/clip/detail/contour_set.h>
#include <zeltmath/s2d/clip/detail/survey.h>
#include <zeltmath/s2d/clip/detail/sweep.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// Rings with a coordinate that is not finite are left out of the run.
std::vector<char> Survey(const ContourSet& set, std::vector<Box>& boxes)
{
    const std::size_t n = static_cast<std::size_t>(set.Count());
    std::vector<char> ignore(n);
    boxes.resize(n);
    for (std::size_t c = 0; c < n; ++c)
        ignore[c] = !Survey(set.Ring(static_cast<int>(c)), boxes[c]);
    return ignore;
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
            overlap = !otherIgnore[s] && Near(boxes[c], otherBoxes[s]);
        if (!overlap)
            ignore[c] = 1;
    }
}

// The greatest y of the rings of an operand that take part in the run
// (their Hull), or -inf; the least, or +inf.
double Top(const Box& hull)
{
    return Empty(hull) ? -std::numeric_limits<double>::infinity() : hull.ymax;
}

double Bottom(const Box& hull)
{
    return Empty(hull) ? std::numeric_limits<double>::infinity() : hull.ymin;
}

// The height above which the result gains nothing.  Above the last vertex
// of an operand, that operand has no edge, so its parity is the one it
// starts with and its horizontal state none, and no edge carries its
// bundle flags.  For a difference once the subject is gone, and for an
// intersection once either operand is, every classification is then not
// contributing (the subject's parity starts at 0, and so does the clip's
// for an intersection), and every crossing has that operand outside on
// all four sides (its bundle sides are its parity, and no crossing edge
// flips them), which the *and* of both operations turns into nothing.  So
// the beams above that height change no fragment, and the run may end
// once the beam at it is classified.
double LastHeight(Operation op, const Box& hullS, const Box& hullC)
{
    if (op == Operation::Difference)
        return Top(hullS);
    if (op == Operation::Intersection)
        return std::min(Top(hullS), Top(hullC));
    return std::numeric_limits<double>::infinity();
}

// Where the sweep may start late (see late_start.h): below the lowest
// vertex of the higher operand of an intersection, or of the subject of a
// difference whose clip reaches lower, the result gains nothing, for the
// reasons LastHeight gives above the top.  Only a run in which one ring
// alone reaches below that height is tried; it is looked at from the
// centre of its box.
void PlanLateStart(Operation op, const std::vector<Box>& boxS, const std::vector<char>& ignoreS, const Box& hullS,
                   const std::vector<Box>& boxC, const std::vector<char>& ignoreC, const Box& hullC, SweepInput& in)
{
    const double bottomS = Bottom(hullS);
    const double bottomC = Bottom(hullC);
    const bool clipLower = bottomC < bottomS;
    if (!(op == Operation::Intersection ? bottomS != bottomC : op == Operation::Difference && clipLower))
        return;
    const double height = clipLower ? bottomS : bottomC;
    if (!(height < in.lastHeight))
        return;
    const std::vector<Box>& boxes = clipLower ? boxC : boxS;
    const std::vector<char>& ignore = clipLower ? ignoreC : ignoreS;
    const Box* low = nullptr;
    for (std::size_t c = 0; c < boxes.size(); ++c) {
        if (ignore[c] || !(boxes[c].ymin < height))
            continue;
        if (low)
            return;
        low = &boxes[c];
    }
    if (!low)
        return;
    in.late.on = true;
    in.late.height = height;
    in.late.centre = {(low->xmin + low->xmax) / 2, (low->ymin + low->ymax) / 2};
}

} // namespace

ContourSet Combine(Operation op, const ContourSet& subject, const ContourSet& clip, const SweepTuning& tuning)
{
    ContourSet out;
    CombineInto(op, subject, clip, out, tuning);
    return out;
}

void CombineInto(Operation op, const ContourSet& subject, const ContourSet& clip, ContourSet& out,
                 const SweepTuning& tuning)
{
    CombineInto(op, subject, clip, out, tuning, RunExtras());
}

namespace {

// One run of CombineInto.  False when the run left arcs out and must be made
// again without (see arcs.cpp).
bool CombineOnce(Operation op, const ContourSet& subject, const ContourSet& clip, ContourSet& out,
                 const SweepTuning& tuning, const RunExtras& extras)
{
    out.Clear();
    if (extras.births)
        extras.births->clear();
    if (extras.startedLate)
        *extras.startedLate = false;
    if (extras.droppedArcs)
        *extras.droppedArcs = false;
    const int s = subject.Count();
    const int c = clip.Count();
    const bool diffOrInt = op == Operation::Difference || op == Operation::Intersection;
    if ((s == 0 && c == 0) || (s == 0 && diffOrInt) || (c == 0 && op == Operation::Intersection))
        return true;

    // The pretest (difference and intersection, both operands given).
    const bool pretest = diffOrInt && s > 0 && c > 0;
    std::vector<Box> boxS, boxC;
    std::vector<char> ignoreS = Survey(subject, boxS);
    std::vector<char> ignoreC = Survey(clip, boxC);

    if (pretest) {
        std::vector<char> origS = ignoreS;
        IgnoreApart(boxC, ignoreC, boxS, origS);
        if (op == Operation::Intersection)
            IgnoreApart(boxS, ignoreS, boxC, ignoreC);
    }

    SweepInput in;
    in.tuning = tuning;
    in.heights = extras.heights;
    in.births = extras.births;
    const Box hullS = Hull(boxS, ignoreS);
    const Box hullC = Hull(boxC, ignoreC);
    if (tuning.endEarly)
        in.lastHeight = LastHeight(op, hullS, hullC);
    // The largest magnitude of a coordinate of a ring taking part.
    const double reach = std::max(Empty(hullS) ? 0 : Extent(hullS), Empty(hullC) ? 0 : Extent(hullC));
    in.extreme = !(reach < SweepInput::kExtreme);
    in.xRoom = kCoincident + 32 * DBL_EPSILON * reach;
    if (tuning.startLate && !in.extreme)
        PlanLateStart(op, boxS, ignoreS, hullS, boxC, ignoreC, hullC, in);
    const bool arcs = op == Operation::Intersection && tuning.dropArcs && !extras.heights
                      && LeaveOutArcs(subject, ignoreS, boxS, hullS, clip, ignoreC, boxC, hullC, in);
    BuildBounds(op, subject, ignoreS, clip, ignoreC, in);
    if (extras.startedLate)
        *extras.startedLate = !in.startEdges.empty();
    if (in.minima.empty())
        return true;
    RunSweep(op, in, out);
    if (arcs && in.unevenCrossing)
        return false;
    if (extras.droppedArcs)
        *extras.droppedArcs = arcs;
    return true;
}

} // namespace

void CombineInto(Operation op, const ContourSet& subject, const ContourSet& clip, ContourSet& out,
                 const SweepTuning& tuning, const RunExtras& extras)
{
    if (CombineOnce(op, subject, clip, out, tuning, extras))
        return;
    SweepTuning whole = tuning;
    whole.dropArcs = false;
    CombineOnce(op, subject, clip, out, whole, extras);
}

double NetArea(const ContourSet& set)
{
    double total = 0;
    for (int c = 0; c < set.Count(); ++c) {
        const RingView r = set.Ring(c);
        double a = 0;
        for (std::size_t i = 0; i < r.size(); ++i) {
            const Vertex& p = r[i];
            const Vertex& q = r[(i + 1) % r.size()];
            a += p.x * q.y - p.y * q.x;
        }
        a = std::fabs(a) / 2;
        total += set.Hole(c) ? -a : a;
    }
    return total;
}

} // namespace detail
} // namespace clip
} // namespace S2D
