#ifndef ZELTMATH_FORMULA_DETAIL_OPERATORS_H
#define ZELTMATH_FORMULA_DETAIL_OPERATORS_H

// Two-operand nodes: arithmetic, comparison, logical, bitwise, power and the
// conditional.  Truth is 1.0 / 0.0; any operand other than 0.0 is true.
// Bitwise operators and "%" truncate their operands toward zero to 32-bit
// integers; values outside that range saturate at its ends (NaN gives 0).
// A remainder by a divisor that truncates to 0 (0 < |b| < 1) is a division by
// zero (code 1), like a divisor of exactly 0; a remainder by -1 is 0.

#include <zeltmath/formula/detail/parser.h>
#include <zeltmath/formula/detail/value_rules.h>

namespace zeltmath {
namespace formula {

class OperationParser : public InnerNode {
public:
    // Parses the left piece, then the right piece.
    OperationParser(TextRange& leftPiece, TextRange& rightPiece);
    // Takes ownership of both (also when it fails); code 21 if one is null.
    OperationParser(Parser* l, Parser* r);
    ~OperationParser() override;

    int GetPrecedence() override { return OperatorPrecedence(GetType()); }
    bool ReplaceOperand(Parser* old, Parser* replacement) override;
    int ChildCount() const override { return 2; }
    Parser* Child(int i) const override { return i == 0 ? left : right; }
    Parser* ReleaseChild(int i) override;

    Kind NodeKind() const override { return Kind::Operator; }
    int SimplifiedOperands() const override { return 2; }
    bool ConstantRule() override { return left->IsConstant() && right->IsConstant(); }
    int CompareNode(Parser* p) override;

    virtual int GetType() { return 0; }
    // Replaces this node in its parent by node (an operand of this node or a
    // new one).  This node is deleted: the caller must return at once.
    virtual void HoistOperand(Parser* node);
    void HoistConstant(double v);

    Parser* left = nullptr;
    Parser* right = nullptr;
};

#define ZELT_FORMULA_OPERATOR_BODY(Name, Code)                                  \
public:                                                                         \
    Name(TextRange& l, TextRange& r) : OperationParser(l, r) {}                 \
    Name(Parser* l, Parser* r) : OperationParser(l, r) {}                       \
    int GetType() override { return Code; }                                     \
    void SimplifyNode() override;

class PlusOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(PlusOperator, kOpPlus)
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
};
class MinusOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(MinusOperator, kOpMinus)
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
};
class MultiplyOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(MultiplyOperator, kOpMultiply)
    bool ConstantRule() override;
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
};
class DivideOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(DivideOperator, kOpDivide)
    bool ConstantRule() override;
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
};
class ModulusOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(ModulusOperator, kOpModulus)
};
class PowerOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(PowerOperator, kOpPower)
    bool ConstantRule() override;
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
};
class Power2Operator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(Power2Operator, kOpPower2)
    bool ConstantRule() override;
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
};
class IsLessThanOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(IsLessThanOperator, kOpLess)
};
class IsGreaterThanOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(IsGreaterThanOperator, kOpGreater)
};
class IsEqualToOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(IsEqualToOperator, kOpEqual)
};
class IsNotEqualToOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(IsNotEqualToOperator, kOpNotEqual)
};
class IsLessThanOrEqualToOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(IsLessThanOrEqualToOperator, kOpLessEqual)
};
class IsGreaterThanOrEqualToOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(IsGreaterThanOrEqualToOperator, kOpGreaterEqual)
};
class AndOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(AndOperator, kOpAnd)
    bool ConstantRule() override;
};
class OrOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(OrOperator, kOpOr)
    bool ConstantRule() override;
};
class BitwiseInclusiveOrOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(BitwiseInclusiveOrOperator, kOpBitOr)
    bool ConstantRule() override;
};
class BitwiseExclusiveOrOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(BitwiseExclusiveOrOperator, kOpBitXor)
};
class BitwiseAndOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(BitwiseAndOperator, kOpBitAnd)
    bool ConstantRule() override;
};

// The "x : y" part of a conditional.
class ThenElseOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(ThenElseOperator, kOpThenElse)
    bool ConstantRule() override { return false; }
    unsigned DerivativeNeeds() const override { return 3; }
    Parser* DerivativeRule(const char* name, Tree* d) override;
    // Replaces this node's parent (a conditional) within target by the
    // branch that condition selects.
    void ChooseAndReplace(Parser* target, double condition);
    bool BranchesSame() { return left->IsSame(right); }
};

// "c ? x : y": left is the condition, right a ThenElseOperator.
class IfOperator : public OperationParser {
public:
    IfOperator(TextRange& l, TextRange& r);
    IfOperator(Parser* l, Parser* r);
    int GetType() override { return kOpIf; }
    void SimplifyNode() override;
    unsigned DerivativeNeeds() const override { return 2; }  // the branches only
    Parser* DerivativeRule(const char* name, Tree* d) override;

private:
    IfOperator(TextRange& l, TextRange& r, int rightFirst, int rightLast);
};

#undef ZELT_FORMULA_OPERATOR_BODY


} // namespace formula
} // namespace zeltmath

#endif
