// The flattened program gives exactly the values and errors of the tree it
// was made from.

#include <zeltmath/formula/detail/angle.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/leaves.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

using namespace zeltmath::formula;

namespace {

// A random formula over x, y, z with every operator and many functions.
std::string RandomFormula(std::mt19937& rng, int depth)
{
    static const char* const leaves[] = {"x", "y", "z", "2", "0.5", "0", "1", "-3", "pi"};
    static const char* const binary[] = {"+", "-", "*", "/", "%", "^", "**", "<", ">", "==",
                                         "!=", "<=", ">=", "&&", "||", "&", "|", "!&"};
    static const char* const unary[] = {"sin", "cos", "tan", "sqrt", "exp", "ln", "log", "abs",
                                        "neg", "asin", "acos", "atan", "sec", "csc", "cot",
                                        "asec", "acsc", "acot", "sinh", "cosh", "tanh", "sech",
                                        "csch", "coth", "ceil", "floor", "!", "~", "-"};
    std::uniform_int_distribution<int> kind(0, depth <= 0 ? 0 : 4);
    switch (kind(rng)) {
    case 0:
    case 1:
        return leaves[std::uniform_int_distribution<int>(0, 8)(rng)];
    case 2: {
        const char* f = unary[std::uniform_int_distribution<int>(0, 28)(rng)];
        return std::string(f) + "(" + RandomFormula(rng, depth - 1) + ")";
    }
    case 3:
        return "(" + RandomFormula(rng, depth - 1) + " ? " + RandomFormula(rng, depth - 1) +
               " : " + RandomFormula(rng, depth - 1) + ")";
    default:
        return "(" + RandomFormula(rng, depth - 1) + " " +
               binary[std::uniform_int_distribution<int>(0, 17)(rng)] + " " +
               RandomFormula(rng, depth - 1) + ")";
    }
}

struct Result {
    bool failed;
    int code;
    double value;
};

template <class F>
Result Outcome(F f)
{
    try {
        return {false, 0, f()};
    } catch (const ParseErrorMsg& e) {
        return {true, e.code, 0};
    }
}

bool SameBits(double a, double b)
{
    if (std::isnan(a) && std::isnan(b))
        return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(FormulaProgram, MatchesTheTreeOnRandomFormulas)
{
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> values(-3, 3);
    int compared = 0;
    for (const double k : {1.0, 3.14159265358979323846 / 180}) {
        AngleFactorScope angle(k);
        for (int i = 0; i < 3000; ++i) {
            const std::string text = RandomFormula(rng, 5);
            Result parsed = Outcome([&] {
                FunctionInterpreter fi(text.c_str());
                return 0.0;
            });
            if (parsed.failed)
                continue;
            FunctionInterpreter fi(text.c_str());
            for (int j = 0; j < 4; ++j) {
                fi.SetVariable("x", j == 0 ? 0.0 : values(rng));
                fi.SetVariable("y", j == 1 ? 1.0 : values(rng));
                fi.SetVariable("z", values(rng));
                const Result program = Outcome([&] { return fi.Evaluate(); });
                const Result tree = Outcome([&] { return fi.root->Evaluate(); });
                ASSERT_EQ(program.failed, tree.failed) << text;
                ASSERT_EQ(program.code, tree.code) << text;
                ASSERT_TRUE(SameBits(program.value, tree.value))
                    << text << ": " << program.value << " vs " << tree.value;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 5000);
}

TEST(FormulaProgram, FollowsChangesOfTheTree)
{
    AngleFactorScope angle(1.0);
    FunctionInterpreter a("x * 2 + y");
    a.SetVariable("x", 3);
    EXPECT_EQ(a.Evaluate(), 6);
    FunctionInterpreter b("x ^ 2 - 1");
    a = b;  // a new tree, a new program
    a.SetVariable("x", 3);
    EXPECT_EQ(a.Evaluate(), 8);
    a.ReplaceOperand(a.root, new Constant(5));
    EXPECT_EQ(a.Evaluate(), 5);
}

} // namespace
