// Polygon, PolyPolygon and HollowPolygon.
#include "arrays.h"
#include "bindings.h"

#include <pybind11/stl.h>

#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/polygon.h>

#include <map>
#include <string>

namespace zpy {

namespace {

using S2D::HollowPolygon;
using S2D::Point;
using S2D::PolyPolygon;
using S2D::Polygon;

// A ring given as a Polygon or as points.
Polygon ToPolygon(py::handle obj, const std::string& what)
{
    if (py::isinstance<Polygon>(obj))
        return obj.cast<const Polygon&>();
    return Polygon(ToPlanarPoints(obj, what));
}

std::vector<Polygon> ToPolygons(py::handle rings, const std::string& what)
{
    if (rings.is_none())
        return {};
    if (!py::isinstance<py::iterable>(rings))
        throw py::type_error(what + " must be a sequence of rings");
    std::vector<Polygon> out;
    std::size_t i = 0;
    for (py::handle ring : rings)
        out.push_back(ToPolygon(ring, what + "[" + std::to_string(i++) + "]"));
    return out;
}

double Tolerance(double tol)
{
    return RequireFinite(tol, "tol");
}

S2D::PPOLY_OPERATION Operation(const std::string& name)
{
    static const std::map<std::string, S2D::PPOLY_OPERATION> operations = {
        {"difference", S2D::PPOLY_DIFFERENCE},
        {"intersection", S2D::PPOLY_INTERSECTION},
        {"xor", S2D::PPOLY_XOR},
        {"union", S2D::PPOLY_UNION}};
    auto it = operations.find(name);
    if (it == operations.end())
        throw py::value_error("unknown operation '" + name +
                              "' (expected 'difference', 'intersection', 'xor' or 'union')");
    return it->second;
}

double NetArea(const PolyPolygon& pp)
{
    double area = 0;
    for (unsigned i = 0; i < pp.Size(); ++i) {
        unsigned char hole = 0;
        const Polygon& ring = pp.GetPolygon(i, &hole);
        area += hole ? -ring.Area() : ring.Area();
    }
    return area;
}

void BindPolygon(py::module_& m)
{
    py::class_<Polygon>(m, "Polygon",
        "A closed ring of vertices; the last vertex is not repeated and no orientation is imposed.")
        .def(py::init([](py::object points) { return Polygon(ToPlanarPoints(points, "points")); }),
             py::arg("points"),
             "Polygon(points): a ring from a sequence of (x, y) pairs or an (n, 2) array.")
        .def_property_readonly("points",
             [](const Polygon& p) { return FromPlanarPoints(p.Points()); },
             "The vertices as an (n, 2) float64 array (a copy).")
        .def_property_readonly("area", &Polygon::Area, "The enclosed area, never negative.")
        .def_property_readonly("is_clockwise", [](const Polygon& p) { return p.IsClockwise() != 0; },
             "Whether the ring runs clockwise (x to the right, y upward); a ring of zero area is not.")
        .def_property_readonly("mass_center",
             [](const Polygon& p) {
                 Point c = Polygon(p).MassCenter();
                 return py::make_tuple(c.x, c.y);
             },
             "The centroid (x, y) of the enclosed area; NaN or infinite for a ring of zero area.")
        .def("contains",
             [](const Polygon& pg, py::object p, bool onBorder, double tol) {
                 Tolerance(tol);
                 return MapPlanarPoints(p, [&](const Point& q) {
                     return pg.CheckIn(q, onBorder ? 1 : 0, tol, 1) != 0;
                 });
             },
             py::arg("p"), py::arg("on_border") = true, py::arg("tol") = 1e-9,
             "Whether p (a pair, or each row of an (m, 2) array) lies inside; a point within tol of "
             "the border counts as on_border.")
        .def("__len__", &Polygon::Size, "The number of vertices.");
}

void BindPolyPolygon(py::module_& m)
{
    py::class_<PolyPolygon>(m, "PolyPolygon",
        "A planar region made of rings, each an outer ring (material) or a hole; roles come from "
        "how a ring was added, never from its orientation.")
        .def(py::init([](py::object outers, py::object holes) {
                 PolyPolygon pp;
                 for (const Polygon& p : ToPolygons(outers, "outers"))
                     pp.AddPolygon(p, 0);
                 for (const Polygon& p : ToPolygons(holes, "holes"))
                     pp.AddPolygon(p, 1);
                 return pp;
             }),
             py::arg("outers") = py::tuple(), py::arg("holes") = py::tuple(),
             "PolyPolygon(outers=(), holes=()): rings given as Polygons or (n, 2) point arrays.")
        .def("_clip",
             [](const PolyPolygon& a, const std::string& op, const PolyPolygon& b) {
                 S2D::PPOLY_OPERATION operation = Operation(op);
                 py::gil_scoped_release release;
                 return a.Clip(operation, b);
             })
        .def("normalized",
             [](const PolyPolygon& a) {
                 PolyPolygon out(a);
                 py::gil_scoped_release release;
                 out.Normalize();
                 return out;
             },
             "A copy whose rings no longer overlap: the union of the outer rings minus the holes.")
        .def_property_readonly("rings",
             [](const PolyPolygon& pp) {
                 py::list rings;
                 for (unsigned i = 0; i < pp.Size(); ++i) {
                     unsigned char hole = 0;
                     const Polygon& ring = pp.GetPolygon(i, &hole);
                     rings.append(py::make_tuple(FromPlanarPoints(ring.Points()), hole != 0));
                 }
                 return rings;
             },
             "The rings in ring order, each as a pair (an (n, 2) array, is_hole).")
        .def_property_readonly("area", &NetArea, "The area of the outer rings minus that of the holes.")
        .def("contains",
             [](const PolyPolygon& pp, py::object p, bool onBorder, double tol) {
                 Tolerance(tol);
                 return MapPlanarPoints(p, [&](const Point& q) {
                     return pp.CheckIn(q, onBorder ? 1 : 0, tol, 1, nullptr) != 0;
                 });
             },
             py::arg("p"), py::arg("on_border") = true, py::arg("tol") = 1e-9,
             "Whether p (a pair, or each row of an (m, 2) array) lies in the region: the innermost "
             "ring that contains it decides.")
        .def("__len__", &PolyPolygon::Size, "The number of rings.");
}

void BindHollowPolygon(py::module_& m)
{
    py::class_<HollowPolygon>(m, "HollowPolygon", "One planar region: an outer ring with holes.")
        .def(py::init([](py::object outer, py::object holes) {
                 HollowPolygon hp(ToPolygon(outer, "outer"));
                 for (const Polygon& p : ToPolygons(holes, "holes"))
                     hp.AddInner(p);
                 return hp;
             }),
             py::arg("outer"), py::arg("holes") = py::tuple(),
             "HollowPolygon(outer, holes=()): rings given as Polygons or (n, 2) point arrays.")
        .def_property_readonly("outer", [](const HollowPolygon& h) { return h.Outer(); },
             "The outer ring (a copy).")
        .def_property_readonly("holes", [](const HollowPolygon& h) { return h.Inners(); },
             "The holes in order (copies).")
        .def_property_readonly("area",
             [](const HollowPolygon& h) {
                 double area = h.Outer().Area();
                 for (const Polygon& p : h.Inners())
                     area -= p.Area();
                 return area;
             },
             "The area of the outer ring minus that of the holes.")
        .def("contains",
             [](const HollowPolygon& h, py::object p, bool onBorder, double tol) {
                 Tolerance(tol);
                 return MapPlanarPoints(p, [&](const Point& q) {
                     return h.CheckIn(q, onBorder ? 1 : 0, tol, 1) != 0;
                 });
             },
             py::arg("p"), py::arg("on_border") = true, py::arg("tol") = 1e-9,
             "Whether p (a pair, or each row of an (m, 2) array) lies inside the outer ring and in "
             "no hole; a point on any border counts as on_border.")
        .def("correct",
             [](const HollowPolygon& h, bool checkHoles, double tol) {
                 int code = 0;
                 h.Correct(checkHoles ? 1 : 0, Tolerance(tol), &code);
                 return code;
             },
             py::arg("check_holes") = true, py::arg("tol") = 1e-9,
             "The validation status: 0 when valid, else 0xF10000 (bad outer ring), 0xF20000 | i "
             "(bad hole i), 0xF30000 | i (hole i not inside) or 0xF40000 | i << 8 | j (holes i "
             "and j meet; only with check_holes).")
        .def("normalized",
             [](const HollowPolygon& h) {
                 HollowPolygon out(h);
                 py::gil_scoped_release release;
                 out.Normalize();
                 return out;
             },
             "A copy rebuilt as the outer ring minus the holes; empty when that is not one region.")
        .def("__len__", [](const HollowPolygon& h) { return h.InnersCount() + 1; },
             "The number of rings (the outer ring and the holes).");
}

} // namespace

void BindGeometry(py::module_& m)
{
    BindPolygon(m);
    BindPolyPolygon(m);
    BindHollowPolygon(m);
}

} // namespace zpy
