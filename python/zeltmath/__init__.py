"""ZELTMath from Python: planar geometry with Boolean operations, spatial
matrices, formulas with symbolic derivatives, polynomial roots, the Fourier
transform, interpolation, linear programming, minimax fitting, constrained
minimisation and nearest neighbours.

Every result is computed by the ZELTMath library itself; this package only
converts arguments and results (NumPy arrays, Shapely and GeoJSON objects)
and draws pictures.

    >>> import zeltmath
    >>> plate = zeltmath.PolyPolygon([[(0, 0), (10, 0), (10, 10), (0, 10)]])
    >>> hole = zeltmath.PolyPolygon([[(4, 4), (6, 4), (6, 6), (4, 6)]])
    >>> (plate - hole).area
    96.0
"""
from . import _core, _interchange, _pictures
from ._core import (Formula, HollowPolygon, KDTree, Matrix2D, Matrix3D, Polygon, PolyPolygon,
                    chebyshev_fit, cubic, fft, gauss, interpol, minimize, roots, simplex)
from ._errors import FormulaError, LPError

__all__ = ["Polygon", "PolyPolygon", "HollowPolygon", "Matrix2D", "Matrix3D", "Formula",
           "FormulaError", "LPError", "KDTree", "roots", "fft", "interpol", "gauss", "cubic",
           "simplex", "chebyshev_fit", "minimize"]

OPERATIONS = ("difference", "intersection", "xor", "union")


def _method(cls, name):
    def attach(fn):
        fn.__qualname__ = "%s.%s" % (cls.__name__, name)
        setattr(cls, name, fn)
        return fn
    return attach


# ---------------------------------------------------------------- PolyPolygon


@_method(PolyPolygon, "clip")
def _clip(self, op, other):
    """The Boolean operation op ("difference", "intersection", "xor" or
    "union") of this region (the subject) and other, which may be a
    PolyPolygon, Polygon, HollowPolygon, Shapely geometry or any object with
    __geo_interface__.  Each operand is read by the even-odd rule over all
    its rings; the result's rings come back with their roles set."""
    return self._clip(op, _interchange.as_polypolygon(other))


def _operator(op):
    def apply(self, other):
        try:
            other = _interchange.as_polypolygon(other)
        except TypeError:
            return NotImplemented
        return self._clip(op, other)
    apply.__doc__ = "self %s other: clip(%r, other)." % (
        {"difference": "-", "intersection": "&", "xor": "^", "union": "|"}[op], op)
    return apply


PolyPolygon.__sub__ = _operator("difference")
PolyPolygon.__and__ = _operator("intersection")
PolyPolygon.__xor__ = _operator("xor")
PolyPolygon.__or__ = _operator("union")


def _from_wkt(text):
    """A PolyPolygon from POLYGON or MULTIPOLYGON well-known text; the first
    ring of each polygon is outer, the others holes.  Raises ValueError for
    malformed text."""
    return _interchange.from_wkt(text)


_from_wkt.__qualname__ = "PolyPolygon.from_wkt"
PolyPolygon.from_wkt = staticmethod(_from_wkt)


def _from_geo(obj):
    """A PolyPolygon from a Shapely geometry, any object with
    __geo_interface__ or a GeoJSON mapping (Polygon or MultiPolygon)."""
    return _interchange.as_polypolygon(obj)


_from_geo.__qualname__ = "PolyPolygon.from_geo"
PolyPolygon.from_geo = staticmethod(_from_geo)
PolyPolygon.wkt = property(_interchange.wkt, doc="The region as MULTIPOLYGON well-known text.")
PolyPolygon.__geo_interface__ = property(
    _interchange.geo_interface,
    doc="The region as a GeoJSON MultiPolygon (each hole with the smallest outer ring that holds it).")


@_method(PolyPolygon, "_repr_svg_")
def _pp_svg(self):
    """An SVG picture: outer rings filled, holes cut out, y upward."""
    return _pictures.svg([r for r, _ in self.rings])


@_method(PolyPolygon, "__repr__")
def _pp_repr(self):
    return "<PolyPolygon: %d rings, area %.12g>" % (len(self), self.area)


# ---------------------------------------------------------------- Polygon and HollowPolygon


@_method(Polygon, "_repr_svg_")
def _pg_svg(self):
    """An SVG picture of the ring, filled, y upward."""
    return _pictures.svg([self.points])


@_method(Polygon, "__repr__")
def _pg_repr(self):
    return "Polygon(%s)" % [tuple(p) for p in self.points.tolist()]


Polygon.__geo_interface__ = property(
    lambda self: {"type": "Polygon", "coordinates": [_interchange._closed(self.points)]},
    doc="The ring as a GeoJSON Polygon (closed).")


@_method(HollowPolygon, "_repr_svg_")
def _hp_svg(self):
    """An SVG picture: the outer ring filled, holes cut out, y upward."""
    return _pictures.svg([self.outer.points] + [h.points for h in self.holes])


@_method(HollowPolygon, "__repr__")
def _hp_repr(self):
    return "<HollowPolygon: %d holes, area %.12g>" % (len(self) - 1, self.area)


HollowPolygon.__geo_interface__ = property(
    lambda self: {"type": "Polygon",
                  "coordinates": [_interchange._closed(self.outer.points)]
                  + [_interchange._closed(h.points) for h in self.holes]},
    doc="The region as a GeoJSON Polygon (the outer ring, then the holes; closed).")

del _clip, _from_wkt, _from_geo, _pp_svg, _pp_repr, _pg_svg, _pg_repr, _hp_svg, _hp_repr
