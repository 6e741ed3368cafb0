#include <zeltmath/formula/detail/leaves.h>

#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/number_text.h>

#include <cstring>

namespace zeltmath {
namespace formula {

// ---------------------------------------------------------------- Constant

std::string Constant::Print() { return FormatG3(value); }

Parser* Constant::Derivative(const char*) { return NewNode<Constant>(0.0); }

Parser* Constant::Copy() { return NewNode<Constant>(value); }

bool Constant::IsDifferent(Parser* p)
{
    const Constant* c = dynamic_cast<const Constant*>(p);
    return !c || c->value != value;
}

bool Constant::IsSame(Parser* p) { return !IsDifferent(p); }

// ---------------------------------------------------------------- Variable

Variable::Variable(TextRange& r)
    : name(r.text + r.first, static_cast<std::size_t>(r.last - r.first + 1))
{
    if (r.owner)
        index = r.owner->FindOrAddVariable(name.c_str());
}

Variable::Variable(std::string n) : name(std::move(n)) {}

double Variable::Evaluate()
{
    if (!interpreter || index < 0 || index >= interpreter->GetVariablesCount())
        Error(kErrUnknownVariable, -1, -1);
    return interpreter->ValueAt(index);
}

void Variable::Bind(FunctionInterpreter* fi)
{
    interpreter = fi;
    if (fi)
        index = fi->FindOrAddVariable(name.c_str());
}

std::string Variable::Print() { return name.empty() ? std::string("variable name???") : name; }

Parser* Variable::Derivative(const char* n)
{
    if (!n)
        Error(kErrEmpty, -1, -1);
    return NewNode<Constant>(name == n ? 1.0 : 0.0);
}

Parser* Variable::Copy() { return NewNode<Variable>(name); }

bool Variable::IsDifferent(Parser* p)
{
    const Variable* v = dynamic_cast<const Variable*>(p);
    return !v || v->name != name;
}

} // namespace formula
} // namespace zeltmath
