#ifndef ZELTMATH_FORMULA_DETAIL_PARSER_H
#define ZELTMATH_FORMULA_DETAIL_PARSER_H

// Base class of every node of a formula's expression tree, with the text
// splitting machinery shared by all nodes.
//
// A piece of formula text is stripped of blanks and enclosing parentheses,
// split at the rightmost operator of the weakest binding outside all
// parentheses, and each side is parsed again by the node that the operator
// creates.  A piece without such an operator is a function call, a number, a
// named constant or a variable.  Nodes own their children and know their
// parent (not owning); simplification replaces a node through its parent.
//
// Signs: a "+" or "-" that starts a piece is unary when a letter, a digit or
// "." follows it; a leading "-" may also negate a parenthesised group, so
// -(x+1) and 2^(-(x)) are accepted (a leading "+(" is still a syntax error,
// code 23, since a unary plus is not an operator of the language).  Chains of
// signs such as --3 are syntax errors (code 23): the first sign has no
// operand after it.
//
// Cost: redundant parentheses are removed in constant time per pair (the
// matching ")" of every "(" is found once per text), so ((((x)))) nests no
// deeper than x.  A chain of operators of one precedence (a+b-c+...) is
// split in one scan and built in a loop: its length costs no nesting depth,
// and its nodes are walked with explicit stacks, so a sum of any number of
// terms is limited by memory only.  True nesting (an operand in parentheses
// that holds operators, a function argument, a unary operand) is limited to
// kMaxNestingDepth levels.

#include <zeltmath/formula/detail/error.h>

#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace zeltmath {
namespace formula {

class FunctionInterpreter;
class Parser;

// One piece of the text being parsed.  first and last are offsets of the
// first and the last character of the piece (inclusive; empty when
// first > last).  match[i] is the offset of the ")" that closes the "(" at
// offset i in the whole text, or -1.
struct TextRange {
    const char* text = nullptr;
    int first = 0;
    int last = -1;
    FunctionInterpreter* owner = nullptr;
    const int* match = nullptr;
    int depth = 0;  // nesting level of the node this piece becomes

    TextRange Sub(int f, int l) const
    {
        TextRange r = *this;
        r.first = f;
        r.last = l;
        r.depth = depth + 1;
        return r;
    }
    char At(int i) const { return text[i]; }
    bool Empty() const { return first > last; }
};

struct OperatorToken {
    int code = 0;       // operator code, 0 = no operator
    int position = 0;   // offset of its first character
    int length = 1;     // 1 or 2 characters
    short precedence = 15;
};

// Operator codes.
enum OperatorCode : int {
    kOpNone = 0, kOpUnaryPlus = 1, kOpUnaryMinus = 2, kOpPlus = 3, kOpMinus = 4,
    kOpMultiply = 5, kOpDivide = 6, kOpModulus = 7, kOpPower = 8, kOpLess = 9,
    kOpGreater = 10, kOpEqual = 11, kOpNotEqual = 12, kOpLessEqual = 13,
    kOpGreaterEqual = 14, kOpAnd = 15, kOpOr = 16, kOpNot = 17, kOpBitAnd = 18,
    kOpBitOr = 19, kOpBitXor = 20, kOpComplement = 21, kOpThenElse = 22,
    kOpIf = 23, kOpPower2 = 24, kOpInvalid = 25
};

// Function keyword indices.
enum FunctionIndex : int {
    kFnLn = 1, kFnLog, kFnExp, kFnAbs, kFnSqrt, kFnNeg, kFnRand, kFnSin, kFnCos,
    kFnTan, kFnSec, kFnCsc, kFnCot, kFnAsin, kFnAcos, kFnAtan, kFnAsec, kFnAcsc,
    kFnAcot, kFnSinh, kFnCosh, kFnTanh, kFnSech, kFnCsch, kFnCoth, kFnNot,
    kFnComplement, kFnCeil, kFnFloor, kFnUnknown
};

// The keyword of a function index (0..29), upper case; "???" outside.
const char* Keyword(int index);
// Text and precedence of an operator code (0..25).
const char* OperatorSymbol(int code);
int OperatorPrecedence(int code);

// Deletes a tree without recursion (trees may be deep).
void DeleteTree(Parser* node);

struct TreeDeleter {
    void operator()(Parser* p) const { DeleteTree(p); }
};
// An owned subtree while it is being assembled.
using Tree = std::unique_ptr<Parser, TreeDeleter>;

class Parser {
public:
    Parser() = default;
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    virtual double Evaluate();
    virtual bool IsLiteral();
    virtual bool IsConstant();
    virtual int GetPrecedence();
    // If old is a child: deletes it, installs replacement (its parent set to
    // this node) in its place and returns true.  When old is the node whose
    // member function is running, that function must return at once.
    virtual bool ReplaceOperand(Parser* old, Parser* replacement);
    virtual void Bind(FunctionInterpreter* fi);
    virtual void Simplify();
    virtual std::string Print();
    virtual Parser* Derivative(const char* name);
    virtual Parser* Copy();
    virtual bool IsDifferent(Parser* p);
    virtual bool IsSame(Parser* p);
    virtual ~Parser();

    // Child access for the non-recursive tree walks.
    virtual int ChildCount() const { return 0; }
    virtual Parser* Child(int) const { return nullptr; }
    // Detaches child i and returns it (the node no longer owns it).
    virtual Parser* ReleaseChild(int) { return nullptr; }

