#ifndef ZELTMATH_FORMULA_DETAIL_FUNCTIONS_H
#define ZELTMATH_FORMULA_DETAIL_FUNCTIONS_H

// One-argument nodes: the keyword functions (LN ... FLOOR), the nodes of the
// unary operators "-", "!" and "~", and RAND.

#include <zeltmath/formula/detail/parser.h>

namespace zeltmath {
namespace formula {

class FunctionParser : public InnerNode {
public:
    // From the text piece "( ... )" of the argument, enclosing parentheses
    // included.
    explicit FunctionParser(TextRange& r);
    // Takes ownership of the argument.
    explicit FunctionParser(Parser* arg);
    ~FunctionParser() override;

    int GetPrecedence() override { return 13; }
    bool ReplaceOperand(Parser* old, Parser* replacement) override;
    int ChildCount() const override { return argument ? 1 : 0; }
    Parser* Child(int) const override { return argument; }
    Parser* ReleaseChild(int) override;

    Kind NodeKind() const override { return Kind::Function; }
    int SimplifiedOperands() const override { return 1; }
    bool ConstantRule() override { return argument->IsConstant(); }
    int CompareNode(Parser* p) override;

    virtual int GetType() { return 0; }

    Parser* argument = nullptr;
};

#define ZELT_FORMULA_FUNCTION(Name, Index)                         \
    class Name : public FunctionParser {                           \
    public:                                                        \
        using FunctionParser::FunctionParser;                      \
        int GetType() override { return Index; }                   \
        unsigned DerivativeNeeds() const override { return 1; }    \
        Parser* DerivativeRule(const char* name, Tree* d) override; \
    };
#define ZELT_FORMULA_FUNCTION_NO_DERIVATIVE(Name, Index)           \
    class Name : public FunctionParser {                           \
    public:                                                        \
        using FunctionParser::FunctionParser;                      \
        int GetType() override { return Index; }                   \
    };

ZELT_FORMULA_FUNCTION(LnFunction, kFnLn)
ZELT_FORMULA_FUNCTION(LogFunction, kFnLog)
ZELT_FORMULA_FUNCTION(ExpFunction, kFnExp)
ZELT_FORMULA_FUNCTION_NO_DERIVATIVE(AbsFunction, kFnAbs)
ZELT_FORMULA_FUNCTION(SqrtFunction, kFnSqrt)
ZELT_FORMULA_FUNCTION(NegFunction, kFnNeg)
ZELT_FORMULA_FUNCTION(SinFunction, kFnSin)
ZELT_FORMULA_FUNCTION(CosFunction, kFnCos)
ZELT_FORMULA_FUNCTION(TanFunction, kFnTan)
ZELT_FORMULA_FUNCTION(SecFunction, kFnSec)
ZELT_FORMULA_FUNCTION(CscFunction, kFnCsc)
ZELT_FORMULA_FUNCTION(CotFunction, kFnCot)
ZELT_FORMULA_FUNCTION(ArcSinFunction, kFnAsin)
ZELT_FORMULA_FUNCTION(ArcCosFunction, kFnAcos)
ZELT_FORMULA_FUNCTION(ArcTanFunction, kFnAtan)
ZELT_FORMULA_FUNCTION(ArcSecFunction, kFnAsec)
ZELT_FORMULA_FUNCTION(ArcCscFunction, kFnAcsc)
ZELT_FORMULA_FUNCTION(ArcCotFunction, kFnAcot)
ZELT_FORMULA_FUNCTION(HSinFunction, kFnSinh)
ZELT_FORMULA_FUNCTION(HCosFunction, kFnCosh)
ZELT_FORMULA_FUNCTION(HTanFunction, kFnTanh)
ZELT_FORMULA_FUNCTION(HSecFunction, kFnSech)
ZELT_FORMULA_FUNCTION(HCscFunction, kFnCsch)
ZELT_FORMULA_FUNCTION(HCotFunction, kFnCoth)
ZELT_FORMULA_FUNCTION_NO_DERIVATIVE(NotFunction, kFnNot)
ZELT_FORMULA_FUNCTION_NO_DERIVATIVE(BitwiseCompliment, kFnComplement)
ZELT_FORMULA_FUNCTION_NO_DERIVATIVE(CeilingFunction, kFnCeil)
ZELT_FORMULA_FUNCTION_NO_DERIVATIVE(FloorFunction, kFnFloor)

#undef ZELT_FORMULA_FUNCTION
#undef ZELT_FORMULA_FUNCTION_NO_DERIVATIVE

// RAND(m): a pseudo-random value in [0, m]; RAND() is RAND(1).  A constant
// argument is kept as a factor.  Values come from std::rand() scaled by
// 1 / RAND_MAX, so a host seeds the sequence with std::srand; the engine
// never seeds it.  A RAND node is never folded and never equal to another.
class RandomFunction : public Parser {
public:
    explicit RandomFunction(TextRange& r);
    explicit RandomFunction(Parser* arg);
    ~RandomFunction() override;

    double Evaluate() override { return EvaluateTree(this); }
    bool IsConstant() override { return false; }
    int GetPrecedence() override { return 13; }
    bool ReplaceOperand(Parser* old, Parser* replacement) override;
    void Bind(FunctionInterpreter* fi) override { BindTree(this, fi); }
    std::string Print() override { return PrintTree(this); }
    Parser* Copy() override { return CopyTree(this); }
    bool IsDifferent(Parser*) override { return true; }
    bool IsSame(Parser*) override { return false; }
    Kind NodeKind() const override { return Kind::Random; }
    int ChildCount() const override { return argument ? 1 : 0; }
    Parser* Child(int) const override { return argument; }
    Parser* ReleaseChild(int) override;

    Parser* argument = nullptr;
    double factor = 1.0;

private:
    void Adopt(Parser* arg);
};

} // namespace formula
} // namespace zeltmath

#endif
