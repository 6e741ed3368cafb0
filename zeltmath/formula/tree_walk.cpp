// The walks over an expression tree, each with an explicit stack: a chain
// of 100 000 operators is as easy to walk as a single one.  The rules of
// the node classes (simplification, constness, derivative, comparison) are
// applied per node by these walks, which visit the operands in the order a
// recursive descent would.

#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/operators.h>

#include <utility>
#include <vector>

namespace zeltmath {
namespace formula {

namespace {

// The operands a walk descends into: those of operator and function nodes,
// and the argument of RAND.  Every other node is a leaf to the walks.
bool IsInner(Parser* n)
{
    return n->NodeKind() != Parser::Kind::Leaf;
}

int Operands(Parser* n)
{
    return IsInner(n) ? n->ChildCount() : 0;
}

} // namespace

void ForgetConstant(Parser* node)
{
    while (node && node->constState >= 0) {
        node->constState = -1;
        node = node->parent;
    }
}

void BindTree(Parser* root, FunctionInterpreter* fi)
{
    // Pre-order, left operand first: variables enter the store in the order
    // of their first occurrence.
    std::vector<Parser*> pending{root};
    while (!pending.empty()) {
        Parser* n = pending.back();
        pending.pop_back();
        if (!IsInner(n)) {
            n->Bind(fi);
            continue;
        }
        for (int i = Operands(n) - 1; i >= 0; --i)
            if (Parser* c = n->Child(i))
                pending.push_back(c);
    }
}

void SimplifyTree(Parser* root)
{
    // Each operand is simplified and, when it turns out constant, folded
    // into a number before the next one; then the node's own rule runs.
    struct Frame {
        Parser* node;
        int next;  // operands visited so far
    };
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        Parser* n = f.node;
        if (f.next == 0)
            n->constState = -1;
        else {
            Parser* c = n->Child(f.next - 1);
            if (c->IsConstant() && !c->IsLiteral())
                n->ReplaceOperand(c, NewNode<Constant>(c->Evaluate()));
        }
        if (f.next < n->SimplifiedOperands()) {
            Parser* c = n->Child(f.next++);
            stack.push_back(Frame{c, 0});  // f is not used after this
            continue;
        }
        stack.pop_back();
        n->SimplifyNode();  // may delete n
    }
}

bool ConstantOf(Parser* node)
{
    if (node->constState >= 0)
        return node->constState != 0;
    bool ready = true;  // every operand's answer at hand: no walk needed
    for (int i = node->ChildCount() - 1; i >= 0 && ready; --i)
        if (Parser* c = node->Child(i))
            ready = !c->ConstantPending();
    if (ready) {
        node->constState = node->ConstantRule() ? 1 : 0;
        return node->constState != 0;
    }
    // The answers of the operands are found first, bottom-up, so that every
    // rule asks operands whose answers are kept.  An operand whose rule fails
    // (a constant part that cannot be evaluated) is left open: its error
    // surfaces only if a rule above it asks it again.
    std::vector<std::pair<Parser*, bool>> stack{{node, false}};
    while (!stack.empty()) {
        auto& [n, expanded] = stack.back();
        if (!expanded) {
            expanded = true;
            Parser* t = n;
            for (int i = t->ChildCount() - 1; i >= 0; --i)
                if (Parser* c = t->Child(i); c && c->ConstantPending())
                    stack.emplace_back(c, false);
            continue;
        }
        Parser* t = n;
        stack.pop_back();
        if (t->constState >= 0)
            continue;
        if (t == node) {
            t->constState = t->ConstantRule() ? 1 : 0;
        } else {
            try {
                t->constState = t->ConstantRule() ? 1 : 0;
            } catch (const ParseErrorMsg&) {
            }
        }
    }
    return node->constState != 0;
}

std::string PrintTree(Parser* root)
{
    // In-order emission into one text: an item is a node or a piece of text.
    struct Item {
        Parser* node;
        const char* text;
    };
    std::string out;
    std::vector<Item> pending{{root, nullptr}};
    auto text = [&pending](const char* t) { pending.push_back(Item{nullptr, t}); };
    auto node = [&pending](Parser* p) { pending.push_back(Item{p, nullptr}); };
    while (!pending.empty()) {
        const Item it = pending.back();
        pending.pop_back();
        if (it.text) {
            out += it.text;
            continue;
        }
        Parser* n = it.node;
        // Pushed in reverse order of output.
        const Parser::Kind kind = n->NodeKind();
        if (kind == Parser::Kind::Operator) {
            auto* op = static_cast<OperationParser*>(n);
            const int own = op->GetPrecedence();
            const bool leftGroup = op->left->GetPrecedence() <= own;
            const bool rightGroup = op->right->GetPrecedence() <= own;
            if (rightGroup)
                text(" )");
            node(op->right);
            if (rightGroup)
                text("( ");
            text(" ");
            text(OperatorSymbol(op->GetType()));
            text(" ");
            if (leftGroup)
                text(" )");
            node(op->left);
            if (leftGroup)
                text("( ");
        } else if (kind == Parser::Kind::Function) {
            auto* fn = static_cast<FunctionParser*>(n);
            text(" )");
            node(fn->argument);
            text("( ");
            text(Keyword(fn->GetType()));
        } else if (kind == Parser::Kind::Random) {
            auto* rnd = static_cast<RandomFunction*>(n);
            text(" )");
            if (rnd->argument)
                node(rnd->argument);
            text("RAND( ");
        } else {
            out += n->Print();
        }
    }
    return out;
}

Parser* CopyTree(Parser* root)
{
    std::vector<std::pair<Parser*, bool>> stack{{root, false}};
    std::vector<Tree> done;  // copies of the visited operands, in order
    while (!stack.empty()) {
        auto& [n, expanded] = stack.back();
        Parser* t = n;
        if (!IsInner(t)) {
            stack.pop_back();
            done.emplace_back(t->Copy());
            continue;
        }
        if (!expanded) {
            expanded = true;
            for (int i = t->ChildCount() - 1; i >= 0; --i)
                if (Parser* c = t->Child(i))
                    stack.emplace_back(c, false);
            continue;
        }
        stack.pop_back();
        const Parser::Kind kind = t->NodeKind();
        if (kind == Parser::Kind::Operator) {
            auto* op = static_cast<OperationParser*>(t);
            Tree r = std::move(done.back());
            done.pop_back();
            Tree l = std::move(done.back());
            done.pop_back();
            done.push_back(MakeOp(op->GetType(), std::move(l), std::move(r)));
        } else if (kind == Parser::Kind::Function) {
            auto* fn = static_cast<FunctionParser*>(t);
            Tree a = std::move(done.back());
            done.pop_back();
            done.push_back(MakeFn(fn->GetType(), std::move(a)));
        } else {
            auto* rnd = static_cast<RandomFunction*>(t);
            Tree a;
            if (rnd->argument) {
                a = std::move(done.back());
                done.pop_back();
            } else {
                a = MakeNum(rnd->factor);
            }
            done.push_back(MakeFn(kFnRand, std::move(a)));
        }
    }
    return done.back().release();
}

Parser* DerivativeTree(Parser* root, const char* name)
{
    // Post-order: the derivatives of the operands a rule needs are made
    // first, left operand first.
    struct Frame {
        Parser* node;
        bool expanded;
    };
    std::vector<Frame> stack{{root, false}};
    std::vector<Tree> done;
    while (!stack.empty()) {
        Frame& f = stack.back();
        Parser* t = f.node;
        const bool inner = t->NodeKind() == Parser::Kind::Operator || t->NodeKind() == Parser::Kind::Function;
        if (!inner) {
            stack.pop_back();
            done.emplace_back(t->Derivative(name));
            continue;
        }
        const unsigned needs = t->DerivativeNeeds();
        if (!f.expanded) {
            f.expanded = true;
            for (int i = t->ChildCount() - 1; i >= 0; --i)
                if ((needs >> i) & 1u)
                    stack.push_back(Frame{t->Child(i), false});
            continue;
        }
        stack.pop_back();
        Tree d[2];
        for (int i = t->ChildCount() - 1; i >= 0; --i) {
            if ((needs >> i) & 1u) {
                d[i] = std::move(done.back());
                done.pop_back();
            }
        }
        done.emplace_back(t->DerivativeRule(name, d));
    }
    return done.back().release();
}

bool TreesDiffer(Parser* a, Parser* b)
{
    const int first = a->CompareNode(b);
    if (first >= 0)
        return first > 0;
    // Node by node in lockstep, left operands first.
    std::vector<std::pair<Parser*, Parser*>> pending;
    for (int i = a->ChildCount() - 1; i >= 0; --i)
        if (Parser* c = a->Child(i))
            pending.emplace_back(c, b->Child(i));
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        const int verdict = x->CompareNode(y);
        if (verdict > 0)
            return true;
        if (verdict == 0)
            continue;
        for (int i = x->ChildCount() - 1; i >= 0; --i)
            if (Parser* c = x->Child(i))
                pending.emplace_back(c, y->Child(i));
    }
    return false;
}

} // namespace formula
} // namespace zeltmath
