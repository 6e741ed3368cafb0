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
    kErrNoMemory = 5,          // also: formula nested too deeply (see kMaxNestingDepth)
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

// Depth limit of expression trees.
//
// Parsing, evaluation, simplification, printing, copying and differentiation
// recurse once per tree level, so the depth of a tree must be bounded for the
// stack to be safe on any thread.  A formula whose operators and functions
// nest deeper than this many levels (for example 1001 nested function calls,
// or a sum of more than 1000 terms, which the left-associative grammar turns
// into a chain of that depth) is rejected with code 5 (kErrNoMemory, "the
// formula is too large") and the offsets of the piece at which the limit was
// reached.  A derivative tree deeper than the limit is rejected with code 5
// and offsets -1.  Redundant parentheses cost no depth: ((((x)))) is x.
// Trees are destroyed without recursion.  At the limit a parse needs about
// 0.5 MB of stack in an optimised build (roughly 3 MB in a Debug build under
// AddressSanitizer), so every thread that uses formulas needs a stack of at
// least that size.
constexpr int kMaxNestingDepth = 1000;

} // namespace formula
} // namespace zeltmath

#endif
