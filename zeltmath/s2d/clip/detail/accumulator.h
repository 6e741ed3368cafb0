#ifndef ZELTMATH_S2D_CLIP_DETAIL_ACCUMULATOR_H
#define ZELTMATH_S2D_CLIP_DETAIL_ACCUMULATOR_H

// A ring set that rings are united with or taken from one at a time, each
// step the engine run (set <op> ring), as normalisation does.
//
// Most steps change a small part of a large set.  A step may leave out of
// its run a group of rings that is settled: the rings are axis-parallel and
// far from every other ring and from the step's ring, and a run they took
// part in gave them back unchanged.  The run of the others then returns the
// very rings, in the very order, that the run of the whole set would, with
// the settled rings put back where that run would have made them.  Why:
//
// - Groups whose boxes are apart by more than the bundle tolerance (with
//   room for rounding) never meet in the active list: at every beam the
//   edges of a group lie side by side, no bundle or crossing joins two
//   groups, and the crossings of one group are found and handled as if it
//   were alone.
// - Every ring crosses a scan line an even number of times, above and below
//   it alike, so the walk along a beam leaves each group with the parities
//   and horizontal states it entered with, the run's first ones; the vertex
//   class tables then leave no current fragment open (checked over every
//   sequence of edges by the tests), and the first edge of the next group
//   that contributes reads neither the current fragment nor the previous x.
// - The beams that a left-out group would add are added to the run as bare
//   heights (RunExtras::heights), so the other groups see the same beams.
// - A settled group does not depend on the beams of other groups: its edges
//   are vertical, so their x is the same at every height, no two of them can
//   cross, and none lies within the bundle tolerance of another where both
//   run, so a beam without a vertex of the group changes nothing of it.
//   Hence it comes out as it did when it settled.
// - A result lists its rings newest first (RingBirth); the births of a
//   settled group are those of the run it settled in, and rings of
//   different groups born in one beam are born in x order.  So the result
//   of the whole run is the two lists merged by birth.
//
// A union step whose ring lies in the set's material, or a difference step
// whose ring lies in its void, away from every side, leaves the set as a
// run over the set alone leaves it, when the set and the ring are
// axis-parallel and the set is free of bundles:
//
// - At every beam the ring's edges lie side by side in the active list,
//   between two edges of the set (no side of the set meets the ring's box),
//   and they neither bundle nor cross with the set's edges.
// - They meet the subject parity 1 for a union (0 for a difference) and the
//   subject's horizontal state none (a horizontal side of the set at the
//   beam's height would meet the box), where every clip edge is classified
//   as not contributing: they add no vertex and touch neither the current
//   fragment nor the previous x.
// - The ring crosses a scan line an even number of times, above and below
//   alike, so its edges leave the clip parity and horizontal state as they
//   found them, and the set's edges are classified as without the ring, by
//   either operation alike (the subject alone is).
// - Only the ring's heights remain, as bare beams, which the set does not
//   depend on (see above).
//
// So once such a step gave the set back unchanged, a run over the set alone
// does, and every such step after it needs no run until the set changes.

#include <zeltmath/s2d/clip/detail/contour_set.h>
#include <zeltmath/s2d/clip/detail/survey.h>

#include <vector>

namespace S2D {
namespace clip {
namespace detail {

class Accumulator {
public:
    // With `leaveOut` false every step runs the engine over the whole set.
    explicit Accumulator(bool leaveOut = true) : leaveOut_(leaveOut) {}

    // The set becomes (set <op> ring), the set as subject.
    void Run(Operation op, RingView ring);

    const ContourSet& Rings() const { return rings_; }
    // How many rings the steps so far have left out of their runs.
    long LeftOut() const { return leftOut_; }
    // How many steps needed no run, the set being known to come back.
    long Skipped() const { return skipped_; }

private:
    // What a step needs to know of a ring of the set.
    struct Facts {
        Box box;
        RingBirth birth;
        bool tame;          // finite, moderate coordinates and slopes
        bool rectilinear;   // every side horizontal or vertical
        bool settled;
    };

    static Facts Examine(RingView ring);
    void Step(Operation op, RingView ring);
    bool Harmless(Operation op, RingView ring);
    bool Enclosed(RingView ring, const Box& box, bool inside);
    bool BundleFreeSet();
    void RunAll(Operation op);
    void BackOff();
    void LearnFacts();
    Facts ResultFacts(int r) const;
    void TakeResult();
    bool Reach(const Facts& step, double margin);
    void Settle(double margin);
    bool BundleFree(const std::vector<RingView>& rings);

    bool leaveOut_;
    ContourSet rings_;
    std::vector<Facts> facts_;
    int untame_ = 0;                 // rings of the set that are not tame
    bool factsKnown_ = true;         // facts_ is up to date
    int plainSteps_ = 0;             // steps to come that run every ring
    int backOff_ = 1;
    long leftOut_ = 0;
    bool fixpoint_ = false;          // a run over the set alone gives it back
    int bundles_ = -1;               // whether the set has bundles: -1 not known
    long skipped_ = 0;

    // Scratch of a step, kept from step to step.
    ContourSet single_;
    ContourSet part_;                // the rings that take part in the run
    ContourSet result_;
    ContourSet next_;
    const ContourSet* previous_ = nullptr;   // where a step leaves the set it began with
    std::vector<Facts> nextFacts_;
    std::vector<RingBirth> births_;
    std::vector<double> heights_;
    std::vector<int> group_;         // per ring: its group if it takes part (0: the step's ring's), else -1
    std::vector<int> queue_;
    std::vector<int> pending_;       // rings no group has reached yet
    std::vector<char> settled_;      // per result ring
    std::vector<int> members_;
    std::vector<int> results_;
    std::vector<RingView> views_;
    struct Vertical {
        double x, lo, hi;
    };
    std::vector<Vertical> verticals_;
};

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
