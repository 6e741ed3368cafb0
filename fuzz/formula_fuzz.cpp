// Fuzzing of formula texts: setting, evaluating, differentiating, printing
// and re-reading a formula must give a value or one of the engine's error
// codes, never a crash, a leak or undefined behaviour.

#include <zeltmath/formula/detail/formula_impl.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void CheckError(const CZELTMathFormulaImpl& f, const char* result)
{
    if (result && (f.GetErrorCode() < 1 || f.GetErrorCode() > 28))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);  // stops at a NUL when read
    CZELTMathFormulaImpl f;
    if (!text.empty() && (text[0] & 1))
        f.SetAngleFactor(3.14159265358979323846 / 180);
    const char* err = f.SetFormula(text.c_str());
    CheckError(f, err);
    if (err)
        return 0;
    double value = 0;
    for (int i = 0; i < f.GetVariablesCount(); ++i) {
        CZELTString name;
        double v;
        if (f.GetVariable(i, name, v))
            f.SetVariable(name, 0.75 - i);
    }
    CheckError(f, f.Calc(value));
    CZELTMathFormulaImpl copy(f);
    CheckError(copy, copy.Calc(value));
    CZELTString name("x");
    double unused;
    if (f.GetVariablesCount() > 0)
        f.GetVariable(0, name, unused);
    CZELTMathFormulaImpl d;
    const char* derr = f.PartialDerivative(name, d);
    CheckError(f, derr);
    if (!derr) {
        CheckError(d, d.Calc(value));
        // The printed derivative is a formula again.
        CZELTMathFormulaImpl again;
        CheckError(again, again.SetFormula(d.GetFormula()));
    }
    return 0;
}
