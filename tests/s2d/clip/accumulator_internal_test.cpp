// The ring set of normalisation, which leaves settled groups of rings out of
// its runs: after every step it must hold the very rings, order, hole flags
// and vertex bits of the set that runs every ring, on inputs built to hit
// the edges of what may be left out: shared edges and corners on a grid,
// gaps about the bundle tolerance, slanted rings among axis-parallel ones,
// huge and non-finite coordinates.

#include <zeltmath/s2d/clip/detail/accumulator.h>
#include <zeltmath/s2d/clip/detail/sweep_state.h>
#include "random_rings.h"
#include "reference_sweep.h"
#include "ring_compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using S2D::clip::detail::Accumulator;
using S2D::clip::detail::ContourSet;
using S2D::clip::detail::Operation;
using S2D::clip::detail::Vertex;
using random_rings::Generator;
using ring_compare::Difference;

namespace {

std::vector<Vertex> Rect(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// Normalisation's steps over `rings`, in the reference's order, by a set
// that leaves rings out and one that does not, compared after every step;
// then the end against the reference.  Returns how many rings were left out
// (and in `skipped` how many steps needed no run).
long ExpectSameSteps(const ContourSet& rings, const std::string& what, long* skipped = nullptr)
{
    Accumulator fast;
    Accumulator whole(false);
    int step = 0;
    bool same = true;
    reference::NormalizeWith(rings, [&](Operation op, const ContourSet&, const ContourSet& ring) {
        if (same) {
            fast.Run(op, ring.Ring(0));
            whole.Run(op, ring.Ring(0));
            const std::string diff = Difference(fast.Rings(), whole.Rings());
            EXPECT_EQ(diff, "") << what << ", step " << step++;
            same = diff.empty();
        }
        return whole.Rings();
    });
    if (same) {
        EXPECT_EQ(Difference(fast.Rings(), reference::Normalize(rings)), "") << what << ", against the reference";
    }
    if (skipped)
        *skipped = fast.Skipped();
    return fast.LeftOut();
}

TEST(Accumulator, RectanglesOnAGridWithHolesAndSlantedRings)
{
    // Shared edges, shared corners, coincident sides that bundle, and a
    // slanted ring now and then, so that some runs must take the heights of
    // the rings they leave out.
    long leftOut = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Generator g(seed);
        ContourSet rings;
        const int size = g.Int(8, 60);
        for (int i = 0, n = g.Int(5, 40); i < n; ++i) {
            const int kind = g.Int(0, 19);
            if (kind == 0) {
                std::vector<Vertex> star = g.Star(g.Int(3, 9), 0.5, 3);
                const double dx = g.Int(0, size), dy = g.Int(0, size);
                for (Vertex& v : star)
                    v = {v.x + dx, v.y + dy};
                rings.Add(star, g.Int(0, 4) == 0);
            } else if (kind == 1) {
                rings.Add(g.Grid(g.Int(3, 6), size), 0);
            } else {
                const int x0 = g.Int(0, size - 1), y0 = g.Int(0, size - 1);
                rings.Add(Rect(x0, y0, g.Int(x0 + 1, std::min(size, x0 + 6)), g.Int(y0 + 1, std::min(size, y0 + 6))),
                          g.Int(0, 5) == 0);
            }
        }
        leftOut += ExpectSameSteps(rings, "seed " + std::to_string(seed));
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_GT(leftOut, 10000);   // the path is taken, not skipped
}

TEST(Accumulator, GapsAboutTheBundleToleranceAndHugeCoordinates)
{
    // Rows of rectangles whose gaps straddle the bundle tolerance (1e-8)
    // and the distance from which groups are left out, at several scales;
    // past 1e100 nothing may be left out.
    const double gaps[] = {0, 5e-9, 1e-8, 1.5e-8, 4e-8, 9e-8, 1e-7, 1.1e-7, 2e-7, 1e-6, 0.5};
    const double scales[] = {1, 1e-6, 1e6, 1e90, 1e101};
    long leftOut = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Generator g(seed + 5000u);
        const double scale = scales[seed % 5];
        std::vector<std::pair<std::vector<Vertex>, int>> row;
        double x = 0;
        for (int i = 0, n = g.Int(4, 16); i < n; ++i) {
            const double w = g.Uniform(0.5, 2) * scale;
            const double y0 = g.Int(0, 3) * scale;
            const double h = g.Int(1, 3) * scale;
            row.push_back({Rect(x, y0, x + w, y0 + h), 0});
            // Now and then a ring across a gap.
            if (g.Int(0, 5) == 0)
                row.push_back({Rect(x - w / 2, y0 + h / 2, x + w / 2, y0 + 2 * h), g.Int(0, 2) == 0});
            x += w + gaps[g.Int(0, 10)] * (scale > 1e50 ? scale : 1);
        }
        // In random order, so that a ring meets neighbours settled long ago.
        ContourSet rings;
        while (!row.empty()) {
            const std::size_t i = static_cast<std::size_t>(g.Int(0, static_cast<int>(row.size()) - 1));
            rings.Add(row[i].first, row[i].second);
            row.erase(row.begin() + static_cast<long>(i));
        }
        leftOut += ExpectSameSteps(rings, "seed " + std::to_string(seed) + ", scale " + std::to_string(scale));
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_GT(leftOut, 100);
}

TEST(Accumulator, UnitedRingsInTheMaterialAndHolesInTheVoidNeedNoRunOnceTheSetCameBack)
{
    // Blocks and frames (a frame leaves a hole) of axis-parallel rings,
    // then small squares: deep inside the material, inside a hole, across a
    // side, or inside the material at a gap from a side that straddles the
    // bundle tolerance and the margin, with a slanted ring now and then;
    // last the holes, in the material or in the void, some at such gaps.
    const double gaps[] = {0, 5e-9, 1e-8, 1.5e-8, 4e-8, 9e-8, 1e-7, 1.1e-7, 2e-7, 1e-6};
    const double scales[] = {1, 1e-3, 1e6};
    long skipped = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        Generator g(seed + 9000u);
        const auto pick = [&g](const std::vector<std::vector<Vertex>>& from) -> const std::vector<Vertex>& {
            return from[static_cast<std::size_t>(g.Int(0, static_cast<int>(from.size()) - 1))];
        };
        const double s = scales[seed % 3];
        std::vector<std::vector<Vertex>> blocks;
        std::vector<std::vector<Vertex>> holes;
        ContourSet rings;
        for (int i = 0, n = g.Int(1, 4); i < n; ++i) {
            const double x = g.Int(0, 20) * s, y = g.Int(0, 20) * s;
            const double w = g.Int(10, 30) * s, h = g.Int(10, 30) * s;
            if (g.Int(0, 2) == 0) {
                const double t = g.Int(2, 4) * s;
                rings.Add(Rect(x, y, x + w, y + t), 0);
                rings.Add(Rect(x, y + h - t, x + w, y + h), 0);
                rings.Add(Rect(x, y, x + t, y + h), 0);
                rings.Add(Rect(x + w - t, y, x + w, y + h), 0);
                holes.push_back(Rect(x + t, y + t, x + w - t, y + h - t));
            } else {
                rings.Add(Rect(x, y, x + w, y + h), 0);
            }
            blocks.push_back(Rect(x, y, x + w, y + h));
            // A neighbour at a gap about the bundle tolerance, whose side
            // the set may keep beside the block's.
            if (g.Int(0, 2) == 0) {
                const double x1 = x + w + gaps[g.Int(0, 5)] * s, y1 = y + g.Int(-5, 5) * s;
                rings.Add(Rect(x1, y1, x1 + w, y1 + h), 0);
                blocks.push_back(Rect(x1, y1, x1 + w, y1 + h));
            }
        }
        for (int i = 0, n = g.Int(10, 40); i < n; ++i) {
            const std::vector<Vertex>& b = pick(blocks);
            const double side = g.Uniform(0.2, 2) * s;
            double x = g.Uniform(b[0].x, b[2].x - side), y = g.Uniform(b[0].y, b[2].y - side);
            switch (g.Int(0, 4)) {
            case 0:   // at a gap inside the block's left or bottom side
                (g.Int(0, 1) ? x : y) = (g.Int(0, 1) ? b[0].x : b[0].y) + gaps[g.Int(0, 9)] * s;
                break;
            case 1:   // at a gap inside the block's right side
                x = b[2].x - side - gaps[g.Int(0, 9)] * s;
                break;
            case 2:   // in a frame's side, at a gap left of its hole
                if (!holes.empty()) {
                    const std::vector<Vertex>& o = pick(holes);
                    x = o[0].x - side - gaps[g.Int(0, 9)] * s;
                    y = g.Uniform(o[0].y, o[2].y - side);
                }
                break;
            default:
                break;
            }
            if (g.Int(0, 15) == 0)
                rings.Add({{x, y}, {x + side, y + side / 3}, {x + side / 2, y + side}}, 0);
            else
                rings.Add(Rect(x, y, x + side, y + side), 0);
            if (g.Int(0, 4) == 0)   // the same square again
                rings.Add(Rect(x, y, x + side, y + side), 0);
        }
        if (g.Int(0, 3) == 0)
            rings.Add(Rect(blocks[0][0].x + s, blocks[0][0].y + s, blocks[0][0].x + 2 * s, blocks[0][0].y + 2 * s), 1);
        // Holes in the void: in a frame's hole, at a gap from its side, or
        // below everything.
        for (int i = 0, n = g.Int(0, 4); i < n; ++i) {
            const double side = g.Uniform(0.2, 1) * s;
            double x = -10 * s + g.Uniform(0, 5) * s, y = -10 * s;
            if (!holes.empty() && g.Int(0, 2) != 0) {
                const std::vector<Vertex>& o = pick(holes);
                x = o[0].x + gaps[g.Int(0, 9)] * s;
                y = g.Uniform(o[0].y, o[2].y - side);
            }
            rings.Add(Rect(x, y, x + side, y + side), 1);
        }
        long skips = 0;
        ExpectSameSteps(rings, "seed " + std::to_string(seed), &skips);
        skipped += skips;
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_GT(skipped, 200);
}

// Calls f(bits, parity, horizontal state) for every set of bundle flags
// of one operand alone (the clip's are bits 0 and 2, the subject's 1 and 3)
// and every parity and horizontal state of that operand.
template <class F>
void ForEdgesOfOneOperand(int operand, F f)
{
    const int others = operand == 0 ? 10 : 5;
    for (int bits = 0; bits < 16; ++bits)
        if (!(bits & others))
            for (int parity = 0; parity < 2; ++parity)
                for (int horizontal = 0; horizontal < 3; ++horizontal)
                    f(bits, parity, horizontal);
}

// What lets such a step go without a run: a ring of the clip operand where
// the subject parity is 1 for a union (0 for a difference) and the
// subject's horizontal state none contributes nothing, and leaves the
// subject's state as it found it.
template <Operation Op>
void ExpectClipEdgesContributeNothingAt(int ps)
{
    using namespace S2D::clip::detail::sweep;
    ForEdgesOfOneOperand(0, [ps](int bits, int pc, int hc) {
        const EdgeClass& c = kEdgeClasses<Op>.of[ClassIndex(bits, WalkState(pc, ps, hc, 0))];
        EXPECT_FALSE(c.contributing) << "bits " << bits;
        EXPECT_EQ(c.next & ~(WalkState(1, 0, 2, 0) | WalkState(1, 0, 1, 0)), WalkState(0, ps, 0, 0));
    });
}

TEST(Accumulator, ClipEdgesInTheMaterialOfAUnionOrTheVoidOfADifferenceContributeNothing)
{
    ExpectClipEdgesContributeNothingAt<Operation::Union>(1);
    ExpectClipEdgesContributeNothingAt<Operation::Difference>(0);
}

TEST(Accumulator, SliverThatABeamOfAnotherRingCuts)
{
    // A sliver whose long sides converge to 1e-8 of each other, with slopes
    // 9e-9 apart, only near its apex: in a run of its own beams it comes
    // back unchanged, but a beam that starts higher up, from a ring far
    // away, bundles the two sides and cuts the apex off.  A slanted ring
    // must therefore never be left out, even after it came back unchanged.
    // (Its sides start more than 4e-8 apart, so that the check for vertical
    // sides side by side does not happen to keep it in.)
    ContourSet rings;
    rings.Add({{0, 0}, {9e-8, 0}, {9e-8, 10}}, 0);
    rings.Add(Rect(100, 20, 101, 30), 0);
    rings.Add(Rect(200, 1, 201, 2), 0);
    rings.Add(Rect(100, 9, 101, 9.5), 0);
    ExpectSameSteps(rings, "sliver and far squares");
    // The case is one: the whole run does cut the sliver at 9.
    bool cut = false;
    const ContourSet result = reference::Normalize(rings);
    for (int c = 0; c < result.Count(); ++c)
        for (const Vertex& v : result.Ring(c))
            cut = cut || (v.y == 9 && v.x < 1);
    EXPECT_TRUE(cut);

    // Nor may a square deep in a block far away skip its run once the set
    // came back from one: its beam at 9 cuts the sliver all the same.  (The
    // far square settles, so that the set's facts are known by then.)
    ContourSet steps;
    steps.Add({{0, 0}, {9e-8, 0}, {9e-8, 10}}, 0);
    steps.Add(Rect(100, 0, 120, 30), 0);
    steps.Add(Rect(200, 1, 201, 2), 0);
    for (int i = 0; i < 4; ++i)
        steps.Add(Rect(102 + 3 * i, 20, 103 + 3 * i, 21), 0);
    steps.Add(Rect(110, 9, 111, 9.5), 0);
    ExpectSameSteps(steps, "sliver and squares deep in a far block");
}

TEST(Accumulator, RingsThatAreNotFinite)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ContourSet rings;
    rings.Add(Rect(0, 0, 1, 1), 0);
    rings.Add(Rect(3, 0, 4, 1), 0);
    rings.Add(Rect(6, 0, 7, 1), 0);
    rings.Add({{8, 0}, {nan, 1}, {9, 2}}, 0);
    rings.Add(Rect(0, 3, 1, 4), 0);
    rings.Add({{inf, 0}, {10, 1}, {9, 2}}, 0);
    rings.Add(Rect(3, 3, 4, 4), 0);
    rings.Add(Rect(0.25, 0.25, 0.5, 0.5), 1);
    ExpectSameSteps(rings, "non-finite rings among squares");
}

TEST(Accumulator, FarSquaresComeBackUnchangedAndInTheirPlace)
{
    // Worked by hand: squares far apart come out of each union as from the
    // engine (lower-right corner first, clockwise), the one born highest in
    // the sweep first; the third step leaves the first two squares out.
    Accumulator acc;
    acc.Run(Operation::Union, Rect(0, 10, 1, 11));
    acc.Run(Operation::Union, Rect(5, 0, 6, 1));
    acc.Run(Operation::Union, Rect(10, 5, 11, 6));
    acc.Run(Operation::Union, Rect(20, 5, 21, 6));
    const ContourSet& r = acc.Rings();
    ASSERT_EQ(r.Count(), 4);
    const double firstY[] = {10, 5, 5, 0};
    const double firstX[] = {1, 21, 11, 6};
    for (int c = 0; c < 4; ++c) {
        ASSERT_EQ(r.Ring(c).size(), 4u);
        EXPECT_EQ(r.Ring(c)[0].x, firstX[c]) << "ring " << c;
        EXPECT_EQ(r.Ring(c)[0].y, firstY[c]) << "ring " << c;
        EXPECT_EQ(r.Hole(c), 0);
    }
    EXPECT_GT(acc.LeftOut(), 0);
}

// The walk along a beam leaves a group of rings with the state it entered
// with (parities and horizontal states, by the even crossings of every
// ring).  Leaving groups out relies on the vertex class tables leaving no
// current fragment open whenever a walk is back at its first state: here
// every sequence of edges, as an automaton over (state, fragment open).
template <Operation Op>
void ExpectNoFragmentOpenAtTheFirstState(int clipParity)
{
    using namespace S2D::clip::detail::sweep;
    const int first = WalkState(clipParity, 0, 0, 0);
    bool seen[64][2] = {};
    std::vector<std::pair<int, int>> todo{{first, 0}};
    seen[first][0] = true;
    while (!todo.empty()) {
        const auto [state, open] = todo.back();
        todo.pop_back();
        for (int bits = 1; bits < 16; ++bits) {
            const EdgeClass& c = kEdgeClasses<Op>.of[ClassIndex(bits, state)];
            int nextOpen = open;
            if (c.contributing) {
                switch (c.vertex) {
                case kExternalLeft:
                case kInternalMaxMin:
                case kInternalMin:
                case kExternalMin:
                case kExternalMaxMin:
                case kInternalRight:
                    nextOpen = 1;
                    break;
                case kExternalMax:
                case kExternalRight:
                case kInternalLeft:
                case kInternalMax:
                    nextOpen = 0;
                    break;
                default:
                    break;
                }
            }
            if (!seen[c.next][nextOpen]) {
                seen[c.next][nextOpen] = true;
                todo.push_back({c.next, nextOpen});
            }
        }
    }
    EXPECT_FALSE(seen[first][1]);
    // And the first edge that contributes from there reads neither the
    // current fragment nor the previous x.
    for (int bits = 1; bits < 16; ++bits) {
        const EdgeClass& c = kEdgeClasses<Op>.of[ClassIndex(bits, first)];
        if (c.contributing) {
            EXPECT_TRUE(c.vertex == 0 || c.vertex == kExternalLeft || c.vertex == kExternalMin || c.vertex == kLeftEdge)
                << "bits " << bits;
        }
    }
}

TEST(Accumulator, WalksBackAtTheFirstStateLeaveNoFragmentOpen)
{
    ExpectNoFragmentOpenAtTheFirstState<Operation::Union>(0);
    ExpectNoFragmentOpenAtTheFirstState<Operation::Difference>(1);
}

// A group of rings of the subject alone is classified alike by union and
// difference, so a group settled by unions stays settled for the holes.
TEST(Accumulator, SubjectAloneIsClassifiedAlikeByUnionAndDifference)
{
    using namespace S2D::clip::detail::sweep;
    ForEdgesOfOneOperand(1, [](int bits, int ps, int hs) {
        const EdgeClass& u = kEdgeClasses<Operation::Union>.of[ClassIndex(bits, WalkState(0, ps, 0, hs))];
        const EdgeClass& d = kEdgeClasses<Operation::Difference>.of[ClassIndex(bits, WalkState(1, ps, 0, hs))];
        EXPECT_EQ(u.vertex, d.vertex);
        EXPECT_EQ(u.contributing, d.contributing);
        EXPECT_EQ(u.next ^ 1, d.next ^ 0);
    });
}

} // namespace
