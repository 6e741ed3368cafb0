// The Boolean engine against the literal reference sweep, bit for bit: the
// same rings in the same order, the same hole flags and every vertex with
// the same bits, for all four operations and for normalisation, on random
// operands of every kind and on large inputs.

#include <zeltmath/s2d/clip/detail/contour_set.h>
#include <zeltmath/s2d/poly_polygon.h>
#include "random_rings.h"
#include "ring_compare.h"
#include "reference_sweep.h"
#include "workloads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

using S2D::clip::detail::Combine;
using S2D::clip::detail::CombineInto;
using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Operation;
using S2D::clip::detail::RunExtras;
using S2D::clip::detail::SweepTuning;
using S2D::clip::detail::Vertex;
using random_rings::Generator;
using ring_compare::Difference;

namespace {

const Operation kOps[] = {Operation::Difference, Operation::Intersection, Operation::Xor, Operation::Union};

ContourSet FromWorkload(const std::vector<workload::Ring>& rings)
{
    ContourSet s;
    for (const workload::Ring& r : rings) {
        std::vector<Vertex> v;
        for (const workload::Pt& p : r)
            v.push_back({p.x, p.y});
        s.Add(std::move(v), 0);
    }
    return s;
}

// The engine as it runs by default, and with every beam from the second on
// visiting only the edges that change, so that small inputs take that path.
const SweepTuning kTunings[] = {SweepTuning(), SweepTuning{1, 0, 0}};

void ExpectAllOpsAgree(const ContourSet& a, const ContourSet& b, const std::string& what)
{
    for (Operation op : kOps) {
        const ContourSet want = reference::Combine(op, a, b);
        for (const SweepTuning& t : kTunings)
            EXPECT_EQ(Difference(Combine(op, a, b, t), want), "")
                << what << ", operation " << int(op) << ", lazy from " << t.lazyFrom;
    }
}

// Normalize through the public interface against the reference.
void ExpectNormalizeAgrees(const ContourSet& rings, const std::string& what)
{
    S2D::PolyPolygon pp;
    for (int c = 0; c < rings.Count(); ++c) {
        std::vector<S2D::Point> pts;
        for (const Vertex& v : rings.Ring(c))
            pts.emplace_back(v.x, v.y);
        pp.AddPolygon(S2D::Polygon(pts), rings.Hole(c) ? 1 : 0);
    }
    pp.Normalize();
    ContourSet got;
    const std::vector<unsigned>& inners = pp.InnerNdxs();
    for (unsigned i = 0; i < pp.Size(); ++i) {
        std::vector<Vertex> v;
        for (const S2D::Point& p : pp.Polygons()[i].Points())
            v.push_back({p.x, p.y});
        got.Add(std::move(v), std::find(inners.begin(), inners.end(), i) != inners.end());
    }
    const ContourSet want = reference::Normalize(rings);
    EXPECT_EQ(Difference(got, want), "") << what;
    // The same runs with every beam visiting only the changes.
    const ContourSet changesOnly =
        reference::NormalizeWith(rings, [](Operation op, const ContourSet& a, const ContourSet& b) {
            return Combine(op, a, b, kTunings[1]);
        });
    EXPECT_EQ(Difference(changesOnly, want), "") << what << ", visiting only the changes";
}

TEST(ClipReference, RandomOperandsOfEveryKind)
{
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        Generator g(seed);
        const ContourSet a = g.Operand(g.Int(0, 4));
        ContourSet b = g.Operand(g.Int(0, 4));
        if (seed % 7 == 0)
            b = a;  // every edge coincides
        ExpectAllOpsAgree(a, b, "seed " + std::to_string(seed));
        if (::testing::Test::HasFailure())
            return;
    }
}

