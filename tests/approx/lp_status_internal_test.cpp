// How the engine's solve statuses become results and exceptions.
#include <zeltmath/approx/detail/lp_model.h>
#include <zeltmath/base/exception.h>

#include <gtest/gtest.h>

namespace {

using zeltmath::detail::MapSolveStatus;

unsigned int ThrownCode(int engineStatus, bool& hasMessage)
{
    try {
        MapSolveStatus(engineStatus);
    } catch (const CZELTException& e) {
        hasMessage = e.HasMessage();
        return e.GetCode();
    }
    ADD_FAILURE() << "status " << engineStatus << " did not throw";
    return 0;
}

TEST(LpStatus, ResultsAndThrownFailures)
{
    // lp_solve: OPTIMAL 0, SUBOPTIMAL 1, INFEASIBLE 2, UNBOUNDED 3,
    // DEGENERATE 4, USERABORT 6, TIMEOUT 7, PRESOLVED 9, NOBFP -3.
    EXPECT_EQ(MapSolveStatus(0), 0);
    EXPECT_EQ(MapSolveStatus(2), 2);
    EXPECT_EQ(MapSolveStatus(3), 3);
    for (int other : {1, 4, 6, 7, 9, -3, -1})
        EXPECT_EQ(MapSolveStatus(other), 4) << other;

    bool hasMessage = true;
    EXPECT_EQ(ThrownCode(-2, hasMessage), 0xFFFFFFFFu);  // NOMEMORY
    EXPECT_FALSE(hasMessage);
    hasMessage = true;
    EXPECT_EQ(ThrownCode(5, hasMessage), 1u);  // NUMFAILURE
    EXPECT_FALSE(hasMessage);
    hasMessage = true;
    EXPECT_EQ(ThrownCode(25, hasMessage), 1u);  // ACCURACYERROR
    EXPECT_FALSE(hasMessage);
}

} // namespace
