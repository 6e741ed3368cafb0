#include <zeltmath/formula/detail/operators.h>

#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/leaves.h>

#include <climits>
#include <cmath>
#include <typeinfo>

namespace zeltmath {
namespace formula {

int TruncToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

double FormulaPower(double a, double b)
{
    if (a > 0)
        return std::pow(a, b);
    if (a == 0)
        return 0.0;
    if (a < 0)
        return std::pow(a, static_cast<double>(TruncToInt32(b)));
    return std::pow(a, b);  // NaN base
}

// ---------------------------------------------------------------- OperationParser

OperationParser::OperationParser(TextRange& leftPiece, TextRange& rightPiece)
{
    Parser* l = nullptr;
    Parser* r = nullptr;
    try {
        ParseExpression(leftPiece, l);
        ParseExpression(rightPiece, r);
    } catch (...) {
        DeleteTree(l);
        DeleteTree(r);
        throw;
    }
    left = l;
    right = r;
    left->parent = this;
    right->parent = this;
}

OperationParser::OperationParser(Parser* l, Parser* r)
{
    if (!l || !r) {
        DeleteTree(l);
        DeleteTree(r);
        Error(kErrEmpty, -1, -1);
    }
    left = l;
    right = r;
    left->parent = this;
    right->parent = this;
}

OperationParser::~OperationParser()
{
    DeleteTree(left);
    DeleteTree(right);
}

Parser* OperationParser::ReleaseChild(int i)
{
    Parser*& slot = i == 0 ? left : right;
    Parser* child = slot;
    slot = nullptr;
    return child;
}

bool OperationParser::ReplaceOperand(Parser* old, Parser* replacement)
{
    Parser** slot = old == left ? &left : (old == right ? &right : nullptr);
    if (!slot)
        return false;
    DeleteTree(*slot);
    *slot = replacement;
    if (replacement)
        replacement->parent = this;
    return true;
}

void OperationParser::Bind(FunctionInterpreter* fi)
{
    left->Bind(fi);
    right->Bind(fi);
}

void OperationParser::Simplify()
{
    left->Simplify();
    if (left->IsConstant() && !left->IsLiteral())
        ReplaceOperand(left, NewNode<Constant>(left->Evaluate()));
    right->Simplify();
    if (right->IsConstant() && !right->IsLiteral())
        ReplaceOperand(right, NewNode<Constant>(right->Evaluate()));
}

void OperationParser::HoistOperand(Parser* node)
{
    Parser** slot = node == left ? &left : (node == right ? &right : nullptr);
    if (!parent) {
        if (!slot)
            DeleteTree(node);
        return;
    }
    if (slot)
        *slot = nullptr;
    Parser* owner = parent;
    bool replaced = false;
    try {
        replaced = owner->ReplaceOperand(this, node);
    } catch (...) {
        if (slot)
            *slot = node;
        throw;
    }
    if (!replaced) {
        if (slot)
            *slot = node;
        else
            DeleteTree(node);
    }
}

void OperationParser::HoistConstant(double v)
{
    HoistOperand(NewNode<Constant>(v));
}

std::string OperationParser::Print()
{
    std::string l = left->Print();
    std::string r = right->Print();
    const int own = GetPrecedence();
    std::string s;
    s.reserve(l.size() + r.size() + 12);
    if (left->GetPrecedence() <= own)
        s.append("( ").append(l).append(" )");
    else
        s.append(l);
    s.append(" ").append(OperatorSymbol(GetType())).append(" ");
    if (right->GetPrecedence() <= own)
        s.append("( ").append(r).append(" )");
    else
        s.append(r);
    return s;
}

Parser* OperationParser::Copy()
{
    Tree l = CopyOf(left);
    Tree r = CopyOf(right);
    return MakeOp(GetType(), std::move(l), std::move(r)).release();
}

bool OperationParser::IsDifferent(Parser* p)
{
    if (!p || typeid(*p) != typeid(*this))
        return true;
    OperationParser* o = static_cast<OperationParser*>(p);
    if (IsConstant() && o->IsConstant())
        return Evaluate() != o->Evaluate();
    if ((left == nullptr) != (o->left == nullptr) || (right == nullptr) != (o->right == nullptr))
        return true;
    if (left && left->IsDifferent(o->left))
        return true;
    return right && right->IsDifferent(o->right);
}

// ---------------------------------------------------------------- tree helpers

namespace {

Tree D(Parser* a, const char* n) { return DerivativeOf(a, n); }
Tree C(Parser* a) { return CopyOf(a); }
Tree Op(int code, Tree l, Tree r) { return MakeOp(code, std::move(l), std::move(r)); }

[[noreturn]] void Fail(int code) { Parser::Error(code, -1, -1); }

Parser* PowerDerivative(Parser* a, Parser* b, const char* n)
{
    // a' * (b * a ^ (b - 1)) + a ^ b * (b' * LN(a))
    Tree first = Op(kOpMultiply, D(a, n),
                    Op(kOpMultiply, C(b), Op(kOpPower, C(a), Op(kOpMinus, C(b), MakeNum(1)))));
    Tree second = Op(kOpMultiply, Op(kOpPower, C(a), C(b)),
                     Op(kOpMultiply, D(b, n), MakeFn(kFnLn, C(a))));
    return Op(kOpPlus, std::move(first), std::move(second)).release();
}

bool PowerIsConstant(OperationParser* op)
{
    if (op->left->IsConstant() && op->right->IsConstant())
        return true;
    if (op->left->IsConstant()) {
        const double a = op->left->Evaluate();
        if (a == 1 || a == 0)
            return true;
    }
    return ConstEquals(op->right, 0);
}

void PowerSimplify(OperationParser* op)
{
    if (op->left->IsConstant()) {
        const double a = op->left->Evaluate();
        if (a == 1 || a == 0) {
            op->HoistConstant(a);
            return;
        }
    }
    if (op->right->IsConstant()) {
        const double b = op->right->Evaluate();
        if (b == 0)
            op->HoistConstant(1);
        else if (b == 1)
            op->HoistOperand(op->left);
    }
}

} // namespace

// ---------------------------------------------------------------- arithmetic

double PlusOperator::Evaluate()
{
    const double a = left->Evaluate();
    return a + right->Evaluate();
}

void PlusOperator::Simplify()
{
    OperationParser::Simplify();
    if (ConstEquals(left, 0))
        HoistOperand(right);
    else if (ConstEquals(right, 0))
        HoistOperand(left);
    else if (left->IsSame(right))
        HoistOperand(Op(kOpMultiply, MakeNum(2), C(left)).release());
}

Parser* PlusOperator::Derivative(const char* n)
{
    return Op(kOpPlus, D(left, n), D(right, n)).release();
}

double MinusOperator::Evaluate()
{
    const double a = left->Evaluate();
    return a - right->Evaluate();
}

void MinusOperator::Simplify()
{
    OperationParser::Simplify();
    if (ConstEquals(left, 0)) {
        NegFunction* neg = NewNode<NegFunction>(static_cast<Parser*>(nullptr));
        neg->argument = right;
        right->parent = neg;
        right = nullptr;
        HoistOperand(neg);
    } else if (ConstEquals(right, 0)) {
        HoistOperand(left);
    } else if (left->IsSame(right)) {
        HoistConstant(0);
    }
}

Parser* MinusOperator::Derivative(const char* n)
{
    return Op(kOpMinus, D(left, n), D(right, n)).release();
}

double MultiplyOperator::Evaluate()
{
    const double a = left->Evaluate();
    return a * right->Evaluate();
}

bool MultiplyOperator::IsConstant()
{
    return OperationParser::IsConstant() || ConstEquals(left, 0) || ConstEquals(right, 0);
}

void MultiplyOperator::Simplify()
{
    OperationParser::Simplify();
    if (left->IsConstant()) {
        const double a = left->Evaluate();
        if (a == 0)
            HoistConstant(0);
        else if (a == 1)
            HoistOperand(right);
    } else if (right->IsConstant()) {
        const double b = right->Evaluate();
        if (b == 0)
            HoistConstant(0);
        else if (b == 1)
            HoistOperand(left);
    } else if (left->IsSame(right)) {
        HoistOperand(Op(kOpPower, C(left), MakeNum(2)).release());
    }
}

Parser* MultiplyOperator::Derivative(const char* n)
{
    Tree first = Op(kOpMultiply, D(left, n), C(right));
    Tree second = Op(kOpMultiply, C(left), D(right, n));
    return Op(kOpPlus, std::move(first), std::move(second)).release();
}

double DivideOperator::Evaluate()
{
    const double b = right->Evaluate();
    if (b == 0.0)
        Fail(kErrDivisionByZero);
    return left->Evaluate() / b;
}

bool DivideOperator::IsConstant()
{
    return OperationParser::IsConstant() || ConstEquals(left, 0);
}

void DivideOperator::Simplify()
{
    OperationParser::Simplify();
    if (ConstEquals(left, 0))
        HoistConstant(0);
    else if (left->IsSame(right))
        HoistConstant(1);
}

Parser* DivideOperator::Derivative(const char* n)
{
    Tree numerator = Op(kOpMinus, Op(kOpMultiply, D(left, n), C(right)),
                        Op(kOpMultiply, C(left), D(right, n)));
    Tree denominator = Op(kOpPower, C(right), MakeNum(2));
    return Op(kOpDivide, std::move(numerator), std::move(denominator)).release();
}

double ModulusOperator::Evaluate()
{
    const double b = right->Evaluate();
    if (b == 0.0)
        Fail(kErrDivisionByZero);
    const int ib = TruncToInt32(b);
    // A divisor below 1 in magnitude truncates to 0: also a division by zero.
    if (ib == 0)
        Fail(kErrDivisionByZero);
    const int ia = TruncToInt32(left->Evaluate());
    if (ib == -1)
        return 0.0;  // also avoids INT_MIN % -1
    return static_cast<double>(ia % ib);
}

void ModulusOperator::Simplify()
{
    OperationParser::Simplify();
    if (left->IsSame(right))
        HoistConstant(0);
}

double PowerOperator::Evaluate()
{
    const double a = left->Evaluate();
    return FormulaPower(a, right->Evaluate());
}

bool PowerOperator::IsConstant() { return PowerIsConstant(this); }

void PowerOperator::Simplify()
{
    OperationParser::Simplify();
    PowerSimplify(this);
}

Parser* PowerOperator::Derivative(const char* n) { return PowerDerivative(left, right, n); }

double Power2Operator::Evaluate()
{
    const double a = left->Evaluate();
    return FormulaPower(a, right->Evaluate());
}

bool Power2Operator::IsConstant() { return PowerIsConstant(this); }

void Power2Operator::Simplify()
{
    OperationParser::Simplify();
    PowerSimplify(this);
}

Parser* Power2Operator::Derivative(const char* n) { return PowerDerivative(left, right, n); }

// ---------------------------------------------------------------- comparisons

#define ZELT_FORMULA_COMPARISON(Name, Op, SameValue)                  \
    double Name::Evaluate()                                           \
    {                                                                 \
        const double a = left->Evaluate();                            \
        return (a Op right->Evaluate()) ? 1.0 : 0.0;                  \
    }                                                                 \
    void Name::Simplify()                                             \
    {                                                                 \
        OperationParser::Simplify();                                  \
        if (left->IsSame(right))                                      \
            HoistConstant(SameValue);                                 \
    }

ZELT_FORMULA_COMPARISON(IsLessThanOperator, <, 0)
ZELT_FORMULA_COMPARISON(IsGreaterThanOperator, >, 0)
ZELT_FORMULA_COMPARISON(IsEqualToOperator, ==, 1)
ZELT_FORMULA_COMPARISON(IsNotEqualToOperator, !=, 0)
ZELT_FORMULA_COMPARISON(IsLessThanOrEqualToOperator, <=, 1)
ZELT_FORMULA_COMPARISON(IsGreaterThanOrEqualToOperator, >=, 1)

#undef ZELT_FORMULA_COMPARISON

// ---------------------------------------------------------------- logical

double AndOperator::Evaluate()
{
    if (left->Evaluate() == 0)
        return 0.0;
    return right->Evaluate() == 0 ? 0.0 : 1.0;
}

bool AndOperator::IsConstant()
{
    return OperationParser::IsConstant() || ConstEquals(left, 0) || ConstEquals(right, 0);
}

void AndOperator::Simplify()
{
    OperationParser::Simplify();
    if (left->IsConstant()) {
        if (left->Evaluate() == 0)
            HoistConstant(0);
        else if (right->IsConstant())
            HoistConstant(Evaluate());
    } else if (ConstEquals(right, 0)) {
        HoistConstant(0);
    }
}

double OrOperator::Evaluate()
{
    if (left->Evaluate() != 0)
        return 1.0;
    return right->Evaluate() != 0 ? 1.0 : 0.0;
}

bool OrOperator::IsConstant()
{
    if (OperationParser::IsConstant())
        return true;
    if (left->IsConstant() && left->Evaluate() != 0)
        return true;
    return right->IsConstant() && right->Evaluate() != 0;
}

void OrOperator::Simplify()
{
    OperationParser::Simplify();
    if (left->IsConstant()) {
        if (left->Evaluate() != 0)
            HoistConstant(1);
        else if (right->IsConstant())
            HoistConstant(right->Evaluate() != 0 ? 1 : 0);
    } else if (right->IsConstant() && right->Evaluate() != 0) {
        HoistConstant(1);
    }
}

// ---------------------------------------------------------------- bitwise

double BitwiseAndOperator::Evaluate()
{
    const int a = TruncToInt32(left->Evaluate());
    return static_cast<double>(a & TruncToInt32(right->Evaluate()));
}

bool BitwiseAndOperator::IsConstant()
{
    return OperationParser::IsConstant() || ConstEquals(left, 0) || ConstEquals(right, 0);
}

void BitwiseAndOperator::Simplify()
{
    OperationParser::Simplify();
    if (left->IsSame(right))
        HoistOperand(left);
    else if (ConstEquals(left, 0) || ConstEquals(right, 0))
        HoistConstant(0);
    else if (ConstEquals(left, -1))
        HoistOperand(right);
    else if (ConstEquals(right, -1))
        HoistOperand(left);
}

double BitwiseInclusiveOrOperator::Evaluate()
{
    const int a = TruncToInt32(left->Evaluate());
    return static_cast<double>(a | TruncToInt32(right->Evaluate()));
}

bool BitwiseInclusiveOrOperator::IsConstant()
{
    return OperationParser::IsConstant() || ConstEquals(left, -1) || ConstEquals(right, -1);
}

void BitwiseInclusiveOrOperator::Simplify()
{
    OperationParser::Simplify();
    if (ConstEquals(left, -1) || ConstEquals(right, -1))
        HoistConstant(-1);
    else if (ConstEquals(left, 0))
        HoistOperand(right);
    else if (ConstEquals(right, 0))
        HoistOperand(left);
}

double BitwiseExclusiveOrOperator::Evaluate()
{
    const int a = TruncToInt32(left->Evaluate());
    return static_cast<double>(a ^ TruncToInt32(right->Evaluate()));
}

void BitwiseExclusiveOrOperator::Simplify()
{
    OperationParser::Simplify();
    if (ConstEquals(left, 0))
        HoistOperand(right);
    else if (ConstEquals(right, 0))
        HoistOperand(left);
}

// ---------------------------------------------------------------- conditional

double ThenElseOperator::Evaluate() { Fail(kErrColonWithoutQuestion); }

void ThenElseOperator::Simplify()
{
    OperationParser::Simplify();
    if (!dynamic_cast<IfOperator*>(parent))
        Fail(kErrColonWithoutQuestion);
}

Parser* ThenElseOperator::Derivative(const char* n)
{
    return Op(kOpThenElse, D(left, n), D(right, n)).release();
}

void ThenElseOperator::ChooseAndReplace(Parser* target, double condition)
{
    Parser*& slot = condition != 0.0 ? left : right;
    Parser* branch = slot;
    slot = nullptr;
    bool replaced = false;
    try {
        replaced = target->ReplaceOperand(parent, branch);
    } catch (...) {
        slot = branch;
        throw;
    }
    if (!replaced)
        slot = branch;
}

IfOperator::IfOperator(TextRange& l, TextRange& r) : IfOperator(l, r, r.first, r.last) {}

IfOperator::IfOperator(TextRange& l, TextRange& r, int rightFirst, int rightLast)
    : OperationParser(l, r)
{
    if (!dynamic_cast<ThenElseOperator*>(right))
        Error(kErrQuestionWithoutColon, rightFirst, rightLast);
}

IfOperator::IfOperator(Parser* l, Parser* r) : OperationParser(l, r)
{
    if (!dynamic_cast<ThenElseOperator*>(right))
        Error(kErrQuestionWithoutColon, -1, -1);
}

double IfOperator::Evaluate()
{
    const bool condition = left->Evaluate() != 0.0;
    return static_cast<ThenElseOperator*>(right)->Choose(condition);
}

void IfOperator::Simplify()
{
    OperationParser::Simplify();
    ThenElseOperator* branches = dynamic_cast<ThenElseOperator*>(right);
    if (!branches)
        return;
    if (left->IsConstant() && parent) {
        branches->ChooseAndReplace(parent, left->Evaluate() != 0.0 ? 1.0 : 0.0);
    } else if (branches->BranchesSame() && parent) {
        branches->ChooseAndReplace(parent, 1.0);
    }
}

Parser* IfOperator::Derivative(const char* n)
{
    return Op(kOpIf, C(left), D(right, n)).release();
}

} // namespace formula
} // namespace zeltmath
