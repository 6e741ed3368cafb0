#include "commands.h"

#include "errors.h"
#include "io.h"

#include <zeltmath/formula/formula.h>
#include <zeltmath/numeric/core.h>

#include <ostream>

namespace zcli {

namespace {

void Assign(CZELTMathFormula& formula, const std::string& assignment)
{
    const std::size_t eq = assignment.find('=');
    double value = 0;
    if (eq == std::string::npos || eq == 0 || !ParseNumber(std::string_view(assignment).substr(eq + 1), value))
        throw InputError("calc: '" + assignment + "' is not of the form name=number");
    const std::string name(Trim(std::string_view(assignment).substr(0, eq)));
    double old = 0;
    if (!formula.GetVariable(CZELTString(name.c_str()), old))
        throw InputError("calc: the formula has no variable '" + name + "'");
    formula.SetVariable(CZELTString(name.c_str()), value);
}

// Values given on the command line, by name.
void CheckAllSet(CZELTMathFormula& formula, const std::vector<std::string>& assignments)
{
    for (int i = 0; i < formula.GetVariablesCount(); ++i) {
        CZELTString name;
        double value = 0;
        formula.GetVariable(i, name, value);
        bool given = false;
        for (const std::string& a : assignments) {
            const std::size_t eq = a.find('=');
            given = given || std::string(Trim(std::string_view(a).substr(0, eq))) == name.GetString();
        }
        if (!given)
            throw InputError(std::string("calc: variable '") + name.GetString() + "' has no value (give " +
                             name.GetString() + "=number)");
    }
}

} // namespace

int RunCalc(const CalcRequest& request, std::ostream& out)
{
    CZELTMathFormula formula;
    if (request.degrees)
        formula.SetAngleFactor(ZT_PI / 180);
    if (const char* error = formula.SetFormula(request.formula.c_str()))
        throw InputError(std::string("calc: ") + error);
    for (const std::string& a : request.assignments)
        Assign(formula, a);
    CheckAllSet(formula, request.assignments);

    if (request.derivative.empty()) {
        double value = 0;
        if (const char* error = formula.Calc(value))
            throw ComputeError(std::string("calc: ") + error);
        out << "value: " << FormatNumber(value) << '\n';
        return 0;
    }

    CZELTMathFormula derivative;
    if (const char* error = formula.PartialDerivative(CZELTString(request.derivative.c_str()), derivative))
        throw ComputeError(std::string("calc: ") + error);
    // The derivative starts with its variables at zero; give it the values.
    for (int i = 0; i < formula.GetVariablesCount(); ++i) {
        CZELTString name;
        double value = 0;
        formula.GetVariable(i, name, value);
        derivative.SetVariable(name, value);
    }
    double value = 0;
    if (const char* error = derivative.Calc(value))
        throw ComputeError(std::string("calc: ") + error);
    out << "derivative: " << derivative.GetFormula() << '\n';
    out << "value: " << FormatNumber(value) << '\n';
    return 0;
}

} // namespace zcli
