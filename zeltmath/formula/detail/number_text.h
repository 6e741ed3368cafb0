#ifndef ZELTMATH_FORMULA_DETAIL_NUMBER_TEXT_H
#define ZELTMATH_FORMULA_DETAIL_NUMBER_TEXT_H

// Number text conversions that never depend on the process's locale: the
// decimal point is always ".", whatever setlocale the host has called.

#include <string>

namespace zeltmath {
namespace formula {

// Reads the whole of text[0..length) as a number with the rules of the C
// library's strtod in the "C" locale (decimal, exponent, hexadecimal, inf,
// nan).  False when the text is not one number from its first to its last
// character.
bool ParseWholeNumber(const char* text, int length, double& value);

// "%1.3g" in the "C" locale: three significant digits.
std::string FormatG3(double value);

// The user's decimal separator from the environment's numeric locale
// (LC_ALL, LC_NUMERIC, LANG), read without touching the process's global
// locale; "." when the locale cannot be loaded or names no separator.
std::string UserDecimalSeparator();

} // namespace formula
} // namespace zeltmath

#endif
