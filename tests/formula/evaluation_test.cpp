// Values of the formula language: grammar, operators, functions, constants,
// domain errors.

#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

using formula_test::CodeOf;
using formula_test::SetCode;

namespace {

struct Case {
    const char* text;
    double expected;
};

// Value of text with the given variables; NaN and a test failure on error.
double Value(const char* text, const std::map<std::string, double>& vars = {})
{
    CZELTMathFormula f;
    const char* err = f.SetFormula(text);
    EXPECT_EQ(err, nullptr) << text << ": " << (err ? err : "");
    if (err)
        return std::nan("");
    for (const auto& [name, value] : vars)
        f.SetVariable(name.c_str(), value);
    double v = std::nan("");
    err = f.Calc(v);
    EXPECT_EQ(err, nullptr) << text << ": " << (err ? err : "");
    return v;
}

// Error code of evaluating text with the given variables.
int CalcCode(const char* text, const std::map<std::string, double>& vars)
{
    CZELTMathFormula f;
    if (const char* err = f.SetFormula(text))
        return 100 + CodeOf(err);
    for (const auto& [name, value] : vars)
        f.SetVariable(name.c_str(), value);
    double v = 0;
    return CodeOf(f.Calc(v));
}

TEST(FormulaGrammar, PrecedenceAssociativityAndSigns)
{
    const Case cases[] = {
        {"2^3^2", 64}, {"2-3-4", -5}, {"-2^2", 4}, {"2*-3", -6}, {"1e-3*1000", 1},
        {"2E+2", 200}, {"2.5E+3 - 2500", 0}, {"1+2*3", 7}, {"(1+2)*3", 9},
        {"((((1+2))))*3", 9}, {"12/4/3", 1}, {"2**3**2", 64}, {"2*3^2", 18},
        {"1 + 2 < 4", 1}, {"1 < 2 == 1", 1}, {"1 < 2 && 3 < 2", 0},
        {"0 || 1 && 0", 0}, {"1 | 2 & 3", 3}, {"5 !& 1 | 8", 12},
        {"!0 && 1", 1}, {"~0 + 1", 0}, {"-(2+3)", -5}, {"2^(-(1))", 0.5},
        {"0-(2+3)", -5}, {"3 - -2", 5}, {"= 4", 4}, {"\t3 *\n2 ", 6},
        {"0x10", 16}, {".5+.5", 1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Value(c.text), c.expected) << c.text;
}

TEST(FormulaGrammar, NamedConstantsAndVariableNames)
{
    EXPECT_EQ(Value("pi"), 3.14159265);
    EXPECT_EQ(Value("Pi"), 3.14159265);
    EXPECT_EQ(Value("PI"), 3.14159265);
    EXPECT_EQ(Value("e"), std::exp(1.0));
    EXPECT_EQ(Value("E"), std::exp(1.0));
    EXPECT_EQ(Value("TRUE+TRUE"), 2);
    EXPECT_EQ(Value("false"), 0);
    // Any other word is a variable, case-sensitive.
    EXPECT_EQ(Value("X - x", {{"X", 5}, {"x", 2}}), 3);
    EXPECT_EQ(Value("a#b * 2", {{"a#b", 4}}), 8);
    EXPECT_EQ(Value("Height_1 + _a + x1", {{"Height_1", 1}, {"_a", 2}, {"x1", 3}}), 6);
    EXPECT_EQ(Value("x-e", {{"x", 3}}), 3 - std::exp(1.0));
    EXPECT_EQ(Value("2*e-1"), 2 * std::exp(1.0) - 1);
    // Function names are case-insensitive; a blank before "(" is allowed.
    EXPECT_EQ(Value("Sqrt(16) + SQRT (9) + sqrt(4)"), 9);
}

TEST(FormulaGrammar, SyntaxErrorCodes)
{
    const std::pair<const char*, int> cases[] = {
        {"", 21}, {"   ", 21}, {"()", 21}, {"sin(x)+", 21}, {"*2", 21}, {"2*()", 21},
        {"(a+b", 24}, {"a+b)", 24}, {"sin(x", 24}, {")(", 24},
        {"(a)(b)", 22}, {"f(x)(y)", 22}, {"x y", 22}, {"a # b", 22}, {"sin(1) (2)", 22},
        {"sin(x)y", 23}, {"a!b", 23}, {"--3", 23}, {"+(x)", 23}, {"2*", 21},
        {"1 ? 0 ? 5 : 6 : 7", 28},
        {"foo(x)", 25}, {"sinus(x)", 25}, {"x(y)", 25},
        {"a = b", 26}, {"a=b", 26}, {"x:y", 27}, {"1 ? 2", 28}, {"x ? y", 28},
        {"a ? b ? c : d : e", 28},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(SetCode(text), code) << text;
}

TEST(FormulaOperators, ArithmeticPowerAndRemainder)
{
    const Case cases[] = {
        {"7 % 3", 1}, {"-7 % 3", -1}, {"7.9 % 2.5", 1}, {"7 % -3", 1},
        {"2 ^ 10", 1024}, {"0 ^ 0", 0}, {"0 ^ -1", 0}, {"(-2) ^ 3", -8},
        {"(-2) ^ 2.9", 4}, {"(-8) ^ (1/3)", 1}, {"4 ** 0.5", 2}, {"2 ^ -1", 0.5},
        {"1 && 0", 0}, {"2 && 3", 1}, {"0 || 0", 0}, {"0 || -2", 1},
        {"6 & 3", 2}, {"6 | 3", 7}, {"6 !& 3", 5}, {"2.7 & 3", 2}, {"-1 & 12", 12},
        {"3 == 3", 1}, {"3 != 3", 0}, {"3 <= 3", 1}, {"3 >= 4", 0}, {"3 < 4", 1}, {"3 > 4", 0},
        {"1 ? 2 : 3", 2}, {"0 ? 2 : 3", 3}, {"1 ? (0 ? 5 : 6) : 7", 6},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Value(c.text), c.expected) << c.text;
    EXPECT_EQ(Value("x > 0 ? 1 : -1", {{"x", 2}}), 1);
    EXPECT_EQ(Value("x > 0 ? 1 : -1", {{"x", -2}}), -1);
    // A conditional chain groups to the left: (a ? b : w) ? d : e.
    EXPECT_EQ(Value("a ? b : w ? d : e", {{"a", 1}, {"b", 0}, {"w", 1}, {"d", 5}}), std::exp(1.0));
    EXPECT_EQ(Value("a ? b : w ? d : e", {{"a", 1}, {"b", 2}, {"d", 5}}), 5);
    // Only the chosen branch and the needed operand are evaluated.
    EXPECT_EQ(Value("x ? 1/x : 0", {{"x", 0}}), 0);
    EXPECT_EQ(Value("x && 1/x", {{"x", 0}}), 0);
    EXPECT_EQ(Value("x || 1/y", {{"x", 1}, {"y", 0}}), 1);
    // Division and remainder by zero.
    EXPECT_EQ(CalcCode("x / y", {{"x", 1}, {"y", 0}}), 1);
    EXPECT_EQ(CalcCode("x % y", {{"x", 1}, {"y", 0}}), 1);
    EXPECT_EQ(CalcCode("x % y", {{"x", 1}, {"y", 0.5}}), 1);  // divisor truncates to 0
    EXPECT_EQ(SetCode("5 % 0"), 1);
    EXPECT_EQ(SetCode("0 && (1/0)"), 1);  // folded when set
    // Huge operands saturate to the 32-bit range instead of overflowing.
    EXPECT_EQ(Value("x & y", {{"x", 1e300}, {"y", -1}}), 2147483647);
    EXPECT_EQ(Value("-1e300 % 7"), -2);  // INT_MIN % 7
    EXPECT_EQ(Value("-1e300 % -1"), 0);
}

TEST(FormulaFunctions, ValuesAndRounding)
{
    const Case cases[] = {
        {"abs(-3)", 3}, {"neg(2)", -2}, {"ceil(-1.5)", -1}, {"floor(-1.5)", -2},
        {"!(0)", 1}, {"!(5)", 0}, {"~(5)", -6}, {"~(-1.5)", 0}, {"sqrt(0)", 0},
        {"sqrt(2.25)", 1.5}, {"ln(e)", 1}, {"log(1000)", 3}, {"exp(0)", 1},
        {"cosh(0)", 1}, {"sinh(0)", 0}, {"tanh(0)", 0}, {"sech(0)", 1},
        {"atan(1)*4", std::atan(1.0) * 4}, {"asin(1)", std::asin(1.0)},
        {"acos(-1)", std::acos(-1.0)}, {"asec(2)", std::acos(0.5)}, {"acsc(2)", std::asin(0.5)},
        {"acot(2)", std::atan(0.5)}, {"sec(1)", 1 / std::cos(1.0)}, {"csc(1)", 1 / std::sin(1.0)},
        {"cot(1)", 1 / std::tan(1.0)}, {"tan(1)", std::tan(1.0)}, {"csch(1)", 1 / std::sinh(1.0)},
        {"coth(1)", 1 / std::tanh(1.0)},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Value(c.text), c.expected) << c.text;
    // tan at the double nearest pi/2: the cosine is not exactly 0.
    const double big = Value("tan(x)", {{"x", 3.14159265358979323846 / 2}});
    EXPECT_GT(std::fabs(big), 1e15);
}

TEST(FormulaFunctions, DomainErrors)
{
    const std::pair<const char*, int> folded[] = {
        {"ln(0)", 4}, {"log(-1)", 3}, {"sqrt(-0.5)", 2}, {"asin(1.5)", 6}, {"acos(-2)", 7},
        {"asec(0.5)", 8}, {"asec(1)", 8}, {"acsc(-1)", 9}, {"acot(0)", 10}, {"csc(0)", 15},
        {"cot(0)", 13}, {"csch(0)", 18}, {"coth(0)", 19}, {"1 + sqrt(-1)", 2},
    };
    for (const auto& [text, code] : folded)
        EXPECT_EQ(SetCode(text), code) << text;
    // The same errors at evaluation time.
    EXPECT_EQ(CalcCode("ln(x)", {{"x", -1}}), 4);
    EXPECT_EQ(CalcCode("log(x)", {{"x", 0}}), 3);
    EXPECT_EQ(CalcCode("sqrt(x)", {{"x", -1e-300}}), 2);
    EXPECT_EQ(CalcCode("asin(x)", {{"x", -1.0000001}}), 6);
    EXPECT_EQ(CalcCode("acos(x)", {{"x", 1.5}}), 7);
    EXPECT_EQ(CalcCode("asec(x)", {{"x", -1}}), 8);
    EXPECT_EQ(CalcCode("acsc(x)", {{"x", 0}}), 9);
    EXPECT_EQ(CalcCode("acot(x)", {{"x", 0}}), 10);
    EXPECT_EQ(CalcCode("csc(x)", {{"x", 0}}), 15);
    EXPECT_EQ(CalcCode("cot(x)", {{"x", 0}}), 13);
    EXPECT_EQ(CalcCode("csch(x)", {{"x", 0}}), 18);
    EXPECT_EQ(CalcCode("coth(x)", {{"x", 0}}), 19);
    EXPECT_EQ(CalcCode("ln(x) + 1/0*0", {{"x", 1}}), 101);
    // The first failure in evaluation order is reported: "/" evaluates its
    // divisor first.
    EXPECT_EQ(CalcCode("ln(x) / sqrt(x)", {{"x", -1}}), 2);
    EXPECT_EQ(CalcCode("ln(x) * sqrt(x)", {{"x", -1}}), 4);
}

TEST(FormulaFunctions, RandomValuesStayInRange)
{
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula("RAND()"), nullptr);
    CZELTMathFormula g;
    ASSERT_EQ(g.SetFormula("rand(10)"), nullptr);
    CZELTMathFormula h;
    ASSERT_EQ(h.SetFormula("rand(x)"), nullptr);
    h.SetVariable("x", -3);
    double lo = 1e9, hi = -1e9;
    for (int i = 0; i < 2000; ++i) {
        double a = -1, b = -1, c = 1;
        ASSERT_EQ(f.Calc(a), nullptr);
        ASSERT_EQ(g.Calc(b), nullptr);
        ASSERT_EQ(h.Calc(c), nullptr);
        EXPECT_TRUE(a >= 0 && a <= 1) << a;
        EXPECT_TRUE(b >= 0 && b <= 10) << b;
        EXPECT_TRUE(c >= -3 && c <= 0) << c;
        lo = std::min(lo, b);
        hi = std::max(hi, b);
    }
    EXPECT_LT(lo, 1);  // the values spread over the range
    EXPECT_GT(hi, 9);
    h.SetVariable("x", 0);
    double z = 1;
    ASSERT_EQ(h.Calc(z), nullptr);
    EXPECT_EQ(z, 0);
    // RAND is never folded and never merged: rand(1) - rand(1) varies.
    CZELTMathFormula d;
    ASSERT_EQ(d.SetFormula("rand(1) - rand(1)"), nullptr);
    bool nonzero = false;
    for (int i = 0; i < 20 && !nonzero; ++i) {
        double v = 0;
        ASSERT_EQ(d.Calc(v), nullptr);
        nonzero = v != 0;
    }
    EXPECT_TRUE(nonzero);
}

} // namespace
