// Very long texts and deep nesting: every outcome is a value or one of the
// error codes, never a crash; the depth limit is 1000 levels.

#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using formula_test::CodeOf;

namespace {

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(FormulaStress, RedundantParenthesesCostNoDepth)
{
    const std::string text = Repeat("(", 10000) + "x+1" + Repeat(")", 10000);
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula(text.c_str()), nullptr);
    f.SetVariable("x", 2);
    double v = 0;
    ASSERT_EQ(f.Calc(v), nullptr);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(CodeOf(f.SetFormula((Repeat("(", 10000) + "x" + Repeat(")", 9999)).c_str())), 24);
}

TEST(FormulaStress, DeepNestingUpToTheLimitWorks)
{
    // 999 functions around x: 1000 levels.
    const std::string text = Repeat("sin(", 999) + "x" + Repeat(")", 999);
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula(text.c_str()), nullptr);
    f.SetVariable("x", 0.5);
    double v = 0;
    ASSERT_EQ(f.Calc(v), nullptr);
    double expected = 0.5;
    for (int i = 0; i < 999; ++i)
        expected = std::sin(expected);
    EXPECT_DOUBLE_EQ(v, expected);
    // The derivative is deeper than the formula: it works or reports code 5.
    CZELTMathFormula d;
    const int code = CodeOf(f.PartialDerivative("x", d));
    EXPECT_TRUE(code == 0 || code == 5) << code;
    CZELTMathFormula copy(f);
    ASSERT_EQ(copy.Calc(v), nullptr);

    // A sum of 1000 terms is a chain of 1000 levels; one more term is too deep.
    const std::string sum = "1" + Repeat("+x", 999);
    ASSERT_EQ(f.SetFormula(sum.c_str()), nullptr);
    f.SetVariable("x", 2);
    ASSERT_EQ(f.Calc(v), nullptr);
    EXPECT_EQ(v, 1 + 2 * 999);
    EXPECT_EQ(CodeOf(f.SetFormula((sum + "+x").c_str())), 5);
}

TEST(FormulaStress, DeeperNestingReportsCode5)
{
    const std::string shapes[] = {
        Repeat("sin(", 10000) + "x" + Repeat(")", 10000),
        Repeat("-(", 10000) + "x" + Repeat(")", 10000),
        Repeat("!(", 10000) + "x" + Repeat(")", 10000),
        Repeat("~(", 1001) + "1" + Repeat(")", 1001),
        "x" + Repeat("+x", 10000),
        Repeat("x^(", 10000) + "x" + Repeat(")", 10000),
        Repeat("x ? 1 : (", 5000) + "2" + Repeat(")", 5000),
        Repeat("(x+", 10000) + "1" + Repeat(")", 10000),
    };
    for (const std::string& text : shapes) {
        CZELTMathFormula f;
        ASSERT_EQ(f.SetFormula("7"), nullptr);
        EXPECT_EQ(CodeOf(f.SetFormula(text.c_str())), 5) << text.substr(0, 20);
        double v = 0;
        ASSERT_EQ(f.Calc(v), nullptr);  // the old formula stays
        EXPECT_EQ(v, 7);
    }
}

TEST(FormulaStress, DerivativesDeeperThanTheLimitReportCode5)
{
    // Each power level adds several levels to the derivative tree.
    const std::string text = Repeat("x^(", 600) + "x" + Repeat(")", 600);
    CZELTMathFormula f, d;
    ASSERT_EQ(f.SetFormula(text.c_str()), nullptr);
    EXPECT_EQ(CodeOf(f.PartialDerivative("x", d)), 5);
    EXPECT_EQ(d.GetVariablesCount(), 1);  // the copy was made before the failure
}

TEST(FormulaStress, LongTexts)
{
    // 100 000 characters in 900 top-level terms.
    std::string text = "0";
    for (int i = 0; text.size() < 100000; ++i)
        text += "+sqrt(abs(sin(v" + std::to_string(i % 50) + ")*" + Repeat("(", 40) + "1" +
                Repeat(")", 40) + "))";
    CZELTMathFormula f;
    const char* err = f.SetFormula(text.c_str());
    const int code = CodeOf(err);
    EXPECT_TRUE(code == 0 || code == 5) << code;
    // A long single name and a long number.
    const std::string name(200000, 'a');
    ASSERT_EQ(f.SetFormula((name + "*2").c_str()), nullptr);
    EXPECT_EQ(f.GetVariablesCount(), 1);
    const std::string number = "1" + std::string(5000, '0') + "*0+1";
    ASSERT_EQ(f.SetFormula(number.c_str()), nullptr);
}

TEST(FormulaStress, RandomTextsGiveValuesOrCodes)
{
    const char alphabet[] = "xy12.e+-*/%^()!&|~<>=?: \tsinlogacrt";
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
    std::uniform_int_distribution<int> length(0, 40);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int n = length(rng);
        for (int j = 0; j < n; ++j)
            text += alphabet[pick(rng)];
        CZELTMathFormula f;
        const int code = CodeOf(f.SetFormula(text.c_str()));
        ASSERT_TRUE(code >= 0 && code <= 28) << text;
        if (code == 0) {
            f.SetVariable("x", 0.5);
            f.SetVariable("y", -2);
            double v;
            const int calc = CodeOf(f.Calc(v));
            ASSERT_TRUE(calc >= 0 && calc <= 28) << text;
            CZELTMathFormula d;
            const int dc = CodeOf(f.PartialDerivative("x", d));
            ASSERT_TRUE(dc >= 0 && dc <= 28) << text;
        }
    }
}

} // namespace
