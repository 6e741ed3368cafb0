// Formula objects on several threads at once, and independence from the
// process's locale; the user's decimal separator from the environment.

#include "formula_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <langinfo.h>
#include <locale.h>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

// glibc's newlocale does not free its copy of LOCPATH (a few bytes per call
// while LOCPATH is set, which only these tests do): not a leak of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:__argz_add_sep\n";
}

namespace {

const double kPi = 3.14159265358979323846;

TEST(FormulaThreads, DistinctObjectsWithDistinctAngleFactorsAtOnce)
{
    const double factors[] = {1.0, kPi / 180, kPi / 200, 0.5};
    std::atomic<int> failures{0};
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (double k : factors) {
        threads.emplace_back([k, &failures, &ready] {
            CZELTMathFormula f;
            f.SetAngleFactor(k);
            if (f.SetFormula("sin(x) + atan(y) + cos(30)") != nullptr) {
                ++failures;
                return;
            }
            const double folded = std::cos(30 * k);
            ++ready;
            while (ready.load() < 4) {
            }
            for (int i = 0; i < 20000; ++i) {
                const double x = i * 0.01, y = 1 + i * 1e-4;
                f.SetVariable("x", x);
                f.SetVariable("y", y);
                double v = 0;
                if (f.Calc(v) != nullptr || v != std::sin(x * k) + std::atan(y) / k + folded)
                    ++failures;
                if (i % 1000 == 0) {
                    // Derivatives on the same thread use the object's factor too.
                    CZELTMathFormula d;
                    double dv = 0;
                    if (f.PartialDerivative("x", d) != nullptr || d.Calc(dv) != nullptr ||
                        dv != 1.0)
                        ++failures;
                }
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);
}

// A locale with "," as its decimal separator: an installed German one, or
// one compiled into a private folder (LOCPATH) when localedef is available.
class CommaLocale {
public:
    CommaLocale()
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
            if (Usable(name)) {
                m_name = name;
                return;
            }
        }
        char dir[] = "/tmp/zeltmath-locale-XXXXXX";
        if (!mkdtemp(dir))
            return;
        m_dir = dir;
        const std::string cmd = "localedef -i de_DE -f UTF-8 " + m_dir +
                                "/de_DE.UTF-8 >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0 && !Exists(m_dir + "/de_DE.UTF-8/LC_NUMERIC"))
            return;
        setenv("LOCPATH", m_dir.c_str(), 1);
        m_setLocpath = true;
        if (Usable("de_DE.UTF-8"))
            m_name = "de_DE.UTF-8";
    }
    ~CommaLocale()
    {
        if (m_setLocpath)
            unsetenv("LOCPATH");
        if (!m_dir.empty())
            std::system(("rm -rf " + m_dir).c_str());
    }
    const std::string& Name() const { return m_name; }

private:
    static bool Exists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }
    static bool Usable(const char* name)
    {
        locale_t l = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
        if (l == static_cast<locale_t>(nullptr))
            return false;
        const bool comma = std::string(nl_langinfo_l(RADIXCHAR, l)) == ",";
        freelocale(l);
        return comma;
    }

    std::string m_name;
    std::string m_dir;
    bool m_setLocpath = false;
};

// Made once per test program: compiling a locale takes a moment.
const CommaLocale& Comma()
{
    static const CommaLocale comma;
    return comma;
}

// Sets an environment variable for the scope.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (old)
            m_old = old;
        setenv(name, value, 1);
    }
    ~EnvVar()
    {
        if (m_had)
            setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

TEST(FormulaLocale, DecimalSeparatorFollowsTheUsersLocale)
{
    {
        EnvVar all("LC_ALL", "C");
        CZELTMathFormula f;
        ASSERT_EQ(f.SetFormula("1.5*x"), nullptr);
        f.SetVariable("x", 2);
        double v = 0;
        ASSERT_EQ(f.Calc(v), nullptr);
        EXPECT_EQ(v, 3);
    }
    {
        // A locale that cannot be loaded falls back to ".".
        EnvVar all("LC_ALL", "xx_NOWHERE.UTF-8");
        CZELTMathFormula f;
        ASSERT_EQ(f.SetFormula("x^2.5"), nullptr);
        CZELTMathFormula d;
        ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
        EXPECT_STREQ(d.GetFormula(), "2.5 * x ^ 1.5");
    }
    const CommaLocale& comma = Comma();
    if (comma.Name().empty())
        GTEST_SKIP() << "no locale with a comma decimal separator is installed, and none "
                        "could be compiled privately with localedef";
    EnvVar all("LC_ALL", comma.Name().c_str());
    CZELTMathFormula f;
    ASSERT_EQ(f.SetFormula("1,5*x"), nullptr);
    EXPECT_STREQ(f.GetFormula(), "1,5*x");
    f.SetVariable("x", 2);
    double v = 0;
    ASSERT_EQ(f.Calc(v), nullptr);
    EXPECT_EQ(v, 3);
    ASSERT_EQ(f.SetFormula("x^2,5"), nullptr);
    CZELTMathFormula d;
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    EXPECT_STREQ(d.GetFormula(), "2,5 * x ^ 1,5");
    CZELTMathFormula again;
    ASSERT_EQ(again.SetFormula(d.GetFormula()), nullptr);
    again.SetVariable("x", 4);
    ASSERT_EQ(again.Calc(v), nullptr);
    EXPECT_EQ(v, 20);
}

TEST(FormulaLocale, GlobalLocaleOfTheHostDoesNotMatter)
{
    const CommaLocale& comma = Comma();
    if (comma.Name().empty())
        GTEST_SKIP() << "de_DE (or another comma locale) is not available and could not be "
                        "compiled privately: the global-locale case cannot be set up";
    EnvVar all("LC_ALL", "C");
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, comma.Name().c_str()), nullptr);
    ASSERT_EQ(std::string(localeconv()->decimal_point), ",");
    CZELTMathFormula f;
    const char* err = f.SetFormula("1.5*x + 2.5e-1");
    CZELTMathFormula d;
    const char* derr = err ? err : f.PartialDerivative("x", d);
    std::string text = d.GetFormula();
    ASSERT_EQ(f.SetFormula("x^2.5"), nullptr);
    ASSERT_EQ(f.PartialDerivative("x", d), nullptr);
    const std::string half = d.GetFormula();
    f.SetVariable("x", 2);
    double v = 0;
    const char* cerr = f.Calc(v);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(err, nullptr);
    EXPECT_EQ(derr, nullptr);
    EXPECT_EQ(text, "1.5");
    EXPECT_EQ(half, "2.5 * x ^ 1.5");
    EXPECT_EQ(cerr, nullptr);
    EXPECT_DOUBLE_EQ(v, std::pow(2.0, 2.5));
}

} // namespace
