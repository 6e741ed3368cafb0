// A ring set grown and cut one ring at a time, with settled groups of rings
// left out of the runs (see accumulator.h).

#include <zeltmath/s2d/clip/detail/accumulator.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <utility>

namespace S2D {
namespace clip {
namespace detail {

namespace {

// A tame ring has coordinates up to kModerate and no side steeper than
// kSteep (run over rise), so every x the sweep works out for it is finite
// and within rounding of its box.
constexpr double kSteep = 1e200;
// Groups whose boxes are apart by more than kApart plus kRelative of the
// largest coordinate never come within the bundle tolerance (1e-8) of each
// other, rounding included (a few units of 1e-16 of the coordinates).
constexpr double kApart = 1e-7;
constexpr double kRelative = 1e-12;
// The most steps that run every ring after one that found nothing to leave
// out or settle.
constexpr int kMaxBackOff = 64;
// Runs of up to this many vertices check whether they depend on where their
// beams are divided, rather than take more beams.
constexpr std::size_t kSmallRun = 256;
// Box tests that grouping may spend per ring; beyond them a step runs every
// ring.
constexpr long kTestsPerRing = 64;
constexpr long kTestsBase = 4096;

bool SameRing(RingView a, RingView b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Vertex)) == 0);
}

bool SameSet(const ContourSet& a, const ContourSet& b)
{
    if (a.Count() != b.Count() || a.Vertices() != b.Vertices())
        return false;
    for (int c = 0; c < a.Count(); ++c)
        if (a.Hole(c) != b.Hole(c) || !SameRing(a.Ring(c), b.Ring(c)))
            return false;
    return true;
}

} // namespace

Accumulator::Facts Accumulator::Examine(RingView ring)
{
    Facts f{};
    const bool finite = Survey(ring, f.box);
    f.tame = finite && Extent(f.box) <= kModerate;
    const std::size_t n = ring.size();
    if (!f.tame || n == 0)
        return f;
    // Every side horizontal or vertical, summed without a branch per side;
    // only a ring with a slanted side needs the look at the slopes.
    int slanted = 0;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++)
        slanted |= int(ring[i].x != ring[j].x) & int(ring[i].y != ring[j].y);
    f.rectilinear = !slanted;
    if (slanted)
        for (std::size_t i = 0, j = n - 1; i < n && f.tame; j = i++) {
            const double rise = std::fabs(ring[i].y - ring[j].y);
            f.tame = rise == 0 || std::fabs(ring[i].x - ring[j].x) <= kSteep * rise;
        }
    return f;
}

// Every ring takes part and nothing settles; the set's facts are worked out
// again when a step needs them.
void Accumulator::RunAll(Operation op)
{
    CombineInto(op, rings_, single_, result_);
    std::swap(rings_, result_);
    factsKnown_ = false;
}

// A step found nothing to leave out and nothing settled: so will most steps
// after it, which run every ring, for a number of steps that doubles while
// that goes on.
void Accumulator::BackOff()
{
    plainSteps_ = backOff_;
    backOff_ = std::min(2 * backOff_, kMaxBackOff);
}

// The facts of every ring of the set, none settled.
void Accumulator::LearnFacts()
{
    facts_.clear();
    untame_ = 0;
    for (int c = 0; c < rings_.Count(); ++c) {
        facts_.push_back(Examine(rings_.Ring(c)));
        untame_ += !facts_.back().tame;
    }
    factsKnown_ = true;
}

// The facts of result ring r, with its birth and whether it settled.
Accumulator::Facts Accumulator::ResultFacts(int r) const
{
    Facts f = Examine(result_.Ring(r));
    f.birth = births_[static_cast<std::size_t>(r)];
    f.settled = settled_[static_cast<std::size_t>(r)] != 0;
    return f;
}

// The result of a run that every ring took part in becomes the set.
void Accumulator::TakeResult()
{
    facts_.clear();
    untame_ = 0;
    for (int r = 0; r < result_.Count(); ++r) {
        facts_.push_back(ResultFacts(r));
        untame_ += !facts_.back().tame;
    }
    std::swap(rings_, result_);
}

