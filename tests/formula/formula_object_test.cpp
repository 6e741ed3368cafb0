// Life cycle of the formula object: texts, variables, copies, derivatives
// as formula objects, angle factor.

#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <cmath>

using formula_test::CodeOf;

namespace {

const double kPi = 3.14159265358979323846;

double CalcOf(CZELTMathFormula& f)
{
    double v = -12345.0;
    const char* err = f.Calc(v);
    EXPECT_EQ(err, nullptr) << f.GetFormula() << ": " << (err ? err : "");
    return v;
}

TEST(FormulaObject, FreshObjectIsEmpty)
{
    CZELTMathFormula f;
    EXPECT_STREQ(f.GetFormula(), "");
    EXPECT_EQ(f.GetVariablesCount(), 0);
    EXPECT_EQ(f.GetAngleFactor(), 1.0);
    double v = 7;
    const char* err = f.Calc(v);
    ASSERT_NE(err, nullptr);
    EXPECT_STREQ(err, "");
    EXPECT_EQ(v, 7);
    CZELTMathFormula d;
    const char* derr = f.PartialDerivative("x", d);
    ASSERT_NE(derr, nullptr);
    EXPECT_STREQ(derr, "");
    CZELTString name("keep");
    double value = 3;
    EXPECT_FALSE(f.GetVariable(0, name, value));
    EXPECT_FALSE(f.GetVariable("x", value));
    EXPECT_STREQ(name, "keep");
    EXPECT_EQ(value, 3);
    f.SetVariable("x", 1);  // ignored silently
    EXPECT_EQ(f.GetVariablesCount(), 0);
}

TEST(FormulaObject, TextIsKeptAsGivenAndCanBeReparsed)
{
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula("  x + 1 "), nullptr);
    EXPECT_STREQ(f.GetFormula(), "  x + 1 ");
    f.SetVariable("x", 4);
    EXPECT_EQ(CalcOf(f), 5);

    CZELTMathFormula g;
    g.SetAngleFactor(2.0);
    ASSERT_EQ(g.SetFormula(f), nullptr);
    EXPECT_STREQ(g.GetFormula(), "  x + 1 ");
    double x = 1;
    EXPECT_TRUE(g.GetVariable("x", x));
    EXPECT_EQ(x, 0.0);  // values come from g's previous formula, not from f
    EXPECT_EQ(g.GetAngleFactor(), 2.0);

    // Setting an object's own text again keeps its values.
    ASSERT_EQ(f.SetFormula(f.GetFormula()), nullptr);
    EXPECT_EQ(CalcOf(f), 5);
    ASSERT_EQ(f.SetFormula(f), nullptr);
    EXPECT_EQ(CalcOf(f), 5);

    ASSERT_EQ(f.SetFormula("=x*3"), nullptr);  // a leading "=" is skipped
    EXPECT_EQ(CalcOf(f), 12);
    EXPECT_EQ(CodeOf(f.SetFormula(nullptr)), 21);
}

TEST(FormulaObject, FailedSetKeepsPreviousFormulaAndValues)
{
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula("x*2"), nullptr);
    f.SetVariable("x", 3);
    const char* err = f.SetFormula("1/0");
    EXPECT_EQ(CodeOf(err), 1);
    EXPECT_STREQ(f.GetFormula(), "x*2");
    EXPECT_EQ(CalcOf(f), 6);
    EXPECT_EQ(CodeOf(f.SetFormula("sqrt(-4) + x")), 2);
    EXPECT_EQ(CodeOf(f.SetFormula("(x")), 24);
    EXPECT_EQ(CalcOf(f), 6);

    // The error text stays until the next failure, also across successes.
    CZELTMathFormula empty;
    EXPECT_EQ(CodeOf(empty.SetFormula("x y")), 22);
    double v = 0;
    EXPECT_EQ(CodeOf(empty.Calc(v)), 22);
    CZELTMathFormula d;
    EXPECT_EQ(CodeOf(empty.PartialDerivative("x", d)), 22);
    ASSERT_EQ(empty.SetFormula("2"), nullptr);
    EXPECT_EQ(CalcOf(empty), 2);
    EXPECT_EQ(CodeOf(empty.SetFormula("asin(2)")), 6);
    EXPECT_EQ(CalcOf(empty), 2);
}

