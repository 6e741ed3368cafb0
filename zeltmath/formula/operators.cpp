#include <zeltmath/formula/detail/operators.h>

#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/leaves.h>

#include <climits>
#include <cmath>
#include <typeinfo>

namespace zeltmath {
namespace formula {

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
    constState = -1;  // the nodes above may be gone already (DeleteTree)
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
    ForgetConstant(this);
    DeleteTree(*slot);
    *slot = replacement;
    if (replacement)
        replacement->parent = this;
    return true;
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

int OperationParser::CompareNode(Parser* p)
{
    if (!p || typeid(*p) != typeid(*this))
        return 1;
    OperationParser* o = static_cast<OperationParser*>(p);
    if (IsConstant() && o->IsConstant())
        return Evaluate() != o->Evaluate() ? 1 : 0;
    if ((left == nullptr) != (o->left == nullptr) || (right == nullptr) != (o->right == nullptr))
        return 1;
    return -1;
}

// ---------------------------------------------------------------- tree helpers

namespace {

Tree C(Parser* a) { return CopyOf(a); }
Tree Op(int code, Tree l, Tree r) { return MakeOp(code, std::move(l), std::move(r)); }

[[noreturn]] void Fail(int code) { Parser::Error(code, -1, -1); }

Parser* PowerDerivative(Parser* a, Parser* b, Tree* d)
{
    // a' * (b * a ^ (b - 1)) + a ^ b * (b' * LN(a))
    Tree first = Op(kOpMultiply, std::move(d[0]),
                    Op(kOpMultiply, C(b), Op(kOpPower, C(a), Op(kOpMinus, C(b), MakeNum(1)))));
    Tree second = Op(kOpMultiply, Op(kOpPower, C(a), C(b)),
                     Op(kOpMultiply, std::move(d[1]), MakeFn(kFnLn, C(a))));
    return Op(kOpPlus, std::move(first), std::move(second)).release();
}

bool PowerIsConstant(OperationParser* op)
{
    const bool lc = op->left->IsConstant();
    const bool rc = op->right->IsConstant();
    if (lc && rc)
        return true;
    if (lc) {
        const double a = op->left->Evaluate();
        if (a == 1 || a == 0)
            return true;
    }
    return rc && op->right->Evaluate() == 0;
}

// Constant when both operands are, or when one of them is constant and has
// the value v.  Each operand is asked once: repeated questions would cost
// exponential time in deep trees.
bool ConstantOrOperandEquals(Parser* l, Parser* r, double v)
{
    const bool lc = l->IsConstant();
    const bool rc = r->IsConstant();
    if (lc && rc)
        return true;
    if (lc && l->Evaluate() == v)
        return true;
    return rc && r->Evaluate() == v;
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


void PlusOperator::SimplifyNode()
{
    if (ConstEquals(left, 0))
        HoistOperand(right);
    else if (ConstEquals(right, 0))
        HoistOperand(left);
    else if (left->IsSame(right))
        HoistOperand(Op(kOpMultiply, MakeNum(2), C(left)).release());
}

Parser* PlusOperator::DerivativeRule(const char*, Tree* d)
{
    return Op(kOpPlus, std::move(d[0]), std::move(d[1])).release();
}


void MinusOperator::SimplifyNode()
{
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

Parser* MinusOperator::DerivativeRule(const char*, Tree* d)
{
    return Op(kOpMinus, std::move(d[0]), std::move(d[1])).release();
}


bool MultiplyOperator::ConstantRule() { return ConstantOrOperandEquals(left, right, 0.0); }

void MultiplyOperator::SimplifyNode()
{
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

Parser* MultiplyOperator::DerivativeRule(const char*, Tree* d)
{
    Tree first = Op(kOpMultiply, std::move(d[0]), C(right));
    Tree second = Op(kOpMultiply, C(left), std::move(d[1]));
    return Op(kOpPlus, std::move(first), std::move(second)).release();
}


bool DivideOperator::ConstantRule()
{
    // One answer per operand: repeated questions would cost exponential
    // time in deep trees.
    const bool lc = left->IsConstant();
    if (lc && right->IsConstant())
        return true;
    return lc && left->Evaluate() == 0;
}

void DivideOperator::SimplifyNode()
{
    if (ConstEquals(left, 0))
        HoistConstant(0);
    else if (left->IsSame(right))
        HoistConstant(1);
}

Parser* DivideOperator::DerivativeRule(const char*, Tree* d)
{
    Tree numerator = Op(kOpMinus, Op(kOpMultiply, std::move(d[0]), C(right)),
                        Op(kOpMultiply, C(left), std::move(d[1])));
    Tree denominator = Op(kOpPower, C(right), MakeNum(2));
    return Op(kOpDivide, std::move(numerator), std::move(denominator)).release();
}


void ModulusOperator::SimplifyNode()
{
    if (left->IsSame(right))
        HoistConstant(0);
}


bool PowerOperator::ConstantRule() { return PowerIsConstant(this); }

void PowerOperator::SimplifyNode()
{
    PowerSimplify(this);
}

Parser* PowerOperator::DerivativeRule(const char*, Tree* d) { return PowerDerivative(left, right, d); }


bool Power2Operator::ConstantRule() { return PowerIsConstant(this); }

void Power2Operator::SimplifyNode()
{
    PowerSimplify(this);
}

Parser* Power2Operator::DerivativeRule(const char*, Tree* d) { return PowerDerivative(left, right, d); }

// ---------------------------------------------------------------- comparisons

#define ZELT_FORMULA_COMPARISON(Name, SameValue)                      \
    void Name::SimplifyNode()                                        \
    {                                                                \
        if (left->IsSame(right))                                     \
            HoistConstant(SameValue);                                \
    }

ZELT_FORMULA_COMPARISON(IsLessThanOperator, 0)
ZELT_FORMULA_COMPARISON(IsGreaterThanOperator, 0)
ZELT_FORMULA_COMPARISON(IsEqualToOperator, 1)
ZELT_FORMULA_COMPARISON(IsNotEqualToOperator, 0)
ZELT_FORMULA_COMPARISON(IsLessThanOrEqualToOperator, 1)
ZELT_FORMULA_COMPARISON(IsGreaterThanOrEqualToOperator, 1)

#undef ZELT_FORMULA_COMPARISON

// ---------------------------------------------------------------- logical


bool AndOperator::ConstantRule() { return ConstantOrOperandEquals(left, right, 0.0); }

void AndOperator::SimplifyNode()
{
    if (left->IsConstant()) {
        if (left->Evaluate() == 0)
            HoistConstant(0);
        else if (right->IsConstant())
            HoistConstant(Evaluate());
    } else if (ConstEquals(right, 0)) {
        HoistConstant(0);
    }
}


bool OrOperator::ConstantRule()
{
    const bool lc = left->IsConstant();
    const bool rc = right->IsConstant();
    if (lc && rc)
        return true;
    if (lc && left->Evaluate() != 0)
        return true;
    return rc && right->Evaluate() != 0;
}

void OrOperator::SimplifyNode()
{
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


bool BitwiseAndOperator::ConstantRule() { return ConstantOrOperandEquals(left, right, 0.0); }

void BitwiseAndOperator::SimplifyNode()
{
    if (left->IsSame(right))
        HoistOperand(left);
    else if (ConstEquals(left, 0) || ConstEquals(right, 0))
        HoistConstant(0);
    else if (ConstEquals(left, -1))
        HoistOperand(right);
    else if (ConstEquals(right, -1))
        HoistOperand(left);
}


bool BitwiseInclusiveOrOperator::ConstantRule() { return ConstantOrOperandEquals(left, right, -1.0); }

void BitwiseInclusiveOrOperator::SimplifyNode()
{
    if (ConstEquals(left, -1) || ConstEquals(right, -1))
        HoistConstant(-1);
    else if (ConstEquals(left, 0))
        HoistOperand(right);
    else if (ConstEquals(right, 0))
        HoistOperand(left);
}


void BitwiseExclusiveOrOperator::SimplifyNode()
{
    if (ConstEquals(left, 0))
        HoistOperand(right);
    else if (ConstEquals(right, 0))
        HoistOperand(left);
}

// ---------------------------------------------------------------- conditional


void ThenElseOperator::SimplifyNode()
{
    if (!dynamic_cast<IfOperator*>(parent))
        Fail(kErrColonWithoutQuestion);
}

Parser* ThenElseOperator::DerivativeRule(const char*, Tree* d)
{
    return Op(kOpThenElse, std::move(d[0]), std::move(d[1])).release();
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


void IfOperator::SimplifyNode()
{
    ThenElseOperator* branches = dynamic_cast<ThenElseOperator*>(right);
    if (!branches)
        return;
    if (left->IsConstant() && parent) {
        branches->ChooseAndReplace(parent, left->Evaluate() != 0.0 ? 1.0 : 0.0);
    } else if (branches->BranchesSame() && parent) {
        branches->ChooseAndReplace(parent, 1.0);
    }
}

Parser* IfOperator::DerivativeRule(const char*, Tree* d)
{
    return Op(kOpIf, C(left), std::move(d[1])).release();
}

} // namespace formula
} // namespace zeltmath
