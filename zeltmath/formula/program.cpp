#include <zeltmath/formula/detail/program.h>

#include <zeltmath/formula/detail/angle.h>
#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/operators.h>

#include <cmath>

namespace zeltmath {
namespace formula {

namespace {

[[noreturn]] void Fail(int code) { Parser::Error(code, -1, -1); }

// A variable whose value can be read straight from its store.
bool Bound(const Variable* v)
{
    return v->interpreter && v->index >= 0 && v->index < v->interpreter->GetVariablesCount();
}

} // namespace

int Program::Emit(OpCode op, std::int32_t index, double value, Parser* node)
{
    m_code.push_back(Instruction{op, index, value, node});
    return static_cast<int>(m_code.size()) - 1;
}

void Program::Build(Parser* root)
{
    m_code.clear();
    m_depth = 0;
    m_maxDepth = 0;
    if (!root)
        return;
    Compile(root);
    Emit(OpCode::End);
    m_stack.assign(static_cast<std::size_t>(m_maxDepth) + 1, 0.0);
}

void Program::Compile(Parser* node)
{
    if (auto* c = dynamic_cast<Constant*>(node)) {
        Emit(OpCode::Const, 0, c->value);
        Push();
        return;
    }
    if (auto* v = dynamic_cast<Variable*>(node)) {
        if (Bound(v))
            Emit(OpCode::Var, v->index);
        else
            Emit(OpCode::Node, 0, 0.0, node);
        Push();
        return;
    }
    if (auto* op = dynamic_cast<OperationParser*>(node)) {
        Parser* l = op->left;
        Parser* r = op->right;
        auto* rc = dynamic_cast<Constant*>(r);
        auto* rv = dynamic_cast<Variable*>(r);
        if (rv && !Bound(rv))
            rv = nullptr;
        auto binary = [&](OpCode generic, OpCode withConst, OpCode withVar) {
            Compile(l);
            if (rc && withConst != OpCode::End) {
                Emit(withConst, 0, rc->value);
            } else if (rv && withVar != OpCode::End) {
                Emit(withVar, rv->index);
            } else {
                Compile(r);
                Emit(generic);
                Pop();
            }
        };
        // c * v as the right operand of "+" or "-": one instruction.
        auto constTimesVar = [this](Parser* p, double& c, int& index) {
            auto* m = dynamic_cast<MultiplyOperator*>(p);
            if (!m)
                return false;
            auto* mc = dynamic_cast<Constant*>(m->left);
            auto* mv = dynamic_cast<Variable*>(m->right);
            if (!mc || !mv || !Bound(mv))
                return false;
            c = mc->value;
            index = mv->index;
            return true;
        };
        double c = 0;
        int index = 0;
        switch (op->GetType()) {
        case kOpPlus:
            if (constTimesVar(r, c, index)) {
                Compile(l);
                Emit(OpCode::AddMulConstVar, index, c);
                return;
            }
            binary(OpCode::Add, OpCode::AddConst, OpCode::AddVar);
            return;
        case kOpMinus:
            if (constTimesVar(r, c, index)) {
                Compile(l);
                Emit(OpCode::SubMulConstVar, index, c);
                return;
            }
            binary(OpCode::Sub, OpCode::SubConst, OpCode::SubVar);
            return;
        case kOpMultiply: {
            auto* lc = dynamic_cast<Constant*>(l);
            auto* lv = dynamic_cast<Variable*>(l);
            if (lc && rv) {
                Emit(OpCode::MulConstVar, rv->index, lc->value);
                Push();
                return;
            }
            if (lv && Bound(lv) && rv) {
                Emit(OpCode::MulVarVar, rv->index, static_cast<double>(lv->index));
                Push();
                return;
            }
            binary(OpCode::Mul, OpCode::MulConst, OpCode::MulVar);
            return;
        }
        case kOpDivide:
            if (rc && rc->value != 0.0) {
                Compile(l);
                Emit(OpCode::DivConst, 0, rc->value);
                return;
            }
            // The divisor is evaluated and checked before the dividend.
            Compile(r);
            Emit(OpCode::CheckDivisor);
            Compile(l);
            Emit(OpCode::Div);
            Pop();
            return;
        case kOpPower:
        case kOpPower2:
            // pow(a, 2) is a * a exactly, the special cases of the formula
            // power included (0 for a zero base, an even power of a
            // negative one).
            if (rc && rc->value == 2.0) {
                Compile(l);
                Emit(OpCode::Square);
                return;
            }
            binary(OpCode::Pow, OpCode::PowConst, OpCode::End);
            return;
        case kOpLess: binary(OpCode::Less, OpCode::End, OpCode::End); return;
        case kOpGreater: binary(OpCode::Greater, OpCode::End, OpCode::End); return;
        case kOpEqual: binary(OpCode::Equal, OpCode::End, OpCode::End); return;
        case kOpNotEqual: binary(OpCode::NotEqual, OpCode::End, OpCode::End); return;
        case kOpLessEqual: binary(OpCode::LessEqual, OpCode::End, OpCode::End); return;
        case kOpGreaterEqual: binary(OpCode::GreaterEqual, OpCode::End, OpCode::End); return;
        case kOpAnd:
        case kOpOr: {
            Compile(l);
            const int test = Emit(op->GetType() == kOpAnd ? OpCode::AndTest : OpCode::OrTest);
            Pop();
            Compile(r);
            Emit(OpCode::Truth);
            Patch(test, Here());
            return;
        }
        case kOpIf: {
            auto* branches = dynamic_cast<ThenElseOperator*>(r);
            if (!branches)
                break;
            Compile(l);
            const int toElse = Emit(OpCode::JumpIfFalse);
            Pop();
            Compile(branches->left);
            const int toEnd = Emit(OpCode::Jump);
            Pop();
            Patch(toElse, Here());
            Compile(branches->right);
            Patch(toEnd, Here());
            return;
        }
        default:
            break;
        }
        Emit(OpCode::Node, 0, 0.0, node);
        Push();
        return;
    }
    if (auto* fn = dynamic_cast<FunctionParser*>(node)) {
        OpCode code = OpCode::End;
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
        if (code != OpCode::End) {
            Compile(fn->argument);
            Emit(code);
            return;
        }
    }
    Emit(OpCode::Node, 0, 0.0, node);
    Push();
}

double Program::Run(const FunctionInterpreter& fi)
{
    const FunctionInterpreter::Entry* vars = fi.variables.data();
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
        case OpCode::Add: sp[-1] = sp[-1] + sp[0]; --sp; break;
        case OpCode::Sub: sp[-1] = sp[-1] - sp[0]; --sp; break;
        case OpCode::Mul: sp[-1] = sp[-1] * sp[0]; --sp; break;
        case OpCode::CheckDivisor:
            if (*sp == 0.0)
                Fail(kErrDivisionByZero);
            break;
        case OpCode::Div: sp[-1] = sp[0] / sp[-1]; --sp; break;  // divisor below dividend
        case OpCode::Pow: sp[-1] = FormulaPower(sp[-1], sp[0]); --sp; break;
        case OpCode::Less: sp[-1] = sp[-1] < sp[0] ? 1.0 : 0.0; --sp; break;
        case OpCode::Greater: sp[-1] = sp[-1] > sp[0] ? 1.0 : 0.0; --sp; break;
        case OpCode::Equal: sp[-1] = sp[-1] == sp[0] ? 1.0 : 0.0; --sp; break;
        case OpCode::NotEqual: sp[-1] = sp[-1] != sp[0] ? 1.0 : 0.0; --sp; break;
        case OpCode::LessEqual: sp[-1] = sp[-1] <= sp[0] ? 1.0 : 0.0; --sp; break;
        case OpCode::GreaterEqual: sp[-1] = sp[-1] >= sp[0] ? 1.0 : 0.0; --sp; break;
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
        case OpCode::Truth: *sp = *sp != 0 ? 1.0 : 0.0; break;
        case OpCode::JumpIfFalse:
            if (*sp-- == 0.0)
                ip = code + ip->index - 1;
            break;
        case OpCode::Jump: ip = code + ip->index - 1; break;
        case OpCode::Neg: *sp = -1.0 * *sp; break;
        case OpCode::Sin: *sp = std::sin(*sp * k); break;
        case OpCode::Cos: *sp = std::cos(*sp * k); break;
        case OpCode::Tan: {
            const double a = *sp * k;
            if (std::cos(a) == 0.0)
                Fail(kErrTanPole);
            *sp = std::tan(a);
            break;
        }
        case OpCode::Sqrt:
            if (*sp < 0)
                Fail(kErrSqrtNegative);
            *sp = std::sqrt(*sp);
            break;
        case OpCode::Exp: *sp = std::exp(*sp); break;
        case OpCode::Ln:
            if (*sp <= 0)
                Fail(kErrLnNonPositive);
            *sp = std::log(*sp);
            break;
        case OpCode::Log:
            if (*sp <= 0)
                Fail(kErrLogNonPositive);
            *sp = std::log10(*sp);
            break;
        case OpCode::Abs: *sp = std::fabs(*sp); break;
        case OpCode::AddConst: *sp = *sp + ip->value; break;
        case OpCode::SubConst: *sp = *sp - ip->value; break;
        case OpCode::MulConst: *sp = *sp * ip->value; break;
        case OpCode::DivConst: *sp = *sp / ip->value; break;
        case OpCode::AddVar: *sp = *sp + vars[ip->index].value; break;
        case OpCode::SubVar: *sp = *sp - vars[ip->index].value; break;
        case OpCode::MulVar: *sp = *sp * vars[ip->index].value; break;
        case OpCode::MulConstVar: *++sp = ip->value * vars[ip->index].value; break;
        case OpCode::MulVarVar:
            *++sp = vars[static_cast<int>(ip->value)].value * vars[ip->index].value;
            break;
        case OpCode::AddMulConstVar: *sp = *sp + ip->value * vars[ip->index].value; break;
        case OpCode::SubMulConstVar: *sp = *sp - ip->value * vars[ip->index].value; break;
        case OpCode::PowConst: *sp = FormulaPower(*sp, ip->value); break;
        case OpCode::Square: *sp = *sp * *sp; break;
        }
    }
}

} // namespace formula
} // namespace zeltmath
