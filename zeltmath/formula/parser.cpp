#include <zeltmath/formula/detail/parser.h>

#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/leaves.h>
#include <zeltmath/formula/detail/number_text.h>
#include <zeltmath/formula/detail/operators.h>

#include <cmath>
#include <cstring>

namespace zeltmath {
namespace formula {

namespace {

// Function keywords by index; 0 is never matched, 26 and 27 name the nodes
// of the unary operators "!" and "~".
const char kKeywords[30][6] = {
    "???", "LN", "LOG", "EXP", "ABS", "SQRT", "NEG", "RAND", "SIN", "COS",
    "TAN", "SEC", "CSC", "COT", "ASIN", "ACOS", "ATAN", "ASEC", "ACSC", "ACOT",
    "SINH", "COSH", "TANH", "SECH", "CSCH", "COTH", "!", "~", "CEIL", "FLOOR"};

struct OperatorInfo {
    const char* text;
    short precedence;  // larger binds tighter
};

const OperatorInfo kOperators[26] = {
    {"", 0},    {"+", 14},  {"-", 14},  {"+", 10}, {"-", 10}, {"*", 11}, {"/", 11},
    {"%", 11},  {"^", 12},  {"<", 9},   {">", 9},  {"==", 8}, {"!=", 8}, {"<=", 9},
    {">=", 9},  {"&&", 4},  {"||", 3},  {"!", 13}, {"&", 7},  {"|", 5},  {"!&", 6},
    {"~", 13},  {":", 2},   {"?", 1},   {"**", 12}, {"", 0}};

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

template <class T>
Parser* FunctionFromText(TextRange& arg)
{
    return NewNode<T>(arg);
}

template <class T>
Parser* AdoptOne(Parser* argument)
{
    T* p = new (std::nothrow) T(argument);
    if (!p) {
        DeleteTree(argument);
        Parser::Error(kErrNoMemory, 0, 0);
    }
    return p;
}

template <class T>
Parser* AdoptTwo(Parser* left, Parser* right)
{
    T* p = new (std::nothrow) T(left, right);
    if (!p) {
        DeleteTree(left);
        DeleteTree(right);
        Parser::Error(kErrNoMemory, 0, 0);
    }
    return p;
}

} // namespace

const char* Keyword(int index)
{
    return (index >= 0 && index < 30) ? kKeywords[index] : kKeywords[0];
}

const char* OperatorSymbol(int code)
{
    return (code >= 0 && code < 26) ? kOperators[code].text : "";
}

int OperatorPrecedence(int code)
{
    return (code >= 0 && code < 26) ? kOperators[code].precedence : 0;
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
Tree DerivativeOf(Parser* p, const char* name) { return Tree(p->Derivative(name)); }

bool ConstEquals(Parser* p, double v)
{
    return p->IsConstant() && p->Evaluate() == v;
}

Parser* Parser::MakeFunction(int index, Parser* a)
{
    switch (index) {
    case kFnLn: return AdoptOne<LnFunction>(a);
    case kFnLog: return AdoptOne<LogFunction>(a);
    case kFnExp: return AdoptOne<ExpFunction>(a);
    case kFnAbs: return AdoptOne<AbsFunction>(a);
    case kFnSqrt: return AdoptOne<SqrtFunction>(a);
    case kFnNeg: return AdoptOne<NegFunction>(a);
    case kFnRand: return AdoptOne<RandomFunction>(a);
    case kFnSin: return AdoptOne<SinFunction>(a);
    case kFnCos: return AdoptOne<CosFunction>(a);
    case kFnTan: return AdoptOne<TanFunction>(a);
    case kFnSec: return AdoptOne<SecFunction>(a);
    case kFnCsc: return AdoptOne<CscFunction>(a);
    case kFnCot: return AdoptOne<CotFunction>(a);
    case kFnAsin: return AdoptOne<ArcSinFunction>(a);
    case kFnAcos: return AdoptOne<ArcCosFunction>(a);
    case kFnAtan: return AdoptOne<ArcTanFunction>(a);
    case kFnAsec: return AdoptOne<ArcSecFunction>(a);
    case kFnAcsc: return AdoptOne<ArcCscFunction>(a);
    case kFnAcot: return AdoptOne<ArcCotFunction>(a);
    case kFnSinh: return AdoptOne<HSinFunction>(a);
    case kFnCosh: return AdoptOne<HCosFunction>(a);
    case kFnTanh: return AdoptOne<HTanFunction>(a);
    case kFnSech: return AdoptOne<HSecFunction>(a);
    case kFnCsch: return AdoptOne<HCscFunction>(a);
    case kFnCoth: return AdoptOne<HCotFunction>(a);
    case kFnNot: return AdoptOne<NotFunction>(a);
    case kFnComplement: return AdoptOne<BitwiseCompliment>(a);
    case kFnCeil: return AdoptOne<CeilingFunction>(a);
    case kFnFloor: return AdoptOne<FloorFunction>(a);
    default:
        DeleteTree(a);
        Error(kErrUnknownFunction, -1, -1);
    }
}

Parser* Parser::MakeOperation(int code, Parser* l, Parser* r)
{
    if (code == kOpUnaryMinus || code == kOpNot || code == kOpComplement) {
        DeleteTree(l);  // a unary operator has no left operand
        if (!r)
            Error(kErrEmpty, -1, -1);
        if (code == kOpUnaryMinus)
            return AdoptOne<NegFunction>(r);
        if (code == kOpNot)
            return AdoptOne<NotFunction>(r);
        return AdoptOne<BitwiseCompliment>(r);
    }
    if (!l || !r) {
        DeleteTree(l);
        DeleteTree(r);
        Error(kErrEmpty, -1, -1);
    }
    switch (code) {
    case kOpPlus: return AdoptTwo<PlusOperator>(l, r);
    case kOpMinus: return AdoptTwo<MinusOperator>(l, r);
    case kOpMultiply: return AdoptTwo<MultiplyOperator>(l, r);
    case kOpDivide: return AdoptTwo<DivideOperator>(l, r);
    case kOpModulus: return AdoptTwo<ModulusOperator>(l, r);
    case kOpPower: return AdoptTwo<PowerOperator>(l, r);
    case kOpLess: return AdoptTwo<IsLessThanOperator>(l, r);
    case kOpGreater: return AdoptTwo<IsGreaterThanOperator>(l, r);
    case kOpEqual: return AdoptTwo<IsEqualToOperator>(l, r);
    case kOpNotEqual: return AdoptTwo<IsNotEqualToOperator>(l, r);
    case kOpLessEqual: return AdoptTwo<IsLessThanOrEqualToOperator>(l, r);
    case kOpGreaterEqual: return AdoptTwo<IsGreaterThanOrEqualToOperator>(l, r);
    case kOpAnd: return AdoptTwo<AndOperator>(l, r);
    case kOpOr: return AdoptTwo<OrOperator>(l, r);
    case kOpBitAnd: return AdoptTwo<BitwiseAndOperator>(l, r);
    case kOpBitOr: return AdoptTwo<BitwiseInclusiveOrOperator>(l, r);
    case kOpBitXor: return AdoptTwo<BitwiseExclusiveOrOperator>(l, r);
    case kOpThenElse: return AdoptTwo<ThenElseOperator>(l, r);
    case kOpIf: return AdoptTwo<IfOperator>(l, r);
    case kOpPower2: return AdoptTwo<Power2Operator>(l, r);
    default:
        DeleteTree(l);
        DeleteTree(r);
        Error(kErrUnknownOperator, -1, -1);
    }
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

OperatorToken Parser::FindSplitOperator(TextRange& r)
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
                Error(kErrParentheses, p, p);
            p = m;
        } else if (c == ')') {
            Error(kErrParentheses, p, p);
        } else if (IsOperatorChar(c)) {
            const OperatorToken t = ScanOperator(r, p);
            if (t.code != kOpNone && t.precedence <= best.precedence)
                best = t;
            p += t.length - 1;
        }
    }
    return best;
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
        if (std::strcmp(name, kKeywords[i]) == 0)
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
    switch (index) {
    case kFnLn: out = FunctionFromText<LnFunction>(arg); break;
    case kFnLog: out = FunctionFromText<LogFunction>(arg); break;
    case kFnExp: out = FunctionFromText<ExpFunction>(arg); break;
    case kFnAbs: out = FunctionFromText<AbsFunction>(arg); break;
    case kFnSqrt: out = FunctionFromText<SqrtFunction>(arg); break;
    case kFnNeg: out = FunctionFromText<NegFunction>(arg); break;
    case kFnRand: out = FunctionFromText<RandomFunction>(arg); break;
    case kFnSin: out = FunctionFromText<SinFunction>(arg); break;
    case kFnCos: out = FunctionFromText<CosFunction>(arg); break;
    case kFnTan: out = FunctionFromText<TanFunction>(arg); break;
    case kFnSec: out = FunctionFromText<SecFunction>(arg); break;
    case kFnCsc: out = FunctionFromText<CscFunction>(arg); break;
    case kFnCot: out = FunctionFromText<CotFunction>(arg); break;
    case kFnAsin: out = FunctionFromText<ArcSinFunction>(arg); break;
    case kFnAcos: out = FunctionFromText<ArcCosFunction>(arg); break;
    case kFnAtan: out = FunctionFromText<ArcTanFunction>(arg); break;
    case kFnAsec: out = FunctionFromText<ArcSecFunction>(arg); break;
    case kFnAcsc: out = FunctionFromText<ArcCscFunction>(arg); break;
    case kFnAcot: out = FunctionFromText<ArcCotFunction>(arg); break;
    case kFnSinh: out = FunctionFromText<HSinFunction>(arg); break;
    case kFnCosh: out = FunctionFromText<HCosFunction>(arg); break;
    case kFnTanh: out = FunctionFromText<HTanFunction>(arg); break;
    case kFnSech: out = FunctionFromText<HSecFunction>(arg); break;
    case kFnCsch: out = FunctionFromText<HCscFunction>(arg); break;
    case kFnCoth: out = FunctionFromText<HCotFunction>(arg); break;
    case kFnNot: out = FunctionFromText<NotFunction>(arg); break;
    case kFnComplement: out = FunctionFromText<BitwiseCompliment>(arg); break;
    case kFnCeil: out = FunctionFromText<CeilingFunction>(arg); break;
    case kFnFloor: out = FunctionFromText<FloorFunction>(arg); break;
    default:
        Error(kErrUnknownFunction, open, r.first);
    }
}

void Parser::CreateOperation(TextRange& r, OperatorToken& t, Parser*& out)
{
    TextRange left = r.Sub(r.first, t.position - 1);
    TextRange right = r.Sub(t.position + t.length, r.last);
    switch (t.code) {
    case kOpPlus: out = NewNode<PlusOperator>(left, right); break;
    case kOpMinus: out = NewNode<MinusOperator>(left, right); break;
    case kOpMultiply: out = NewNode<MultiplyOperator>(left, right); break;
    case kOpDivide: out = NewNode<DivideOperator>(left, right); break;
    case kOpModulus: out = NewNode<ModulusOperator>(left, right); break;
    case kOpPower: out = NewNode<PowerOperator>(left, right); break;
    case kOpLess: out = NewNode<IsLessThanOperator>(left, right); break;
    case kOpGreater: out = NewNode<IsGreaterThanOperator>(left, right); break;
    case kOpEqual: out = NewNode<IsEqualToOperator>(left, right); break;
    case kOpNotEqual: out = NewNode<IsNotEqualToOperator>(left, right); break;
    case kOpLessEqual: out = NewNode<IsLessThanOrEqualToOperator>(left, right); break;
    case kOpGreaterEqual: out = NewNode<IsGreaterThanOrEqualToOperator>(left, right); break;
    case kOpAnd: out = NewNode<AndOperator>(left, right); break;
    case kOpOr: out = NewNode<OrOperator>(left, right); break;
    case kOpBitAnd: out = NewNode<BitwiseAndOperator>(left, right); break;
    case kOpBitOr: out = NewNode<BitwiseInclusiveOrOperator>(left, right); break;
    case kOpBitXor: out = NewNode<BitwiseExclusiveOrOperator>(left, right); break;
    case kOpThenElse: out = NewNode<ThenElseOperator>(left, right); break;
    case kOpIf: out = NewNode<IfOperator>(left, right); break;
    case kOpPower2: out = NewNode<Power2Operator>(left, right); break;
    case kOpUnaryMinus:
        // A sign chain such as 2*--3 leaves a left piece; it is ignored.
        out = NewNode<NegFunction>(right);
        break;
    case kOpNot:
    case kOpComplement:
        if (!IsBlank(left)) {
            StripParentheses(left);
            Error(kErrSyntax, left.first, left.last);
        }
        if (t.code == kOpNot)
            out = NewNode<NotFunction>(right);
        else
            out = NewNode<BitwiseCompliment>(right);
        break;
    default:
        Error(kErrSyntax, t.position, t.position + t.length);
    }
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

void Parser::ParseExpression(TextRange& r, Parser*& out)
{
    const int first0 = r.first;
    const int last0 = r.last;
    if (r.depth > kMaxNestingDepth)
        Error(kErrNoMemory, first0, last0);
    StripParentheses(r);
    if (r.Empty())
        Error(kErrEmpty, first0, last0);
    OperatorToken t = FindSplitOperator(r);
    if (t.code != kOpNone) {
        CreateOperation(r, t, out);
        return;
    }
    const int index = IdentifyFunction(r);
    if (index == 0)
        ParseOperand(r, out);
    else
        CreateFunction(r, index, out);
}

} // namespace formula
} // namespace zeltmath
