#include "table.h"

#include "errors.h"
#include "io.h"

#include <cmath>

namespace zcli {

namespace {

// The fields of a data line, split at the first separator kind it uses.
std::vector<std::string_view> Fields(std::string_view line)
{
    for (char sep : {',', ';', '\t'})
        if (line.find(sep) != std::string_view::npos)
            return Split(line, sep);
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(" ", pos);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find(' ', start), line.size());
        fields.push_back(line.substr(start, end - start));
        pos = end;
    }
    return fields;
}

} // namespace

std::vector<XY> ParseTable(std::string_view text, const std::string& source)
{
    std::vector<XY> points;
    bool firstContentLine = true;
    const auto lines = Split(text, '\n');
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = Trim(lines[n]);
        if (line.empty() || line.front() == '#')
            continue;
        const auto fields = Fields(line);
        XY p;
        const bool ok = fields.size() == 2 && ParseNumber(fields[0], p.x) && ParseNumber(fields[1], p.y) &&
                        std::isfinite(p.x) && std::isfinite(p.y);
        if (!ok) {
            if (firstContentLine) {
                firstContentLine = false;
                continue;
            }
            throw InputError(source + ":" + std::to_string(n + 1) + ": expected two numbers x,y");
        }
        firstContentLine = false;
        points.push_back(p);
    }
    return points;
}

std::vector<double> ParseNumberList(std::string_view text, const std::string& what)
{
    std::vector<double> values;
    for (std::string_view field : Split(text, ',')) {
        double v = 0;
        if (!ParseNumber(field, v) || !std::isfinite(v))
            throw InputError(what + ": '" + std::string(Trim(field)) + "' is not a number");
        values.push_back(v);
    }
    return values;
}

} // namespace zcli
