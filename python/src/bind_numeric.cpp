// Polynomial roots, the Fourier transform, interpolation, Gaussian
// elimination and the cubic.
#include "arrays.h"
#include "bindings.h"

#include <pybind11/complex.h>

#include <zeltmath/complex/muller.h>
#include <zeltmath/numeric/core.h>
#include <zeltmath/numeric/fft.h>
#include <zeltmath/numeric/gauss.h>
#include <zeltmath/numeric/interpolation.h>

#include <climits>
#include <cmath>
#include <complex>
#include <mutex>
#include <vector>

namespace zpy {

namespace {

using Complex = std::complex<double>;
using ComplexArray = py::array_t<Complex, py::array::c_style | py::array::forcecast>;

bool IsComplex(py::handle obj)
{
    if (PyComplex_Check(obj.ptr()))
        return true;
    py::array a = py::array::ensure(obj);
    if (!a) {
        PyErr_Clear();
        return false;
    }
    return a.dtype().kind() == 'c';
}

// A 1-D array of finite complex values.
ComplexArray ToComplexVector(py::handle obj, const std::string& what)
{
    ComplexArray a = ComplexArray::ensure(obj);
    if (!a)
        throw py::value_error(what + " must be a one-dimensional array of numbers");
    if (a.ndim() != 1)
        throw py::value_error(what + " must be one-dimensional");
    for (py::ssize_t i = 0; i < a.size(); ++i)
        if (!std::isfinite(a.data()[i].real()) || !std::isfinite(a.data()[i].imag()))
            throw py::value_error(what + " must be finite");
    return a;
}

py::array_t<Complex> Roots(py::object coefficients)
{
    const bool complexInput = IsComplex(coefficients);
    ComplexArray c = ToComplexVector(coefficients, "coefficients");
    if (c.size() == 0)
        throw py::value_error("coefficients must not be empty");
    if (c.size() > INT_MAX)
        throw py::value_error("too many coefficients");
    int n = static_cast<int>(c.size()) - 1;
    std::vector<dcomplex> p(static_cast<std::size_t>(n) + 1), pred(p.size()), root(p.size());
    for (int i = 0; i <= n; ++i)
        p[static_cast<std::size_t>(i)] = dcomplex(c.data()[i].real(), c.data()[i].imag());
    double maxerr = 0;
    unsigned char status;
    {
        py::gil_scoped_release release;
        CZELTMuller muller;
        status = muller.null(p.data(), pred.data(), &n, root.data(), &maxerr, complexInput ? 1 : 0);
    }
    if (status == 2)
        throw py::value_error("every coefficient is zero: the polynomial vanishes everywhere");
    if (status == 3)
        throw py::value_error("the polynomial is a non-zero constant and has no roots");
    if (status != 0)
        throw py::value_error("the root finder rejected the coefficients");
    py::array_t<Complex> out(n);
    for (int i = 0; i < n; ++i)
        out.mutable_data()[i] = Complex(root[static_cast<std::size_t>(i)].re, root[static_cast<std::size_t>(i)].im);
    return out;
}

// FastFourier keeps process-wide work arrays: one transform at a time.
std::mutex fftMutex;

py::array_t<Complex> Fft(py::object x)
{
    const bool complexInput = IsComplex(x);
    std::vector<double> re, im;
    if (complexInput) {
        ComplexArray c = ToComplexVector(x, "x");
        for (py::ssize_t i = 0; i < c.size(); ++i) {
            re.push_back(c.data()[i].real());
            im.push_back(c.data()[i].imag());
        }
    } else {
        Array a = ToVector(x, -1, "x");
        re.assign(a.data(), a.data() + a.size());
    }
    if (re.empty())
        throw py::value_error("x must not be empty");
    if (re.size() > static_cast<std::size_t>(INT_MAX))
        throw py::value_error("x is too long");
    const int n = static_cast<int>(re.size());
    std::vector<double> yr(re.size()), yi(re.size());
    int ok;
    {
        py::gil_scoped_release release;
        std::lock_guard<std::mutex> lock(fftMutex);
        ok = FastFourier(n, re.data(), complexInput ? im.data() : nullptr, yr.data(), yi.data());
    }
    if (!ok)
        throw py::value_error("the length " + std::to_string(n) +
                              " has a prime factor above 6173, too large for the transform");
    py::array_t<Complex> out(n);
    for (int i = 0; i < n; ++i)
        out.mutable_data()[i] = Complex(yr[static_cast<std::size_t>(i)], yi[static_cast<std::size_t>(i)]);
    return out;
}

py::object Interpolate(py::object x, py::object xs, py::object ys)
{
    Array tx = ToVector(xs, -1, "xs");
    Array ty = ToVector(ys, tx.shape(0), "ys");
    if (tx.size() == 0)
        throw py::value_error("xs must not be empty");
    if (tx.size() > INT_MAX)
        throw py::value_error("the table is too long");
    const int n = static_cast<int>(tx.size());
    Array at = ToArray(x, "x");
    py::array_t<double> out(std::vector<py::ssize_t>(at.shape(), at.shape() + at.ndim()));
    for (py::ssize_t i = 0; i < at.size(); ++i)
        out.mutable_data()[i] = Interpol(at.data()[i], tx.data(), ty.data(), n, 1);
    if (at.ndim() == 0)
        return py::float_(out.data()[0]);
    return std::move(out);
}

py::array_t<double> Solve(py::object a, py::object b)
{
    Array ma = ToArray(a, "a");
    if (ma.ndim() != 2 || ma.shape(0) != ma.shape(1) || ma.shape(0) == 0)
        throw py::value_error("a must be a square n x n array with n >= 1");
    RequireFinite(ma, "a");
    const py::ssize_t n = ma.shape(0);
    Array mb = ToArray(b, "b");
    if ((mb.ndim() != 1 && mb.ndim() != 2) || mb.shape(0) != n || (mb.ndim() == 2 && mb.shape(1) == 0))
        throw py::value_error("b must have shape (n,) or (n, m) with n = " + std::to_string(n));
    RequireFinite(mb, "b");
    if (n > 46340 || mb.size() > INT_MAX)
        throw py::value_error("the system is too large");
    const py::ssize_t m = mb.ndim() == 1 ? 1 : mb.shape(1);
    std::vector<double> A(ma.data(), ma.data() + ma.size());
    // The library stores right-hand side k contiguously: B[k * n + r].
    std::vector<double> B(static_cast<std::size_t>(n * m));
    for (py::ssize_t r = 0; r < n; ++r)
        for (py::ssize_t k = 0; k < m; ++k)
            B[static_cast<std::size_t>(k * n + r)] = mb.data()[r * m + k];
    bool ok;
    {
        py::gil_scoped_release release;
        ok = Gauss(static_cast<int>(n), A.data(), static_cast<int>(m), B.data());
    }
    if (!ok)
        throw py::value_error("the matrix is singular");
    py::array_t<double> out(std::vector<py::ssize_t>(mb.shape(), mb.shape() + mb.ndim()));
    for (py::ssize_t r = 0; r < n; ++r)
        for (py::ssize_t k = 0; k < m; ++k)
            out.mutable_data()[r * m + k] = B[static_cast<std::size_t>(k * n + r)];
    return out;
}

py::array_t<Complex> CubicRoots(double b, double c, double d)
{
    std::vector<double> r;
    const int kind = Cubic(r, RequireFinite(b, "b"), RequireFinite(c, "c"), RequireFinite(d, "d"));
    py::array_t<Complex> out(3);
    Complex* o = out.mutable_data();
    if (kind == 1) {
        o[0] = r[0];
        o[1] = Complex(r[1], r[2]);
        o[2] = Complex(r[1], -r[2]);
    } else if (kind == 2) {
        o[0] = r[0];
        o[1] = o[2] = r[1];
    } else {
        o[0] = r[0];
        o[1] = r[1];
        o[2] = r[2];
    }
    return out;
}

} // namespace

void BindNumeric(py::module_& m)
{
    m.def("roots", &Roots, py::arg("coefficients"),
          "The roots of the polynomial c[0] + c[1] x + ... + c[n] x^n (constant term first; real or "
          "complex coefficients) by Muller's method, as a complex array in the root finder's order.  "
          "Leading zero coefficients lower the degree.  Raises ValueError for a zero or constant "
          "polynomial.");
    m.def("fft", &Fft, py::arg("x"),
          "The forward discrete Fourier transform Y[k] = sum_j x[j] exp(-2 pi i j k / n) of a real "
          "or complex 1-D array (no scaling), as a complex array.  Raises ValueError when the "
          "length has a prime factor above 6173.");
    m.def("interpol", &Interpolate, py::arg("x"), py::arg("xs"), py::arg("ys"),
          "Piecewise-linear interpolation at x (a number or an array) in the table xs -> ys "
          "(xs ascending); clamped at both ends, never extrapolated.");
    m.def("gauss", &Solve, py::arg("a"), py::arg("b"),
          "Solves a x = b by Gauss-Jordan elimination with partial pivoting; b is (n,) or (n, m) "
          "(m right-hand sides as columns).  Raises ValueError for a singular matrix.");
    m.def("cubic", &CubicRoots, py::arg("b"), py::arg("c"), py::arg("d"),
          "The three roots of x^3 + b x^2 + c x + d = 0 as a complex array: the real root first, "
          "then the other two (a double root is listed twice, a complex pair as conjugates).");
}

} // namespace zpy
