// The parser's error records with their offsets, the printed form of trees,
// the variable store, the error texts and the angle-factor bookkeeping.

#include <zeltmath/base/string.h>
#include <zeltmath/formula/detail/angle.h>
#include <zeltmath/formula/detail/formula_impl.h>
#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/operators.h>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <thread>

using namespace zeltmath::formula;

namespace {

struct Outcome {
    int code, start, end;
};

Outcome ParseOutcome(const char* text)
{
    AngleFactorScope angle(1.0);
    try {
        FunctionInterpreter fi(text);
        return {0, 0, 0};
    } catch (const ParseErrorMsg& e) {
        return {e.code, e.start, e.end};
    }
}

std::string Printed(const char* text)
{
    AngleFactorScope angle(1.0);
    FunctionInterpreter fi(text);
    return fi.Print();
}

TEST(FormulaParserErrors, CodesAndOffsets)
{
    struct Row {
        const char* text;
        Outcome expected;
    };
    const Row rows[] = {
        {"", {21, 0, -1}},
        {"   ", {21, 0, 2}},
        {"()", {21, 0, 1}},
        {"sin(x)+", {21, 7, 6}},
        {"*2", {21, 0, -1}},
        {"2*( )", {21, 2, 4}},
        {"(a+b", {24, 0, 0}},
        {"a+b)", {24, 3, 3}},
        {"x+(a*(b)", {24, 2, 2}},
        {"(a)(b)", {22, 2, 3}},
        {"f(x)(y)", {22, 3, 4}},
        {"x  y", {22, 1, 2}},
        {"a # b", {22, 1, 1}},
        {"sin(x)y", {23, 5, 6}},
        {"sin(x) y", {23, 5, 7}},
        {"a!b", {23, 0, 0}},
        {"(a) ~ b", {23, 1, 1}},
        {"- ", {23, 0, 0}},
        {"2*-", {23, 2, 2}},
        {"1e-", {23, 2, 2}},
        {"+(x)", {23, 0, 0}},
        {"foo(x)", {25, 3, 0}},
        {"x+sinus(x)", {25, 7, 2}},
        {"a = b", {26, 2, 2}},
        {"x + = y", {26, 4, 4}},
        {"x;y", {0, 0, 0}},  // ";" is part of a name
        {"x:y", {27, -1, -1}},
        {"x?y", {28, 2, 2}},
        {"x ? y ", {28, 3, 4}},
        {"1/0", {1, -1, -1}},
        {"sqrt(-1)", {2, -1, -1}},
        {"=x+1", {0, 0, 0}},
        {"a#b", {0, 0, 0}},
        {"-(x+1)", {0, 0, 0}},
    };
    for (const Row& row : rows) {
        const Outcome o = ParseOutcome(row.text);
        EXPECT_EQ(o.code, row.expected.code) << row.text;
        EXPECT_EQ(o.start, row.expected.start) << row.text;
        EXPECT_EQ(o.end, row.expected.end) << row.text;
    }
}

TEST(FormulaParserErrors, DepthLimitNamesThePiece)
{
    std::string text = "1+";
    for (int i = 0; i < kMaxNestingDepth; ++i)
        text += "sin(";
    text += "x";
    text += std::string(static_cast<std::size_t>(kMaxNestingDepth), ')');
    const Outcome o = ParseOutcome(text.c_str());
    EXPECT_EQ(o.code, kErrNoMemory);
    EXPECT_GT(o.start, 2);
    EXPECT_LE(o.end, static_cast<int>(text.size()) - 1);
}

TEST(FormulaTreePrinting, GroupingAndNumbers)
{
    const std::pair<const char*, const char*> rows[] = {
        {"(a+b)*z", "= ( a + b ) * z"},
        {"a*b+z", "= a * b + z"},
        {"a-b-z", "= ( a - b ) - z"},
        {"a-(b-z)", "= a - ( b - z )"},
        {"x>0?1:-1", "= x > 0 ? 1 : -1"},
        {"a?b:w?d:f", "= ( a ? b : w ) ? d : f"},
        {"2^x^y", "= ( 2 ^ x ) ^ y"},
        {"-x", "= NEG( x )"},
        {"!x && ~y", "= !( x ) && ~( y )"},
        {"a||b|c!&d&f", "= a || b | c !& d & f"},
        {"a**b", "= a ** b"},
        {"sin (x+1)", "= SIN( x + 1 )"},
        {"1234.5", "= 1.23e+03"},
        {"0.5", "= 0.5"},
        {"1/3", "= 0.333"},
        {"-0.000012345", "= -1.23e-05"},
        {"RAND(x)", "= RAND( x )"},
        {"RAND()", "= RAND(  )"},
        {"x+x", "= 2 * x"},
        {"x*x", "= x ^ 2"},
        {"0-x", "= NEG( x )"},
        {"x^0+y", "= 1 + y"},
        {"1^x", "= 1"},
        {"x/x", "= 1"},
        {"0/x", "= 0"},
        {"x&&1", "= x && 1"},
        {"x && 0", "= 0"},
        {"0 || x", "= 0 || x"},
        {"x|-1", "= -1"},
        {"x&x", "= x"},
        {"c ? x : x", "= x"},
        {"0 ? x : y", "= y"},
        {"rand(1) - rand(1)", "= RAND(  ) - RAND(  )"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(Printed(text), expected) << text;
}

TEST(FormulaVariableStore, OrderCopiesAndLookups)
{
    AngleFactorScope angle(1.0);
    FunctionInterpreter fi("b*a+b+0*q");
    ASSERT_EQ(fi.GetVariablesCount(), 3);
    EXPECT_STREQ(fi.GetVariableName(0), "b");
    EXPECT_STREQ(fi.GetVariableName(1), "a");
    EXPECT_STREQ(fi.GetVariableName(2), "q");
    EXPECT_EQ(fi.GetVariableName(3), nullptr);
    EXPECT_EQ(fi.GetVariableName(-1), nullptr);
    EXPECT_EQ(fi.FindVariable("B"), -1);
    EXPECT_TRUE(fi.SetVariable("a", 2));
    EXPECT_TRUE(fi.SetVariable(0, 3));
    EXPECT_FALSE(fi.SetVariable("z", 1));
    EXPECT_FALSE(fi.SetVariable(3, 1));
    EXPECT_EQ(fi.Evaluate(), 3 * 2 + 3);
    EXPECT_EQ(fi.GetVariableValue("a"), 2);
    try {
        fi.GetVariableValue("zz");
        ADD_FAILURE() << "no error for an unknown name";
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrUnknownVariable);
    }
    // A copy rebuilds the store from its tree: q is gone, values are 0.
    FunctionInterpreter copy;
    copy = fi;
    ASSERT_EQ(copy.GetVariablesCount(), 2);
    EXPECT_EQ(copy.GetVariableValue(0), 0.0);
    EXPECT_TRUE(copy.IsSame(fi));
    EXPECT_FALSE(copy.IsDifferent(fi));
    FunctionInterpreter other("b*a+b+1");
    EXPECT_TRUE(other.IsDifferent(fi));
    FunctionInterpreter empty1, empty2;
    EXPECT_TRUE(empty1.IsSame(empty2));
    EXPECT_TRUE(empty1.IsDifferent(fi));
    EXPECT_TRUE(empty1.IsConstant());
    // Derivative by index and by node.
    Tree d(fi.DerivativeBy(1));
    FunctionInterpreter dfi(d.release());
    EXPECT_EQ(dfi.Print(), "= b");
    try {
        fi.DerivativeBy(7);
        ADD_FAILURE() << "no error for a bad index";
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrUnknownVariable);
    }
    // Interpreters combined by function and operator.
    FunctionInterpreter sum(kOpPlus, fi, other);
    EXPECT_EQ(sum.GetVariablesCount(), 2);
    FunctionInterpreter root(kFnSqrt, FunctionInterpreter(16.0));
    EXPECT_EQ(root.Evaluate(), 4);
    EXPECT_EQ(FunctionInterpreter(2.5).Print(), "= 2.5");
    try {
        FunctionInterpreter bad(kOpInvalid, fi, other);
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrUnknownOperator);
    }
    try {
        FunctionInterpreter bad(99, fi);
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrUnknownFunction);
    }
}

