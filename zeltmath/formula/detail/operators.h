#ifndef ZELTMATH_FORMULA_DETAIL_OPERATORS_H
#define ZELTMATH_FORMULA_DETAIL_OPERATORS_H

// Two-operand nodes: arithmetic, comparison, logical, bitwise, power and the
// conditional.  Truth is 1.0 / 0.0; any operand other than 0.0 is true.
// Bitwise operators and "%" truncate their operands toward zero to 32-bit
// integers; values outside that range saturate at its ends (NaN gives 0).

#include <zeltmath/formula/detail/parser.h>

namespace zeltmath {
namespace formula {

class OperationParser : public Parser {
public:
    // Parses the left piece, then the right piece.
    OperationParser(TextRange& leftPiece, TextRange& rightPiece);
    // Takes ownership of both (also when it fails); code 21 if one is null.
    OperationParser(Parser* l, Parser* r);
    ~OperationParser() override;

    bool IsConstant() override { return left->IsConstant() && right->IsConstant(); }
    int GetPrecedence() override { return OperatorPrecedence(GetType()); }
    bool ReplaceOperand(Parser* old, Parser* replacement) override;
    void Bind(FunctionInterpreter* fi) override;
    void Simplify() override;  // the base part: operands simplify and fold
    std::string Print() override;
    Parser* Copy() override;
    bool IsDifferent(Parser* p) override;
    bool IsSame(Parser* p) override { return !IsDifferent(p); }
    int ChildCount() const override { return 2; }
    Parser* Child(int i) const override { return i == 0 ? left : right; }
    Parser* ReleaseChild(int i) override;

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
    double Evaluate() override;                                                 \
    void Simplify() override;

class PlusOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(PlusOperator, kOpPlus)
    Parser* Derivative(const char* name) override;
};
class MinusOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(MinusOperator, kOpMinus)
    Parser* Derivative(const char* name) override;
};
class MultiplyOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(MultiplyOperator, kOpMultiply)
    bool IsConstant() override;
    Parser* Derivative(const char* name) override;
};
class DivideOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(DivideOperator, kOpDivide)
    bool IsConstant() override;
    Parser* Derivative(const char* name) override;
};
class ModulusOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(ModulusOperator, kOpModulus)
};
class PowerOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(PowerOperator, kOpPower)
    bool IsConstant() override;
    Parser* Derivative(const char* name) override;
};
class Power2Operator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(Power2Operator, kOpPower2)
    bool IsConstant() override;
    Parser* Derivative(const char* name) override;
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
    bool IsConstant() override;
};
class OrOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(OrOperator, kOpOr)
    bool IsConstant() override;
};
class BitwiseInclusiveOrOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(BitwiseInclusiveOrOperator, kOpBitOr)
    bool IsConstant() override;
};
class BitwiseExclusiveOrOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(BitwiseExclusiveOrOperator, kOpBitXor)
};
class BitwiseAndOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(BitwiseAndOperator, kOpBitAnd)
    bool IsConstant() override;
};

// The "x : y" part of a conditional.
class ThenElseOperator : public OperationParser {
    ZELT_FORMULA_OPERATOR_BODY(ThenElseOperator, kOpThenElse)
    bool IsConstant() override { return false; }
    Parser* Derivative(const char* name) override;
    // Value of the first branch when condition holds, else of the second;
    // only the chosen branch is evaluated.
    double Choose(bool condition) { return condition ? left->Evaluate() : right->Evaluate(); }
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
    double Evaluate() override;
    void Simplify() override;
    Parser* Derivative(const char* name) override;

private:
    IfOperator(TextRange& l, TextRange& r, int rightFirst, int rightLast);
};

#undef ZELT_FORMULA_OPERATOR_BODY

// Power as the formula language defines it: 0 for a zero base, an integer
// exponent (truncated toward zero) for a negative base.
double FormulaPower(double a, double b);
// Truncation toward zero to a 32-bit integer, saturating; NaN gives 0.
int TruncToInt32(double v);

} // namespace formula
} // namespace zeltmath

#endif
