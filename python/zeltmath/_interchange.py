"""Well-known text and GeoJSON (``__geo_interface__``) for the shapes.

Reading: POLYGON and MULTIPOLYGON text, and any object with a
``__geo_interface__`` (or a GeoJSON mapping) of type Polygon or MultiPolygon:
the first ring of each polygon is outer, the others are holes.  Writing: a
MultiPolygon in which every hole goes with the smallest outer ring that holds
all its vertices (a hole no outer ring holds becomes a polygon of its own).
"""
import re

from . import _core

_NUMBER = r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?"
_TOKEN = re.compile(r"\s*(?:(?P<word>[A-Za-z]+)|(?P<num>%s)|(?P<sym>[(),]))" % _NUMBER)


def _tokens(text):
    pos, out = 0, []
    text = text.rstrip()
    while pos < len(text):
        m = _TOKEN.match(text, pos)
        if not m:
            raise ValueError("malformed WKT at offset %d: unexpected %r" % (pos, text[pos:pos + 10]))
        kind = m.lastgroup
        value = m.group(kind)
        out.append((kind, value.upper() if kind == "word" else value, m.start(kind)))
        pos = m.end()
    return out


class _WktReader:
    def __init__(self, text):
        self.tokens = _tokens(text)
        self.i = 0

    def fail(self, what):
        offset = self.tokens[self.i][2] if self.i < len(self.tokens) else "end"
        raise ValueError("malformed WKT at offset %s: %s" % (offset, what))

    def peek(self):
        return self.tokens[self.i] if self.i < len(self.tokens) else (None, None, None)

    def expect(self, sym):
        kind, value, _ = self.peek()
        if kind != "sym" or value != sym:
            self.fail("expected %r" % sym)
        self.i += 1

    def empty(self):
        kind, value, _ = self.peek()
        if kind == "word" and value == "EMPTY":
            self.i += 1
            return True
        return False

    def number(self):
        kind, value, _ = self.peek()
        if kind != "num":
            self.fail("expected a number")
        self.i += 1
        return float(value)

    def ring(self):
        self.expect("(")
        points = []
        while True:
            points.append((self.number(), self.number()))
            kind, value, _ = self.peek()
            if kind == "num":
                self.fail("expected two coordinates per vertex")
            if value == ",":
                self.i += 1
                continue
            self.expect(")")
            return points

    def items(self, item):
        """A parenthesised, comma-separated list of one or more `item`s."""
        self.expect("(")
        found = [item()]
        while self.peek()[1] == ",":
            self.i += 1
            found.append(item())
        self.expect(")")
        return found

    def polygon(self):
        if self.empty():
            return []
        return self.items(self.ring)

    def read(self):
        kind, value, _ = self.peek()
        if kind != "word" or value not in ("POLYGON", "MULTIPOLYGON"):
            self.fail("expected POLYGON or MULTIPOLYGON")
        self.i += 1
        if value == "POLYGON":
            polygons = [self.polygon()]
        elif self.empty():
            polygons = []
        else:
            polygons = self.items(self.polygon)
        if self.i != len(self.tokens):
            self.fail("unexpected text after the geometry")
        return polygons


def _open_ring(ring):
    """The vertices of a ring without its repeated closing vertex."""
    ring = [tuple(float(c) for c in p[:2]) for p in ring]
    if len(ring) > 1 and ring[0] == ring[-1]:
        ring = ring[:-1]
    return ring


def _from_polygons(polygons):
    outers, holes = [], []
    for rings in polygons:
        for i, ring in enumerate(rings):
            (holes if i else outers).append(_open_ring(ring))
    return _core.PolyPolygon(outers, holes)


def from_wkt(text):
    """A PolyPolygon from POLYGON or MULTIPOLYGON well-known text."""
    if not isinstance(text, str):
        raise TypeError("the WKT must be a str")
    return _from_polygons(_WktReader(text).read())


def from_geo(obj):
    """A PolyPolygon from a GeoJSON Polygon or MultiPolygon mapping or an
    object with ``__geo_interface__`` (a Shapely geometry, for one)."""
    geo = getattr(obj, "__geo_interface__", obj)
    if not isinstance(geo, dict):
        raise TypeError("expected a PolyPolygon or an object with __geo_interface__, not %s"
                        % type(obj).__name__)
    if geo.get("type") == "Feature":
        return from_geo(geo.get("geometry"))
    kind, coords = geo.get("type"), geo.get("coordinates")
    if kind == "Polygon":
        return _from_polygons([coords] if coords else [])
    if kind == "MultiPolygon":
        return _from_polygons(coords or [])
    raise TypeError("a %s cannot be read as a region (expected Polygon or MultiPolygon)" % kind)


def as_polypolygon(obj):
    """obj as a PolyPolygon: a PolyPolygon itself, a Polygon or HollowPolygon
    (converted), or any GeoJSON-like object."""
    if isinstance(obj, _core.PolyPolygon):
        return obj
    if isinstance(obj, _core.Polygon):
        return _core.PolyPolygon([obj])
    if isinstance(obj, _core.HollowPolygon):
        return _core.PolyPolygon([obj.outer], obj.holes)
    return from_geo(obj)


def grouped(pp):
    """The rings of a PolyPolygon as polygons: lists of (n, 2) arrays, the
    outer ring first and then its holes."""
    rings = pp.rings
    outers = [(i, _core.Polygon(r)) for i, (r, hole) in enumerate(rings) if not hole]
    groups = {i: [rings[i][0]] for i, _ in outers}
    loose = []
    for points, hole in rings:
        if not hole:
            continue
        holders = [(ring.area, i) for i, ring in outers if ring.contains(points, True, 1e-9).all()]
        if holders:
            groups[min(holders)[1]].append(points)
        else:
            loose.append([points])
    return [groups[i] for i, _ in outers] + loose


def _closed(points):
    pts = [(float(x), float(y)) for x, y in points]
    return pts + pts[:1]


def geo_interface(pp):
    """GeoJSON MultiPolygon of a PolyPolygon (rings closed)."""
    return {"type": "MultiPolygon",
            "coordinates": [[_closed(r) for r in group] for group in grouped(pp)]}


def _number(v):
    text = repr(float(v))
    return text[:-2] if text.endswith(".0") else text


def wkt(pp):
    """MULTIPOLYGON text of a PolyPolygon (MULTIPOLYGON EMPTY when it has no rings)."""
    groups = grouped(pp)
    if not groups:
        return "MULTIPOLYGON EMPTY"
    return "MULTIPOLYGON (%s)" % ", ".join(
        "(%s)" % ", ".join("(%s)" % ", ".join("%s %s" % (_number(x), _number(y)) for x, y in _closed(r))
                          for r in group)
        for group in groups)
