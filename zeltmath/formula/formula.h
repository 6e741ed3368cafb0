#ifndef ZELTMATH_FORMULA_FORMULA_H
#define ZELTMATH_FORMULA_FORMULA_H
/// \file
/// The formula object: parsing, evaluation and symbolic differentiation of formulas.

#include <zeltmath/base/export.h>
#include <zeltmath/base/string.h>
#include <zeltmath/base/zelt_base.h>

class CZELTMathFormulaImpl;

/// A formula with named variables: parsed from text, evaluated, and
/// differentiated symbolically.
///
///     CZELTMathFormula f;
///     if (const char* err = f.SetFormula("a*sin(x)+2")) { /* report err */ }
///     f.SetVariable("a", 3.0);
///     f.SetVariable("x", 0.5);
///     double v;
///     if (!f.Calc(v)) { /* v = 3*sin(0.5)+2 */ }
///
/// The language: numbers ("." or the user's decimal separator, exponents),
/// the constants PI (3.14159265), E, TRUE, FALSE; variables (any other word,
/// case-sensitive); + - * / % ^ ** (power, left-associative), comparisons
/// < > <= >= == !=, logical && || !, bitwise & | !& (exclusive or) ~, the
/// conditional c ? x : y; functions LN LOG EXP ABS SQRT NEG RAND SIN COS TAN
/// SEC CSC COT ASIN ACOS ATAN ASEC ACSC ACOT SINH COSH TANH SECH CSCH COTH
/// CEIL FLOOR (names case-insensitive).  Constant sub-expressions are folded
/// when the formula is set.
///
/// Every operation that can fail returns null on success, else the text of
/// the error; the text is owned by the object and stays valid until its next
/// failure.  Error texts come from the string resources 10003..10030 when the
/// host has registered them (CZELTString::SetResource), else from the
/// library's own English texts.
///
/// Angles: the trigonometric functions multiply their argument by the angle
/// factor and the inverse ones divide their result by it (pi/180 works in
/// degrees).  Derivatives do not include the factor: the derivative of sin(x)
/// is cos(x) whatever the factor.
///
/// A formula text may nest at most 1000 levels (a parenthesised group that
/// holds operators of its own, a function argument, the operand of a unary
/// operator); a deeper text fails with the error of code 5.  Chains of
/// operators of one precedence (a sum of 100 000 terms) and the derivatives
/// of accepted formulas are limited by memory only.
///
/// An object must not be used by two threads at once; distinct objects may be
/// used on distinct threads at the same time.
class ZELTMATH_API CZELTMathFormula : public virtual CZELTBase {
public:
    /// An empty formula with angle factor 1.0.
    CZELTMathFormula();
    /// A copy of other: the same formula text, variable values and angle factor.
    CZELTMathFormula(const CZELTMathFormula& other);
    /// Makes this object a copy of other.
    CZELTMathFormula& operator=(const CZELTMathFormula& other);
    /// Virtual, so that derived objects are destroyed completely.
    ~CZELTMathFormula() override;

    /// Parses text (written with the user's decimal separator); on failure
    /// the previous formula and its variable values stay in force.  Values of
    /// variables that the new formula shares with the old one are kept.
    virtual const char* SetFormula(const char* text);
    /// Parses other's text again, with this object's settings.
    virtual const char* SetFormula(const CZELTMathFormula& other);
    /// The text as last set successfully (never null).
    virtual const char* GetFormula();
    /// Sets a variable of the formula (exact name); unknown names are ignored.
    virtual void SetVariable(const CZELTString& name, double value);
    /// Variable by index in order of first occurrence in the text.
    virtual bool GetVariable(int index, CZELTString& name, double& value);
    /// The value of the named variable; false when the formula has no such variable.
    virtual bool GetVariable(const CZELTString& name, double& value);
    /// The number of variables of the formula.
    virtual int GetVariablesCount();
    /// Radians per angle unit; 1.0 at construction.
    virtual void SetAngleFactor(double k);
    /// Radians per angle unit.
    virtual double GetAngleFactor();
    /// Makes result the partial derivative by the named variable (the result's
    /// variables are 0.0).  Errors are recorded in this object.
    virtual const char* PartialDerivative(const CZELTString& name, CZELTMathFormula& result);
    /// Evaluates with the current variable values; value is written on success.
    virtual const char* Calc(double& value);

private:
    CZELTMathFormulaImpl* m_impl;
};

#endif
