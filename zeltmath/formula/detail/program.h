#ifndef ZELTMATH_FORMULA_DETAIL_PROGRAM_H
#define ZELTMATH_FORMULA_DETAIL_PROGRAM_H

// A formula's tree flattened into a short program for a stack machine, so
// that repeated evaluation does not walk the tree through virtual calls.
//
// The program is the evaluator of the formula language: every node kind has
// an instruction, and the value rules it applies are those of
// value_rules.h.  Operands are evaluated left first, except the divisor of
// "/" and "%", which is evaluated and checked before the dividend; &&, ||
// and ?: evaluate only the operands that decide the result; the angle factor
// is read when the evaluation starts.  A node asked for its value runs a
// program of its subtree, so no evaluation recurses through the tree.

#include <zeltmath/formula/detail/parser.h>

#include <cstdint>
#include <vector>

namespace zeltmath {
namespace formula {

enum class OpCode : std::uint8_t {
    End, Const, Var, Node,
    Add, Sub, Mul, Div, CheckDivisor, Pow,
    Less, Greater, Equal, NotEqual, LessEqual, GreaterEqual,
    AndTest, OrTest, Truth, JumpIfFalse, Jump,
    Neg, Sin, Cos, Tan, Sqrt, Exp, Ln, Log, Abs,
    Fn, Op, CheckModulusDivisor, Mod, Rand, RandConst, Fail,
    // Fused forms: an operation whose right operand is a constant or a
    // variable, applied to the value on top of the stack.
    AddConst, SubConst, MulConst, DivConst, AddVar, SubVar, MulVar,
    MulConstVar, MulVarVar, AddMulConstVar, SubMulConstVar, PowConst, Square,
    LessConst, GreaterConst, EqualConst, NotEqualConst, LessEqualConst, GreaterEqualConst
};

struct Instruction {
    OpCode op;
    std::int32_t index;  // variable index or jump target
    double value;        // constant
    Parser* node;        // node for OpCode::Node
};

class FunctionInterpreter;

class Program {
public:
    // Translates the tree of root, without recursion; the variables bound to
    // fi are read from its store, any other variable is asked for its value.
    // The tree must stay unchanged while the program is used.
    void Build(Parser* root, const FunctionInterpreter* fi);
    void Clear() { m_code.clear(); }
    bool Empty() const { return m_code.empty(); }
    // Runs the program; fi is the interpreter given to Build.
    double Run(const FunctionInterpreter* fi);

private:
    int Emit(OpCode op, std::int32_t index, double value, Parser* node, int stackChange);

    const FunctionInterpreter* m_fi = nullptr;
    std::vector<Instruction> m_code;
    std::vector<double> m_stack;
    int m_depth = 0;
    int m_maxDepth = 0;
};

} // namespace formula
} // namespace zeltmath

#endif
