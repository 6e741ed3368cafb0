#include <zeltmath/formula/detail/formula_impl.h>

#include <zeltmath/formula/detail/angle.h>
#include <zeltmath/formula/detail/interpreter.h>
#include <zeltmath/formula/detail/number_text.h>

#include <memory>
#include <string>

using zeltmath::formula::AngleFactorScope;
using zeltmath::formula::FunctionInterpreter;
using zeltmath::formula::NewNode;
using zeltmath::formula::ParseErrorMsg;

namespace {

struct MessageEntry {
    unsigned int id;
    const char* text;
};

// Resource identifiers and the library's own texts of the error codes 1..28.
const MessageEntry kMessages[zeltmath::formula::kErrCodeCount + 1] = {
    {0, nullptr},
    {10003, "Division by zero: the divisor of \"/\" or \"%\" is zero."},
    {10004, "Square root of a negative number."},
    {10005, "Decimal logarithm of a number that is not above zero."},
    {10006, "Natural logarithm of a number that is not above zero."},
    {10007, "The formula is too large: there is not enough memory for its tree, or it is nested too deeply."},
    {10008, "Arc sine of a number outside -1 to 1."},
    {10009, "Arc cosine of a number outside -1 to 1."},
    {10010, "Arc secant of a number from -1 to 1."},
    {10028, "Arc cosecant of a number from -1 to 1."},
    {10011, "Arc cotangent of zero."},
    {10012, "The formula contains an operation that cannot be differentiated."},
    {10013, "Tangent of an angle whose cosine is zero."},
    {10014, "Cotangent of an angle whose sine is zero."},
    {10015, "Secant of an angle whose cosine is zero."},
    {10016, "Cosecant of an angle whose sine is zero."},
    {10017, "Hyperbolic tangent where the hyperbolic cosine is zero."},
    {10018, "Hyperbolic secant where the hyperbolic cosine is zero."},
    {10019, "Hyperbolic cosecant where the hyperbolic sine is zero."},
    {10020, "Hyperbolic cotangent where the hyperbolic tangent is zero."},
    {10021, "Unknown variable."},
    {10022, "The formula or one of its parts is empty."},
    {10023, "A blank inside a name or number, or two parenthesised groups side by side."},
    {10029, "Syntax error: an operator is misplaced or text follows a closing parenthesis."},
    {10024, "The parentheses are not balanced."},
    {10025, "Unknown function name."},
    {10030, "A character that is not a valid operator."},
    {10026, "\":\" without a matching \"?\"."},
    {10027, "\"?\" without a matching \":\"."},
};

} // namespace

unsigned int CZELTMathFormulaImpl::MessageId(int code)
{
    return (code >= 1 && code <= zeltmath::formula::kErrCodeCount) ? kMessages[code].id : 0;
}

const char* CZELTMathFormulaImpl::DefaultMessage(int code)
{
    return (code >= 1 && code <= zeltmath::formula::kErrCodeCount) ? kMessages[code].text : nullptr;
}

CZELTMathFormulaImpl::CZELTMathFormulaImpl()
    : m_decimalSeparator(zeltmath::formula::UserDecimalSeparator())
{
}

CZELTMathFormulaImpl::CZELTMathFormulaImpl(const CZELTMathFormulaImpl& other)
    : CZELTBase(other),
      m_formula(other.m_formula),
      m_angleFactor(other.m_angleFactor),
      m_decimalSeparator(other.m_decimalSeparator)
{
    *this = other;
}

CZELTMathFormulaImpl& CZELTMathFormulaImpl::operator=(const CZELTMathFormulaImpl& other)
{
    if (this == &other)
        return *this;
    try {
        CopyFrom(other);
    } catch (const ParseErrorMsg& e) {
        // Only a failed memory request can get here; the copy stays empty.
        SetError(e);
    }
    return *this;
}

void CZELTMathFormulaImpl::CopyFrom(const CZELTMathFormulaImpl& other)
{
    if (this == &other)
        return;
    delete m_root;
    m_root = nullptr;
    m_formula = other.m_formula;
    m_angleFactor = other.m_angleFactor;
    m_decimalSeparator = other.m_decimalSeparator;
    if (other.m_root) {
        std::unique_ptr<FunctionInterpreter> copy(NewNode<FunctionInterpreter>());
        *copy = *other.m_root;
        m_root = copy.release();
    }
}

CZELTMathFormulaImpl::~CZELTMathFormulaImpl() { delete m_root; }