TEST(FormulaNodes, StructuralComparisonAndCopies)
{
    AngleFactorScope angle(1.0);
    FunctionInterpreter a("sin(x) * (y + 1)");
    FunctionInterpreter b("SIN(x)*(y+1)");
    FunctionInterpreter c("sin(x) * (y + 2)");
    FunctionInterpreter r("rand(x)");
    EXPECT_TRUE(a.IsSame(b));
    EXPECT_TRUE(a.IsDifferent(c));
    EXPECT_TRUE(r.IsDifferent(r));  // RAND is never the same as anything
    Tree copy(a.CopyRoot());
    EXPECT_TRUE(copy->IsSame(a.root));
    EXPECT_EQ(copy->Print(), "SIN( x ) * ( y + 1 )");
    // Base node defaults.
    Parser plain;
    EXPECT_EQ(plain.Print(), "NULL PARSER");
    EXPECT_EQ(plain.Evaluate(), 0.0);
    EXPECT_TRUE(plain.IsConstant());
    try {
        plain.Copy();
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrNoDerivative);
    }
    // An unbound variable and a nameless one.
    Variable v(std::string{});
    EXPECT_EQ(v.Print(), "variable name???");
    try {
        v.Evaluate();
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrUnknownVariable);
    }
    try {
        v.Derivative(nullptr);
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrEmpty);
    }
    // Building from nodes: missing operands and a conditional without ":".
    try {
        Parser::MakeOperation(kOpPlus, nullptr, MakeNum(1).release());
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrEmpty);
    }
    try {
        Parser::MakeOperation(kOpIf, MakeNum(1).release(), MakeNum(2).release());
        ADD_FAILURE();
    } catch (const ParseErrorMsg& e) {
        EXPECT_EQ(e.code, kErrQuestionWithoutColon);
        EXPECT_EQ(e.start, -1);
    }
    Tree neg(Parser::MakeOperation(kOpUnaryMinus, nullptr, MakeNum(3).release()));
    EXPECT_EQ(neg->Evaluate(), -3);
    // RAND with a constant argument keeps it as its factor.
    Tree rnd(Parser::MakeFunction(kFnRand, MakeNum(0).release()));
    EXPECT_EQ(rnd->Evaluate(), 0);
    EXPECT_EQ(static_cast<RandomFunction*>(rnd.get())->argument, nullptr);
    Tree rcopy(rnd->Copy());
    EXPECT_EQ(rcopy->Evaluate(), 0);
}

