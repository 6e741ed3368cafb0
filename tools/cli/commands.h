#ifndef ZELTMATH_TOOL_COMMANDS_H
#define ZELTMATH_TOOL_COMMANDS_H

#include "table.h"
#include "wkt.h"

#include <iosfwd>
#include <string>
#include <vector>

// The subcommands of the zeltmath tool, apart from their command-line
// parsing so that the demo and the tests can run them on data in memory.
// Each writes its report to out and returns the exit code: 0 on success, 1
// when the computation reports failure.  Bad input throws InputError, a
// failed computation may also throw ComputeError.
namespace zcli {

struct CalcRequest {
    std::string formula;
    std::vector<std::string> assignments;   // "name=value"
    bool degrees = false;
    std::string derivative;                 // variable name, empty for none
};
int RunCalc(const CalcRequest& request, std::ostream& out);

// Coefficients c0 ... cn of c0 + c1 x + ... + cn x^n.
int RunRoots(const std::vector<double>& coefficients, std::ostream& out);

struct ClipRequest {
    std::string operation;                  // difference, intersection, xor, union, normalize
    std::vector<WktRing> a;
    std::vector<WktRing> b;                 // unused by normalize
    std::string svgPath;                    // empty for no picture
};
int RunClip(const ClipRequest& request, std::ostream& out);

struct FitRequest {
    std::vector<XY> data;
    std::vector<double> nodes;
    std::string svgPath;
};
int RunFit(const FitRequest& request, std::ostream& out);

// Runs every subcommand on built-in examples, writing pictures into folder.
int RunDemo(const std::string& folder, std::ostream& out);

} // namespace zcli

#endif
