#ifndef ZELTMATH_FORMULA_DETAIL_PROGRAM_H
#define ZELTMATH_FORMULA_DETAIL_PROGRAM_H

// A formula's tree flattened into a short program for a stack machine, so
// that repeated evaluation does not walk the tree through virtual calls.
//
// The program reproduces the tree's evaluation exactly: operands in the same
// order (the divisor of "/" and "%" first), the same checks raising the same
// error codes, the same short-circuits of &&, || and ?:, and the angle factor
// read when the evaluation starts.  Nodes without an instruction of their own
// are evaluated by a call to the node.

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
    // Fused forms: an operation whose right operand is a constant or a
    // variable, applied to the value on top of the stack.
    AddConst, SubConst, MulConst, DivConst, AddVar, SubVar, MulVar,
    MulConstVar, MulVarVar, AddMulConstVar, SubMulConstVar, PowConst, Square
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
    // Translates the tree of root; the tree must stay unchanged while the
    // program is used.
    void Build(Parser* root);
    void Clear() { m_code.clear(); }
    bool Empty() const { return m_code.empty(); }
    double Run(const FunctionInterpreter& fi);

    // Emitting, used by the nodes' translation.
    int Emit(OpCode op, std::int32_t index = 0, double value = 0.0, Parser* node = nullptr);
    int Here() const { return static_cast<int>(m_code.size()); }
    void Patch(int at, int target) { m_code[static_cast<std::size_t>(at)].index = target; }
    void Push() { if (++m_depth > m_maxDepth) m_maxDepth = m_depth; }
    void Pop(int n = 1) { m_depth -= n; }
    // Appends the code of a subtree: its value ends on top of the stack.
    void Compile(Parser* node);

private:
    std::vector<Instruction> m_code;
    std::vector<double> m_stack;
    int m_depth = 0;
    int m_maxDepth = 0;
};

} // namespace formula
} // namespace zeltmath

#endif
