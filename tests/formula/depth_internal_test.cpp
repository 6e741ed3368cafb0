// Formulas at the nesting limit and long chains run on a thread with a 1 MiB
// stack: parse, evaluation through the tree and the program, printing,
// copying, differentiation and destruction.

#include <zeltmath/formula/detail/angle.h>
#include <zeltmath/formula/detail/formula_impl.h>
#include <zeltmath/formula/detail/interpreter.h>

#include <gtest/gtest.h>

#include <pthread.h>

#include <cstdlib>
#include <string>

using namespace zeltmath::formula;

namespace {

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// Stack size of the test thread; ZELTMATH_TEST_STACK_KB overrides it for
// measuring.  Sanitizer builds in Debug have much larger frames.
std::size_t StackBytes()
{
    if (const char* kb = std::getenv("ZELTMATH_TEST_STACK_KB"))
        return static_cast<std::size_t>(std::atol(kb)) * 1024;
#if defined(__SANITIZE_ADDRESS__)
    return 2u << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return 2u << 20;
#else
    return 1u << 20;
#endif
#else
    return 1u << 20;
#endif
}

struct Work {
    int failures = 0;
};

void* DeepWork(void* arg)
{
    Work* work = static_cast<Work*>(arg);
    const int n = kMaxNestingDepth - 1;
    const std::string shapes[] = {
        Repeat("sin(", n) + "x" + Repeat(")", n),
        Repeat("-(", n) + "x" + Repeat(")", n),
        "1" + Repeat("+x", n),
        Repeat("x^(", n / 2) + "x" + Repeat(")", n / 2),
        Repeat("(x>0?", n / 2) + "x" + Repeat(":1)", n / 2),
        Repeat("x*(", n) + "y" + Repeat(")", n),
        "1" + Repeat("+x", 100000),
        "x" + Repeat("*x-y", 20000),
        "1" + Repeat("?x:y", 20000),
    };
    for (const std::string& text : shapes) {
        CZELTMathFormulaImpl f;
        if (f.SetFormula(text.c_str()) != nullptr) {
            ++work->failures;
            continue;
        }
        f.SetVariable("x", 0.5);
        f.SetVariable("y", 0.25);
        double v = 0;
        if (f.Calc(v) != nullptr)
            ++work->failures;
        CZELTMathFormulaImpl copy(f);
        if (copy.Calc(v) != nullptr)
            ++work->failures;
        CZELTMathFormulaImpl d;
        if (f.PartialDerivative("x", d) != nullptr)
            ++work->failures;
        d.SetVariable("x", 0.5);
        d.SetVariable("y", 0.25);
        if (d.Calc(v) != nullptr)
            ++work->failures;
        AngleFactorScope angle(1.0);
        FunctionInterpreter fi(text.c_str());
        fi.SetVariable("x", 0.5);
        try {
            fi.root->Evaluate();  // the tree, recursively
            if (fi.Print().size() < text.size() / 2)
                ++work->failures;
        } catch (const ParseErrorMsg&) {
            ++work->failures;
        }
    }
    return nullptr;
}

TEST(FormulaDepth, LimitFitsInAModestThreadStack)
{
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, StackBytes()), 0);
    Work work;
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, &DeepWork, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ(work.failures, 0);
}

} // namespace
