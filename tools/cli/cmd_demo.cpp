#include "commands.h"

#include "errors.h"
#include "io.h"

#include <zeltmath/numeric/core.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ostream>
#include <sys/stat.h>

namespace zcli {

namespace {

// An I-beam cross-section 200 wide and 300 high with 12 mm flanges and an
// 8 mm web, and a round opening of radius 50 cut into the web, drawn as a
// 48-gon that also bites into the lower flange.
std::vector<WktRing> SteelSection()
{
    return ParseWkt("POLYGON ((0 0, 200 0, 200 12, 104 12, 104 288, 200 288, 200 300, "
                    "0 300, 0 288, 96 288, 96 12, 0 12, 0 0))");
}

std::vector<WktRing> Opening()
{
    WktRing ring;
    for (int i = 0; i < 48; ++i) {
        const double a = ZT_2PI * i / 48;
        ring.points.emplace_back(100 + 50 * std::cos(a), 60 + 50 * std::sin(a));
    }
    return {ring};
}

void MakeFolder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        throw InputError("demo: cannot create " + folder + ": " + std::strerror(errno));
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw InputError("demo: " + folder + " is not a folder");
}

} // namespace

int RunDemo(const std::string& folder, std::ostream& out)
{
    MakeFolder(folder);

    out << "== clip: an I-beam section minus a round opening in its web\n";
    ClipRequest clip;
    clip.operation = "difference";
    clip.a = SteelSection();
    clip.b = Opening();
    clip.svgPath = folder + "/section.svg";
    int status = RunClip(clip, out);

    out << "\n== calc: a*sin(x)+2 at a = 3, x = 30 degrees, and its derivative by x\n";
    CalcRequest calc;
    calc.formula = "a*sin(x)+2";
    calc.assignments = {"a=3", "x=30"};
    calc.degrees = true;
    status |= RunCalc(calc, out);
    calc.derivative = "x";
    status |= RunCalc(calc, out);

    out << "\n== roots: x^3 - 6x^2 + 11x - 6 and x^3 - 1\n";
    status |= RunRoots({-6, 11, -6, 1}, out);
    status |= RunRoots({-1, 0, 0, 1}, out);

    out << "\n== fit: sin(x) on [0, pi] by a broken line with 5 nodes\n";
    FitRequest fit;
    for (int i = 0; i <= 40; ++i) {
        const double x = ZT_PI * i / 40;
        fit.data.push_back({x, std::sin(x)});
    }
    fit.nodes = {0, ZT_PI / 4, ZT_PI / 2, 3 * ZT_PI / 4, ZT_PI};
    fit.svgPath = folder + "/fit.svg";
    status |= RunFit(fit, out);

    out << "\npictures written to " << folder << "/ (section.svg, fit.svg)\n";
    return status;
}

} // namespace zcli
