// Conversions between Python objects (NumPy arrays and nested sequences) and
// the library's value types, with the checks that turn bad input into Python
// exceptions with a clear message.
#ifndef ZELTMATH_PYTHON_ARRAYS_H
#define ZELTMATH_PYTHON_ARRAYS_H

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <zeltmath/s2d/point.h>

#include <functional>
#include <string>
#include <vector>

namespace zpy {

namespace py = pybind11;

// A C-ordered float64 array.
using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

// obj as a float64 array; ValueError naming `what` when it is not numeric.
Array ToArray(py::handle obj, const std::string& what);

// An (n, dim) array of finite coordinates; an empty sequence gives (0, dim).
Array ToPoints(py::handle obj, py::ssize_t dim, const std::string& what);

// A 1-D array of `size` finite values (any size when size < 0).
Array ToVector(py::handle obj, py::ssize_t size, const std::string& what);

// Raises ValueError when any value of a is NaN or infinite.
void RequireFinite(const Array& a, const std::string& what);
double RequireFinite(double v, const std::string& what);

// A Python number (anything with __float__) as a double; TypeError naming
// `what` otherwise.
double ToNumber(py::handle obj, const std::string& what);

std::vector<S2D::Point> ToPlanarPoints(py::handle obj, const std::string& what);
py::array_t<double> FromPlanarPoints(const std::vector<S2D::Point>& points);

// Applies test to one point (a pair gives a bool) or to every row of an
// (m, 2) array (gives a bool array).
py::object MapPlanarPoints(py::handle obj, const std::function<bool(const S2D::Point&)>& test);

// Raises an exception of the package's pure-Python module zeltmath._errors.
[[noreturn]] void RaisePackageError(const char* name, py::object code, const std::string& message);

} // namespace zpy

#endif