    // ---- the node's own part of the tree walks (tree_walk.cpp), which visit
    // the operands of operator and function nodes with explicit stacks:
    // Simplify, IsConstant, Print, Copy, Derivative, IsDifferent and Bind of
    // such a node run a walk, and Evaluate runs the evaluator of program.h.
    // What a walk sees in the node: a leaf, an operator (OperationParser), a
    // function (FunctionParser) or RAND (RandomFunction).
    enum class Kind { Leaf, Operator, Function, Random };
    virtual Kind NodeKind() const { return Kind::Leaf; }
    // Number of operands that simplification visits (operator and function
    // nodes: all of them).
    virtual int SimplifiedOperands() const { return 0; }
    // The node's rule after its operands were simplified and folded; it may
    // replace (and so delete) the node.
    virtual void SimplifyNode() {}
    // Whether the node is constant, asked when the answers of its operands
    // are at hand; IsConstant keeps the answer of an operator or function
    // node until its subtree changes.
    virtual bool ConstantRule() { return IsConstant(); }
    virtual bool ConstantPending() const { return false; }
    // Derivative from the derivatives d[i] of the operands i that
    // DerivativeNeeds marks (bit i); d[i] is empty for the others.
    virtual unsigned DerivativeNeeds() const { return 0; }
    virtual Parser* DerivativeRule(const char* name, Tree* d);
    // Comparison of this node alone with p: 1 different, 0 equal, -1 equal
    // here and decided by the operands.
    virtual int CompareNode(Parser* p) { return IsDifferent(p) ? 1 : 0; }

    Parser* parent = nullptr;
    signed char constState = -1;  // kept answer of IsConstant, -1 unknown

    // ---- splitting machinery, shared by every node ----
    static OperatorToken ScanOperator(TextRange& r, int p);
    static bool ParseNumber(TextRange& r, Parser*& out);
    static bool ParseNamedConstant(TextRange& r, Parser*& out);
    static void CreateFunction(TextRange& r, int index, Parser*& out);
    static Parser* MakeFunction(int index, Parser* argument);
    static void CreateOperation(TextRange& r, OperatorToken& t, Parser*& out);
    static Parser* MakeOperation(int code, Parser* left, Parser* right);
    static int ClassifySign(TextRange& r, int p);
    static void ParseOperand(TextRange& r, Parser*& out);
    static int IdentifyFunction(TextRange& r);
    static OperatorToken FindSplitOperator(TextRange& r);
    static bool IsBlank(TextRange& r);
    static void ParseExpression(TextRange& r, Parser*& out);
    // ParseExpression into an owned tree: whatever was built is deleted
    // when parsing fails.
    static Tree ParseOwned(TextRange& r);
    static void ParseChain(TextRange& r, short precedence, const std::vector<OperatorToken>& tokens, Parser*& out);
    static void Trim(TextRange& r);
    [[noreturn]] static void Error(int code, int start, int end);
    static void StripParentheses(TextRange& r);
};

// Depth of a tree (a single node has depth 1), computed without recursion.
int TreeDepth(Parser* root);

// The tree walks, each with an explicit stack, so that a tree may be as deep
// as memory allows (tree_walk.cpp).
void BindTree(Parser* root, FunctionInterpreter* fi);
void SimplifyTree(Parser* root);
bool ConstantOf(Parser* node);
std::string PrintTree(Parser* root);
Parser* CopyTree(Parser* root);
Parser* DerivativeTree(Parser* root, const char* name);
bool TreesDiffer(Parser* a, Parser* b);
// Forgets the kept IsConstant answers of node and of the nodes above it.
void ForgetConstant(Parser* node);
// Value of a subtree, by the evaluator of program.h.
double EvaluateTree(Parser* node);

// A node with operands (functions and operators): every operation on it is a
// walk of the tree below it, so that trees may be as deep as memory allows.
class InnerNode : public Parser {
public:
    double Evaluate() override { return EvaluateTree(this); }
    bool IsConstant() override { return ConstantOf(this); }
    void Bind(FunctionInterpreter* fi) override { BindTree(this, fi); }
    void Simplify() override { SimplifyTree(this); }
    std::string Print() override { return PrintTree(this); }
    Parser* Copy() override { return CopyTree(this); }
    Parser* Derivative(const char* name) override { return DerivativeTree(this, name); }
    bool IsDifferent(Parser* p) override { return TreesDiffer(this, p); }
    bool IsSame(Parser* p) override { return !IsDifferent(p); }
    bool ConstantPending() const override { return constState < 0; }
};

// Allocates a node; a failed memory request throws ParseErrorMsg{5, 0, 0}.
template <class T, class... Args>
T* NewNode(Args&&... args)
{
    T* p = new (std::nothrow) T(std::forward<Args>(args)...);
    if (!p)
        Parser::Error(kErrNoMemory, 0, 0);
    return p;
}

// Tree building for derivatives and simplification: each takes ownership of
// its operands, also when it fails.
Tree MakeOp(int code, Tree left, Tree right);
Tree MakeFn(int index, Tree argument);
Tree MakeNum(double value);
Tree CopyOf(Parser* p);

// Exact value test of an operand that may be folded: p is constant and its
// value equals v.
bool ConstEquals(Parser* p, double v);

// Locale-independent C character classes.
inline bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }
inline bool IsAlphaChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace formula
} // namespace zeltmath

#endif
