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

// The web plate of a steel beam in elevation, 1200 long and 300 deep, and
// three round service openings of diameter 180 along its axis, each drawn as
// a 48-gon.
std::vector<WktRing> WebPlate()
{
    return ParseWkt("POLYGON ((0 0, 1200 0, 1200 300, 0 300, 0 0))");
}

std::vector<WktRing> Openings()
{
    std::vector<WktRing> rings;
    for (double cx : {300.0, 600.0, 900.0}) {
        WktRing ring;
        for (int i = 0; i < 48; ++i) {
            const double a = ZT_2PI * i / 48;
            ring.points.emplace_back(cx + 90 * std::cos(a), 150 + 90 * std::sin(a));
        }
        rings.push_back(ring);
    }
    return rings;
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

    out << "== clip: a beam's web plate minus three round openings\n";
    ClipRequest clip;
    clip.operation = "difference";
    clip.a = WebPlate();
    clip.b = Openings();
    clip.svgPath = folder + "/web-openings.svg";
    int status = RunClip(clip, out);

    out << "\n== calc: a*sin(x)+2 at a = 3 and x = 30 degrees, then its derivative by x at x = pi/6\n";
    CalcRequest calc;
    calc.formula = "a*sin(x)+2";
    calc.assignments = {"a=3", "x=30"};
    calc.degrees = true;
    status |= RunCalc(calc, out);
    calc.degrees = false;
    calc.assignments = {"a=3", "x=" + FormatNumber(ZT_PI / 6)};
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

    out << "\npictures written to " << folder << "/ (web-openings.svg, fit.svg)\n";
    return status;
}

} // namespace zcli
