#include <zeltmath/formula/formula.h>

#include <zeltmath/formula/detail/formula_impl.h>

CZELTMathFormula::CZELTMathFormula() : m_impl(new CZELTMathFormulaImpl()) {}

CZELTMathFormula::CZELTMathFormula(const CZELTMathFormula& other)
    : CZELTBase(other), m_impl(new CZELTMathFormulaImpl(*other.m_impl))
{
}

CZELTMathFormula& CZELTMathFormula::operator=(const CZELTMathFormula& other)
{
    if (this != &other)
        *m_impl = *other.m_impl;
    return *this;
}

CZELTMathFormula::~CZELTMathFormula() { delete m_impl; }

const char* CZELTMathFormula::SetFormula(const char* text) { return m_impl->SetFormula(text); }

const char* CZELTMathFormula::SetFormula(const CZELTMathFormula& other)
{
    return m_impl->SetFormula(*other.m_impl);
}

const char* CZELTMathFormula::GetFormula() { return m_impl->GetFormula(); }

void CZELTMathFormula::SetVariable(const CZELTString& name, double value)
{
    m_impl->SetVariable(name, value);
}

bool CZELTMathFormula::GetVariable(int index, CZELTString& name, double& value)
{
    return m_impl->GetVariable(index, name, value);
}

bool CZELTMathFormula::GetVariable(const CZELTString& name, double& value)
{
    return m_impl->GetVariable(name, value);
}

int CZELTMathFormula::GetVariablesCount() { return m_impl->GetVariablesCount(); }

void CZELTMathFormula::SetAngleFactor(double k) { m_impl->SetAngleFactor(k); }

double CZELTMathFormula::GetAngleFactor() { return m_impl->GetAngleFactor(); }

const char* CZELTMathFormula::PartialDerivative(const CZELTString& name, CZELTMathFormula& result)
{
    return m_impl->PartialDerivative(name, *result.m_impl);
}

const char* CZELTMathFormula::Calc(double& value) { return m_impl->Calc(value); }
