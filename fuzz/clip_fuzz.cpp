// Feeds arbitrary rings to the four Boolean operations and to Normalize.
//
// Input bytes, read one token at a time:
//   0xFF        closes the current ring
//   0xFE        closes the ring and switches to the second operand
//   0xFD + 8    a raw double (any bit pattern: NaN, infinities, denormals)
//   0xFC + 1    the next byte marks the ring just closed as a hole
//   other       a small grid coordinate (signed byte / 4), which makes
//               shared edges, collinear runs and repeated vertices common
// Coordinates pair up into vertices (x, y).
//
// Besides not crashing, the engine must give the same bits whether its beams
// walk every active edge or visit only the edges that change, whether its
// sweep starts and ends where the result can gain something or spans all
// heights, and whether an intersection leaves out the arcs of rings that run
// beside the other operand or keeps them; the steps of normalisation whether
// they leave settled rings out of their runs or not, and normalisation by
// halves that of one run per ring.

#include <zeltmath/s2d/clip/detail/accumulator.h>
#include <zeltmath/s2d/clip/detail/by_halves.h>
#include <zeltmath/s2d/clip/detail/contour_set.h>
#include <zeltmath/s2d/poly_polygon.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool More() const { return pos < size; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 8192)
        return 0;
    S2D::PolyPolygon operands[2];
    S2D::clip::detail::ContourSet sets[2];
    int which = 0;
    std::vector<S2D::Point> ring;
    std::vector<double> coords;
    auto closeRing = [&](unsigned char inner) {
        std::vector<S2D::clip::detail::Vertex> vertices;
        for (size_t i = 0; i + 1 < coords.size(); i += 2) {
            ring.emplace_back(coords[i], coords[i + 1]);
            vertices.push_back({coords[i], coords[i + 1]});
        }
        operands[which].AddPolygon(S2D::Polygon(ring), inner);
        sets[which].Add(vertices, inner);
        ring.clear();
        coords.clear();
    };
    Reader in{data, size};
    while (in.More()) {
        const uint8_t b = in.data[in.pos++];
        if (b == 0xFF) {
            closeRing(0);
        } else if (b == 0xFE) {
            closeRing(0);
            which = 1;
        } else if (b == 0xFC) {
            closeRing(1);
        } else if (b == 0xFD) {
            if (in.size - in.pos < 8)
                break;
            double v;
            std::memcpy(&v, in.data + in.pos, 8);
            in.pos += 8;
            coords.push_back(v);
        } else {
            coords.push_back(static_cast<int8_t>(b) / 4.0);
        }
    }
    closeRing(0);

    const S2D::PPOLY_OPERATION ops[] = {S2D::PPOLY_DIFFERENCE, S2D::PPOLY_INTERSECTION, S2D::PPOLY_XOR,
                                        S2D::PPOLY_UNION};
    for (S2D::PPOLY_OPERATION op : ops) {
        const S2D::PolyPolygon r = operands[0].Clip(op, operands[1]);
        for (const S2D::Polygon& p : r.Polygons())
            if (p.Size() < 3)
                __builtin_trap();
        unsigned k = 0;
        r.CheckIn(S2D::Point(0.5, 0.5), 1, 1e-9, 1, &k);
    }
    using S2D::clip::detail::ContourSet;
    using S2D::clip::detail::Operation;
    const auto expectSame = [](const ContourSet& a, const ContourSet& b) {
        if (a.Count() != b.Count())
            __builtin_trap();
        for (int c = 0; c < a.Count(); ++c)
            if (a.Hole(c) != b.Hole(c) || a.Ring(c).size() != b.Ring(c).size()
                || std::memcmp(a.Ring(c).data(), b.Ring(c).data(),
                               a.Ring(c).size() * sizeof(S2D::clip::detail::Vertex))
                       != 0)
                __builtin_trap();
    };
    // Every beam visiting only its changes, and every run going from the
    // first height to the last with whole rings; against runs that leave
    // arcs out wherever they can.
    const S2D::clip::detail::SweepTuning otherWay{1, 0, 0, false, false, false};
    S2D::clip::detail::SweepTuning arcs;
    arcs.alwaysDropArcs = true;
    for (Operation op : {Operation::Difference, Operation::Intersection, Operation::Xor, Operation::Union})
        expectSame(S2D::clip::detail::Combine(op, sets[0], sets[1], arcs),
                   S2D::clip::detail::Combine(op, sets[0], sets[1], otherWay));
    // Normalisation's steps, with settled rings left out of the runs and
    // without, after every step.
    for (const ContourSet& set : sets) {
        S2D::clip::detail::Accumulator fast;
        S2D::clip::detail::Accumulator whole(false);
        for (int pass = 0; pass < 2; ++pass)
            for (int c = 0; c < set.Count(); ++c)
                if (set.Hole(c) == pass) {
                    const Operation op = pass ? Operation::Difference : Operation::Union;
                    fast.Run(op, set.Ring(c));
                    whole.Run(op, set.Ring(c));
                    expectSame(fast.Rings(), whole.Rings());
                }
    }
    // Rings in general position: normalisation by halves must give the
    // result of one run per ring.
    using S2D::clip::detail::RingView;
    using S2D::clip::detail::Vertex;
    const auto expectByHalves = [&](const ContourSet& set, const std::vector<RingView>& rings) {
        std::vector<RingView> outers, inners;
        for (int c = 0; c < set.Count(); ++c)
            (set.Hole(c) ? inners : outers).push_back(rings[static_cast<size_t>(c)]);
        if (!S2D::clip::detail::InGeneralPosition(rings))
            return;
        S2D::clip::detail::Accumulator whole(false);
        for (const RingView& r : outers)
            whole.Run(Operation::Union, r);
        for (const RingView& r : inners)
            whole.Run(Operation::Difference, r);
        ContourSet halves;
        S2D::clip::detail::NormalizeByHalves(outers, inners, halves);
        expectSame(halves, whole.Rings());
    };
    for (const ContourSet& set : sets) {
        std::vector<RingView> given;
        for (int c = 0; c < set.Count(); ++c)
            given.push_back(set.Ring(c));
        expectByHalves(set, given);
        // The rings made axis-parallel, each vertex (x, y) followed by
        // (x', y) for the next vertex's x', every x and y nudged apart: in
        // general position as a rule.
        std::vector<std::vector<Vertex>> stairs(static_cast<size_t>(set.Count()));
        double nudge = 0;
        for (int c = 0; c < set.Count(); ++c) {
            std::vector<Vertex> nudged;
            for (const Vertex& v : set.Ring(c)) {
                nudge += 0x1p-24;
                nudged.push_back({v.x + nudge, v.y - nudge});
            }
            for (size_t i = 0; i < nudged.size(); ++i) {
                const Vertex& next = nudged[i + 1 == nudged.size() ? 0 : i + 1];
                stairs[static_cast<size_t>(c)].push_back(nudged[i]);
                stairs[static_cast<size_t>(c)].push_back({next.x, nudged[i].y});
            }
        }
        expectByHalves(set, std::vector<RingView>(stairs.begin(), stairs.end()));
    }
    for (S2D::PolyPolygon& pp : operands) {
        pp.Normalize();
        if (pp.OutersCount() + pp.InnersCount() != pp.Size())
            __builtin_trap();
    }
    return 0;
}
