#include <zeltmath/formula/detail/program.h>

#include <zeltmath/formula/detail/angle.h>
#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/operators.h>
#include <zeltmath/formula/detail/tables.h>
#include <zeltmath/formula/detail/value_rules.h>

#include <cmath>

namespace zeltmath {
namespace formula {

namespace {

// One step of the translation: a node still to translate, an instruction to
// emit, an instruction whose jump target is patched later (its position is
// kept in a slot), or the patch of such a slot to the current position.
struct Task {
    enum Kind : std::uint8_t { Visit, Emit, Mark, Patch } kind;
    Parser* node;
    OpCode op;
    std::int32_t index;
    double value;
    int change;  // effect of the instruction on the stack height
};

} // namespace

int Program::Emit(OpCode op, std::int32_t index, double value, Parser* node, int stackChange)
{
    m_code.push_back(Instruction{op, index, value, node});
    m_depth += stackChange;
    if (m_depth > m_maxDepth)
        m_maxDepth = m_depth;
    return static_cast<int>(m_code.size()) - 1;
}

void Program::Build(Parser* root, const FunctionInterpreter* fi)
{
    m_code.clear();
    m_depth = 0;
    m_maxDepth = 0;
    m_fi = fi;
    if (!root)
        return;

    std::vector<int> marks;  // positions of the instructions awaiting a jump target
    std::vector<Task> seq;   // the translation of one node, in order
    auto visit = [&seq](Parser* p) { seq.push_back(Task{Task::Visit, p, OpCode::End, 0, 0.0, 0}); };
    auto emit = [&seq](OpCode op, std::int32_t index = 0, double value = 0.0, int change = 0, Parser* node = nullptr) {
        seq.push_back(Task{Task::Emit, node, op, index, value, change});
    };
    auto mark = [&seq, &marks](OpCode op, int change) {
        marks.push_back(-1);
        const int slot = static_cast<int>(marks.size()) - 1;
        seq.push_back(Task{Task::Mark, nullptr, op, slot, 0.0, change});
        return slot;
    };
    auto patch = [&seq](int slot) { seq.push_back(Task{Task::Patch, nullptr, OpCode::End, slot, 0.0, 0}); };
    // A variable whose value can be read straight from the store of fi.
    auto bound = [fi](const Variable* v) {
        return v && fi && v->interpreter == fi && v->index >= 0 && v->index < fi->GetVariablesCount();
    };

    auto translate = [&](Parser* node) {
        const Parser::Kind kind = node->NodeKind();
        if (kind == Parser::Kind::Leaf) {
            if (auto* c = dynamic_cast<Constant*>(node)) {
                emit(OpCode::Const, 0, c->value, 1);
                return;
            }
            auto* v = dynamic_cast<Variable*>(node);
            if (bound(v))
                emit(OpCode::Var, v->index, 0.0, 1);
            else
                emit(OpCode::Node, 0, 0.0, 1, node);
            return;
        }
        if (kind == Parser::Kind::Operator) {
            auto* op = static_cast<OperationParser*>(node);
            Parser* l = op->left;
            Parser* r = op->right;
            auto* rc = dynamic_cast<Constant*>(r);
            auto* rv = dynamic_cast<Variable*>(r);
            if (!bound(rv))
                rv = nullptr;
            auto binary = [&](OpCode generic, OpCode withConst, OpCode withVar) {
                visit(l);
                if (rc && withConst != OpCode::End) {
                    emit(withConst, 0, rc->value);
                } else if (rv && withVar != OpCode::End) {
                    emit(withVar, rv->index);
                } else {
                    visit(r);
                    emit(generic, 0, 0.0, -1);
                }
            };
            // c * v as the right operand of "+" or "-": one instruction.
            auto constTimesVar = [&](Parser* p, double& c, int& index) {
                auto* m = dynamic_cast<MultiplyOperator*>(p);
                if (!m)
                    return false;
                auto* mc = dynamic_cast<Constant*>(m->left);
                auto* mv = dynamic_cast<Variable*>(m->right);
                if (!mc || !bound(mv))
                    return false;
                c = mc->value;
                index = mv->index;
                return true;
            };
            double c = 0;
            int index = 0;
            const int code = op->GetType();
            switch (code) {
            case kOpPlus:
                if (constTimesVar(r, c, index)) {
                    visit(l);
                    emit(OpCode::AddMulConstVar, index, c);
                } else {
                    binary(OpCode::Add, OpCode::AddConst, OpCode::AddVar);
                }
                return;
            case kOpMinus:
                if (constTimesVar(r, c, index)) {
                    visit(l);
                    emit(OpCode::SubMulConstVar, index, c);
                } else {
                    binary(OpCode::Sub, OpCode::SubConst, OpCode::SubVar);
                }
                return;
            case kOpMultiply: {
                auto* lc = dynamic_cast<Constant*>(l);
                auto* lv = dynamic_cast<Variable*>(l);
                if (lc && rv)
                    emit(OpCode::MulConstVar, rv->index, lc->value, 1);
                else if (bound(lv) && rv)
                    emit(OpCode::MulVarVar, rv->index, static_cast<double>(lv->index), 1);
                else
                    binary(OpCode::Mul, OpCode::MulConst, OpCode::MulVar);
                return;
            }
            case kOpDivide:
                if (rc && rc->value != 0.0) {
                    visit(l);
                    emit(OpCode::DivConst, 0, rc->value);
                } else {
                    visit(r);
                    emit(OpCode::CheckDivisor);
                    visit(l);
                    emit(OpCode::Div, 0, 0.0, -1);
                }
                return;
            case kOpModulus:
                visit(r);
                emit(OpCode::CheckModulusDivisor);
                visit(l);
                emit(OpCode::Mod, 0, 0.0, -1);
                return;
            case kOpPower:
            case kOpPower2:
                // pow(a, 2) is a * a exactly, the special cases of the
                // formula power included (0 for a zero base, an even power
                // of a negative one).
                if (rc && rc->value == 2.0) {
                    visit(l);
                    emit(OpCode::Square);
                } else {
                    binary(OpCode::Pow, OpCode::PowConst, OpCode::End);
                }
                return;
            case kOpLess: binary(OpCode::Less, OpCode::LessConst, OpCode::End); return;
            case kOpGreater: binary(OpCode::Greater, OpCode::GreaterConst, OpCode::End); return;
            case kOpEqual: binary(OpCode::Equal, OpCode::EqualConst, OpCode::End); return;
            case kOpNotEqual: binary(OpCode::NotEqual, OpCode::NotEqualConst, OpCode::End); return;
            case kOpLessEqual: binary(OpCode::LessEqual, OpCode::LessEqualConst, OpCode::End); return;
            case kOpGreaterEqual: binary(OpCode::GreaterEqual, OpCode::GreaterEqualConst, OpCode::End); return;
            case kOpAnd:
            case kOpOr: {
                visit(l);
                const int test = mark(code == kOpAnd ? OpCode::AndTest : OpCode::OrTest, -1);
                visit(r);
                emit(OpCode::Truth);
                patch(test);
                return;
            }
            case kOpIf: {
                auto* branches = dynamic_cast<ThenElseOperator*>(r);
                if (!branches) {
                    emit(OpCode::Fail, kErrQuestionWithoutColon, 0.0, 1);
                    return;
                }
                visit(l);
                const int toElse = mark(OpCode::JumpIfFalse, -1);
                visit(branches->left);
                const int toEnd = mark(OpCode::Jump, -1);
                patch(toElse);
                visit(branches->right);
                patch(toEnd);
                return;
            }
            case kOpThenElse:
                // A ":" outside a conditional.
                emit(OpCode::Fail, kErrColonWithoutQuestion, 0.0, 1);
                return;
            default: {
                const OperatorKind* kind = OperatorKindOf(code);
                if (!kind || !kind->value) {
                    emit(OpCode::Fail, kErrUnknownOperator, 0.0, 1);
                    return;
                }
                visit(l);
                visit(r);
                emit(OpCode::Op, code, 0.0, -1);
                return;
            }
            }
        }
        if (kind == Parser::Kind::Function) {
            auto* fn = static_cast<FunctionParser*>(node);
            OpCode code = OpCode::Fn;
            switch (fn->GetType()) {
            case kFnNeg: code = OpCode::Neg; break;
            case kFnSin: code = OpCode::Sin; break;
            case kFnCos: code = OpCode::Cos; break;
            case kFnTan: code = OpCode::Tan; break;
            case kFnSqrt: code = OpCode::Sqrt; break;
            case kFnExp: code = OpCode::Exp; break;
            case kFnLn: code = OpCode::Ln; break;
            case kFnLog: code = OpCode::Log; break;
            case kFnAbs: code = OpCode::Abs; break;
            default: break;
            }
            const FunctionKind* kind = FunctionKindOf(fn->GetType());
            if (!kind || !kind->value) {
                emit(OpCode::Fail, kErrUnknownFunction, 0.0, 1);
                return;
            }
            visit(fn->argument);
            emit(code, fn->GetType());
            return;
        }
        if (kind == Parser::Kind::Random) {
            auto* rnd = static_cast<RandomFunction*>(node);
            if (rnd->argument) {
                visit(rnd->argument);
                emit(OpCode::Rand);
            } else {
                emit(OpCode::RandConst, 0, rnd->factor, 1);
            }
            return;
        }
        emit(OpCode::Node, 0, 0.0, 1, node);
    };

    std::vector<Task> stack{Task{Task::Visit, root, OpCode::End, 0, 0.0, 0}};
    while (!stack.empty()) {
        const Task t = stack.back();
        stack.pop_back();
        switch (t.kind) {
        case Task::Emit: Emit(t.op, t.index, t.value, t.node, t.change); break;
        case Task::Mark: marks[static_cast<std::size_t>(t.index)] = Emit(t.op, 0, 0.0, nullptr, t.change); break;
        case Task::Patch:
            m_code[static_cast<std::size_t>(marks[static_cast<std::size_t>(t.index)])].index =
                static_cast<std::int32_t>(m_code.size());
            break;
        case Task::Visit:
            seq.clear();
            translate(t.node);
            stack.insert(stack.end(), seq.rbegin(), seq.rend());
            break;
        }
    }
    Emit(OpCode::End, 0, 0.0, nullptr, 0);
    m_stack.assign(static_cast<std::size_t>(m_maxDepth) + 1, 0.0);
}

double Program::Run(const FunctionInterpreter* fi)
{
    const FunctionInterpreter::Entry* vars = fi ? fi->variables.data() : nullptr;
    const double k = CurrentAngleFactor();
    const Instruction* code = m_code.data();
    double* sp = m_stack.data() - 1;
    for (const Instruction* ip = code;; ++ip) {
        switch (ip->op) {
        case OpCode::End: return *sp;
        case OpCode::Const: *++sp = ip->value; break;
        case OpCode::Var: *++sp = vars[ip->index].value; break;
        case OpCode::Node: {
            const double v = ip->node->Evaluate();
            *++sp = v;
            break;
        }
        case OpCode::Add: sp[-1] = PlusValue(sp[-1], sp[0]); --sp; break;
        case OpCode::Sub: sp[-1] = MinusValue(sp[-1], sp[0]); --sp; break;
        case OpCode::Mul: sp[-1] = MultiplyValue(sp[-1], sp[0]); --sp; break;
        case OpCode::CheckDivisor: CheckDivisor(*sp); break;
        case OpCode::Div: sp[-1] = DivideValue(sp[0], sp[-1]); --sp; break;  // divisor below dividend
        case OpCode::CheckModulusDivisor: CheckModulusDivisor(*sp); break;
        case OpCode::Mod: sp[-1] = ModulusValue(sp[0], sp[-1]); --sp; break;  // divisor below dividend
        case OpCode::Pow: sp[-1] = FormulaPower(sp[-1], sp[0]); --sp; break;
        case OpCode::Less: sp[-1] = LessValue(sp[-1], sp[0]); --sp; break;
        case OpCode::Greater: sp[-1] = GreaterValue(sp[-1], sp[0]); --sp; break;
        case OpCode::Equal: sp[-1] = EqualValue(sp[-1], sp[0]); --sp; break;
        case OpCode::NotEqual: sp[-1] = NotEqualValue(sp[-1], sp[0]); --sp; break;
        case OpCode::LessEqual: sp[-1] = LessEqualValue(sp[-1], sp[0]); --sp; break;
        case OpCode::GreaterEqual: sp[-1] = GreaterEqualValue(sp[-1], sp[0]); --sp; break;
        case OpCode::Op: sp[-1] = OperatorKindOf(ip->index)->value(sp[-1], sp[0]); --sp; break;
        case OpCode::AndTest:
            if (*sp == 0) {
                *sp = 0.0;
                ip = code + ip->index - 1;
            } else {
                --sp;
            }
            break;
        case OpCode::OrTest:
            if (*sp != 0) {
                *sp = 1.0;
                ip = code + ip->index - 1;
            } else {
                --sp;
            }
            break;
        case OpCode::Truth: *sp = Truth(*sp); break;
        case OpCode::JumpIfFalse:
            if (*sp-- == 0.0)
                ip = code + ip->index - 1;
            break;
        case OpCode::Jump: ip = code + ip->index - 1; break;
        case OpCode::Neg: *sp = NegValue(*sp, k); break;
        case OpCode::Sin: *sp = SinValue(*sp, k); break;
        case OpCode::Cos: *sp = CosValue(*sp, k); break;
        case OpCode::Tan: *sp = TanValue(*sp, k); break;
        case OpCode::Sqrt: *sp = SqrtValue(*sp, k); break;
        case OpCode::Exp: *sp = ExpValue(*sp, k); break;
        case OpCode::Ln: *sp = LnValue(*sp, k); break;
        case OpCode::Log: *sp = LogValue(*sp, k); break;
        case OpCode::Abs: *sp = AbsValue(*sp, k); break;
        case OpCode::Fn: *sp = FunctionKindOf(ip->index)->value(*sp, k); break;
        case OpCode::Rand: *sp = RandValue(*sp); break;
        case OpCode::RandConst: *++sp = RandValue(ip->value); break;
        case OpCode::Fail: ValueError(ip->index);
        case OpCode::AddConst: *sp = PlusValue(*sp, ip->value); break;
        case OpCode::SubConst: *sp = MinusValue(*sp, ip->value); break;
        case OpCode::MulConst: *sp = MultiplyValue(*sp, ip->value); break;
        case OpCode::DivConst: *sp = DivideValue(*sp, ip->value); break;
        case OpCode::AddVar: *sp = PlusValue(*sp, vars[ip->index].value); break;
        case OpCode::SubVar: *sp = MinusValue(*sp, vars[ip->index].value); break;
        case OpCode::MulVar: *sp = MultiplyValue(*sp, vars[ip->index].value); break;
        case OpCode::MulConstVar: *++sp = MultiplyValue(ip->value, vars[ip->index].value); break;
        case OpCode::MulVarVar:
            *++sp = MultiplyValue(vars[static_cast<int>(ip->value)].value, vars[ip->index].value);
            break;
        case OpCode::AddMulConstVar: *sp = PlusValue(*sp, ip->value * vars[ip->index].value); break;
        case OpCode::SubMulConstVar: *sp = MinusValue(*sp, ip->value * vars[ip->index].value); break;
        case OpCode::PowConst: *sp = FormulaPower(*sp, ip->value); break;
        case OpCode::Square: *sp = MultiplyValue(*sp, *sp); break;
        case OpCode::LessConst: *sp = LessValue(*sp, ip->value); break;
        case OpCode::GreaterConst: *sp = GreaterValue(*sp, ip->value); break;
        case OpCode::EqualConst: *sp = EqualValue(*sp, ip->value); break;
        case OpCode::NotEqualConst: *sp = NotEqualValue(*sp, ip->value); break;
        case OpCode::LessEqualConst: *sp = LessEqualValue(*sp, ip->value); break;
        case OpCode::GreaterEqualConst: *sp = GreaterEqualValue(*sp, ip->value); break;
        }
    }
}

double EvaluateTree(Parser* node)
{
    // A node's value is asked only outside a run of a program (during
    // simplification and comparison), so one program per thread serves, and
    // its storage is reused.
    thread_local Program program;
    program.Build(node, nullptr);
    return program.Run(nullptr);
}

} // namespace formula
} // namespace zeltmath
