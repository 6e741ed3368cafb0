#include <zeltmath/formula/detail/tables.h>

#include <zeltmath/formula/detail/functions.h>
#include <zeltmath/formula/detail/operators.h>
#include <zeltmath/formula/detail/value_rules.h>

#include <new>

namespace zeltmath {
namespace formula {

namespace {

// Node makers; each takes ownership of its operands, also when it fails.
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

template <class T>
Parser* OneFromText(TextRange& argument)
{
    return NewNode<T>(argument);
}

template <class T>
Parser* TwoFromText(TextRange& left, TextRange& right)
{
    return NewNode<T>(left, right);
}

template <class T>
constexpr FunctionKind Fn(const char* keyword, double (*value)(double, double))
{
    return FunctionKind{keyword, value, &AdoptOne<T>, &OneFromText<T>};
}

template <class T>
constexpr OperatorKind Op(const char* text, short precedence, double (*value)(double, double) = nullptr)
{
    return OperatorKind{text, precedence, value, &AdoptTwo<T>, &TwoFromText<T>};
}

constexpr OperatorKind Plain(const char* text, short precedence)
{
    return OperatorKind{text, precedence, nullptr, nullptr, nullptr};
}

const FunctionKind kFunctions[kFnUnknown] = {
    {"???", nullptr, nullptr, nullptr},
    Fn<LnFunction>("LN", &LnValue),
    Fn<LogFunction>("LOG", &LogValue),
    Fn<ExpFunction>("EXP", &ExpValue),
    Fn<AbsFunction>("ABS", &AbsValue),
    Fn<SqrtFunction>("SQRT", &SqrtValue),
    Fn<NegFunction>("NEG", &NegValue),
    Fn<RandomFunction>("RAND", nullptr),
    Fn<SinFunction>("SIN", &SinValue),
    Fn<CosFunction>("COS", &CosValue),
    Fn<TanFunction>("TAN", &TanValue),
    Fn<SecFunction>("SEC", &SecValue),
    Fn<CscFunction>("CSC", &CscValue),
    Fn<CotFunction>("COT", &CotValue),
    Fn<ArcSinFunction>("ASIN", &AsinValue),
    Fn<ArcCosFunction>("ACOS", &AcosValue),
    Fn<ArcTanFunction>("ATAN", &AtanValue),
    Fn<ArcSecFunction>("ASEC", &AsecValue),
    Fn<ArcCscFunction>("ACSC", &AcscValue),
    Fn<ArcCotFunction>("ACOT", &AcotValue),
    Fn<HSinFunction>("SINH", &SinhValue),
    Fn<HCosFunction>("COSH", &CoshValue),
    Fn<HTanFunction>("TANH", &TanhValue),
    Fn<HSecFunction>("SECH", &SechValue),
    Fn<HCscFunction>("CSCH", &CschValue),
    Fn<HCotFunction>("COTH", &CothValue),
    Fn<NotFunction>("!", &NotValue),
    Fn<BitwiseCompliment>("~", &ComplementValue),
    Fn<CeilingFunction>("CEIL", &CeilValue),
    Fn<FloorFunction>("FLOOR", &FloorValue),
};

// Codes 1, 2, 17 and 21 are the unary operators: their nodes are the
// functions NEG, "!" and "~" (a unary plus makes no node).
const OperatorKind kOperators[kOpInvalid + 1] = {
    Plain("", 0),
    Plain("+", 14),
    Plain("-", 14),
    Op<PlusOperator>("+", 10, &PlusValue),
    Op<MinusOperator>("-", 10, &MinusValue),
    Op<MultiplyOperator>("*", 11, &MultiplyValue),
    Op<DivideOperator>("/", 11),
    Op<ModulusOperator>("%", 11),
    Op<PowerOperator>("^", 12, &FormulaPower),
    Op<IsLessThanOperator>("<", 9, &LessValue),
    Op<IsGreaterThanOperator>(">", 9, &GreaterValue),
    Op<IsEqualToOperator>("==", 8, &EqualValue),
    Op<IsNotEqualToOperator>("!=", 8, &NotEqualValue),
    Op<IsLessThanOrEqualToOperator>("<=", 9, &LessEqualValue),
    Op<IsGreaterThanOrEqualToOperator>(">=", 9, &GreaterEqualValue),
    Op<AndOperator>("&&", 4),
    Op<OrOperator>("||", 3),
    Plain("!", 13),
    Op<BitwiseAndOperator>("&", 7, &BitAndValue),
    Op<BitwiseInclusiveOrOperator>("|", 5, &BitOrValue),
    Op<BitwiseExclusiveOrOperator>("!&", 6, &BitXorValue),
    Plain("~", 13),
    Op<ThenElseOperator>(":", 2),
    Op<IfOperator>("?", 1),
    Op<Power2Operator>("**", 12, &FormulaPower),
    Plain("", 0),
};

} // namespace

void ValueError(int code)
{
    throw ParseErrorMsg{code, -1, -1};
}

const FunctionKind* FunctionKindOf(int index)
{
    return index >= 0 && index < kFnUnknown ? &kFunctions[index] : nullptr;
}

const OperatorKind* OperatorKindOf(int code)
{
    return code >= 0 && code <= kOpInvalid ? &kOperators[code] : nullptr;
}

} // namespace formula
} // namespace zeltmath
