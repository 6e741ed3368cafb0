#ifndef ZELTMATH_FORMULA_DETAIL_ERROR_H
#define ZELTMATH_FORMULA_DETAIL_ERROR_H

// The error record of the formula engine and its codes.
//
// Every syntax and evaluation error inside the engine is thrown as a
// ParseErrorMsg by value; the formula object catches it and turns the code
// into a message text.  start and end are character offsets into the parsed
// text (counted from its first character), or -1 where no place applies.

namespace zeltmath {
namespace formula {

struct ParseErrorMsg {
    int code;
    int start;
    int end;
};

enum ErrorCode : int {
    kErrDivisionByZero = 1,
    kErrSqrtNegative = 2,
    kErrLogNonPositive = 3,
    kErrLnNonPositive = 4,
    kErrNoMemory = 5,          // also: formula text nested too deeply (see kMaxNestingDepth)
    kErrAsinDomain = 6,
    kErrAcosDomain = 7,
    kErrAsecDomain = 8,
    kErrAcscDomain = 9,
    kErrAcotZero = 10,
    kErrNoDerivative = 11,
    kErrTanPole = 12,
    kErrCotPole = 13,
    kErrSecPole = 14,
    kErrCscPole = 15,
    kErrTanhPole = 16,
    kErrSechPole = 17,
    kErrCschPole = 18,
    kErrCothPole = 19,
    kErrUnknownVariable = 20,
    kErrEmpty = 21,
    kErrBlank = 22,
    kErrSyntax = 23,
    kErrParentheses = 24,
    kErrUnknownFunction = 25,
    kErrUnknownOperator = 26,
    kErrColonWithoutQuestion = 27,
    kErrQuestionWithoutColon = 28,
    kErrCodeCount = 28
};

// Nesting limit of formula texts.
//
// The parser descends once per level of true nesting: an operand in
// parentheses that holds operators of its own, a function argument, the
// operand of a unary operator.  A text nested deeper than this many levels
// (for example 1001 nested function calls) is rejected with code 5
// (kErrNoMemory, "the formula is too large") and the offsets of the piece at
// which the limit was reached.  Chains of operators of one precedence
// (a sum of 100 000 terms) cost no nesting, and redundant parentheses cost
// none either: ((((x)))) is x.  Every walk of a tree (evaluation,
// simplification, printing, copying, comparison, differentiation,
// destruction) uses an explicit stack, so trees, derivative trees included,
// are limited by memory only; at the nesting limit the parser needs well
// under 1 MB of stack.
constexpr int kMaxNestingDepth = 1000;

} // namespace formula
} // namespace zeltmath

#endif
