// Random small problems, bounds, linear rows and options for the r-algorithm:
// every run must end (33) without a crash, a hang or undefined behaviour,
// and leave x finite when it started finite.
#include <zeltmath/optimize/shor.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte()
    {
        return pos_ < size_ ? data_[pos_++] : 0;
    }
    // Mostly moderate values, now and then an extreme one.
    double Value()
    {
        const std::uint8_t kind = Byte();
        if (kind < 8) {
            double v = 0;
            unsigned char raw[sizeof v];
            for (unsigned char& b : raw)
                b = Byte();
            std::memcpy(&v, raw, sizeof v);
            return v;
        }
        return (static_cast<int>(Byte()) - 128) / 16.0;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class Random : public CZELTMathOptShor {
public:
    int n = 2;
    std::vector<double> centre, weight, power;
    std::vector<double> nonlinear;  // radius of a ball constraint per entry

protected:
    bool ObjFunction(int, int count, const double* x, double& value) const override
    {
        value = 0;
        for (int i = 0; i < count; ++i)
            value += weight[i] * std::pow(std::fabs(x[i] - centre[i]), power[i]);
        value += weight[0] * x[0] * x[count - 1];
        return true;
    }
    bool ObjConstraint(int j, int count, const double* x, double& value) const override
    {
        double s = 0;
        for (int i = 0; i < count; ++i)
            s += x[i] * x[i];
        value = s - nonlinear[static_cast<std::size_t>(j)];
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    Random problem;
    const int n = 1 + in.Byte() % 5;
    problem.n = n;
    std::vector<double> x(static_cast<std::size_t>(n)), lower, upper, eq, ineq;
    for (int i = 0; i < n; ++i) {
        problem.centre.push_back(in.Value());
        problem.weight.push_back(std::fabs(in.Value()));
        problem.power.push_back(1 + in.Byte() % 3);
        x[static_cast<std::size_t>(i)] = in.Value();
    }
    const std::uint8_t flags = in.Byte();
    if (flags & 1)
        for (int i = 0; i < n; ++i)
            lower.push_back(in.Value());
    if (flags & 2)
        for (int i = 0; i < n; ++i)
            upper.push_back(in.Value());
    const int nEq = (flags >> 2) & 1, nIneq = (flags >> 3) & 3, nNonlin = (flags >> 5) & 1;
    for (int k = 0; k < nEq * (n + 1); ++k)
        eq.push_back(in.Value());
    for (int k = 0; k < nIneq * (n + 1); ++k)
        ineq.push_back(in.Value());
    for (int j = 0; j < nNonlin; ++j)
        problem.nonlinear.push_back(std::fabs(in.Value()));
    double options[13] = {};
    const bool withOptions = flags & 64;
    if (withOptions) {
        for (double& o : options)
            o = in.Value();
        // Keep runs short: a few hundred iterations at most.
        options[3] = 1 + std::fmod(std::fabs(std::isfinite(options[3]) ? options[3] : 50.0), 300.0);
    }
    bool finite = true;
    for (double v : x)
        finite = finite && std::isfinite(v);
    const int result = problem.Optimize(n, x.data(), nNonlin, 0, lower.empty() ? nullptr : lower.data(),
                                        upper.empty() ? nullptr : upper.data(), nEq, eq.empty() ? nullptr : eq.data(),
                                        nIneq, ineq.empty() ? nullptr : ineq.data(), 300, 0,
                                        withOptions ? options : nullptr);
    if (result != 33)
        std::abort();
    if (finite)
        for (double v : x)
            if (!std::isfinite(v))
                std::abort();
    return 0;
}
