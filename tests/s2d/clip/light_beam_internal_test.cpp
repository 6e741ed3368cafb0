// What light beams rely on in the vertex classes, for every operation, both
// operands and every pair of parities: an edge going on through a beam with
// its flags above and below only acts as a left or right side, and a pair of
// neighbours of one operand that end together, or start together as new
// bounds, takes no state from the walk before it and leaves none after it.
// The engine's comparisons with the reference show the beams themselves.

#include <zeltmath/s2d/clip/detail/sweep_state.h>

#include <gtest/gtest.h>

namespace {

using namespace S2D::clip::detail;
using namespace S2D::clip::detail::sweep;

template <Operation Op>
void ExpectLightClasses()
{
    for (int type : {kClip, kSubject})
        for (int pc = 0; pc < 2; ++pc)
            for (int ps = 0; ps < 2; ++ps) {
                const int own = type == kClip ? 1 : 2;
                const int start = WalkState(pc, ps, 0, 0);
                const EdgeClass& through = kEdgeClasses<Op>.of[ClassIndex(own | own << 2, start)];
                EXPECT_EQ(through.next, start ^ own);
                if (through.contributing) {
                    EXPECT_TRUE(through.vertex == kLeftEdge || through.vertex == kRightEdge || through.vertex == 15)
                        << int(through.vertex);
                }
                for (const int bits : {own << 2, own}) {   // both end, both start
                    const EdgeClass& first = kEdgeClasses<Op>.of[ClassIndex(bits, start)];
                    const EdgeClass& second = kEdgeClasses<Op>.of[ClassIndex(bits, first.next)];
                    EXPECT_EQ(second.next, start);
                    EXPECT_EQ(first.contributing, second.contributing);
                    if (!first.contributing)
                        continue;
                    // The first sets the current fragment and the previous x
                    // without reading them; the second reads and clears them.
                    const int pairClass = first.vertex * 16 + second.vertex;
                    EXPECT_TRUE(pairClass == kExternalLeft * 16 + kExternalMax
                                || pairClass == kInternalRight * 16 + kInternalMax
                                || pairClass == kExternalMin * 16 + kExternalRight
                                || pairClass == kInternalMin * 16 + kInternalLeft)
                        << int(first.vertex) << " then " << int(second.vertex);
                }
            }
}

TEST(LightBeams, PassingEdgesAndPairsCarryNoStateAcross)
{
    ExpectLightClasses<Operation::Difference>();
    ExpectLightClasses<Operation::Intersection>();
    ExpectLightClasses<Operation::Xor>();
    ExpectLightClasses<Operation::Union>();
}

} // namespace
