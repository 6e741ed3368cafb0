// Formula: parsing, evaluation and symbolic derivatives.
#include "arrays.h"
#include "bindings.h"

#include <pybind11/stl.h>

#include <zeltmath/base/string.h>
#include <zeltmath/formula/formula.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <functional>
#include <string>
#include <vector>

namespace zpy {

namespace {

// The formula object reports a failure by its message text only.  The code
// behind a message is recovered through the host resource table, the
// library's channel for message texts: the failing step is repeated on a
// copy while every message resource holds a marker naming its identifier,
// and the resources are then put back as they were.
struct MessageId {
    int code;
    unsigned id;
};
const MessageId kMessageIds[] = {
    {1, 10003}, {2, 10004}, {3, 10005}, {4, 10006}, {5, 10007}, {6, 10008}, {7, 10009},
    {8, 10010}, {9, 10028}, {10, 10011}, {11, 10012}, {12, 10013}, {13, 10014}, {14, 10015},
    {15, 10016}, {16, 10017}, {17, 10018}, {18, 10019}, {19, 10020}, {20, 10021}, {21, 10022},
    {22, 10023}, {23, 10029}, {24, 10024}, {25, 10025}, {26, 10030}, {27, 10026}, {28, 10027}};
const char kMarker[] = "\x01zeltmath-message:";

// The text a repeated step reports (empty on success); the step's formula
// objects are gone by the time the text is read, so it is copied.
using Repeat = std::function<std::string()>;

std::string Text(const char* error)
{
    return error ? error : "";
}

int RecoverCode(const Repeat& repeat)
{
    std::vector<std::pair<bool, CZELTString>> saved;
    for (const MessageId& m : kMessageIds) {
        CZELTString text;
        bool had = text.LoadString(m.id);
        saved.emplace_back(had, text);
        CZELTString::SetResource(m.id, (kMarker + std::to_string(m.id)).c_str());
    }
    const std::string marker = repeat();
    // An empty text counts as no text: the formula falls back to its own.
    for (std::size_t i = 0; i < saved.size(); ++i)
        CZELTString::SetResource(kMessageIds[i].id, saved[i].first ? saved[i].second.GetString() : "");
    const std::size_t prefix = std::strlen(kMarker);
    if (marker.compare(0, prefix, kMarker) != 0)
        return 0;
    const unsigned id = static_cast<unsigned>(std::stoul(marker.substr(prefix)));
    for (const MessageId& m : kMessageIds)
        if (m.id == id)
            return m.code;
    return 0;
}

[[noreturn]] void RaiseFormulaError(const char* message, const Repeat& repeat)
{
    std::string text = message;
    RaisePackageError("FormulaError", py::int_(RecoverCode(repeat)), text);
}

std::unique_ptr<CZELTMathFormula> Make(const std::string& text, double angleFactor)
{
    auto made = std::make_unique<CZELTMathFormula>();
    CZELTMathFormula& f = *made;
    f.SetAngleFactor(RequireFinite(angleFactor, "angle_factor"));
    auto parse = [&](CZELTMathFormula& g) { return g.SetFormula(text.c_str()); };
    if (const char* error = parse(f))
        RaiseFormulaError(error, [&] {
            CZELTMathFormula g;
            g.SetAngleFactor(angleFactor);
            return Text(parse(g));
        });
    return made;
}

std::vector<std::string> Variables(CZELTMathFormula& f)
{
    std::vector<std::string> names;
    for (int i = 0; i < f.GetVariablesCount(); ++i) {
        CZELTString name;
        double value = 0;
        if (f.GetVariable(i, name, value))
            names.push_back(name.Str());
    }
    return names;
}

double Call(CZELTMathFormula& f, const py::kwargs& values)
{
    std::vector<std::string> names = Variables(f);
    for (auto item : values) {
        std::string name = py::str(item.first);
        if (std::find(names.begin(), names.end(), name) == names.end())
            throw py::type_error("the formula has no variable '" + name + "'");
    }
    std::vector<std::pair<std::string, double>> set;
    for (const std::string& name : names) {
        if (!values.contains(name.c_str()))
            throw py::type_error("missing value for the variable '" + name + "'");
        set.emplace_back(name, ToNumber(values[name.c_str()], "the value of '" + name + "'"));
    }
    for (const auto& v : set)
        f.SetVariable(v.first.c_str(), v.second);
    double value = 0;
    if (const char* error = f.Calc(value))
        RaiseFormulaError(error, [&] {
            CZELTMathFormula g(f);
            for (const auto& v : set)
                g.SetVariable(v.first.c_str(), v.second);
            double ignored = 0;
            return Text(g.Calc(ignored));
        });
    return value;
}

std::unique_ptr<CZELTMathFormula> Derivative(CZELTMathFormula& f, const std::string& name)
{
    auto result = std::make_unique<CZELTMathFormula>();
    if (const char* error = f.PartialDerivative(name.c_str(), *result))
        RaiseFormulaError(error, [&] {
            CZELTMathFormula g(f), r;
            return Text(g.PartialDerivative(name.c_str(), r));
        });
    return result;
}

} // namespace

void BindFormula(py::module_& m)
{
    py::class_<CZELTMathFormula>(m, "Formula",
        "A formula with named variables, parsed from text, evaluated and differentiated "
        "symbolically.  Calling it with keyword values returns its value.")
        .def(py::init(&Make), py::arg("text"), py::arg("angle_factor") = 1.0,
             "Formula(text, angle_factor=1.0): parses text; angle_factor is the number of radians "
             "in the formula's angle unit (pi/180 for degrees).  Raises FormulaError.")
        .def_property_readonly("variables", &Variables,
             "The variable names in the order of their first occurrence in the text.")
        .def_property_readonly("angle_factor", &CZELTMathFormula::GetAngleFactor,
             "Radians per angle unit of the trigonometric functions.")
        .def("__call__", &Call,
             "f(**values): the value with every variable given by keyword.  Raises FormulaError "
             "when the evaluation fails (division by zero and the like).")
        .def("derivative", &Derivative, py::arg("name"),
             "The partial derivative by the named variable as a new Formula (0 when the formula "
             "does not contain the name).")
        .def("__str__", [](CZELTMathFormula& f) { return std::string(f.GetFormula()); },
             "The formula's text.")
        .def("__repr__", [](CZELTMathFormula& f) {
            return "Formula(" + py::repr(py::str(f.GetFormula())).cast<std::string>() + ")";
        });
}

} // namespace zpy