// Found by the fuzzer: crossings on grid points next to a vertex.
TEST(ClipReference, FuzzerFindings)
{
    ContourSet a, b;
    a.Add({{2, 2}, {-7.5, -2.25}, {-24.5, -24.5}}, 0);
    a.Add({{-2.25, -1.25}, {-3.25, -2.25}, {0.25, -1.25}, {1, 1}, {3, 2}}, 0);
    b.Add({{1, 1}, {2, 0}, {0, 3}, {0, -7.75}, {8.75, 2}, {0, 0}, {3, 0}, {-7.75, 8.75}, {-2.25, -20.25}, {-19.75, 20}},
          0);
    ExpectAllOpsAgree(a, b, "fuzzer finding 1");

    ContourSet c, d;
    c.Add({}, 0);
    d.Add({{3, -10.5}, {27.5, 0}, {0, -22}, {10, -4.25}, {0, 0}, {10, 10}, {4, 4}, {28.5, -4.25}, {0, 0}, {0, 6},
           {29.75, 9}, {-10.25, 31}, {19, 5}, {-10, -21.25}, {1, 1}, {1, 1}, {-18.75, 0}, {8, 24}},
          0);
    ExpectAllOpsAgree(c, d, "fuzzer finding 2");

    ContourSet e, f;
    e.Add({{0.25, 11.5}, {-9.75, -9.75}, {-4.25, -4.25}, {-4.25, 0.0}, {0.0, 10.0}, {10.0, 24.75}, {-22.75, 0.0},
           {25.5, 0.0}, {11.25, 0.0}, {-10.0, -10.25}, {-9.75, -9.75}, {-9.75, -4.25}, {-4.25, -4.25}, {0.0, 0.0},
           {10.0, 10.0}, {4.0, 4.0}, {6.0, 0.0}, {0.0, 24.0}},
          0);
    ExpectAllOpsAgree(e, f, "fuzzer finding 3");
}

TEST(ClipReference, CrossingsAtOneHeightInSeparateRunsOfTheList)
{
    // Bow-ties side by side cross at one height, in one beam, each pair of
    // edges a run of its own in the list: their crossings make fragments in
    // list order.  A zigzag far off gives the beams below, so that the beam
    // visits only the changes in the second tuning.  The bow-ties come in
    // every order in the ring list.
    const double at[] = {0, 10, 20, 30};
    int order[] = {0, 1, 2, 3};
    do {
        ContourSet a, b;
        for (const int i : order) {
            const double x = at[i];
            a.Add({{x, 0}, {x + 2, 2}, {x + 2, 0}, {x, 2}}, 0);
        }
        std::vector<Vertex> zigzag;
        for (int k = 0; k <= 12; ++k)
            zigzag.push_back({100.0 + (k % 2), -6.0 + k * 0.5});
        zigzag.push_back({110, 0.5});
        a.Add(zigzag, 0);
        b.Add({{-5, -7}, {150, -7}, {150, 9}, {-5, 9}}, 0);
        ExpectAllOpsAgree(a, b, "bow-ties in order " + std::to_string(order[0]) + std::to_string(order[1])
                                    + std::to_string(order[2]) + std::to_string(order[3]));
        if (::testing::Test::HasFailure())
            return;
    } while (std::next_permutation(std::begin(order), std::end(order)));
}

TEST(ClipReference, LargerRingsWithManyCrossings)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Generator g(seed * 7919u);
        ContourSet a, b;
        a.Add(g.Star(g.Int(100, 400), 0.5, 4), 0);
        b.Add(seed % 2 ? g.Tangle(g.Int(10, 40)) : g.Star(g.Int(100, 400), 0.5, 4), 0);
        ExpectAllOpsAgree(a, b, "seed " + std::to_string(seed));
    }
}

