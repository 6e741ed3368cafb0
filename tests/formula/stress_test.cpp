// Very long texts and deep nesting: every outcome is a value or one of the
// error codes, never a crash.  True nesting is limited to 1000 levels; chains
// of one precedence and derivatives only by memory.

#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
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
    // The derivative is deeper than the formula, and works.
    CZELTMathFormula d;
    ASSERT_EQ(d.SetFormula("7"), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    d.SetVariable("x", 0.5);
    ASSERT_EQ(d.Calc(v), nullptr);
    double slope = 1.0, u = 0.5;
    for (int i = 0; i < 999; ++i) {
        slope *= std::cos(u);
        u = std::sin(u);
    }
    EXPECT_NEAR(v, slope, 1e-12);
    CZELTMathFormula copy(f);
    ASSERT_EQ(copy.Calc(v), nullptr);

    // 1000 nested groups of operators are accepted, 1001 are too deep.
    ASSERT_EQ(f.SetFormula((Repeat("(x+", 999) + "1" + Repeat(")", 999)).c_str()), nullptr);
    EXPECT_EQ(CodeOf(f.SetFormula((Repeat("(x+", 1000) + "1" + Repeat(")", 1000)).c_str())), 5);
}

TEST(FormulaStress, ChainsOfOnePrecedenceAreLimitedByMemoryOnly)
{
    // 1*x*y + 2*x*y + ... + 100000*x*y.
    const int n = 100000;
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += (i > 1 ? "+" : "") + std::to_string(i) + "*x*y";
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula(text.c_str()), nullptr);
    EXPECT_EQ(f.GetVariablesCount(), 2);
    f.SetVariable("x", 0.5);
    f.SetVariable("y", 4);
    double v = 0;
    ASSERT_EQ(f.Calc(v), nullptr);
    EXPECT_EQ(v, 2.0 * n * (n + 1.0) / 2);
    // d/dx = (1 + 2 + ... + n) y, printed as a chain of the same length.
    CZELTMathFormula d;
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    EXPECT_GT(std::string(d.GetFormula()).size(), static_cast<std::size_t>(6 * n));
    d.SetVariable("y", 4);
    ASSERT_EQ(d.Calc(v), nullptr);
    EXPECT_EQ(v, 4.0 * n * (n + 1.0) / 2);
    CZELTMathFormula copy(f);
    ASSERT_EQ(copy.Calc(v), nullptr);

    // A sum of 1001 terms, and its derivative.
    ASSERT_EQ(f.SetFormula(("1" + Repeat("+x", 1000)).c_str()), nullptr);
    f.SetVariable("x", 2);
    ASSERT_EQ(f.Calc(v), nullptr);
    EXPECT_EQ(v, 2001);
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    ASSERT_EQ(d.Calc(v), nullptr);
    EXPECT_EQ(v, 1000);

    // Every operator family makes long chains: products, quotients,
    // comparisons, logic, bitwise operators, powers, conditionals and
    // remainders.  (The derivative of a chain of quotients or powers holds a
    // copy of the chain per level, so it is taken of shorter chains.)
    const std::string links[] = {"*x", "/x", "<x", "&&x", "|x", "^1", "?x:2", "%7"};
    for (const std::string& link : links) {
        ASSERT_EQ(f.SetFormula(("1.5" + Repeat(link, 50000)).c_str()), nullptr) << link;
        f.SetVariable("x", 1.001);
        ASSERT_EQ(f.Calc(v), nullptr) << link;
        ASSERT_EQ(f.SetFormula(("1.5" + Repeat(link, 600)).c_str()), nullptr) << link;
        const int code = CodeOf(f.PartialDerivative("x", d));
        EXPECT_TRUE(code == 0 || code == 11) << link << " " << code;  // 11: no derivative rule
    }
    // The product of 600 factors and its derivative 600 x^599.
    ASSERT_EQ(f.SetFormula(("1" + Repeat("*x", 600)).c_str()), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    d.SetVariable("x", 1.001);
    ASSERT_EQ(d.Calc(v), nullptr);
    EXPECT_NEAR(v, 600 * std::pow(1.001, 599), 1e-9 * v);
}

TEST(FormulaStress, DeeperNestingReportsCode5)
{
    const std::string shapes[] = {
        Repeat("sin(", 10000) + "x" + Repeat(")", 10000),
        Repeat("-(", 10000) + "x" + Repeat(")", 10000),
        Repeat("!(", 10000) + "x" + Repeat(")", 10000),
        Repeat("~(", 1001) + "1" + Repeat(")", 1001),
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

TEST(FormulaStress, DerivativesOfDeeplyNestedFormulasWork)
{
    // A tower of 600 powers: its derivative tree is far deeper (and larger)
    // than the formula.
    const std::string text = Repeat("x^(", 600) + "x" + Repeat(")", 600);
    CZELTMathFormula f, d;
    ASSERT_EQ(f.SetFormula(text.c_str()), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    EXPECT_EQ(d.GetVariablesCount(), 1);
    const double x = 1.2, h = 1e-6;
    double v = 0, up = 0, down = 0;
    d.SetVariable("x", x);
    ASSERT_EQ(d.Calc(v), nullptr);
    f.SetVariable("x", x + h);
    ASSERT_EQ(f.Calc(up), nullptr);
    f.SetVariable("x", x - h);
    ASSERT_EQ(f.Calc(down), nullptr);
    EXPECT_NEAR(v, (up - down) / (2 * h), 1e-6 * std::fabs(v));
}

TEST(FormulaStress, DerivativesOfLongProductChains)
{
    // Each level of such a chain once asked its operands several times
    // whether they were constant, which took exponential time.
    const std::string text = "2*x" + Repeat("*x^2/y", 80);
    CZELTMathFormula f, d;
    ASSERT_EQ(f.SetFormula(text.c_str()), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    d.SetVariable("x", 1.01);
    d.SetVariable("y", 1.0);
    double v = 0;
    ASSERT_EQ(d.Calc(v), nullptr);
    // d/dx 2 x^161 = 322 x^160
    EXPECT_NEAR(v, 322 * std::pow(1.01, 160), 1e-9 * v);
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
