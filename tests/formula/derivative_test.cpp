// Symbolic derivatives: their printed texts (which show the simplification
// rules at work) and their values against central finite differences.

#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using formula_test::CodeOf;

namespace {

std::string DerivativeText(const char* text, const char* by)
{
    CZELTMathFormula f;
    const char* err = f.SetFormula(text);
    EXPECT_EQ(err, nullptr) << text;
    CZELTMathFormula d;
    err = f.PartialDerivative(by, d);
    EXPECT_EQ(err, nullptr) << text << ": " << (err ? err : "");
    return err ? std::string("error ") + err : std::string(d.GetFormula());
}

TEST(FormulaDerivativeText, SimplificationRules)
{
    const std::pair<const char*, const char*> cases[] = {
        // x + 0, 0 + x, x - 0, x * 1, 1 * x and x ^ 1 are x alone.
        {"(x + 0) * y", "x"}, {"(0 + x) * y", "x"}, {"(x - 0) * y", "x"},
        {"x * 1 * y", "x"}, {"1 * x * y", "x"}, {"x ^ 1 * y", "x"},
        {"x * y", "x"}, {"y * x", "x"},
        {"(x + x) * y", "2 * x"},       // x + x is 2 * x
        {"x * x * y", "x ^ 2"},         // x * x is x ^ 2
        {"(x - x) * y + y", "1"},       // x - x is 0
        {"(x % x) * y + y", "1"},       // x % x is 0
        {"(x / x) * y", "1"},           // x / x is 1
        {"y ^ 1", "1"},
        {"(x + 0 == x) * y", "1"},      // operands the same
        {"(x < x) * y + 1", "0"},
        {"(x | 0) * y", "x"}, {"(0 !& x) * y", "x"}, {"(x & -1) * y", "x"},
        {"(x || 1) * y", "1"}, {"(x && 0) * y + y", "1"},
        {"(1 ? x : q) * y", "x"}, {"(c ? x : x) * y", "x"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DerivativeText(text, "y"), expected) << text;
}

TEST(FormulaDerivativeText, RulesPrintAsDocumented)
{
    const std::pair<const char*, const char*> cases[] = {
        {"x ^ 3", "3 * x ^ 2"},
        {"sin(x)", "COS( x )"},
        {"ln(x)", "1 / x"},
        {"exp(2*x)", "EXP( 2 * x ) * 2"},
        {"cos(x)", "NEG( SIN( x ) )"},
        {"sqrt(x)", "1 / ( SQRT( x ) * 2 )"},
        {"log(x)", "1 / ( x * 2.3 )"},
        {"tan(x)", "SEC( x ) ^ 2"},
        {"atan(x)", "1 / ( 1 + x ^ 2 )"},
        {"2 ^ x", "2 ^ x * 0.693"},
        {"x ^ x", "x * x ^ ( x - 1 ) + x ^ x * LN( x )"},
        {"x / y", "y / y ^ 2"},
        {"x ** 2", "2 * x"},
        {"-x", "-1"},
        {"a - x", "-1"},
        {"x - a", "1"},
        {"x > 0 ? x * x : 3 * x", "x > 0 ? 2 * x : 3"},
        {"(a + b) * x", "a + b"},
        {"x * (a - b - c)", "( a - b ) - c"},
        {"1234.5 * x", "1.23e+03"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DerivativeText(text, "x"), expected) << text;
}

struct Differentiable {
    const char* text;  // a formula in x and y
    double lo, hi;     // range of x
};

// Central differences of f by x against the value of its derivative at
// random points.
void CheckAgainstDifferences(const Differentiable& c, std::mt19937& rng)
{
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula(c.text), nullptr) << c.text;
    CZELTMathFormula d;
    const char* err = f.PartialDerivative("x", d);
    ASSERT_EQ(err, nullptr) << c.text << ": " << err;
    // The printed text parses again to the same function.
    CZELTMathFormula reparsed;
    ASSERT_EQ(reparsed.SetFormula(d.GetFormula()), nullptr) << d.GetFormula();

    std::uniform_real_distribution<double> xs(c.lo, c.hi), ys(0.8, 1.2);
    for (int i = 0; i < 25; ++i) {
        const double x = xs(rng), y = ys(rng);
        const double h = 1e-5 * std::max(1.0, std::fabs(x));
        f.SetVariable("y", y);
        double fp = 0, fm = 0, dv = 0, rv = 0;
        f.SetVariable("x", x + h);
        ASSERT_EQ(f.Calc(fp), nullptr) << c.text;
        f.SetVariable("x", x - h);
        ASSERT_EQ(f.Calc(fm), nullptr) << c.text;
        d.SetVariable("x", x);
        d.SetVariable("y", y);
        ASSERT_EQ(d.Calc(dv), nullptr) << d.GetFormula() << " at " << x;
        const double numeric = (fp - fm) / (2 * h);
        EXPECT_NEAR(dv, numeric, 1e-5 * std::max(1.0, std::fabs(numeric)))
            << c.text << " -> " << d.GetFormula() << " at x=" << x << " y=" << y;
        reparsed.SetVariable("x", x);
        reparsed.SetVariable("y", y);
        ASSERT_EQ(reparsed.Calc(rv), nullptr);
        // Constants print with three digits, so the reparsed text is close,
        // not equal.
        EXPECT_NEAR(rv, dv, 5e-3 * std::max(1.0, std::fabs(dv))) << d.GetFormula();
    }
}

TEST(FormulaDerivativeValue, FunctionsMatchFiniteDifferences)
{
    // Arguments are y*x so that the chain rule is exercised too.
    const Differentiable cases[] = {
        {"ln(y*x)", 0.5, 3},      {"log(y*x)", 0.5, 3},    {"exp(y*x)", -2, 2},
        {"sqrt(y*x)", 0.5, 3},    {"neg(y*x)", -3, 3},     {"sin(y*x)", -3, 3},
        {"cos(y*x)", -3, 3},      {"tan(y*x)", -1.2, 1.2}, {"sec(y*x)", -1.2, 1.2},
        {"csc(y*x)", 0.3, 2.5},   {"cot(y*x)", 0.3, 2.5},  {"asin(y*x)", -0.75, 0.75},
        {"acos(y*x)", -0.75, 0.75}, {"atan(y*x)", -3, 3},  {"asec(y*x)", 1.4, 3},
        {"acsc(y*x)", 1.4, 3},
        {"acot(y*x)", 0.3, 3},    {"acot(y*x)", -3, -0.3}, {"sinh(y*x)", -2, 2},
        {"cosh(y*x)", -2, 2},     {"tanh(y*x)", -2, 2},    {"sech(y*x)", -2, 2},
        {"csch(y*x)", 0.3, 2},    {"coth(y*x)", 0.3, 2},   {"-(y*x)", -2, 2},
    };
    std::mt19937 rng(12345);
    for (const Differentiable& c : cases)
        CheckAgainstDifferences(c, rng);
}

TEST(FormulaDerivativeValue, OperatorsMatchFiniteDifferences)
{
    const Differentiable cases[] = {
        {"x + y*x", -3, 3},          {"x - y*x*x", -3, 3},     {"x * y * x", -3, 3},
        {"y / x", 0.5, 3},           {"x / (y + x*x)", -3, 3}, {"x ^ y", 0.5, 3},
        {"y ^ x", -2, 2},            {"x ^ x", 0.5, 2},        {"x ** 3", -2, 2},
        {"(x*y) ** (y + x)", 0.5, 2}, {"x ^ 6 - 3*x^5 + 2*x^4 - x^3 + 7*x^2 - x + 1", -2, 2},
        {"x > 1 ? x * x : y * x", -1, 3}, {"x > 0 ? (x < 1 ? sin(x) : x^2) : -x", -2, 2},
        {"y*sin(x) + 2", -3, 3},     {"exp(-x*x/2) * cos(3*x) / sqrt(1 + x*x)", -2, 2},
        {"ln(x) * x - x", 0.5, 4},   {"atan(x/y) + acos(x/4)", -3, 3},
    };
    std::mt19937 rng(777);
    for (const Differentiable& c : cases)
        CheckAgainstDifferences(c, rng);
}

TEST(FormulaDerivativeValue, ArcSecantRulesKeepTheirClassicalFormOnTheNegativeSide)
{
    // The rules u' / (U * SQRT(U ^ 2 - 1)) are the classical ones; for u < -1
    // the true slope is u' / (|U| * SQRT(U ^ 2 - 1)), so the rule's value has
    // the opposite sign there.
    for (const char* text : {"asec(x)", "acsc(x)"}) {
        CZELTMathFormula f, d;
        ASSERT_EQ(f.SetFormula(text), nullptr);
        ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
        const double x = -2, h = 1e-6;
        double fp = 0, fm = 0, dv = 0;
        f.SetVariable("x", x + h);
        ASSERT_EQ(f.Calc(fp), nullptr);
        f.SetVariable("x", x - h);
        ASSERT_EQ(f.Calc(fm), nullptr);
        d.SetVariable("x", x);
        ASSERT_EQ(d.Calc(dv), nullptr);
        EXPECT_NEAR(dv, -(fp - fm) / (2 * h), 1e-8) << text;
    }
}

TEST(FormulaDerivativeValue, SecondDerivativesAndOtherVariables)
{
    CZELTMathFormula f, d1, d2, dy;
    ASSERT_EQ(f.SetFormula("x^3*y + sin(x*y)"), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", d1), nullptr);
    ASSERT_EQ(d1.PartialDerivative("x", d2), nullptr);
    ASSERT_EQ(f.PartialDerivative("y", dy), nullptr);
    const double x = 0.7, y = 1.3;
    for (CZELTMathFormula* g : {&d2, &dy}) {
        g->SetVariable("x", x);
        g->SetVariable("y", y);
    }
    double v2 = 0, vy = 0;
    ASSERT_EQ(d2.Calc(v2), nullptr);
    ASSERT_EQ(dy.Calc(vy), nullptr);
    EXPECT_NEAR(v2, 6 * x * y - y * y * std::sin(x * y), 1e-12);
    EXPECT_NEAR(vy, x * x * x + x * std::cos(x * y), 1e-12);
}

TEST(FormulaDerivativeValue, ConstantExponentOfNegativeBaseFailsOnlyWhenFolded)
{
    // The derivative of a constant base includes LN(base), folded at once.
    CZELTMathFormula f, d;
    ASSERT_EQ(f.SetFormula("(0-2) ^ x"), nullptr);
    EXPECT_EQ(CodeOf(f.PartialDerivative("x", d)), 4);
}

} // namespace