// An intersection ends with the beam where either operand's last edge
// leaves, a difference with the subject's: rings of the other operand that
// start at that very height, on a horizontal top side or at a vertex of it,
// still take part.
TEST(ClipReference, RingsStartingWhereTheResultEnds)
{
    const std::vector<std::vector<Vertex>> rings = {
        {{0, 0}, {0, 2}, {4, 2}, {4, 0}},                  // a plate with its top side at 2
        {{1, 2}, {2, 2.5}, {3, 2}, {2, 1}},                // a kite through it
        {{1, 1}, {1.5, 3}, {2, 2}, {2.5, 3}, {3, 1}},      // a crown dipping to 2
        {{0, 0}, {2, 2}, {4, 0}},                          // a peak at 2
        {{1, 3}, {2, 2}, {3, 3}},                          // a cup standing on 2
        {{-1, 2}, {0, 1}, {1, 2}},                         // a cup hanging from 2
    };
    for (std::size_t i = 0; i < rings.size(); ++i)
        for (std::size_t j = 0; j < rings.size(); ++j)
            for (std::size_t k = 0; k < rings.size(); ++k) {
                ContourSet a, b;
                a.Add(rings[i], 0);
                b.Add(rings[j], 0);
                if (k != i && k != j)
                    b.Add(rings[k], 0);
                ExpectAllOpsAgree(a, b, "rings " + std::to_string(i) + " against " + std::to_string(j) + ", "
                                            + std::to_string(k));
            }
    // Grid rings, one with its lowest vertex on the other's highest height.
    const auto byY = [](const Vertex& p, const Vertex& q) { return p.y < q.y; };
    for (unsigned seed = 1; seed <= 400; ++seed) {
        Generator g(seed);
        std::vector<Vertex> low = g.Grid(g.Int(3, 7), 4);
        std::vector<Vertex> high = g.Grid(g.Int(3, 7), 4);
        const double shift = std::max_element(low.begin(), low.end(), byY)->y
                             - std::min_element(high.begin(), high.end(), byY)->y;
        for (Vertex& v : high)
            v.y += shift;
        ContourSet a, b;
        a.Add(low, 0);
        b.Add(high, 0);
        ExpectAllOpsAgree(a, b, "seed " + std::to_string(seed));
        ExpectAllOpsAgree(b, a, "seed " + std::to_string(seed) + ", swapped");
        if (::testing::Test::HasFailure())
            return;
    }
}

