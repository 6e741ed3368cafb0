#include <zeltmath/formula/detail/functions.h>

#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/operators.h>

#include <cmath>
#include <cstdlib>
#include <typeinfo>

namespace zeltmath {
namespace formula {

// ---------------------------------------------------------------- FunctionParser

FunctionParser::FunctionParser(TextRange& r)
{
    argument = ParseOwned(r).release();
    argument->parent = this;
}

FunctionParser::FunctionParser(Parser* arg) : argument(arg)
{
    if (argument)
        argument->parent = this;
}

FunctionParser::~FunctionParser() { DeleteTree(argument); }

Parser* FunctionParser::ReleaseChild(int)
{
    constState = -1;  // the nodes above may be gone already (DeleteTree)
    Parser* a = argument;
    argument = nullptr;
    return a;
}

bool FunctionParser::ReplaceOperand(Parser* old, Parser* replacement)
{
    if (old != argument)
        return false;
    ForgetConstant(this);
    DeleteTree(argument);
    argument = replacement;
    if (argument)
        argument->parent = this;
    return true;
}

int FunctionParser::CompareNode(Parser* p)
{
    if (!p || typeid(*p) != typeid(*this))
        return 1;
    FunctionParser* f = static_cast<FunctionParser*>(p);
    const bool c1 = IsConstant();
    const bool c2 = f->IsConstant();
    if (c1 && c2)
        return Evaluate() != f->Evaluate() ? 1 : 0;
    if (c1 != c2)
        return 1;
    return -1;
}

// ---------------------------------------------------------------- derivatives
//
// u' is the argument's derivative, U a fresh copy of the argument.  The
// operand order decides the printed text of a derivative.

namespace {

Tree U(Parser* a) { return CopyOf(a); }
Tree Num(double v) { return MakeNum(v); }
Tree Fn(int index, Tree a) { return MakeFn(index, std::move(a)); }
Tree Op(int code, Tree l, Tree r) { return MakeOp(code, std::move(l), std::move(r)); }
Tree Mul(Tree l, Tree r) { return Op(kOpMultiply, std::move(l), std::move(r)); }
Tree Div(Tree l, Tree r) { return Op(kOpDivide, std::move(l), std::move(r)); }
Tree Pow(Tree l, Tree r) { return Op(kOpPower, std::move(l), std::move(r)); }
Tree Neg(Tree a) { return Fn(kFnNeg, std::move(a)); }

} // namespace

Parser* LnFunction::DerivativeRule(const char*, Tree* d)
{
    return Div(std::move(d[0]), U(argument)).release();
}

Parser* LogFunction::DerivativeRule(const char*, Tree* d)
{
    return Div(std::move(d[0]), Mul(U(argument), Num(std::log(10.0)))).release();
}

Parser* ExpFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(Tree(Copy()), std::move(d[0])).release();
}

Parser* SqrtFunction::DerivativeRule(const char*, Tree* d)
{
    return Div(std::move(d[0]), Mul(Fn(kFnSqrt, U(argument)), Num(2))).release();
}

Parser* NegFunction::DerivativeRule(const char*, Tree* d) { return Neg(std::move(d[0])).release(); }

Parser* SinFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(std::move(d[0]), Fn(kFnCos, U(argument))).release();
}

Parser* CosFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(std::move(d[0]), Neg(Fn(kFnSin, U(argument)))).release();
}

Parser* TanFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(std::move(d[0]), Pow(Fn(kFnSec, U(argument)), Num(2))).release();
}

Parser* SecFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(Mul(std::move(d[0]), Fn(kFnSec, U(argument))), Fn(kFnTan, U(argument))).release();
}

Parser* CscFunction::DerivativeRule(const char*, Tree* d)
{
    return Neg(Mul(Mul(std::move(d[0]), Fn(kFnCsc, U(argument))), Fn(kFnCot, U(argument)))).release();
}

Parser* CotFunction::DerivativeRule(const char*, Tree* d)
{
    return Neg(Mul(std::move(d[0]), Pow(Fn(kFnCsc, U(argument)), Num(2)))).release();
}

Parser* ArcSinFunction::DerivativeRule(const char*, Tree* d)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Num(1), Pow(U(argument), Num(2))));
    return Div(std::move(d[0]), std::move(root)).release();
}

Parser* ArcCosFunction::DerivativeRule(const char*, Tree* d)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Num(1), Pow(U(argument), Num(2))));
    return Div(Neg(std::move(d[0])), std::move(root)).release();
}

Parser* ArcTanFunction::DerivativeRule(const char*, Tree* d)
{
    return Div(std::move(d[0]), Op(kOpPlus, Num(1), Pow(U(argument), Num(2)))).release();
}

Parser* ArcSecFunction::DerivativeRule(const char*, Tree* d)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Pow(U(argument), Num(2)), Num(1)));
    return Div(std::move(d[0]), Mul(U(argument), std::move(root))).release();
}

Parser* ArcCscFunction::DerivativeRule(const char*, Tree* d)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Pow(U(argument), Num(2)), Num(1)));
    return Div(Neg(std::move(d[0])), Mul(U(argument), std::move(root))).release();
}

Parser* ArcCotFunction::DerivativeRule(const char*, Tree* d)
{
    return Div(Neg(std::move(d[0])), Op(kOpPlus, Pow(U(argument), Num(2)), Num(1))).release();
}

Parser* HSinFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(std::move(d[0]), Fn(kFnCosh, U(argument))).release();
}

Parser* HCosFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(std::move(d[0]), Fn(kFnSinh, U(argument))).release();
}

Parser* HTanFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(std::move(d[0]), Pow(Fn(kFnSech, U(argument)), Num(2))).release();
}

Parser* HSecFunction::DerivativeRule(const char*, Tree* d)
{
    return Neg(Mul(Mul(std::move(d[0]), Fn(kFnSech, U(argument))), Fn(kFnTanh, U(argument)))).release();
}

Parser* HCscFunction::DerivativeRule(const char*, Tree* d)
{
    return Neg(Mul(Mul(std::move(d[0]), Fn(kFnCsch, U(argument))), Fn(kFnCoth, U(argument)))).release();
}

Parser* HCotFunction::DerivativeRule(const char*, Tree* d)
{
    return Mul(Neg(std::move(d[0])), Pow(Fn(kFnCsch, U(argument)), Num(2))).release();
}

// ---------------------------------------------------------------- RAND

RandomFunction::RandomFunction(TextRange& r)
{
    TextRange piece = r;
    StripParentheses(piece);
    if (piece.Empty())
        return;
    Adopt(ParseOwned(piece).release());
}

RandomFunction::RandomFunction(Parser* arg) { Adopt(arg); }

void RandomFunction::Adopt(Parser* arg)
{
    if (!arg)
        return;
    try {
        if (arg->IsConstant()) {
            factor = arg->Evaluate();
            DeleteTree(arg);
            return;
        }
    } catch (...) {
        DeleteTree(arg);
        throw;
    }
    argument = arg;
    argument->parent = this;
}

RandomFunction::~RandomFunction() { DeleteTree(argument); }

Parser* RandomFunction::ReleaseChild(int)
{
    Parser* a = argument;
    argument = nullptr;
    return a;
}

bool RandomFunction::ReplaceOperand(Parser* old, Parser* replacement)
{
    if (!argument || old != argument)
        return false;
    DeleteTree(argument);
    argument = replacement;
    if (argument)
        argument->parent = this;
    return true;
}

} // namespace formula
} // namespace zeltmath
