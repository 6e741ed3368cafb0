#include <zeltmath/formula/detail/interpreter.h>

#include <zeltmath/formula/detail/leaves.h>

#include <cstring>
#include <typeinfo>
#include <vector>

namespace zeltmath {
namespace formula {

namespace {

// For each "(" of text the offset of its closing ")", else -1.
std::vector<int> MatchParentheses(const char* text, int length)
{
    std::vector<int> match(static_cast<std::size_t>(length), -1);
    std::vector<int> open;
    for (int i = 0; i < length; ++i) {
        if (text[i] == '(') {
            open.push_back(i);
        } else if (text[i] == ')' && !open.empty()) {
            match[static_cast<std::size_t>(open.back())] = i;
            open.pop_back();
        }
    }
    return match;
}

} // namespace

FunctionInterpreter::FunctionInterpreter(const char* text)
{
    if (!text)
        text = "";
    const std::size_t size = std::strlen(text);
    if (size > static_cast<std::size_t>(1) << 30)
        Error(kErrNoMemory, 0, 0);
    const int length = static_cast<int>(size);
    const std::vector<int> match = MatchParentheses(text, length);
    TextRange r;
    r.text = text;
    r.first = 0;
    r.last = length - 1;
    r.owner = this;
    r.match = match.data();
    r.depth = 1;
    if (length > 0 && text[0] == '=')
        r.first = 1;
    Parser* node = nullptr;
    try {
        ParseExpression(r, node);
        m_program.Clear();
        root = node;
        root->parent = this;
        root->Bind(this);
        Simplify();
    } catch (...) {
        DeleteTree(root);
        root = nullptr;
        throw;
    }
}

FunctionInterpreter::FunctionInterpreter(Parser* node)
{
    Install(node);
}

FunctionInterpreter::FunctionInterpreter(double value)
{
    root = NewNode<Constant>(value);
    root->parent = this;
}

FunctionInterpreter::FunctionInterpreter(int functionIndex, const FunctionInterpreter& argument)
{
    Tree arg(argument.root ? argument.root->Copy() : nullptr);
    Install(MakeFunction(functionIndex, arg.release()));
}

FunctionInterpreter::FunctionInterpreter(int operatorCode, const FunctionInterpreter& left,
                                         const FunctionInterpreter& right)
{
    Tree l(left.root ? left.root->Copy() : nullptr);
    Tree r(right.root ? right.root->Copy() : nullptr);
    Install(MakeOperation(operatorCode, l.release(), r.release()));
}

void FunctionInterpreter::Install(Parser* node)
{
    m_program.Clear();
    root = node;
    try {
        if (root) {
            root->parent = this;
            root->Bind(this);
        }
        Simplify();
    } catch (...) {
        DeleteTree(root);
        root = nullptr;
        throw;
    }
}

FunctionInterpreter& FunctionInterpreter::operator=(const FunctionInterpreter& other)
{
    if (this == &other)
        return *this;
    m_program.Clear();
    DeleteTree(root);
    root = nullptr;
    variables.clear();
    if (other.root) {
        root = other.root->Copy();
        root->parent = this;
        root->Bind(this);
        Simplify();
    }
    return *this;
}

FunctionInterpreter::~FunctionInterpreter() { DeleteTree(root); }

Parser* FunctionInterpreter::ReleaseChild(int)
{
    m_program.Clear();
    Parser* r = root;
    root = nullptr;
    return r;
}

double FunctionInterpreter::Evaluate()
{
    if (!root)
        Error(kErrEmpty, -1, -1);
    if (m_program.Empty())
        m_program.Build(root, this);
    return m_program.Run(this);
}

bool FunctionInterpreter::IsConstant() { return !root || root->IsConstant(); }

bool FunctionInterpreter::ReplaceOperand(Parser* old, Parser* replacement)
{
    if (root && root != old)
        return false;
    m_program.Clear();
    DeleteTree(root);
    root = replacement;
    if (root) {
        root->parent = this;
        root->Bind(this);
    }
    return true;
}

void FunctionInterpreter::Simplify()
{
    if (!root)
        return;
    m_program.Clear();
    root->Simplify();
    if (root->IsConstant() && !root->IsLiteral()) {
        const double v = root->Evaluate();
        Parser* folded = NewNode<Constant>(v);
        DeleteTree(root);
        root = folded;
        root->parent = this;
    }
    root->Bind(this);
}

std::string FunctionInterpreter::Print()
{
    if (!root)
        Error(kErrEmpty, -1, -1);
    return "= " + root->Print();
}

Parser* FunctionInterpreter::CopyRoot()
{
    if (!root)
        Error(kErrEmpty, -1, -1);
    return root->Copy();
}

Parser* FunctionInterpreter::Derivative(const char* name)
{
    if (!root)
        return NewNode<Constant>(0.0);
    return root->Derivative(name);
}

bool FunctionInterpreter::IsDifferent(Parser* p)
{
    if (!root || !p || typeid(*p) != typeid(*root))
        return true;
    return root->IsDifferent(p);
}

bool FunctionInterpreter::IsSame(Parser* p) { return !IsDifferent(p); }

int FunctionInterpreter::FindVariable(const char* name) const
{
    if (!name)
        return -1;
    const std::size_t length = std::strlen(name);
    for (std::size_t i = 0; i < variables.size(); ++i) {
        const std::string& n = variables[i].name;
        if (n.size() == length && std::memcmp(n.data(), name, length) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const char* FunctionInterpreter::GetVariableName(int index) const
{
    if (index < 0 || index >= GetVariablesCount())
        return nullptr;
    return variables[static_cast<std::size_t>(index)].name.c_str();
}

double FunctionInterpreter::GetVariableValue(const char* name) const
{
    const int i = FindVariable(name);
    if (i < 0)
        Error(kErrUnknownVariable, -1, -1);
    return variables[static_cast<std::size_t>(i)].value;
}

Parser* FunctionInterpreter::DerivativeBy(Parser* variable)
{
    const Variable* v = dynamic_cast<const Variable*>(variable);
    return Derivative(v ? v->GetName() : nullptr);
}

Parser* FunctionInterpreter::DerivativeBy(int index)
{
    const char* name = GetVariableName(index);
    if (!name)
        Error(kErrUnknownVariable, -1, -1);
    // The name lives in the store, which differentiation does not change.
    return Derivative(name);
}

bool FunctionInterpreter::SetVariable(const char* name, double value)
{
    return SetVariable(FindVariable(name), value);
}

bool FunctionInterpreter::SetVariable(int index, double value)
{
    if (index < 0 || index >= GetVariablesCount())
        return false;
    variables[static_cast<std::size_t>(index)].value = value;
    return true;
}

bool FunctionInterpreter::IsDifferent(FunctionInterpreter& other)
{
    if (!root && !other.root)
        return false;
    if (!root || !other.root)
        return true;
    return root->IsDifferent(other.root);
}

bool FunctionInterpreter::IsSame(FunctionInterpreter& other)
{
    if (!root && !other.root)
        return true;
    if (!root || !other.root)
        return false;
    return root->IsSame(other.root);
}

const char* FunctionInterpreter::AddVariable(const char* name)
{
    variables.push_back(Entry{name ? name : "", 0.0});
    return variables.back().name.c_str();
}

int FunctionInterpreter::FindOrAddVariable(const char* name)
{
    int i = FindVariable(name);
    if (i < 0) {
        AddVariable(name);
        i = GetVariablesCount() - 1;
    }
    return i;
}

} // namespace formula
} // namespace zeltmath
