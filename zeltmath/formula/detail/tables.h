#ifndef ZELTMATH_FORMULA_DETAIL_TABLES_H
#define ZELTMATH_FORMULA_DETAIL_TABLES_H

// One table per node family: everything the engine knows about a function
// keyword or an operator code that is not a rule of its own node class.

#include <zeltmath/formula/detail/parser.h>

namespace zeltmath {
namespace formula {

struct FunctionKind {
    const char* keyword;                       // upper case, at most 5 characters
    double (*value)(double u, double k);       // value rule (null: RAND and index 0)
    Parser* (*adopt)(Parser* argument);        // node around an existing argument
    Parser* (*fromText)(TextRange& argument);  // node parsed from "( ... )"
};

struct OperatorKind {
    const char* text;
    short precedence;                  // larger binds tighter
    double (*value)(double a, double b);  // for operators that evaluate both operands, left first
    Parser* (*adopt)(Parser* left, Parser* right);
    Parser* (*fromText)(TextRange& left, TextRange& right);
};

// Keyword index 0..29 (kFnUnknown excluded); null outside.
const FunctionKind* FunctionKindOf(int index);
// Operator code 0..25; null outside.
const OperatorKind* OperatorKindOf(int code);

} // namespace formula
} // namespace zeltmath

#endif