// The groups that take part in the step: the step's ring's (0) and those of
// the rings that have not settled, each the rings reached from there by
// boxes less than `margin` apart, into group_ (-1 for a ring left out).
// False when that would cost too much.
bool Accumulator::Reach(const Facts& step, double margin)
{
    const int m = rings_.Count();
    group_.assign(static_cast<std::size_t>(m), -1);
    long tests = 0;
    const long budget = kTestsPerRing * (m + 1) + kTestsBase;
    pending_.resize(static_cast<std::size_t>(m));
    for (int c = 0; c < m; ++c)
        pending_[static_cast<std::size_t>(c)] = c;
    int groups = 0;
    // Spreads group g from the rings queued from `from` on (-1: the step's
    // ring) to the rings not yet reached.
    const auto spread = [&](std::size_t from, int g) {
        for (std::size_t h = from; h < queue_.size(); ++h) {
            const Box& a = queue_[h] < 0 ? step.box : facts_[static_cast<std::size_t>(queue_[h])].box;
            tests += static_cast<long>(pending_.size());
            if (tests > budget)
                return false;
            std::size_t kept = 0;
            for (const int c : pending_) {
                if (group_[static_cast<std::size_t>(c)] >= 0)
                    continue;   // began a group of its own
                if (Near(a, facts_[static_cast<std::size_t>(c)].box, margin)) {
                    group_[static_cast<std::size_t>(c)] = g;
                    queue_.push_back(c);
                } else {
                    pending_[kept++] = c;
                }
            }
            pending_.resize(kept);
        }
        return true;
    };
    queue_.assign(1, -1);
    if (!spread(0, groups++))
        return false;
    for (int c = 0; c < m; ++c)
        if (group_[static_cast<std::size_t>(c)] < 0 && !facts_[static_cast<std::size_t>(c)].settled) {
            const std::size_t from = queue_.size();
            group_[static_cast<std::size_t>(c)] = groups;
            queue_.push_back(c);
            if (!spread(from, groups++))
                return false;
        }
    return true;
}

// Whether no two vertical edges of `rings` come within kNear of each other
// along a common stretch of height (the rings axis-parallel).
bool Accumulator::BundleFree(const std::vector<RingView>& rings)
{
    verticals_.clear();
    for (const RingView& ring : rings)
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const Vertex& v = ring[i];
            const Vertex& w = ring[i + 1 == ring.size() ? 0 : i + 1];
            if (v.y != w.y)
                verticals_.push_back(Vertical{v.x, std::min(v.y, w.y), std::max(v.y, w.y)});
        }
    std::sort(verticals_.begin(), verticals_.end(), [](const Vertical& a, const Vertical& b) { return a.x < b.x; });
    for (std::size_t i = 0; i < verticals_.size(); ++i)
        for (std::size_t j = i + 1; j < verticals_.size() && verticals_[j].x - verticals_[i].x <= kNear; ++j)
            if (std::max(verticals_[i].lo, verticals_[j].lo) < std::min(verticals_[i].hi, verticals_[j].hi))
                return false;
    return true;
}

// After a run: a group that took part without the step's ring, whose rings
// are all axis-parallel and free of bundles, and that came out unchanged,
// settles (settled_, per result ring).  Its result rings are told by their
// births, which lie in the group's box; a ring of another group born there
// only makes the group look changed.
void Accumulator::Settle(double margin)
{
    const int m = rings_.Count();
    const int results = result_.Count();
    settled_.assign(static_cast<std::size_t>(results), 0);
    for (int g = 1;; ++g) {
        Box box;
        bool rectilinear = true;
        members_.clear();
        for (int c = 0; c < m; ++c)
            if (group_[static_cast<std::size_t>(c)] == g) {
                const Facts& f = facts_[static_cast<std::size_t>(c)];
                members_.push_back(c);
                box = Hull(box, f.box);
                rectilinear = rectilinear && f.rectilinear;
            }
        if (members_.empty())
            return;
        if (!rectilinear)
            continue;
        results_.clear();
        for (int r = 0; r < results; ++r) {
            const RingBirth& b = births_[static_cast<std::size_t>(r)];
            if (!b.crossing && b.x >= box.xmin - margin && b.x <= box.xmax + margin && b.beam >= box.ymin - margin
                && b.beam <= box.ymax + margin)
                results_.push_back(r);
        }
        if (results_.size() != members_.size())
            continue;
        bool same = true;
        views_.clear();
        for (std::size_t i = 0; i < members_.size() && same; ++i) {
            const int c = members_[i];
            const int r = results_[i];
            same = rings_.Hole(c) == result_.Hole(r) && SameRing(rings_.Ring(c), result_.Ring(r));
            views_.push_back(rings_.Ring(c));
        }
        if (same && BundleFree(views_))
            for (const int r : results_)
                settled_[static_cast<std::size_t>(r)] = 1;
    }
}