const char* CZELTMathFormulaImpl::SetFormula(const char* text)
{
    AngleFactorScope angle(m_angleFactor);
    try {
        const std::string original(text ? text : "");
        CZELTString converted(original);
        ConvertDecimalSeparator(converted, false);
        std::unique_ptr<FunctionInterpreter> fresh(NewNode<FunctionInterpreter>(converted.GetString()));
        if (m_root) {
            const int count = m_root->GetVariablesCount();
            for (int i = 0; i < count; ++i)
                fresh->SetVariable(m_root->GetVariableName(i), m_root->GetVariableValue(i));
            delete m_root;
        }
        m_root = fresh.release();
        m_formula = original;
        return nullptr;
    } catch (const ParseErrorMsg& e) {
        SetError(e);
        return m_error.GetString();
    }
}

const char* CZELTMathFormulaImpl::SetFormula(const CZELTMathFormulaImpl& other)
{
    const std::string text(other.m_formula.Str());
    return SetFormula(text.c_str());
}

const char* CZELTMathFormulaImpl::GetFormula() { return m_formula.GetString(); }

void CZELTMathFormulaImpl::SetVariable(const CZELTString& name, double value)
{
    if (m_root)
        m_root->SetVariable(name.GetString(), value);
}

bool CZELTMathFormulaImpl::GetVariable(int index, CZELTString& name, double& value)
{
    if (!m_root || index < 0 || index >= m_root->GetVariablesCount())
        return false;
    name = m_root->GetVariableName(index);
    value = m_root->GetVariableValue(index);
    return true;
}

bool CZELTMathFormulaImpl::GetVariable(const CZELTString& name, double& value)
{
    if (!m_root)
        return false;
    const int index = m_root->FindVariable(name.GetString());
    if (index < 0)
        return false;
    value = m_root->GetVariableValue(index);
    return true;
}

int CZELTMathFormulaImpl::GetVariablesCount() { return m_root ? m_root->GetVariablesCount() : 0; }

void CZELTMathFormulaImpl::SetAngleFactor(double k) { m_angleFactor = k; }

double CZELTMathFormulaImpl::GetAngleFactor() { return m_angleFactor; }

const char* CZELTMathFormulaImpl::PartialDerivative(const CZELTString& name, CZELTMathFormulaImpl& result)
{
    AngleFactorScope angle(m_angleFactor);
    if (!m_root)
        return m_error.GetString();
    try {
        result.CopyFrom(*this);
        // The interpreter takes the derivative tree over, binds and
        // simplifies it.
        FunctionInterpreter derivative(m_root->Derivative(name.GetString()));
        delete result.m_root;
        result.m_root = nullptr;
        std::unique_ptr<FunctionInterpreter> fresh(NewNode<FunctionInterpreter>());
        *fresh = derivative;
        result.m_root = fresh.release();
        const std::string printed = result.m_root->Print();
        CZELTString text(printed.substr(2));
        result.ConvertDecimalSeparator(text, true);
        result.m_formula = text;
        return nullptr;
    } catch (const ParseErrorMsg& e) {
        SetError(e);
        return m_error.GetString();
    }
}

const char* CZELTMathFormulaImpl::Calc(double& value)
{
    AngleFactorScope angle(m_angleFactor);
    if (!m_root)
        return m_error.GetString();
    try {
        value = m_root->Evaluate();
        return nullptr;
    } catch (const ParseErrorMsg& e) {
        SetError(e);
        return m_error.GetString();
    }
}

void CZELTMathFormulaImpl::SetError(const ParseErrorMsg& e)
{
    m_lastError = e;
    m_errorCode = e.code;
    m_error = "????????";
    const unsigned int id = MessageId(e.code);
    if (id == 0)
        return;
    // A text the host has registered under the identifier wins over the
    // library's own.
    CZELTString text;
    if (text.LoadString(id) && !text.IsEmpty())
        m_error = text;
    else
        m_error = DefaultMessage(e.code);
}

void CZELTMathFormulaImpl::ConvertDecimalSeparator(CZELTString& text, bool toLocale) const
{
    const char* separator = m_decimalSeparator.GetString();
    if (m_decimalSeparator.IsEmpty() || m_decimalSeparator.Str() == ".")
        return;
    if (toLocale)
        text.Replace(".", separator);
    else
        text.Replace(separator, ".");
}

void CZELTMathFormulaImpl::SetDecimalSeparator(const char* separator)
{
    m_decimalSeparator = (separator && *separator) ? separator : ".";
}