TEST(FormulaObject, VariablesInOrderOfFirstOccurrenceAndCarriedOver)
{
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula("b*a+b"), nullptr);
    ASSERT_EQ(f.GetVariablesCount(), 2);
    CZELTString name;
    double value = -1;
    ASSERT_TRUE(f.GetVariable(0, name, value));
    EXPECT_STREQ(name, "b");
    EXPECT_EQ(value, 0.0);
    ASSERT_TRUE(f.GetVariable(1, name, value));
    EXPECT_STREQ(name, "a");
    name = "untouched";
    value = 9;
    EXPECT_FALSE(f.GetVariable(2, name, value));
    EXPECT_FALSE(f.GetVariable(-1, name, value));
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(value, 9);

    ASSERT_EQ(f.SetFormula("x*y"), nullptr);
    f.SetVariable("x", 2);
    f.SetVariable("X", 5);  // names are case-sensitive: no such variable
    double x = 0;
    ASSERT_TRUE(f.GetVariable("x", x));
    EXPECT_EQ(x, 2);
    EXPECT_FALSE(f.GetVariable("X", x));
    ASSERT_EQ(f.SetFormula("x+z"), nullptr);
    ASSERT_TRUE(f.GetVariable("x", x));
    EXPECT_EQ(x, 2);
    double z = 1;
    ASSERT_TRUE(f.GetVariable("z", z));
    EXPECT_EQ(z, 0);
    EXPECT_EQ(CalcOf(f), 2);

    // Names that simplification removes stay in the store.
    ASSERT_EQ(f.SetFormula("0*q + X + x"), nullptr);
    EXPECT_EQ(f.GetVariablesCount(), 3);
    f.SetVariable("X", 10);
    EXPECT_EQ(CalcOf(f), 12);
}

TEST(FormulaObject, CopiesShareNothingAndResetValues)
{
    CZELTMathFormula f;
    f.SetAngleFactor(kPi / 180);
    ASSERT_EQ(f.SetFormula("sin(x) + y"), nullptr);
    f.SetVariable("x", 90);
    f.SetVariable("y", 1);
    EXPECT_NEAR(CalcOf(f), 2, 1e-15);

    CZELTMathFormula g(f);
    EXPECT_STREQ(g.GetFormula(), "sin(x) + y");
    EXPECT_EQ(g.GetAngleFactor(), kPi / 180);
    double y = 5;
    ASSERT_TRUE(g.GetVariable("y", y));
    EXPECT_EQ(y, 0);  // values are not copied
    g.SetVariable("x", 30);
    EXPECT_NEAR(CalcOf(g), 0.5, 1e-15);
    EXPECT_NEAR(CalcOf(f), 2, 1e-15);

    CZELTMathFormula h;
    ASSERT_EQ(h.SetFormula("1+1"), nullptr);
    h = f;
    EXPECT_STREQ(h.GetFormula(), "sin(x) + y");
    EXPECT_EQ(h.GetVariablesCount(), 2);
    h = h;  // self-assignment does nothing
    EXPECT_EQ(h.GetVariablesCount(), 2);

    // The error text is not copied; assignment from an empty object empties.
    CZELTMathFormula failed;
    EXPECT_EQ(CodeOf(failed.SetFormula("")), 21);
    CZELTMathFormula copy(failed);
    double v = 0;
    EXPECT_STREQ(copy.Calc(v), "");
    h = failed;
    EXPECT_EQ(h.GetVariablesCount(), 0);
    EXPECT_STREQ(h.GetFormula(), "");
    EXPECT_STREQ(h.Calc(v), "");
}

