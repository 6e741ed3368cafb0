#include "arrays.h"

#include <cmath>

namespace zpy {

Array ToArray(py::handle obj, const std::string& what)
{
    if (obj.is_none())
        throw py::type_error(what + " must be an array of numbers, not None");
    if (PyComplex_Check(obj.ptr()) ||
        (py::isinstance<py::array>(obj) && py::reinterpret_borrow<py::array>(obj).dtype().kind() == 'c'))
        throw py::type_error(what + " must be real, not complex");
    Array a = Array::ensure(obj);
    if (!a)
        throw py::value_error(what + " must be an array of numbers (a sequence of equal-length sequences)");
    return a;
}

void RequireFinite(const Array& a, const std::string& what)
{
    const double* p = a.data();
    for (py::ssize_t i = 0; i < a.size(); ++i)
        if (!std::isfinite(p[i]))
            throw py::value_error(what + " must be finite (found " + std::to_string(p[i]) + ")");
}

double RequireFinite(double v, const std::string& what)
{
    if (!std::isfinite(v))
        throw py::value_error(what + " must be finite");
    return v;
}

double ToNumber(py::handle obj, const std::string& what)
{
    if (!PyFloat_Check(obj.ptr()) && !PyLong_Check(obj.ptr()) && !PyObject_HasAttrString(obj.ptr(), "__float__"))
        throw py::type_error(what + " must be a number, not " +
                             std::string(Py_TYPE(obj.ptr())->tp_name));
    double v = PyFloat_AsDouble(obj.ptr());
    if (v == -1.0 && PyErr_Occurred())
        throw py::error_already_set();
    return v;
}

Array ToPoints(py::handle obj, py::ssize_t dim, const std::string& what)
{
    Array a = ToArray(obj, what);
    if (a.size() == 0 && a.ndim() <= 2)
        return Array(std::vector<py::ssize_t>{0, dim});
    if (a.ndim() != 2 || a.shape(1) != dim)
        throw py::value_error(what + " must be an (n, " + std::to_string(dim) + ") array of coordinates");
    RequireFinite(a, what);
    return a;
}

Array ToVector(py::handle obj, py::ssize_t size, const std::string& what)
{
    Array a = ToArray(obj, what);
    if (a.ndim() != 1)
        throw py::value_error(what + " must be one-dimensional");
    if (size >= 0 && a.shape(0) != size)
        throw py::value_error(what + " must hold " + std::to_string(size) + " values, not " +
                              std::to_string(a.shape(0)));
    RequireFinite(a, what);
    return a;
}

std::vector<S2D::Point> ToPlanarPoints(py::handle obj, const std::string& what)
{
    Array a = ToPoints(obj, 2, what);
    std::vector<S2D::Point> points;
    points.reserve(static_cast<std::size_t>(a.shape(0)));
    auto r = a.unchecked<2>();
    for (py::ssize_t i = 0; i < a.shape(0); ++i)
        points.emplace_back(r(i, 0), r(i, 1));
    return points;
}

py::array_t<double> FromPlanarPoints(const std::vector<S2D::Point>& points)
{
    py::array_t<double> a(std::vector<py::ssize_t>{static_cast<py::ssize_t>(points.size()), 2});
    auto w = a.mutable_unchecked<2>();
    for (std::size_t i = 0; i < points.size(); ++i) {
        w(static_cast<py::ssize_t>(i), 0) = points[i].x;
        w(static_cast<py::ssize_t>(i), 1) = points[i].y;
    }
    return a;
}

py::object MapPlanarPoints(py::handle obj, const std::function<bool(const S2D::Point&)>& test)
{
    Array a = ToArray(obj, "p");
    if (a.ndim() == 1 && a.shape(0) == 2) {
        RequireFinite(a, "p");
        return py::bool_(test(S2D::Point(a.at(0), a.at(1))));
    }
    Array pts = ToPoints(obj, 2, "p (a point or an (m, 2) array of points)");
    py::array_t<bool> out(pts.shape(0));
    auto r = pts.unchecked<2>();
    auto w = out.mutable_unchecked<1>();
    for (py::ssize_t i = 0; i < pts.shape(0); ++i)
        w(i) = test(S2D::Point(r(i, 0), r(i, 1)));
    return std::move(out);
}

void RaisePackageError(const char* name, py::object code, const std::string& message)
{
    py::object type = py::module_::import("zeltmath._errors").attr(name);
    py::object error = type(code, message);
    PyErr_SetObject(type.ptr(), error.ptr());
    throw py::error_already_set();
}

} // namespace zpy