// Whether `ring`, of box `box`, lies in the material of the set (in the
// void with `inside` false), no side of the set coming within the margin of
// groups apart of the box, the set tame and axis-parallel.  The facts of the
// set's rings tell most of it: only the rings whose boxes come near the box
// have their sides held against it, and only those whose boxes reach the
// line through a vertex of the ring to its right are counted for parity.
bool Accumulator::Enclosed(RingView ring, const Box& box, bool inside)
{
    if (!factsKnown_)
        LearnFacts();
    if (untame_ > 0)
        return false;
    double big = Extent(box);
    for (const Facts& f : facts_) {
        if (!f.rectilinear)
            return false;
        big = std::max(big, Extent(f.box));
    }
    const double margin = kApart + kRelative * big;
    // Even-odd, by the sides that cross the line through a vertex of the
    // ring to the right of it.
    const Vertex& p = ring[0];
    bool odd = false;
    for (int c = 0; c < rings_.Count(); ++c) {
        const Box& b = facts_[static_cast<std::size_t>(c)].box;
        const bool near = Near(b, box, margin);
        const bool crosses = b.ymin <= p.y && p.y < b.ymax && b.xmax > p.x;
        if (!near && !crosses)
            continue;
        const RingView r = rings_.Ring(c);
        for (std::size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
            const Vertex& v = r[i];
            const Vertex& w = r[j];
            const Box side{std::min(v.x, w.x), std::min(v.y, w.y), std::max(v.x, w.x), std::max(v.y, w.y)};
            if (near && Near(side, box, margin))
                return false;
            if (crosses)
                odd ^= (v.y > p.y) != (w.y > p.y) && v.x > p.x;
        }
    }
    return odd == inside;
}

// Whether a step of `op` with `ring` leaves the set as a run over the set
// alone would (see accumulator.h): a union with an axis-parallel ring that
// the set's material encloses, or a difference with one that its void
// encloses.
bool Accumulator::Harmless(Operation op, RingView ring)
{
    const bool unite = op == Operation::Union;
    if (!unite && op != Operation::Difference)
        return false;
    const Facts f = Examine(ring);
    return f.tame && f.rectilinear && !ring.empty() && Enclosed(ring, f.box, unite);
}

// Whether the set is free of bundles, worked out once for a set.
bool Accumulator::BundleFreeSet()
{
    if (bundles_ < 0) {
        views_.clear();
        for (int c = 0; c < rings_.Count(); ++c)
            views_.push_back(rings_.Ring(c));
        bundles_ = !BundleFree(views_);
    }
    return bundles_ == 0;
}

void Accumulator::Run(Operation op, RingView ring)
{
    single_.Clear();
    single_.Add(ring, 0);
    if (!leaveOut_)
        return RunAll(op);
    // A harmless step changes nothing of a set that is free of bundles and
    // known to come back from a run over itself.
    if (fixpoint_ && Harmless(op, ring) && BundleFreeSet()) {
        ++skipped_;
        return;
    }
    previous_ = &result_;
    Step(op, ring);
    // A harmless step that gave the set back shows it a fixpoint; a set
    // that changed is known for nothing.
    if (!SameSet(rings_, *previous_)) {
        fixpoint_ = false;
        bundles_ = -1;
    } else if (!fixpoint_) {
        fixpoint_ = Harmless(op, ring);
    }
}

