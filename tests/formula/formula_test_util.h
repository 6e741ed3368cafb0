#ifndef ZELTMATH_TESTS_FORMULA_TEST_UTIL_H
#define ZELTMATH_TESTS_FORMULA_TEST_UTIL_H

// Helpers of the formula tests: the host registers the texts "#<code>" under
// the message identifiers, so a returned error text tells its code.

#include <zeltmath/base/string.h>
#include <zeltmath/formula/formula.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace formula_test {

// Message identifier of each error code 1..28.
inline const unsigned int kMessageIds[29] = {
    0,     10003, 10004, 10005, 10006, 10007, 10008, 10009, 10010, 10028,
    10011, 10012, 10013, 10014, 10015, 10016, 10017, 10018, 10019, 10020,
    10021, 10022, 10023, 10029, 10024, 10025, 10030, 10026, 10027};

inline bool RegisterCodeTexts()
{
    for (int code = 1; code <= 28; ++code)
        CZELTString::SetResource(kMessageIds[code], ("#" + std::to_string(code)).c_str());
    return true;
}

inline const bool kCodeTextsRegistered = RegisterCodeTexts();

// The code of an error text ("#n"), 0 for success (null), -1 for any other text.
inline int CodeOf(const char* text)
{
    if (!text)
        return 0;
    if (text[0] != '#')
        return -1;
    return std::atoi(text + 1);
}

// Error code of setting text as a formula (0 on success).
inline int SetCode(const char* text)
{
    CZELTMathFormula f;
    return CodeOf(f.SetFormula(text));
}

} // namespace formula_test

#endif
