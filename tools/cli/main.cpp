// zeltmath: the command-line face of the library.  Subcommands evaluate
// formulas, find polynomial roots, clip regions given as well-known text, fit
// minimax broken lines to tabulated data, and run a demonstration.

#include "commands.h"
#include "errors.h"
#include "io.h"
#include "table.h"
#include "wkt.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <sstream>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Runs a command into a buffer, so that nothing is printed unless it
// finishes; the report goes to standard output.
template <typename Command>
int Report(Command command)
{
    std::ostringstream out;
    const int code = command(out);
    std::cout << out.str() << std::flush;
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"zeltmath: formulas, polynomial roots, region clipping and minimax fitting "
                 "with the ZELTMath library"};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Print the help of every subcommand");

    zcli::CalcRequest calc;
    CLI::App* calcCmd = app.add_subcommand("calc", "Evaluate a formula, or its partial derivative");
    calcCmd->add_option("FORMULA", calc.formula, "The formula, for example \"a*sin(x)+2\"")->required();
    calcCmd->add_option("VALUES", calc.assignments, "Variable values as name=number, one for each variable");
    calcCmd->add_flag("--degrees", calc.degrees,
                      "Angles of the trigonometric functions are in degrees (a derivative is taken "
                      "with respect to the formula's own angle unit: d/dx sin(x) is cos(x))");
    calcCmd->add_option("--derivative", calc.derivative,
                        "Print the partial derivative by this variable and its value");

    std::vector<std::string> coefficients;
    CLI::App* rootsCmd = app.add_subcommand(
        "roots", "All roots of the polynomial C0 + C1 x + ... + Cn x^n (constant term first)");
    rootsCmd->add_option("COEFFICIENTS", coefficients, "C0 C1 ... Cn, the constant term first")->required();
    rootsCmd->allow_extras(false);
    rootsCmd->positionals_at_end();

    zcli::ClipRequest clip;
    std::string clipA, clipB;
    CLI::App* clipCmd = app.add_subcommand(
        "clip", "Combine two regions given as WKT POLYGON or MULTIPOLYGON; - reads standard input");
    clipCmd->add_option("OPERATION", clip.operation, "difference, intersection, xor or union")->required();
    clipCmd->add_option("A", clipA, "File with the first region (the subject)")->required();
    clipCmd->add_option("B", clipB, "File with the second region")->required();
    clipCmd->add_option("--svg", clip.svgPath, "Also draw both regions and the result into this SVG file");

    zcli::ClipRequest normalize;
    std::string normalizeA;
    CLI::App* normalizeCmd = app.add_subcommand(
        "normalize", "Rebuild a region into non-overlapping outer rings and holes");
    normalizeCmd->add_option("A", normalizeA, "File with the region as WKT; - reads standard input")->required();
    normalizeCmd->add_option("--svg", normalize.svgPath, "Also draw the region and the result into this SVG file");

    std::string fitData, fitNodes, fitSvg;
    CLI::App* fitCmd = app.add_subcommand("fit", "Minimax broken line through tabulated data");
    fitCmd->add_option("DATA", fitData, "CSV file of x,y lines (a header line is skipped); - reads standard input")
        ->required();
    fitCmd->add_option("--nodes", fitNodes, "Abscissas of the break points, increasing: x1,x2,...")->required();
    fitCmd->add_option("--svg", fitSvg, "Also plot the data and the fit into this SVG file");

    std::string demoFolder = "zeltmath-demo";
    CLI::App* demoCmd = app.add_subcommand("demo", "Run every subcommand on a built-in example");
    demoCmd->add_option("--folder", demoFolder, "Folder for the pictures")->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "zeltmath: " << e.what() << " (see zeltmath --help)\n";
        return kExitUsage;
    }

    try {
        if (calcCmd->parsed())
            return Report([&](std::ostream& out) { return zcli::RunCalc(calc, out); });
        if (rootsCmd->parsed()) {
            std::vector<double> values;
            for (const std::string& c : coefficients) {
                double v = 0;
                if (!zcli::ParseNumber(c, v))
                    throw zcli::InputError("roots: '" + c + "' is not a number");
                values.push_back(v);
            }
            return Report([&](std::ostream& out) { return zcli::RunRoots(values, out); });
        }
        if (clipCmd->parsed()) {
            clip.a = zcli::ParseWkt(zcli::ReadInput(clipA));
            clip.b = zcli::ParseWkt(zcli::ReadInput(clipB));
            return Report([&](std::ostream& out) { return zcli::RunClip(clip, out); });
        }
        if (normalizeCmd->parsed()) {
            normalize.operation = "normalize";
            normalize.a = zcli::ParseWkt(zcli::ReadInput(normalizeA));
            return Report([&](std::ostream& out) { return zcli::RunClip(normalize, out); });
        }
        if (fitCmd->parsed()) {
            zcli::FitRequest fit;
            fit.data = zcli::ParseTable(zcli::ReadInput(fitData), fitData == "-" ? "<stdin>" : fitData);
            fit.nodes = zcli::ParseNumberList(fitNodes, "fit: --nodes");
            fit.svgPath = fitSvg;
            return Report([&](std::ostream& out) { return zcli::RunFit(fit, out); });
        }
        if (demoCmd->parsed())
            return Report([&](std::ostream& out) { return zcli::RunDemo(demoFolder, out); });
    } catch (const zcli::InputError& e) {
        std::cerr << "zeltmath: " << e.what() << '\n';
        return kExitUsage;
    } catch (const zcli::ComputeError& e) {
        std::cerr << "zeltmath: " << e.what() << '\n';
        return kExitFailure;
    } catch (const std::exception& e) {
        std::cerr << "zeltmath: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitUsage;
}