TEST(FormulaObject, PartialDerivativeIsAFormulaObject)
{
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula("x^2"), nullptr);
    f.SetVariable("x", 3);
    CZELTMathFormula d;
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    EXPECT_STREQ(d.GetFormula(), "2 * x");
    ASSERT_EQ(d.GetVariablesCount(), 1);
    double x = 1;
    ASSERT_TRUE(d.GetVariable("x", x));
    EXPECT_EQ(x, 0.0);
    d.SetVariable("x", 3);
    EXPECT_EQ(CalcOf(d), 6);
    CZELTMathFormula again;
    ASSERT_EQ(again.SetFormula(d.GetFormula()), nullptr);

    // By a name that does not occur: the constant 0.
    ASSERT_EQ(f.PartialDerivative("y", d), nullptr);
    EXPECT_STREQ(d.GetFormula(), "0");
    EXPECT_EQ(d.GetVariablesCount(), 0);

    // Into the object itself.
    ASSERT_EQ(f.SetFormula("x^3"), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", f), nullptr);
    EXPECT_STREQ(f.GetFormula(), "3 * x ^ 2");

    // Errors are recorded in the source object.
    CZELTMathFormula g;
    ASSERT_EQ(g.SetFormula("abs(x)"), nullptr);
    CZELTMathFormula r;
    EXPECT_EQ(CodeOf(g.PartialDerivative("x", r)), 11);
    double v = 0;
    EXPECT_EQ(CodeOf(g.Calc(v)), 0);
    ASSERT_EQ(g.SetFormula("x % 2 + rand(x)"), nullptr);
    EXPECT_EQ(CodeOf(g.PartialDerivative("x", r)), 11);
    ASSERT_EQ(g.SetFormula("floor(x)"), nullptr);
    EXPECT_EQ(CodeOf(g.PartialDerivative("x", r)), 11);
    ASSERT_EQ(g.SetFormula("x < 1"), nullptr);
    EXPECT_EQ(CodeOf(g.PartialDerivative("x", r)), 11);
}

TEST(FormulaObject, AngleFactor)
{
    CZELTMathFormula f;
    f.SetAngleFactor(kPi / 180);
    ASSERT_EQ(f.SetFormula("sin(30)"), nullptr);
    EXPECT_NEAR(CalcOf(f), 0.5, 1e-15);

    // Constants are folded when the formula is set, with the factor then.
    CZELTMathFormula g;
    ASSERT_EQ(g.SetFormula("sin(30)"), nullptr);
    g.SetAngleFactor(kPi / 180);
    EXPECT_DOUBLE_EQ(CalcOf(g), std::sin(30.0));

    // With variables the factor in force at Calc counts.
    ASSERT_EQ(g.SetFormula("sin(x) + atan(y) + acos(z)"), nullptr);
    g.SetVariable("x", 90);
    g.SetVariable("y", 1);
    g.SetVariable("z", 0);
    EXPECT_NEAR(CalcOf(g), 1 + 45 + 90, 1e-12);
    g.SetAngleFactor(kPi / 200);  // grads
    EXPECT_NEAR(CalcOf(g), std::sin(90 * kPi / 200) + 50 + 100, 1e-12);

    // Derivatives do not include the factor.
    g.SetAngleFactor(kPi / 180);
    ASSERT_EQ(g.SetFormula("sin(x)"), nullptr);
    CZELTMathFormula d;
    ASSERT_EQ(g.PartialDerivative("x", d), nullptr);
    EXPECT_STREQ(d.GetFormula(), "COS( x )");
    EXPECT_EQ(d.GetAngleFactor(), kPi / 180);
    d.SetVariable("x", 60);
    EXPECT_NEAR(CalcOf(d), 0.5, 1e-15);

    // Each object evaluates under its own factor, whatever the others use.
    CZELTMathFormula rad;
    ASSERT_EQ(rad.SetFormula("cos(x)"), nullptr);
    rad.SetVariable("x", kPi);
    EXPECT_EQ(CalcOf(rad), -1);
}

} // namespace