// One step with a run, the set before it left in *previous_.
void Accumulator::Step(Operation op, RingView ring)
{
    if (plainSteps_ > 0) {
        --plainSteps_;
        return RunAll(op);
    }
    if (!factsKnown_)
        LearnFacts();
    const int m = rings_.Count();
    const Facts step = Examine(ring);
    if (m == 0 || !step.tame || untame_ > 0) {
        RunAll(op);
        return BackOff();
    }

    double big = 0;
    const auto grow = [&big](const Box& b) {
        if (!Empty(b))
            big = std::max(big, Extent(b));
    };
    grow(step.box);
    for (const Facts& f : facts_)
        grow(f.box);
    const double margin = kApart + kRelative * big;
    if (!Reach(step, margin)) {
        RunAll(op);
        return BackOff();
    }
    const auto takesPart = [this](int c) { return group_[static_cast<std::size_t>(c)] >= 0; };
    bool leftOut = false;
    for (int c = 0; c < m && !leftOut; ++c)
        leftOut = !takesPart(c);

    RunExtras extras;
    extras.births = &births_;
    const ContourSet* part = &rings_;
    if (leftOut) {
        part_.Clear();
        double lo = step.box.ymin;
        double hi = step.box.ymax;
        bool rectilinear = step.rectilinear;
        views_.assign(1, ring);
        for (int c = 0; c < m; ++c)
            if (takesPart(c)) {
                const Facts& f = facts_[static_cast<std::size_t>(c)];
                part_.Add(rings_.Ring(c), rings_.Hole(c));
                lo = std::min(lo, f.box.ymin);
                hi = std::max(hi, f.box.ymax);
                rectilinear = rectilinear && f.rectilinear;
                views_.push_back(rings_.Ring(c));
            }
        // The heights of the rings left out within the span of those that
        // take part divide the run's beams as in the whole run.  Rings that
        // are axis-parallel and free of bundles do not depend on that, which
        // a small run checks first.
        heights_.clear();
        for (int c = 0; c < m; ++c) {
            const Box& b = facts_[static_cast<std::size_t>(c)].box;
            if (!takesPart(c) && b.ymax > lo && b.ymin < hi)
                for (const Vertex& v : rings_.Ring(c))
                    if (v.y > lo && v.y < hi)
                        heights_.push_back(v.y);
        }
        leftOut_ += m - part_.Count();
        if (!heights_.empty()
            && !(rectilinear && part_.Vertices() + ring.size() <= kSmallRun && BundleFree(views_))) {
            std::sort(heights_.begin(), heights_.end());
            heights_.erase(std::unique(heights_.begin(), heights_.end()), heights_.end());
            extras.heights = &heights_;
        }
        part = &part_;
    }
    CombineInto(op, *part, single_, result_, SweepTuning(), extras);
    Settle(margin);

    // The result of the whole run: the rings of the run and the rings left
    // out, newest first.
    if (!leftOut && std::find(settled_.begin(), settled_.end(), 1) == settled_.end()) {
        std::swap(rings_, result_);
        factsKnown_ = false;
        return BackOff();
    }
    backOff_ = 1;
    if (!leftOut)
        return TakeResult();
    next_.Clear();
    nextFacts_.clear();
    untame_ = 0;
    const int results = result_.Count();
    const auto nextLeftOut = [&](int c) {
        while (c < m && takesPart(c))
            ++c;
        return c;
    };
    int r = 0;
    int c = nextLeftOut(0);
    while (r < results || c < m) {
        if (c < m
            && (r == results
                || BornLater(facts_[static_cast<std::size_t>(c)].birth, births_[static_cast<std::size_t>(r)]))) {
            next_.Add(rings_.Ring(c), rings_.Hole(c));
            nextFacts_.push_back(facts_[static_cast<std::size_t>(c)]);
            c = nextLeftOut(c + 1);
        } else {
            next_.Add(result_.Ring(r), result_.Hole(r));
            nextFacts_.push_back(ResultFacts(r));
            ++r;
        }
        untame_ += !nextFacts_.back().tame;
    }
    std::swap(rings_, next_);
    std::swap(facts_, nextFacts_);
    previous_ = &next_;
}

} // namespace detail
} // namespace clip
} // namespace S2D