TEST(FormulaNodes, IntegerConversionAndPower)
{
    EXPECT_EQ(TruncToInt32(2.9), 2);
    EXPECT_EQ(TruncToInt32(-2.9), -2);
    EXPECT_EQ(TruncToInt32(1e20), 2147483647);
    EXPECT_EQ(TruncToInt32(-1e20), -2147483647 - 1);
    EXPECT_EQ(TruncToInt32(std::nan("")), 0);
    EXPECT_EQ(FormulaPower(0, -1), 0);
    EXPECT_EQ(FormulaPower(-2, 2.9), 4);
    EXPECT_EQ(FormulaPower(-2, -1.5), -0.5);
    EXPECT_EQ(FormulaPower(9, 0.5), 3);
}

TEST(FormulaObjectInternals, MessagesAndDefaultTexts)
{
    std::set<std::string> texts;
    std::set<unsigned int> ids;
    for (int code = 1; code <= 28; ++code) {
        const char* text = CZELTMathFormulaImpl::DefaultMessage(code);
        ASSERT_NE(text, nullptr);
        EXPECT_GT(std::string(text).size(), 10u);
        texts.insert(text);
        ids.insert(CZELTMathFormulaImpl::MessageId(code));
    }
    EXPECT_EQ(texts.size(), 28u);
    EXPECT_EQ(ids.size(), 28u);
    EXPECT_EQ(*ids.begin(), 10003u);
    EXPECT_EQ(*ids.rbegin(), 10030u);
    EXPECT_EQ(CZELTMathFormulaImpl::MessageId(9), 10028u);
    EXPECT_EQ(CZELTMathFormulaImpl::MessageId(23), 10029u);
    EXPECT_EQ(CZELTMathFormulaImpl::MessageId(26), 10030u);
    EXPECT_EQ(CZELTMathFormulaImpl::MessageId(27), 10026u);

    CZELTMathFormulaImpl f;
    EXPECT_STREQ(f.SetFormula("ln(0)"), CZELTMathFormulaImpl::DefaultMessage(4));
    EXPECT_EQ(f.GetErrorCode(), 4);
    f.SetError(ParseErrorMsg{0, -1, -1});
    double v = 0;
    EXPECT_STREQ(f.Calc(v), "????????");
    f.SetError(ParseErrorMsg{29, -1, -1});
    EXPECT_STREQ(f.Calc(v), "????????");
    // A text registered by the host wins; an empty one falls back.
    CZELTString::SetResource(10006, "Logarithmus");
    EXPECT_STREQ(f.SetFormula("ln(-1)"), "Logarithmus");
    CZELTString::SetResource(10006, "");
    EXPECT_STREQ(f.SetFormula("ln(-1)"), CZELTMathFormulaImpl::DefaultMessage(4));
    // The offsets of the last error are kept.
    EXPECT_NE(f.SetFormula("a = b"), nullptr);
    EXPECT_EQ(f.GetLastError().start, 2);
}

