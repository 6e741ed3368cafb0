#include <zeltmath/formula/detail/functions.h>

#include <zeltmath/formula/detail/angle.h>
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
    Parser* node = nullptr;
    try {
        ParseExpression(r, node);
    } catch (...) {
        DeleteTree(node);
        throw;
    }
    argument = node;
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
    Parser* a = argument;
    argument = nullptr;
    return a;
}

bool FunctionParser::ReplaceOperand(Parser* old, Parser* replacement)
{
    if (old != argument)
        return false;
    DeleteTree(argument);
    argument = replacement;
    if (argument)
        argument->parent = this;
    return true;
}

void FunctionParser::Simplify()
{
    argument->Simplify();
    if (argument->IsConstant() && !argument->IsLiteral())
        ReplaceOperand(argument, NewNode<Constant>(argument->Evaluate()));
}

std::string FunctionParser::Print()
{
    std::string s = Keyword(GetType());
    s += "( ";
    s += argument->Print();
    s += " )";
    return s;
}

Parser* FunctionParser::Copy()
{
    return MakeFunction(GetType(), argument->Copy());
}

bool FunctionParser::IsDifferent(Parser* p)
{
    if (!p || typeid(*p) != typeid(*this))
        return true;
    FunctionParser* f = static_cast<FunctionParser*>(p);
    const bool c1 = IsConstant();
    const bool c2 = f->IsConstant();
    if (c1 && c2)
        return Evaluate() != f->Evaluate();
    if (c1 != c2)
        return true;
    return argument->IsDifferent(f->argument);
}

// ---------------------------------------------------------------- values

namespace {

double K() { return CurrentAngleFactor(); }

[[noreturn]] void Fail(int code) { Parser::Error(code, -1, -1); }

} // namespace

double LnFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u <= 0)
        Fail(kErrLnNonPositive);
    return std::log(u);
}

double LogFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u <= 0)
        Fail(kErrLogNonPositive);
    return std::log10(u);
}

double ExpFunction::Evaluate() { return std::exp(argument->Evaluate()); }
double AbsFunction::Evaluate() { return std::fabs(argument->Evaluate()); }

double SqrtFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u < 0)
        Fail(kErrSqrtNegative);
    return std::sqrt(u);
}

double NegFunction::Evaluate() { return -1.0 * argument->Evaluate(); }
double SinFunction::Evaluate() { return std::sin(argument->Evaluate() * K()); }
double CosFunction::Evaluate() { return std::cos(argument->Evaluate() * K()); }

double TanFunction::Evaluate()
{
    const double a = argument->Evaluate() * K();
    if (std::cos(a) == 0.0)
        Fail(kErrTanPole);
    return std::tan(a);
}

double SecFunction::Evaluate()
{
    const double c = std::cos(argument->Evaluate() * K());
    if (c == 0.0)
        Fail(kErrSecPole);
    return 1.0 / c;
}

double CscFunction::Evaluate()
{
    const double s = std::sin(argument->Evaluate() * K());
    if (s == 0.0)
        Fail(kErrCscPole);
    return 1.0 / s;
}

double CotFunction::Evaluate()
{
    const double a = argument->Evaluate() * K();
    if (std::sin(a) == 0.0)
        Fail(kErrCotPole);
    return 1.0 / std::tan(a);
}

double ArcSinFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u > 1 || u < -1)
        Fail(kErrAsinDomain);
    return std::asin(u) / K();
}

double ArcCosFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u > 1 || u < -1)
        Fail(kErrAcosDomain);
    return std::acos(u) / K();
}

double ArcTanFunction::Evaluate() { return std::atan(argument->Evaluate()) / K(); }

double ArcSecFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u >= -1 && u <= 1)
        Fail(kErrAsecDomain);
    return std::acos(1 / u) / K();
}

double ArcCscFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u >= -1 && u <= 1)
        Fail(kErrAcscDomain);
    return std::asin(1 / u) / K();
}

double ArcCotFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (u == 0)
        Fail(kErrAcotZero);
    return std::atan(1 / u) / K();
}

double HSinFunction::Evaluate() { return std::sinh(argument->Evaluate()); }
double HCosFunction::Evaluate() { return std::cosh(argument->Evaluate()); }

double HTanFunction::Evaluate()
{
    const double u = argument->Evaluate();
    if (std::cosh(u) == 0.0)
        Fail(kErrTanhPole);
    return std::tanh(u);
}

double HSecFunction::Evaluate()
{
    const double c = std::cosh(argument->Evaluate());
    if (c == 0.0)
        Fail(kErrSechPole);
    return 1.0 / c;
}

double HCscFunction::Evaluate()
{
    const double s = std::sinh(argument->Evaluate());
    if (s == 0.0)
        Fail(kErrCschPole);
    return 1.0 / s;
}

double HCotFunction::Evaluate()
{
    const double t = std::tanh(argument->Evaluate());
    if (t == 0.0)
        Fail(kErrCothPole);
    return 1.0 / t;
}

double NotFunction::Evaluate() { return argument->Evaluate() == 0 ? 1.0 : 0.0; }
double BitwiseCompliment::Evaluate() { return static_cast<double>(~TruncToInt32(argument->Evaluate())); }
double CeilingFunction::Evaluate() { return std::ceil(argument->Evaluate()); }
double FloorFunction::Evaluate() { return std::floor(argument->Evaluate()); }

// ---------------------------------------------------------------- derivatives
//
// u' is the argument's derivative, U a fresh copy of the argument.  The
// operand order decides the printed text of a derivative.

