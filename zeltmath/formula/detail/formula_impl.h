#ifndef ZELTMATH_FORMULA_DETAIL_FORMULA_IMPL_H
#define ZELTMATH_FORMULA_DETAIL_FORMULA_IMPL_H

// The implementation object behind CZELTMathFormula.

#include <zeltmath/base/string.h>
#include <zeltmath/base/zelt_base.h>
#include <zeltmath/formula/detail/error.h>

namespace zeltmath {
namespace formula {
class FunctionInterpreter;
}
} // namespace zeltmath

class CZELTMathFormulaImpl final : public virtual CZELTBase {
public:
    CZELTMathFormulaImpl();
    CZELTMathFormulaImpl(const CZELTMathFormulaImpl& other);
    CZELTMathFormulaImpl& operator=(const CZELTMathFormulaImpl& other);
    ~CZELTMathFormulaImpl() override;

    virtual const char* SetFormula(const char* text);
    virtual const char* SetFormula(const CZELTMathFormulaImpl& other);
    virtual const char* GetFormula();
    virtual void SetVariable(const CZELTString& name, double value);
    virtual bool GetVariable(int index, CZELTString& name, double& value);
    virtual bool GetVariable(const CZELTString& name, double& value);
    virtual int GetVariablesCount();
    virtual void SetAngleFactor(double k);
    virtual double GetAngleFactor();
    virtual const char* PartialDerivative(const CZELTString& name, CZELTMathFormulaImpl& result);
    virtual const char* Calc(double& value);
    virtual void SetError(const zeltmath::formula::ParseErrorMsg& e);

    // Replaces the decimal separator by "." (toLocale false) or "." by the
    // separator (toLocale true).
    void ConvertDecimalSeparator(CZELTString& text, bool toLocale) const;
    const CZELTString& GetDecimalSeparator() const { return m_decimalSeparator; }
    // For hosts and tests that need a separator other than the locale's.
    void SetDecimalSeparator(const char* separator);
    // The code of the most recent failure (0 before any).
    int GetErrorCode() const { return m_errorCode; }
    const zeltmath::formula::ParseErrorMsg& GetLastError() const { return m_lastError; }

    // Resource identifier of the message of an error code, 0 if none.
    static unsigned int MessageId(int code);
    // The library's own text for an error code, null if none.
    static const char* DefaultMessage(int code);

private:
    // Copy that lets a ParseErrorMsg through (operator= records it instead).
    void CopyFrom(const CZELTMathFormulaImpl& other);

    zeltmath::formula::FunctionInterpreter* m_root = nullptr;
    CZELTString m_formula;
    CZELTString m_error;
    double m_angleFactor = 1.0;
    CZELTString m_decimalSeparator;
    int m_errorCode = 0;
    zeltmath::formula::ParseErrorMsg m_lastError{0, -1, -1};
};

#endif
