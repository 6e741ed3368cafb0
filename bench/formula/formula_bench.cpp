// Evaluation and parse speed of CZELTMathFormula against muparser on the
// same engineering formulas with the same variable values.
//
//   bench_formula --benchmark_filter=Calc|Eval     evaluations per second
//   bench_formula --benchmark_filter=Parse         parse (set) time

#include <zeltmath/formula/formula.h>

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Formula {
    const char* name;
    std::string text;  // written so that both engines read it alike
};

std::string ThirtyTermSum()
{
    std::string s;
    for (int i = 1; i <= 30; ++i) {
        if (i > 1)
            s += " + ";
        s += std::to_string(i) + ".5*" + (i % 3 == 0 ? "x" : (i % 3 == 1 ? "y" : "a"));
    }
    return s;
}

const std::vector<Formula>& Formulas()
{
    static const std::vector<Formula> formulas = {
        {"sine", "a*sin(x)+2"},
        {"poly6", "2*x^6 - 3*x^5 + 0.5*x^4 - x^3 + 7*x^2 - x + 1"},
        {"horner6", "((((((2*x - 3)*x + 0.5)*x - 1)*x + 7)*x - 1)*x + 1)"},
        {"conditional", "x > 0 ? (y > 1 ? a*x : (x < 2 ? x*y : -x)) : (y < 0 ? 1 : 2*y)"},
        {"sum30", ThirtyTermSum()},
        {"beam", "a*x*(y^3 - 2*y*x^2 + x^3)/(24*sqrt(a*a + y*y))"},
    };
    return formulas;
}

double g_a = 1.7, g_x = 0.8, g_y = 1.3;

void SetVariables(CZELTMathFormula& f)
{
    f.SetVariable("a", g_a);
    f.SetVariable("x", g_x);
    f.SetVariable("y", g_y);
}

void BM_Calc_ZELT(benchmark::State& state)
{
    const Formula& formula = Formulas()[static_cast<std::size_t>(state.range(0))];
    CZELTMathFormula f;
    if (f.SetFormula(formula.text.c_str()) != nullptr) {
        state.SkipWithError("formula rejected");
        return;
    }
    SetVariables(f);
    double v = 0;
    for (auto _ : state) {
        f.Calc(v);
        benchmark::DoNotOptimize(v);
    }
    state.SetLabel(formula.name);
    state.SetItemsProcessed(state.iterations());
}

void BM_Eval_Muparser(benchmark::State& state)
{
    const Formula& formula = Formulas()[static_cast<std::size_t>(state.range(0))];
    double a = g_a, x = g_x, y = g_y;
    mu::Parser p;
    p.DefineVar("a", &a);
    p.DefineVar("x", &x);
    p.DefineVar("y", &y);
    p.SetExpr(formula.text);
    double v = p.Eval();  // the first evaluation compiles the bytecode
    for (auto _ : state) {
        v = p.Eval();
        benchmark::DoNotOptimize(v);
    }
    state.SetLabel(formula.name);
    state.SetItemsProcessed(state.iterations());
}

// Changing one variable by name, then evaluating: the common loop of a
// host that tabulates a formula.
void BM_SetAndCalc_ZELT(benchmark::State& state)
{
    const Formula& formula = Formulas()[static_cast<std::size_t>(state.range(0))];
    CZELTMathFormula f;
    f.SetFormula(formula.text.c_str());
    SetVariables(f);
    const CZELTString name("x");
    double v = 0, x = 0;
    for (auto _ : state) {
        x += 1e-6;
        f.SetVariable(name, x);
        f.Calc(v);
        benchmark::DoNotOptimize(v);
    }
    state.SetLabel(formula.name);
}

void BM_SetAndEval_Muparser(benchmark::State& state)
{
    const Formula& formula = Formulas()[static_cast<std::size_t>(state.range(0))];
    double a = g_a, x = 0, y = g_y;
    mu::Parser p;
    p.DefineVar("a", &a);
    p.DefineVar("x", &x);
    p.DefineVar("y", &y);
    p.SetExpr(formula.text);
    double v = p.Eval();
    for (auto _ : state) {
        x += 1e-6;
        v = p.Eval();
        benchmark::DoNotOptimize(v);
    }
    state.SetLabel(formula.name);
}

void BM_Parse_ZELT(benchmark::State& state)
{
    const Formula& formula = Formulas()[static_cast<std::size_t>(state.range(0))];
    CZELTMathFormula f;
    for (auto _ : state) {
        const char* err = f.SetFormula(formula.text.c_str());
        benchmark::DoNotOptimize(err);
    }
    state.SetLabel(formula.name);
}

// Parsing in muparser happens at the first evaluation after SetExpr.
void BM_Parse_Muparser(benchmark::State& state)
{
    const Formula& formula = Formulas()[static_cast<std::size_t>(state.range(0))];
    double a = g_a, x = g_x, y = g_y;
    mu::Parser p;
    p.DefineVar("a", &a);
    p.DefineVar("x", &x);
    p.DefineVar("y", &y);
    for (auto _ : state) {
        p.SetExpr(formula.text);
        double v = p.Eval();
        benchmark::DoNotOptimize(v);
    }
    state.SetLabel(formula.name);
}

void AllFormulas(benchmark::internal::Benchmark* b)
{
    for (std::size_t i = 0; i < Formulas().size(); ++i)
        b->Arg(static_cast<int>(i));
}

// Both engines must agree before their speed is compared.
bool CrossChecked()
{
    for (const Formula& formula : Formulas()) {
        CZELTMathFormula f;
        if (f.SetFormula(formula.text.c_str()) != nullptr)
            return false;
        SetVariables(f);
        double ours = 0;
        f.Calc(ours);
        double a = g_a, x = g_x, y = g_y;
        mu::Parser p;
        p.DefineVar("a", &a);
        p.DefineVar("x", &x);
        p.DefineVar("y", &y);
        p.SetExpr(formula.text);
        if (std::fabs(p.Eval() - ours) > 1e-9 * std::max(1.0, std::fabs(ours)))
            return false;
    }
    return true;
}

const bool g_checked = [] {
    if (!CrossChecked()) {
        std::fprintf(stderr, "the engines disagree on a benchmark formula\n");
        std::abort();
    }
    return true;
}();

} // namespace

BENCHMARK(BM_Calc_ZELT)->Apply(AllFormulas);
BENCHMARK(BM_Eval_Muparser)->Apply(AllFormulas);
BENCHMARK(BM_SetAndCalc_ZELT)->Apply(AllFormulas);
BENCHMARK(BM_SetAndEval_Muparser)->Apply(AllFormulas);
BENCHMARK(BM_Parse_ZELT)->Apply(AllFormulas);
BENCHMARK(BM_Parse_Muparser)->Apply(AllFormulas);