namespace {

Tree D(Parser* a, const char* n) { return DerivativeOf(a, n); }
Tree U(Parser* a) { return CopyOf(a); }
Tree Num(double v) { return MakeNum(v); }
Tree Fn(int index, Tree a) { return MakeFn(index, std::move(a)); }
Tree Op(int code, Tree l, Tree r) { return MakeOp(code, std::move(l), std::move(r)); }
Tree Mul(Tree l, Tree r) { return Op(kOpMultiply, std::move(l), std::move(r)); }
Tree Div(Tree l, Tree r) { return Op(kOpDivide, std::move(l), std::move(r)); }
Tree Pow(Tree l, Tree r) { return Op(kOpPower, std::move(l), std::move(r)); }
Tree Neg(Tree a) { return Fn(kFnNeg, std::move(a)); }

} // namespace

Parser* LnFunction::Derivative(const char* n)
{
    return Div(D(argument, n), U(argument)).release();
}

Parser* LogFunction::Derivative(const char* n)
{
    return Div(D(argument, n), Mul(U(argument), Num(std::log(10.0)))).release();
}

Parser* ExpFunction::Derivative(const char* n)
{
    return Mul(Tree(Copy()), D(argument, n)).release();
}

Parser* SqrtFunction::Derivative(const char* n)
{
    return Div(D(argument, n), Mul(Fn(kFnSqrt, U(argument)), Num(2))).release();
}

Parser* NegFunction::Derivative(const char* n) { return Neg(D(argument, n)).release(); }

Parser* SinFunction::Derivative(const char* n)
{
    return Mul(D(argument, n), Fn(kFnCos, U(argument))).release();
}

Parser* CosFunction::Derivative(const char* n)
{
    return Mul(D(argument, n), Neg(Fn(kFnSin, U(argument)))).release();
}

Parser* TanFunction::Derivative(const char* n)
{
    return Mul(D(argument, n), Pow(Fn(kFnSec, U(argument)), Num(2))).release();
}

Parser* SecFunction::Derivative(const char* n)
{
    return Mul(Mul(D(argument, n), Fn(kFnSec, U(argument))), Fn(kFnTan, U(argument))).release();
}

Parser* CscFunction::Derivative(const char* n)
{
    return Neg(Mul(Mul(D(argument, n), Fn(kFnCsc, U(argument))), Fn(kFnCot, U(argument)))).release();
}

Parser* CotFunction::Derivative(const char* n)
{
    return Neg(Mul(D(argument, n), Pow(Fn(kFnCsc, U(argument)), Num(2)))).release();
}

Parser* ArcSinFunction::Derivative(const char* n)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Num(1), Pow(U(argument), Num(2))));
    return Div(D(argument, n), std::move(root)).release();
}

Parser* ArcCosFunction::Derivative(const char* n)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Num(1), Pow(U(argument), Num(2))));
    return Div(Neg(D(argument, n)), std::move(root)).release();
}

Parser* ArcTanFunction::Derivative(const char* n)
{
    return Div(D(argument, n), Op(kOpPlus, Num(1), Pow(U(argument), Num(2)))).release();
}

Parser* ArcSecFunction::Derivative(const char* n)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Pow(U(argument), Num(2)), Num(1)));
    return Div(D(argument, n), Mul(U(argument), std::move(root))).release();
}

Parser* ArcCscFunction::Derivative(const char* n)
{
    Tree root = Fn(kFnSqrt, Op(kOpMinus, Pow(U(argument), Num(2)), Num(1)));
    return Div(Neg(D(argument, n)), Mul(U(argument), std::move(root))).release();
}

Parser* ArcCotFunction::Derivative(const char* n)
{
    return Div(Neg(D(argument, n)), Op(kOpPlus, Pow(U(argument), Num(2)), Num(1))).release();
}

Parser* HSinFunction::Derivative(const char* n)
{
    return Mul(D(argument, n), Fn(kFnCosh, U(argument))).release();
}

Parser* HCosFunction::Derivative(const char* n)
{
    return Mul(D(argument, n), Fn(kFnSinh, U(argument))).release();
}

Parser* HTanFunction::Derivative(const char* n)
{
    return Mul(D(argument, n), Pow(Fn(kFnSech, U(argument)), Num(2))).release();
}

Parser* HSecFunction::Derivative(const char* n)
{
    return Neg(Mul(Mul(D(argument, n), Fn(kFnSech, U(argument))), Fn(kFnTanh, U(argument)))).release();
}

Parser* HCscFunction::Derivative(const char* n)
{
    return Neg(Mul(Mul(D(argument, n), Fn(kFnCsch, U(argument))), Fn(kFnCoth, U(argument)))).release();
}

Parser* HCotFunction::Derivative(const char* n)
{
    return Mul(Neg(D(argument, n)), Pow(Fn(kFnCsch, U(argument)), Num(2))).release();
}

// ---------------------------------------------------------------- RAND

RandomFunction::RandomFunction(TextRange& r)
{
    TextRange piece = r;
    StripParentheses(piece);
    if (piece.Empty())
        return;
    Parser* node = nullptr;
    try {
        ParseExpression(piece, node);
    } catch (...) {
        DeleteTree(node);
        throw;
    }
    Adopt(node);
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

double RandomFunction::Evaluate()
{
    const double m = argument ? argument->Evaluate() : factor;
    return static_cast<double>(std::rand()) * m * (1.0 / RAND_MAX);
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

void RandomFunction::Bind(FunctionInterpreter* fi)
{
    if (argument)
        argument->Bind(fi);
}

std::string RandomFunction::Print()
{
    return std::string("RAND( ") + (argument ? argument->Print() : std::string()) + " )";
}

Parser* RandomFunction::Copy()
{
    Tree arg = argument ? CopyOf(argument) : MakeNum(factor);
    return MakeFn(kFnRand, std::move(arg)).release();
}

} // namespace formula
} // namespace zeltmath
