#ifndef ZELTMATH_FORMULA_DETAIL_INTERPRETER_H
#define ZELTMATH_FORMULA_DETAIL_INTERPRETER_H

// The root node of a formula: owns the expression tree and the variable
// store that the tree's Variable nodes read.

#include <zeltmath/formula/detail/parser.h>
#include <zeltmath/formula/detail/program.h>

#include <string>
#include <vector>

namespace zeltmath {
namespace formula {

class FunctionInterpreter final : public Parser {
public:
    struct Entry {
        std::string name;
        double value;
    };

    FunctionInterpreter() = default;
    // Parses, binds and simplifies the text (a leading "=" is skipped).
    explicit FunctionInterpreter(const char* text);
    // Takes ownership of node (also when it fails): binds and simplifies it.
    explicit FunctionInterpreter(Parser* node);
    explicit FunctionInterpreter(double value);
    FunctionInterpreter(int functionIndex, const FunctionInterpreter& argument);
    FunctionInterpreter(int operatorCode, const FunctionInterpreter& left,
                        const FunctionInterpreter& right);
    // Copies the tree, rebuilds the store from it (every value 0.0) and
    // simplifies.
    FunctionInterpreter& operator=(const FunctionInterpreter& other);
    ~FunctionInterpreter() override;

    double Evaluate() override;
    bool IsConstant() override;
    bool ReplaceOperand(Parser* old, Parser* replacement) override;
    void Simplify() override;
    std::string Print() override;
    Parser* Derivative(const char* name) override;
    bool IsDifferent(Parser* p) override;
    bool IsSame(Parser* p) override;
    int ChildCount() const override { return root ? 1 : 0; }
    Parser* Child(int) const override { return root; }
    Parser* ReleaseChild(int) override;

    Parser* CopyRoot();
    int GetVariablesCount() const { return static_cast<int>(variables.size()); }
    int FindVariable(const char* name) const;
    const char* GetVariableName(int index) const;
    double GetVariableValue(const char* name) const;
    double GetVariableValue(int index) const { return variables[static_cast<std::size_t>(index)].value; }
    Parser* DerivativeBy(Parser* variable);
    Parser* DerivativeBy(int index);
    bool SetVariable(const char* name, double value);
    bool SetVariable(int index, double value);
    bool IsDifferent(FunctionInterpreter& other);
    bool IsSame(FunctionInterpreter& other);
    const char* AddVariable(const char* name);
    int FindOrAddVariable(const char* name);

    // Value of variable index for the Variable nodes (index checked by them).
    double ValueAt(int index) const { return variables[static_cast<std::size_t>(index)].value; }

    Parser* root = nullptr;
    std::vector<Entry> variables;

private:
    void Install(Parser* node);

    // The tree flattened for evaluation; rebuilt on the first evaluation
    // after the tree has changed.
    Program m_program;
};

} // namespace formula
} // namespace zeltmath

#endif
