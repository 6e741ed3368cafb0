#include <zeltmath/formula/detail/parser.h>

#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/number_text.h>
#include <zeltmath/formula/detail/operators.h>
#include <zeltmath/formula/detail/tables.h>

#include <cmath>
#include <cstring>

namespace zeltmath {
namespace formula {

namespace {

// Named constants, case-insensitive.  Built when the library is loaded.
struct NamedConstantTable {
    struct Entry {
        const char* name;
        double value;
    };
    Entry entries[4];

    NamedConstantTable()
        : entries{{"PI", 3.14159265}, {"E", std::exp(1.0)}, {"TRUE", 1.0}, {"FALSE", 0.0}}
    {
    }
};

const NamedConstantTable g_namedConstants;

bool IsOperatorChar(char c)
{
    return std::strchr("!%&*+-/:<=>?^|~", c) != nullptr && c != '\0';
}

// Offset of the ")" closing the "(" at offset i, or -1.
int MatchOf(const TextRange& r, int i)
{
    if (r.match)
        return r.match[i];
    int depth = 0;
    for (int p = i; r.text[p] != '\0'; ++p) {
        if (r.text[p] == '(')
            ++depth;
        else if (r.text[p] == ')' && --depth == 0)
            return p;
    }
    return -1;
}

} // namespace

const char* Keyword(int index)
{
    const FunctionKind* k = FunctionKindOf(index);
    return k ? k->keyword : FunctionKindOf(0)->keyword;
}

const char* OperatorSymbol(int code)
{
    const OperatorKind* k = OperatorKindOf(code);
    return k ? k->text : "";
}

int OperatorPrecedence(int code)
{
    const OperatorKind* k = OperatorKindOf(code);
    return k ? k->precedence : 0;
}

void DeleteTree(Parser* node)
{
    if (!node)
        return;
    if (node->ChildCount() == 0) {
        delete node;
        return;
    }
    std::vector<Parser*> pending{node};
    while (!pending.empty()) {
        Parser* n = pending.back();
        pending.pop_back();
        const int count = n->ChildCount();
        for (int i = 0; i < count; ++i) {
            if (Parser* child = n->ReleaseChild(i))
                pending.push_back(child);
        }
        delete n;
    }
}

int TreeDepth(Parser* root)
{
    if (!root)
        return 0;
    int deepest = 0;
    std::vector<std::pair<Parser*, int>> pending{{root, 1}};
    while (!pending.empty()) {
        auto [n, d] = pending.back();
        pending.pop_back();
        if (d > deepest)
            deepest = d;
        const int count = n->ChildCount();
        for (int i = 0; i < count; ++i) {
            if (Parser* child = n->Child(i))
                pending.emplace_back(child, d + 1);
        }
    }
    return deepest;
}

// ---------------------------------------------------------------- node defaults

double Parser::Evaluate() { return 0.0; }
bool Parser::IsLiteral() { return false; }
bool Parser::IsConstant() { return true; }
int Parser::GetPrecedence() { return 0; }
bool Parser::ReplaceOperand(Parser*, Parser*) { return false; }
void Parser::Bind(FunctionInterpreter*) {}
void Parser::Simplify() {}
std::string Parser::Print() { return "NULL PARSER"; }
Parser* Parser::Derivative(const char*) { Error(kErrNoDerivative, -1, -1); }
Parser* Parser::Copy() { Error(kErrNoDerivative, -1, -1); }
Parser* Parser::DerivativeRule(const char*, Tree*) { Error(kErrNoDerivative, -1, -1); }
bool Parser::IsDifferent(Parser*) { return true; }
bool Parser::IsSame(Parser*) { return false; }
Parser::~Parser() = default;

void Parser::Error(int code, int start, int end)
{
    throw ParseErrorMsg{code, start, end};
}

// ---------------------------------------------------------------- tree building

Tree MakeOp(int code, Tree left, Tree right)
{
    return Tree(Parser::MakeOperation(code, left.release(), right.release()));
}

Tree MakeFn(int index, Tree argument)
{
    return Tree(Parser::MakeFunction(index, argument.release()));
}

Tree MakeNum(double value) { return Tree(NewNode<Constant>(value)); }
Tree CopyOf(Parser* p) { return Tree(p->Copy()); }

bool ConstEquals(Parser* p, double v)
{
    return p->IsConstant() && p->Evaluate() == v;
}

Parser* Parser::MakeFunction(int index, Parser* a)
{
    const FunctionKind* kind = index >= 1 ? FunctionKindOf(index) : nullptr;
    if (!kind) {
        DeleteTree(a);
        Error(kErrUnknownFunction, -1, -1);
    }
    return kind->adopt(a);
}

namespace {

// The function node that a unary operator code creates (0 if none).
int UnaryNodeIndex(int code)
{
    switch (code) {
    case kOpUnaryMinus: return kFnNeg;
    case kOpNot: return kFnNot;
    case kOpComplement: return kFnComplement;
    default: return 0;
    }
}

} // namespace

Parser* Parser::MakeOperation(int code, Parser* l, Parser* r)
{
    if (const int unary = UnaryNodeIndex(code)) {
        DeleteTree(l);  // a unary operator has no left operand
        if (!r)
            Error(kErrEmpty, -1, -1);
        return FunctionKindOf(unary)->adopt(r);
    }
    if (!l || !r) {
        DeleteTree(l);
        DeleteTree(r);
        Error(kErrEmpty, -1, -1);
    }
    const OperatorKind* kind = OperatorKindOf(code);
    if (!kind || !kind->adopt) {
        DeleteTree(l);
        DeleteTree(r);
        Error(kErrUnknownOperator, -1, -1);
    }
    return kind->adopt(l, r);
}

// ---------------------------------------------------------------- grammar

void Parser::Trim(TextRange& r)
{
    while (r.first <= r.last && IsBlankChar(r.At(r.first)))
        ++r.first;
    while (r.last >= r.first && IsBlankChar(r.At(r.last)))
        --r.last;
}

bool Parser::IsBlank(TextRange& r)
{
    for (int p = r.first; p <= r.last; ++p) {
        if (!IsBlankChar(r.At(p)))
            return false;
    }
    return true;
}

void Parser::StripParentheses(TextRange& r)
{
    // A pair is removed while the "(" that opens the piece is closed by its
    // last character: ((a+b)) becomes a+b, (a)+(b) stays.
    for (;;) {
        Trim(r);
        if (r.Empty() || r.At(r.first) != '(' || MatchOf(r, r.first) != r.last)
            return;
        ++r.first;
        --r.last;
    }
}

int Parser::ClassifySign(TextRange& r, int p)
{
    auto followedByOperand = [&r](int from, bool allowGroup) {
        int n = from;
        while (n <= r.last && IsBlankChar(r.At(n)))
            ++n;
        if (n > r.last)
            return false;
        const char c = r.At(n);
        return IsAlphaChar(c) || IsDigitChar(c) || c == '.' || (allowGroup && c == '(');
    };
    int q = p - 1;
    while (q >= r.first && IsBlankChar(r.At(q)))
        --q;
    if (q < r.first) {
        // A leading sign: unary when an operand follows.  A leading minus
        // may also negate a parenthesised group, as in -(x+1).
        if (followedByOperand(p + 1, r.At(p) == '-'))
            return 1;
        Error(kErrSyntax, p, p);
    }
    const char c = r.At(q);
    if (std::strchr("\t\n\r !%&(*+-/<=>^|~", c) != nullptr)
        return 1;
    if (c == 'E' || c == 'e') {
        int b = q - 1;
        while (b >= r.first && IsBlankChar(r.At(b)))
            --b;
        if (b >= r.first && IsDigitChar(r.At(b))) {
            if (followedByOperand(p + 1, false))
                return 2;
            Error(kErrSyntax, p, p);
        }
        return 0;
    }
    return 0;
}

OperatorToken Parser::ScanOperator(TextRange& r, int p)
{
    const char c = r.At(p);
    const char next = p < r.last ? r.At(p + 1) : '\0';
    int code = 0;
    int length = 1;
    switch (c) {
    case '!':
        if (next == '&') { code = kOpBitXor; length = 2; }
        else if (next == '=') { code = kOpNotEqual; length = 2; }
        else code = kOpNot;
        break;
    case '%': code = kOpModulus; break;
    case '/': code = kOpDivide; break;
    case ':': code = kOpThenElse; break;
    case '?': code = kOpIf; break;
    case '^': code = kOpPower; break;
    case '~': code = kOpComplement; break;
    case '&':
        if (next == '&') { code = kOpAnd; length = 2; } else code = kOpBitAnd;
        break;
    case '|':
        if (next == '|') { code = kOpOr; length = 2; } else code = kOpBitOr;
        break;
    case '*':
        if (next == '*') { code = kOpPower2; length = 2; } else code = kOpMultiply;
        break;
    case '<':
        if (next == '=') { code = kOpLessEqual; length = 2; } else code = kOpLess;
        break;
    case '>':
        if (next == '=') { code = kOpGreaterEqual; length = 2; } else code = kOpGreater;
        break;
    case '=':
        if (next != '=')
            Error(kErrUnknownOperator, p, p);
        code = kOpEqual;
        length = 2;
        break;
    case '+':
        code = ClassifySign(r, p) == 0 ? kOpPlus : kOpNone;
        break;
    case '-': {
        const int kind = ClassifySign(r, p);
        code = kind == 0 ? kOpMinus : (kind == 1 ? kOpUnaryMinus : kOpNone);
        break;
    }
    default:
        Error(kErrUnknownOperator, p, p);
    }
    OperatorToken t;
    t.code = code;
    t.position = p;
    t.length = length;
    t.precedence = static_cast<short>(OperatorPrecedence(code));
    return t;
}

namespace {

// The rightmost operator of the weakest binding outside all parentheses;
// every operator found there is also appended to all when given.
OperatorToken ScanForSplit(TextRange& r, std::vector<OperatorToken>* all)
{
    OperatorToken best;
    best.code = kOpNone;
    best.position = r.first;
    best.length = 1;
    best.precedence = 15;
    for (int p = r.first; p <= r.last; ++p) {
        const char c = r.At(p);
        if (c == '\0')
            break;
        if (c == '(') {
            // Everything up to the matching ")" is nested deeper.
            const int m = MatchOf(r, p);
            if (m < 0 || m > r.last)
                Parser::Error(kErrParentheses, p, p);
            p = m;
        } else if (c == ')') {
            Parser::Error(kErrParentheses, p, p);
        } else if (IsOperatorChar(c)) {
            const OperatorToken t = Parser::ScanOperator(r, p);
            if (t.code != kOpNone) {
                if (t.precedence <= best.precedence)
                    best = t;
                if (all)
                    all->push_back(t);
            }
            p += t.length - 1;
        }
    }
    return best;
}

// Operators with two operands; every other code found by the scan is a
// unary operator.
bool IsBinaryCode(int code)
{
    return code != kOpUnaryMinus && code != kOpNot && code != kOpComplement;
}

} // namespace

OperatorToken Parser::FindSplitOperator(TextRange& r)
{
    return ScanForSplit(r, nullptr);
}

int Parser::IdentifyFunction(TextRange& r)
{
    int groups = 0;
    int firstOpen = -1;
    int lastClose = -1;
    for (int p = r.first; p <= r.last; ++p) {
        const char c = r.At(p);
        if (c == '(') {
            if (groups > 0)
                Error(kErrBlank, lastClose, p);
            if (firstOpen < 0)
                firstOpen = p;
            const int m = MatchOf(r, p);
            if (m < 0 || m > r.last)
                Error(kErrParentheses, firstOpen, firstOpen);
            p = m;
            ++groups;
            lastClose = m;
        } else if (c == ')') {
            Error(kErrParentheses, p, p);
        }
    }
    if (groups == 0)
        return 0;
    if (lastClose != r.last)
        Error(kErrSyntax, lastClose, r.last);
    char name[7] = {0};
    int n = 0;
    for (int p = r.first; p <= r.last && n < 6; ++p) {
        const char c = r.At(p);
        if (c == '(' || IsBlankChar(c))
            break;
        name[n++] = UpperChar(c);
    }
    for (int i = 1; i < kFnUnknown; ++i) {
        if (std::strcmp(name, FunctionKindOf(i)->keyword) == 0)
            return i;
    }
    return kFnUnknown;
}

void Parser::CreateFunction(TextRange& r, int index, Parser*& out)
{
    int open = r.first;
    while (open <= r.last && r.At(open) != '(')
        ++open;
    TextRange arg = r.Sub(open, r.last);
    const FunctionKind* kind = index >= 1 ? FunctionKindOf(index) : nullptr;
    if (!kind)
        Error(kErrUnknownFunction, open, r.first);
    out = kind->fromText(arg);
}

void Parser::CreateOperation(TextRange& r, OperatorToken& t, Parser*& out)
{
    TextRange left = r.Sub(r.first, t.position - 1);
    TextRange right = r.Sub(t.position + t.length, r.last);
    switch (t.code) {
    case kOpUnaryMinus:
        // A sign chain such as 2*--3 leaves a left piece; it is ignored.
        out = FunctionKindOf(kFnNeg)->fromText(right);
        return;
    case kOpNot:
    case kOpComplement:
        if (!IsBlank(left)) {
            StripParentheses(left);
            Error(kErrSyntax, left.first, left.last);
        }
        out = FunctionKindOf(UnaryNodeIndex(t.code))->fromText(right);
        return;
    default:
        break;
    }
    const OperatorKind* kind = OperatorKindOf(t.code);
    if (!kind || !kind->fromText)
        Error(kErrSyntax, t.position, t.position + t.length);
    out = kind->fromText(left, right);
}

bool Parser::ParseNumber(TextRange& r, Parser*& out)
{
    double v;
    if (!ParseWholeNumber(r.text + r.first, r.last - r.first + 1, v))
        return false;
    out = NewNode<Constant>(v);
    return true;
}

bool Parser::ParseNamedConstant(TextRange& r, Parser*& out)
{
    const int length = r.last - r.first + 1;
    if (length > 6)
        return false;
    char name[7] = {0};
    for (int i = 0; i < length; ++i)
        name[i] = UpperChar(r.At(r.first + i));
    for (const auto& entry : g_namedConstants.entries) {
        if (std::strcmp(name, entry.name) == 0) {
            out = NewNode<Constant>(entry.value);
            return true;
        }
    }
    return false;
}

void Parser::ParseOperand(TextRange& r, Parser*& out)
{
    for (int p = r.first; p <= r.last; ++p) {
        if (IsBlankChar(r.At(p))) {
            int end = p;
            while (end + 1 <= r.last && IsBlankChar(r.At(end + 1)))
                ++end;
            Error(kErrBlank, p, end);
        }
    }
    if (ParseNumber(r, out) || ParseNamedConstant(r, out))
        return;
    out = NewNode<Variable>(r);
}

Tree Parser::ParseOwned(TextRange& r)
{
    Parser* node = nullptr;
    try {
        ParseExpression(r, node);
    } catch (...) {
        DeleteTree(node);
        throw;
    }
    return Tree(node);
}

void Parser::ParseExpression(TextRange& r, Parser*& out)
{
    const int first0 = r.first;
    const int last0 = r.last;
    if (r.depth > kMaxNestingDepth)
        Error(kErrNoMemory, first0, last0);
    StripParentheses(r);
    if (r.Empty())
        Error(kErrEmpty, first0, last0);
    std::vector<OperatorToken> tokens;
    OperatorToken t = ScanForSplit(r, &tokens);
    if (t.code != kOpNone) {
        if (IsBinaryCode(t.code))
            ParseChain(r, t.precedence, tokens, out);
        else
            CreateOperation(r, t, out);
        return;
    }
    const int index = IdentifyFunction(r);
    if (index == 0)
        ParseOperand(r, out);
    else
        CreateFunction(r, index, out);
}

// A split at the rightmost of k operators of one precedence leaves a left
// piece that splits at the next one to the left, and so on: the piece is the
// chain s0 op1 s1 op2 ... opk sk, grouped to the left.  The chain is built
// in a loop, the operands parsed from left to right as the nested splits
// would parse them, so its length costs no nesting depth.
void Parser::ParseChain(TextRange& r, short precedence, const std::vector<OperatorToken>& tokens, Parser*& out)
{
    std::vector<const OperatorToken*> chain;
    for (const OperatorToken& t : tokens)
        if (t.precedence == precedence)
            chain.push_back(&t);
    auto parsePiece = [&r](int first, int last) {
        TextRange piece = r.Sub(first, last);
        return ParseOwned(piece);
    };
    Tree acc = parsePiece(r.first, chain.front()->position - 1);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const OperatorToken& op = *chain[i];
        const int first = op.position + op.length;
        const int last = i + 1 < chain.size() ? chain[i + 1]->position - 1 : r.last;
        Tree right = parsePiece(first, last);
        if (op.code == kOpIf && !dynamic_cast<ThenElseOperator*>(right.get()))
            Error(kErrQuestionWithoutColon, first, last);
        const OperatorKind* kind = OperatorKindOf(op.code);
        if (!kind || !kind->adopt)
            Error(kErrSyntax, op.position, op.position + op.length);
        Parser* l = acc.release();
        acc = Tree(kind->adopt(l, right.release()));
    }
    out = acc.release();
}

} // namespace formula
} // namespace zeltmath
