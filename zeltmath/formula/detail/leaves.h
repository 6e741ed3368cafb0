#ifndef ZELTMATH_FORMULA_DETAIL_LEAVES_H
#define ZELTMATH_FORMULA_DETAIL_LEAVES_H

// Leaf nodes of the expression tree: numbers and variables.

#include <zeltmath/formula/detail/parser.h>

#include <string>

namespace zeltmath {
namespace formula {

class Constant : public Parser {
public:
    explicit Constant(double v) : value(v) {}

    double Evaluate() override { return value; }
    bool IsLiteral() override { return true; }
    bool IsConstant() override { return true; }
    int GetPrecedence() override { return 15; }
    // Three significant digits ("%1.3g" in the C locale).
    std::string Print() override;
    Parser* Derivative(const char* name) override;
    Parser* Copy() override;
    bool IsDifferent(Parser* p) override;
    bool IsSame(Parser* p) override;

    double value;
};

class Variable : public Parser {
public:
    // From the text piece: the name is the piece exactly as written; it is
    // entered into the store of the range's owner.
    explicit Variable(TextRange& r);
    explicit Variable(std::string name);

    double Evaluate() override;
    bool IsConstant() override { return false; }
    int GetPrecedence() override { return 15; }
    void Bind(FunctionInterpreter* fi) override;
    std::string Print() override;
    Parser* Derivative(const char* name) override;
    Parser* Copy() override;
    bool IsDifferent(Parser* p) override;
    bool IsSame(Parser* p) override { return !IsDifferent(p); }

    const char* GetName() const { return name.c_str(); }
    int GetIndex() const { return index; }

    FunctionInterpreter* interpreter = nullptr;
    int index = -1;
    std::string name;
};

} // namespace formula
} // namespace zeltmath

#endif
