#ifndef ZELTMATH_TOOL_TABLE_H
#define ZELTMATH_TOOL_TABLE_H

#include <string>
#include <string_view>
#include <vector>

namespace zcli {

struct XY {
    double x = 0;
    double y = 0;
};

// Reads two-column numeric data, one point a line, the columns separated by
// a comma, a semicolon, a tab or blanks.  Blank lines and lines starting with
// '#' are skipped, and so is a first line that is not numeric (a header).
// Throws InputError naming the source and line for anything else.
std::vector<XY> ParseTable(std::string_view text, const std::string& source);

// A comma-separated list of numbers ("0,2.5,10"); throws InputError naming
// what for an empty list or a field that is not a number.
std::vector<double> ParseNumberList(std::string_view text, const std::string& what);

} // namespace zcli

#endif