TEST(FormulaObjectInternals, DecimalSeparatorOfAnyLength)
{
    CZELTMathFormulaImpl f;
    f.SetDecimalSeparator(",");
    ASSERT_EQ(f.SetFormula("1,5*x^2,5"), nullptr);
    EXPECT_STREQ(f.GetFormula(), "1,5*x^2,5");
    CZELTMathFormulaImpl d;
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    EXPECT_STREQ(d.GetFormula(), "1,5 * ( 2,5 * x ^ 1,5 )");
    EXPECT_EQ(d.GetDecimalSeparator(), CZELTString(","));
    // Copies keep the separator; SetFormula(other) reparses with our own.
    CZELTMathFormulaImpl copy(d);
    EXPECT_EQ(copy.GetDecimalSeparator(), CZELTString(","));
    CZELTMathFormulaImpl dot;
    ASSERT_EQ(dot.SetFormula(d), nullptr);
    EXPECT_EQ(dot.GetVariablesCount(), 3);  // with ".", "1,5" is a variable name

    CZELTMathFormulaImpl wide;
    wide.SetDecimalSeparator("<dec>");
    ASSERT_EQ(wide.SetFormula("0<dec>5 + x"), nullptr);
    double v = 0;
    ASSERT_EQ(wide.Calc(v), nullptr);
    EXPECT_EQ(v, 0.5);
    CZELTString text("1.25 + 2.5");
    wide.ConvertDecimalSeparator(text, true);
    EXPECT_STREQ(text, "1<dec>25 + 2<dec>5");
    wide.ConvertDecimalSeparator(text, false);
    EXPECT_STREQ(text, "1.25 + 2.5");
}

TEST(FormulaObjectInternals, AngleFactorIsRestoredOnEveryWayOut)
{
    std::thread([] {
        EXPECT_EQ(CurrentAngleFactor(), 0.0);  // a new thread starts at 0
        SetCurrentAngleFactor(7.0);
        CZELTMathFormulaImpl f, d;
        f.SetAngleFactor(0.5);
        EXPECT_EQ(f.SetFormula("sin(x)"), nullptr);
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
        EXPECT_NE(f.SetFormula("sin(1/0)"), nullptr);
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
        double v = 0;
        f.SetVariable("x", 2);
        EXPECT_EQ(f.Calc(v), nullptr);
        EXPECT_EQ(v, std::sin(1.0));
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
        EXPECT_EQ(f.PartialDerivative("x", d), nullptr);
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
        EXPECT_EQ(f.SetFormula("csc(x)"), nullptr);
        f.SetVariable("x", 0);
        EXPECT_NE(f.Calc(v), nullptr);
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
        EXPECT_EQ(f.SetFormula("abs(x)"), nullptr);
        EXPECT_NE(f.PartialDerivative("x", d), nullptr);
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
        CZELTMathFormulaImpl empty;
        EXPECT_NE(empty.Calc(v), nullptr);
        EXPECT_NE(empty.PartialDerivative("x", d), nullptr);
        EXPECT_EQ(CurrentAngleFactor(), 7.0);
    }).join();
}

} // namespace