// Coordinates near the top of the double range, where products in the
// crossing search and in the scheduling of pair checks overflow: both
// tunings must still agree with the reference.
TEST(ClipReference, HugeCoordinates)
{
    for (const double scale : {1e150, 1e200, 1e300}) {
        for (unsigned seed = 1; seed <= 30; ++seed) {
            Generator g(seed * 104729u);
            ContourSet a, b;
            a.Add(g.Star(g.Int(50, 200), 0.5, 4), 0);
            b.Add(seed % 2 ? g.Tangle(g.Int(10, 40)) : g.Star(g.Int(50, 200), 0.5, 4), 0);
            for (ContourSet* set : {&a, &b})
                for (std::size_t i = 0; i < set->Ring(0).size(); ++i) {
                    Vertex& v = set->MutableRing(0)[i];
                    v = {v.x * scale, v.y * scale};
                }
            ExpectAllOpsAgree(a, b, "scale " + std::to_string(scale) + ", seed " + std::to_string(seed));
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

// Slopes that are not numbers: an edge from near -DBL_MAX to near DBL_MAX in
// both x and y has dx = inf / inf.  Bounds with such a slope start where the
// list already holds edges, next to bounds of the same height with ordinary
// slopes, first, in the middle and last among them: the search for each
// bound's place, which starts behind the bound placed before it, must find
// the place the reference finds from the head of the list.
TEST(ClipReference, SlopesThatAreNotNumbers)
{
    const double big = 1e308;
    ContourSet a;
    a.Add({{0, -1.7 * big}, {1, -1.7 * big}, {1, 1.7 * big}, {0, 1.7 * big}}, 0);
    const std::vector<std::vector<Vertex>> minima = {
        // one bound of slope 0, one not a number
        {{-big, -big}, {big, big}, {-big, big}},
        // both not a number
        {{-big, -big}, {big, big}, {-big, 0.5 * big}, {big, -0.5 * big}, {-big, 0.9 * big}},
        // an ordinary minimum to the right at the same height
        {{-0.5 * big, -big}, {-0.4 * big, 0}, {-0.6 * big, 0}},
        // and one to the left
        {{-1.5 * big, -big}, {-1.4 * big, 0}, {-1.6 * big, 0}},
    };
    for (std::size_t mask = 1; mask < (1u << minima.size()); ++mask) {
        ContourSet b;
        for (std::size_t k = 0; k < minima.size(); ++k)
            if (mask & (1u << k))
                b.Add(minima[k], 0);
        ExpectAllOpsAgree(a, b, "rings " + std::to_string(mask));
        ExpectAllOpsAgree(b, a, "rings " + std::to_string(mask) + ", swapped");
    }
}

TEST(ClipReference, NormalizeOfRandomRingSets)
{
    for (unsigned seed = 1; seed <= 600; ++seed) {
        Generator g(seed + 100000u);
        ContourSet rings;
        for (int i = 0, n = g.Int(1, 8); i < n; ++i)
            rings.Add(g.Ring(g.Int(0, 4)), g.Int(0, 3) == 0);
        ExpectNormalizeAgrees(rings, "seed " + std::to_string(seed));
        if (::testing::Test::HasFailure())
            return;
    }
}

// Axis-parallel rings with sides in line, corners on sides and shared
// corners, or sides a few 1e-9 apart, within the bundle tolerance: none of
// them may be taken for rings in general position.
TEST(ClipReference, NormalizeOfRectanglesOnAGrid)
{
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        Generator g(seed);
        ContourSet rings;
        const int size = g.Int(0, 1) ? 6 : 20;
        const bool nudge = seed % 2 == 0;
        for (int i = 0, n = g.Int(nudge ? 2 : 1, nudge ? 6 : 10); i < n; ++i) {
            std::vector<Vertex> box = g.Box(size);
            if (nudge) {
                const double dx = (i + 1) * 5e-9 * (g.Int(0, 1) ? 1 : -1), dy = (i + 1) * 7e-9;
                for (Vertex& v : box)
                    v = {v.x + dx, v.y + dy};
            }
            rings.Add(box, !nudge && g.Int(0, 4) == 0);
        }
        ExpectNormalizeAgrees(rings, "seed " + std::to_string(seed));
        if (::testing::Test::HasFailure())
            return;
    }
}

// Rings far longer than the chunks in which the engine looks for bounds,
// on a coarse grid: horizontal sides and runs of three and more vertices
// (which the vertex filter drops) and local minima fall on both sides of
// every chunk boundary.
TEST(ClipReference, LongRingsOnAGrid)
{
    for (unsigned seed = 1; seed <= 4; ++seed) {
        Generator g(seed);
        ContourSet a, b;
        for (ContourSet* set : {&a, &b}) {
            const int n = g.Int(900, 1300);
            const double cx = g.Uniform(-2, 2), cy = g.Uniform(-2, 2);
            std::vector<Vertex> ring;
            for (int i = 0; i < n; ++i) {
                const double t = 2 * M_PI * i / n, r = 20 + g.Int(0, 3);
                ring.push_back({std::round(2 * (cx + r * std::cos(t))) / 2, std::round(2 * (cy + r * std::sin(t))) / 2});
            }
            set->Add(std::move(ring), 0);
        }
        ExpectAllOpsAgree(a, b, "seed " + std::to_string(seed));
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(ClipReference, LargeWorkloads)
{
    ExpectAllOpsAgree(FromWorkload({workload::Smooth(10000, 1, 0, 0)}),
                      FromWorkload({workload::Smooth(10000, 2, 0.3, 0.1)}), "smooth rings");
    ExpectAllOpsAgree(FromWorkload({workload::Fuzzy(10000, 1, 0, 0)}),
                      FromWorkload({workload::Fuzzy(10000, 2, 0.5, 0.1)}), "fuzzy circles");
    ExpectAllOpsAgree(FromWorkload({workload::Plate(10)}), FromWorkload(workload::Openings(10)), "plate");
    ExpectNormalizeAgrees(FromWorkload(workload::Squares(1000)), "1000 squares");
}

// op on s and c against the reference, by default and visiting only the
// changes, and with `arcsEverywhere` leaving out arcs wherever the engine
// can (not only where it may pay); returns in how many of these runs the
// RunExtras flag `flag` came back set (`label` says so in a failure).
int ExpectRunsAgree(Operation op, const ContourSet& s, const ContourSet& c, bool* RunExtras::*flag, const char* label,
                    bool arcsEverywhere, const std::string& what)
{
    const ContourSet want = reference::Combine(op, s, c);
    int set = 0;
    for (SweepTuning t : kTunings) {
        t.alwaysDropArcs = arcsEverywhere;
        bool flagged = false;
        RunExtras extras;
        extras.*flag = &flagged;
        ContourSet got;
        CombineInto(op, s, c, got, t, extras);
        EXPECT_EQ(Difference(got, want), "") << what << ", operation " << int(op) << ", lazy from " << t.lazyFrom
                                             << (flagged ? std::string(", ") + label : "");
        set += flagged;
    }
    return set;
}

// A difference or an intersection may start its sweep at the lowest vertex
// of its higher operand when the one ring below it passes a test (see the
// engine).  The intersection and both differences of a and b against the
// reference, by default and visiting only the changes; returns how many of
// these runs started late.
int ExpectLateStartsAgree(const ContourSet& a, const ContourSet& b, const std::string& what)
{
    int late = 0;
    for (const auto& [op, s, c] : {std::tuple(Operation::Intersection, &a, &b),
                                   std::tuple(Operation::Difference, &a, &b),
                                   std::tuple(Operation::Difference, &b, &a)})
        late += ExpectRunsAgree(op, *s, *c, &RunExtras::startedLate, "started late", false,
                                what + (s == &a ? "" : ", swapped"));
    return late;
}

TEST(LateStart, NoisyRingsAgreeWithTheReference)
{
    int runs = 0, late = 0;
    for (int n : {24, 150, 600, 2000})
        for (unsigned seed = 1; seed <= (n < 1000 ? 12u : 3u); ++seed)
            for (double dy : {0.1, 0.02, -0.3}) {
                const double dx = 0.05 * seed;
                const bool fuzzy = seed % 2 == 1;
                const ContourSet a = FromWorkload({fuzzy ? workload::Fuzzy(n, seed, 0, 0) : workload::Smooth(n, seed, 0, 0)});
                const ContourSet b = FromWorkload(
                    {fuzzy ? workload::Fuzzy(n, seed + 100, dx, dy) : workload::Smooth(n, seed + 100, dx, dy)});
                late += ExpectLateStartsAgree(a, b, "n " + std::to_string(n) + ", seed " + std::to_string(seed));
                runs += 6;
                if (::testing::Test::HasFailure())
                    return;
            }
    // Every intersection and one difference of each pair may start late.
    EXPECT_GT(late, runs / 2);
}

// Vertices of the lower ring at the start height: one that its bound passes
// through, a local maximum, and a local minimum below it whose both sides
// reach it; a local maximum above it whose sides both come from below.
TEST(LateStart, VerticesAtTheStartHeight)
{
    ContourSet a;
    a.Add({{-6.5, 2}, {-6.2, 0}, {-6, -1}, {-3, -4}, {0, 0}, {1.5, -0.5}, {2, 1}, {7, -3}, {7.5, -1}, {8, 2}, {7, 10},
           {-6, 10}},
          0);
    const std::vector<std::vector<Vertex>> clips = {
        {{0.5, 0}, {4, 6}, {-3, 6}},                 // lowest vertex inside a
        {{-10, 0}, {10, 0}, {10, 5}, {-10, 5}},      // its bottom side through all of a's vertices at 0
        {{0, 0}, {9, 0.5}, {-7, 9}},                 // lowest vertex on a's local maximum
    };
    for (std::size_t k = 0; k < clips.size(); ++k) {
        ContourSet b;
        b.Add(clips[k], 0);
        // The intersection and b - a, each both ways.
        EXPECT_EQ(ExpectLateStartsAgree(a, b, "clip " + std::to_string(k)), 4) << "clip " << k;
    }
    // The same ring turned the other way round.
    ContourSet reversed;
    std::vector<Vertex> r(a.Ring(0).begin(), a.Ring(0).end());
    std::reverse(r.begin(), r.end());
    reversed.Add(r, 0);
    ContourSet b;
    b.Add(clips[0], 0);
    EXPECT_EQ(ExpectLateStartsAgree(reversed, b, "reversed"), 4);
}

// Rings the test must turn down: one whose parts below the start height are
// joined above the point it looks from, one with a needle whose sides
// differ in slope by less than the bundle tolerance, and two rings below
// the start height.
TEST(LateStart, RingsItTurnsDown)
{
    ContourSet clip;
    clip.Add({{-1, 0}, {1, 0}, {1, 20}, {-1, 20}}, 0);
    ContourSet arch;
    arch.Add({{-8, -3}, {-6, -3}, {-6, 12}, {6, 12}, {6, -3}, {8, -3}, {8, 14}, {-8, 14}}, 0);
    EXPECT_EQ(ExpectLateStartsAgree(arch, clip, "arch"), 0);
    ContourSet needle;
    needle.Add({{-5, 4}, {0, -2}, {1e-9, 1}, {2e-9, -2}, {5, 1}, {5, 6}, {-5, 6}}, 0);
    EXPECT_EQ(ExpectLateStartsAgree(needle, clip, "needle"), 0);
    ContourSet two;
    two.Add({{-5, -1}, {-3, -1}, {-4, 3}}, 0);
    two.Add({{3, -1}, {5, -1}, {4, 3}}, 0);
    EXPECT_EQ(ExpectLateStartsAgree(two, clip, "two rings"), 0);
}

} // namespace

namespace {

// An intersection may leave out arcs of a ring that run beside the other
// operand (see the engine), here wherever it can and not only where it may
// pay.  The intersection of a and b, both ways round, against the
// reference, by default and visiting only the changes; returns how many of
// these runs left arcs out.
int ExpectArcsAgree(const ContourSet& a, const ContourSet& b, const std::string& what)
{
    int dropped = 0;
    for (const auto& [s, c] : {std::pair(&a, &b), std::pair(&b, &a)})
        dropped += ExpectRunsAgree(Operation::Intersection, *s, *c, &RunExtras::droppedArcs, "arcs left out", true,
                                   what + (s == &a ? "" : ", swapped"));
    return dropped;
}

// A ring on a grid of `cell`: many of its vertices share their heights with
// vertices of other parts and of the other ring.  A vertex that would land
// at the height of the one before it goes a little higher, as a horizontal
// side makes the test leave the ring whole.
workload::Ring OnGrid(workload::Ring r, double cell)
{
    for (std::size_t i = 0; i < r.size(); ++i) {
        r[i].x = std::round(r[i].x / cell) * cell;
        r[i].y = std::round(r[i].y / cell) * cell;
        if (i > 0 && r[i].y == r[i - 1].y)
            r[i].y += cell / 64;
    }
    if (r.back().y == r.front().y)
        r.back().y += cell / 128;
    return r;
}

} // namespace

TEST(DroppedArcs, NoisyRingsAgreeWithTheReference)
{
    int runs = 0, dropped = 0;
    for (int n : {40, 200, 900, 3000})
        for (unsigned seed = 1; seed <= (n < 1000 ? 10u : 3u); ++seed)
            for (const auto& [dx, dy] : {std::pair(0.6, 0.1), std::pair(-1.1, -0.3), std::pair(0.25, 0.9)}) {
                const bool fuzzy = seed % 2 == 1;
                workload::Ring a = fuzzy ? workload::Fuzzy(n, seed, 0, 0) : workload::Smooth(n, seed, 0, 0);
                workload::Ring b =
                    fuzzy ? workload::Fuzzy(n, seed + 100, dx, dy) : workload::Smooth(n, seed + 100, dx, dy);
                if (seed % 3 == 0) {
                    a = OnGrid(a, 1.0 / 256);
                    b = OnGrid(b, 1.0 / 256);
                }
                dropped += ExpectArcsAgree(FromWorkload({a}), FromWorkload({b}),
                                           "n " + std::to_string(n) + ", seed " + std::to_string(seed) + ", dx "
                                               + std::to_string(dx));
                runs += 4;
                if (::testing::Test::HasFailure())
                    return;
            }
    EXPECT_GT(dropped, runs / 2);
}

// One noisy ring against several smaller ones, at scales from a thousandth
// to a million, where the margins grow with the coordinates.
TEST(DroppedArcs, SeveralRingsAndScales)
{
    int runs = 0, dropped = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const double scale = std::pow(10.0, static_cast<int>(seed % 4) * 3 - 3);
        const auto scaled = [scale](workload::Ring r) {
            for (workload::Pt& p : r) {
                p.x *= scale;
                p.y *= scale;
            }
            return r;
        };
        const int n = 100 + 150 * static_cast<int>(seed);
        const ContourSet a = FromWorkload({scaled(workload::Fuzzy(n, seed, 0, 0))});
        std::vector<workload::Ring> others;
        for (int k = 0; k < 3; ++k) {
            workload::Ring r = workload::Smooth(40 + 30 * k, seed * 10 + k, 0, 0);
            for (workload::Pt& p : r) {
                p.x = 0.3 * p.x + 0.4 * k - 0.2;
                p.y = 0.3 * p.y + 0.3 * (k - 1) + 0.05 * seed;
            }
            others.push_back(scaled(r));
        }
        dropped += ExpectArcsAgree(a, FromWorkload(others), "seed " + std::to_string(seed));
        runs += 4;
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_GT(dropped, runs / 4);

    // Two squares far apart in height: between them the other ring's sides
    // are beside nothing, on both sides at once.
    ContourSet round;
    std::vector<Vertex> v;
    for (int i = 0; i < 96; ++i)
        v.push_back({3 + 10 * std::cos(2 * M_PI * (i + 0.3) / 96), 2 + 10 * std::sin(2 * M_PI * (i + 0.3) / 96)});
    round.Add(v, 0);
    ContourSet apart;
    apart.Add({{1, -5}, {5, -5}, {5, -4}, {1, -4}}, 0);
    apart.Add({{2, 8}, {4, 8}, {4, 9.5}, {2, 9.5}}, 0);
    EXPECT_EQ(ExpectArcsAgree(round, apart, "squares apart"), 4);
}

// Rings that keep all their arcs: one that does not turn one way around its
// centre, one with a horizontal side, and one of two rings; and a run that
// leaves arcs out but meets crossings of edges not side by side, which is
// made again with the whole rings.
TEST(DroppedArcs, RingsItLeavesWhole)
{
    const auto circle = [](int n, double cx, double cy, double r, double phase = 0.25) {
        std::vector<Vertex> v;
        for (int i = 0; i < n; ++i)
            v.push_back({cx + r * std::cos(2 * M_PI * (i + phase) / n), cy + r * std::sin(2 * M_PI * (i + phase) / n)});
        return v;
    };
    ContourSet square;
    square.Add({{1, 1}, {5, 1}, {5, 6}, {1, 6}}, 0);
    ContourSet round;
    round.Add(circle(64, 3, 3.5, 10), 0);
    EXPECT_EQ(ExpectArcsAgree(round, square, "circle"), 4);

    ContourSet arch;   // its centre lies outside it
    arch.Add({{-20, -3}, {-16, -3}, {-16, 12}, {16, 12}, {16, -3}, {20, -3}, {20, 14}, {-20, 14}}, 0);
    EXPECT_EQ(ExpectArcsAgree(arch, square, "arch"), 0);
    ContourSet flat;
    std::vector<Vertex> f = circle(64, 3, 3.5, 10);
    f[20].y = f[19].y;
    flat.Add(f, 0);
    EXPECT_EQ(ExpectArcsAgree(flat, square, "horizontal side"), 0);
    ContourSet two = round;
    two.Add(circle(16, 3, 3.5, 0.5), 1);
    EXPECT_EQ(ExpectArcsAgree(two, square, "two rings"), 0);

    // Edges (4,3)-(1,2), (2,1)-(5,6) and (1,4)-(4,2) all pass through
    // (3, 8/3), and with the beams of this circle rounding finds their
    // crossings in an order in which one pair is not yet side by side.
    ContourSet knot;
    knot.Add({{4, 3}, {1, 2}, {4, 5}, {2, 1}, {5, 6}, {1, 4}, {4, 2}}, 0);
    ContourSet coarse;
    coarse.Add(circle(16, 3, 3.5, 10, 0.45), 0);
    EXPECT_EQ(ExpectArcsAgree(coarse, square, "16 vertices"), 4);
    EXPECT_EQ(ExpectArcsAgree(coarse, knot, "knot"), 0);
}
