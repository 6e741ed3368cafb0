#include <zeltmath/formula/detail/number_text.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace zeltmath {
namespace formula {

namespace {

// The "C" locale as an object, for strtod_l.  Made on first use and kept
// for the life of the process.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

bool ParseWholeNumber(const char* text, int length, double& value)
{
    if (length <= 0)
        return false;
    const std::string copy(text, static_cast<std::size_t>(length));
    const char* begin = copy.c_str();
    char* end = nullptr;
    const locale_t c = CLocale();
    double v;
    if (c != static_cast<locale_t>(nullptr)) {
        v = strtod_l(begin, &end, c);
    } else {
        // No locale object could be made (out of memory): only plain
        // decimal text is accepted then.
        auto res = std::from_chars(begin, begin + copy.size(), v);
        end = const_cast<char*>(res.ptr);
        if (res.ec != std::errc() && res.ec != std::errc::result_out_of_range)
            end = const_cast<char*>(begin);
    }
    if (end != begin + copy.size())
        return false;
    value = v;
    return true;
}

std::string FormatG3(double value)
{
    char buffer[64];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 3);
    return std::string(buffer, res.ptr);
}

std::string UserDecimalSeparator()
{
    std::string separator;
    // An empty name takes the categories from the environment.
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user != static_cast<locale_t>(nullptr)) {
        const char* radix = nl_langinfo_l(RADIXCHAR, user);
        if (radix)
            separator = radix;
        freelocale(user);
    }
    // At most 19 characters, as a fixed-size settings field would hold.
    if (separator.size() > 19)
        separator.resize(19);
    if (separator.empty())
        separator = ".";
    return separator;
}

} // namespace formula
} // namespace zeltmath
