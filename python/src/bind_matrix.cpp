// Planar (3 x 3) and spatial (4 x 4) affine matrices.
#include "arrays.h"
#include "bindings.h"

#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/transform.h>
#include <zeltmath/s3d/matrix.h>

#include <sstream>

namespace zpy {

namespace {

// The library stores m[row][column] and reads GetV(column, row); the Python
// side sees rows and columns in NumPy's order.
template <class M, int N>
py::array_t<double> Values(const M& mat)
{
    py::array_t<double> a(std::vector<py::ssize_t>{N, N});
    auto w = a.template mutable_unchecked<2>();
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            w(r, c) = mat.GetV(c, r);
    return a;
}

template <class M, int N>
M FromValues(py::handle obj)
{
    Array a = ToArray(obj, "values");
    if (a.ndim() != 2 || a.shape(0) != N || a.shape(1) != N)
        throw py::value_error("values must be a " + std::to_string(N) + " x " + std::to_string(N) + " array");
    RequireFinite(a, "values");
    double v[N][N];
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            v[r][c] = a.at(r, c);
    return M(v);
}

template <class M, int N>
std::string Repr(const char* name, const M& mat)
{
    std::ostringstream out;
    out.precision(17);
    out << name << "([";
    for (int r = 0; r < N; ++r) {
        out << (r ? ", [" : "[");
        for (int c = 0; c < N; ++c)
            out << (c ? ", " : "") << mat.GetV(c, r);
        out << "]";
    }
    out << "])";
    return out.str();
}

// Points given as one coordinate tuple or as an (n, dim) array, mapped by
// map(coordinates in, coordinates out); the result has the input's shape.
template <class F>
py::array_t<double> MapCoordinates(py::handle obj, py::ssize_t dim, F map)
{
    Array a = ToArray(obj, "points");
    bool single = a.ndim() == 1 && a.shape(0) == dim;
    if (!single)
        a = ToPoints(obj, dim, "points (a point or an (n, " + std::to_string(dim) + ") array)");
    RequireFinite(a, "points");
    py::array_t<double> out(std::vector<py::ssize_t>(a.shape(), a.shape() + a.ndim()));
    const double* in = a.data();
    double* o = out.mutable_data();
    for (py::ssize_t i = 0; i < a.size(); i += dim)
        map(in + i, o + i);
    return out;
}

py::object TransformPlanar(const S2D::Matrix& m, py::handle obj)
{
    // Shapes go through the library's shape transforms.
    if (py::isinstance<S2D::Polygon>(obj)) {
        S2D::Polygon out;
        S2D::Transform::Transform(m, obj.cast<const S2D::Polygon&>(), out);
        return py::cast(out);
    }
    if (py::isinstance<S2D::PolyPolygon>(obj)) {
        S2D::PolyPolygon out;
        S2D::Transform::Transform(m, obj.cast<const S2D::PolyPolygon&>(), out);
        return py::cast(out);
    }
    if (py::isinstance<S2D::HollowPolygon>(obj)) {
        S2D::HollowPolygon out;
        S2D::Transform::Transform(m, obj.cast<const S2D::HollowPolygon&>(), out);
        return py::cast(out);
    }
    return MapCoordinates(obj, 2, [&](const double* in, double* out) {
        S2D::Point p = m.Transform(S2D::Point(in[0], in[1]));
        out[0] = p.x;
        out[1] = p.y;
    });
}

// What the planar and the spatial matrix offer alike: inversion, products,
// scaling by a number, the elements and the representation.
template <class Matrix, int N>
void BindCommon(py::class_<Matrix>& c, const char* name)
{
    static const std::string values = "The " + std::to_string(N) + " x " + std::to_string(N) + " elements (a copy).";
    c.def("inverted", [](const Matrix& a) { return Matrix::Invert(a); },
          "The inverse; the identity when the matrix is singular.")
        .def("__matmul__", [](const Matrix& a, const Matrix& b) { return a * b; },
             "a @ b: a applied first, then b.")
        .def("__mul__", [](const Matrix& a, const Matrix& b) { return a * b; }, "a * b: as a @ b.")
        .def("__mul__", [](const Matrix& a, double s) { return a * s; }, "Every element times s.")
        .def("__rmul__", [](const Matrix& a, double s) { return s * a; }, "Every element times s.")
        .def_property_readonly("values", &Values<Matrix, N>, values.c_str())
        .def("__repr__", [name](const Matrix& a) { return Repr<Matrix, N>(name, a); });
}

void BindPlanar(py::module_& m)
{
    using S2D::Matrix;
    py::class_<Matrix> c(m, "Matrix2D",
        "An affine map of the plane: a 3 x 3 matrix applied to row vectors (x, y, 1); row 2 "
        "holds the translation.  a @ b applies a first, then b.");
    c.def(py::init<>(), "Matrix2D(): the identity.")
        .def(py::init([](py::object values) { return FromValues<Matrix, 3>(values); }), py::arg("values"),
             "Matrix2D(values): from a 3 x 3 array (third column normally (0, 0, 1)).")
        .def_static("scale", [](double sx, double sy) {
                 return Matrix::Scale(RequireFinite(sx, "sx"), RequireFinite(sy, "sy"));
             }, py::arg("sx"), py::arg("sy"), "Scaling about the origin.")
        .def_static("move", [](double dx, double dy) {
                 return Matrix::Move(RequireFinite(dx, "dx"), RequireFinite(dy, "dy"));
             }, py::arg("dx"), py::arg("dy"), "Translation by (dx, dy).")
        .def_static("rotate", [](double a) { return Matrix::Rotate(RequireFinite(a, "angle")); },
             py::arg("angle"), "Counter-clockwise rotation about the origin by angle radians.")
        .def("transform", &TransformPlanar, py::arg("obj"),
             "Maps a point (x, y), an (n, 2) array of points, or a Polygon, PolyPolygon or "
             "HollowPolygon; returns the same kind of object.");
    BindCommon<Matrix, 3>(c, "Matrix2D");
}

void BindSpatial(py::module_& m)
{
    using S3D::Matrix;
    py::class_<Matrix> c(m, "Matrix3D",
        "An affine map of space: a 4 x 4 matrix applied to row vectors (x, y, z, 1); row 3 "
        "holds the translation.  a @ b applies a first, then b.");
    c.def(py::init<>(), "Matrix3D(): the identity.")
        .def(py::init([](py::object values) { return FromValues<Matrix, 4>(values); }), py::arg("values"),
             "Matrix3D(values): from a 4 x 4 array (fourth column normally (0, 0, 0, 1)).")
        .def_static("scale", [](double sx, double sy, double sz) {
                 return Matrix::Scale(RequireFinite(sx, "sx"), RequireFinite(sy, "sy"), RequireFinite(sz, "sz"));
             }, py::arg("sx"), py::arg("sy"), py::arg("sz"), "Scaling about the origin.")
        .def_static("move", [](double dx, double dy, double dz) {
                 return Matrix::Move(RequireFinite(dx, "dx"), RequireFinite(dy, "dy"), RequireFinite(dz, "dz"));
             }, py::arg("dx"), py::arg("dy"), py::arg("dz"), "Translation by (dx, dy, dz).")
        .def_static("rotation_axis",
             [](py::object axis, double a) {
                 Array v = ToVector(axis, 3, "axis");
                 return Matrix::RotationAxis(S3D::Vector(v.at(0), v.at(1), v.at(2)), RequireFinite(a, "angle"));
             },
             py::arg("axis"), py::arg("angle"),
             "Rotation by angle radians about the axis through the origin (right-hand rule).")
        .def("transform",
             [](const Matrix& mat, py::object obj) {
                 return MapCoordinates(obj, 3, [&](const double* in, double* out) {
                     S3D::Point p = mat.Transform(S3D::Point(in[0], in[1], in[2]));
                     out[0] = p.x;
                     out[1] = p.y;
                     out[2] = p.z;
                 });
             },
             py::arg("points"), "Maps a point (x, y, z) or an (n, 3) array of points.");
    BindCommon<Matrix, 4>(c, "Matrix3D");
}

} // namespace

void BindMatrix(py::module_& m)
{
    BindPlanar(m);
    BindSpatial(m);
}

} // namespace zpy
