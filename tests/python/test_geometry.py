"""Shapes: containment, Boolean operations against Shapely, interchange."""
import math

import numpy as np
import pytest
import shapely.geometry as sg

import zeltmath
from conftest import circle, plate_with_openings, rect


def test_polygon_properties_by_hand():
    square = zeltmath.Polygon(rect(0, 0, 1, 1))
    assert square.area == 1.0 and not square.is_clockwise
    assert square.mass_center == pytest.approx((0.5, 0.5))
    assert square.points.shape == (4, 2) and square.points.dtype == np.float64
    clockwise = zeltmath.Polygon(np.array(rect(0, 0, 1, 1))[::-1])
    assert clockwise.is_clockwise and clockwise.area == 1.0
    assert square.contains((0.5, 0)) and not square.contains((0.5, 0), on_border=False)
    assert list(square.contains([(0.5, 0.5), (2, 2), (1, 1)])) == [True, False, True]
    assert len(square) == 4


def test_clip_operations_by_hand():
    a = zeltmath.PolyPolygon([rect(0, 0, 2, 2)])
    b = zeltmath.PolyPolygon([rect(1, 1, 3, 3)])
    assert (a & b).area == pytest.approx(1)
    assert (a | b).area == pytest.approx(7)
    assert (a - b).area == pytest.approx(3)
    assert (a ^ b).area == pytest.approx(6)
    for op, expected in zip(zeltmath.OPERATIONS, (3, 1, 6, 7)):
        assert a.clip(op, b).area == pytest.approx(expected)
    framed = zeltmath.PolyPolygon([rect(0, 0, 10, 10)]) - zeltmath.PolyPolygon([rect(4, 4, 6, 6)])
    roles = sorted(hole for _, hole in framed.rings)
    assert roles == [False, True] and framed.area == pytest.approx(96)
    assert not framed.contains((5, 5)) and framed.contains((1, 1))


def test_clip_matches_shapely_areas_and_containment(rng):
    for trial in range(40):
        ca, cb = rng.uniform(-5, 5, 2), rng.uniform(-5, 5, 2)
        ra, rb = rng.uniform(2, 6, 2)
        pa = circle(ca[0], ca[1], ra, int(rng.integers(3, 30)), rng.uniform(0, 1))
        pb = circle(cb[0], cb[1], rb, int(rng.integers(3, 30)), rng.uniform(0, 1))
        a, b = zeltmath.PolyPolygon([pa]), zeltmath.PolyPolygon([pb])
        sa, sb = sg.Polygon(pa), sg.Polygon(pb)
        peers = {"difference": sa.difference(sb), "intersection": sa.intersection(sb),
                 "xor": sa.symmetric_difference(sb), "union": sa.union(sb)}
        points = rng.uniform(-12, 12, (300, 2))
        for op, peer in peers.items():
            result = a.clip(op, b)
            assert result.area == pytest.approx(peer.area, abs=1e-9), (trial, op)
            assert sg.shape(result).area == pytest.approx(peer.area, abs=1e-9)
            clear = [p for p in points if peer.boundary.distance(sg.Point(p)) > 1e-6]
            inside = result.contains(np.array(clear))
            assert list(inside) == [peer.contains(sg.Point(p)) for p in clear], (trial, op)


def test_shapely_and_geo_interface_interchange():
    result = plate_with_openings()
    shape = sg.shape(result)
    assert shape.geom_type == "MultiPolygon" and shape.is_valid
    assert shape.area == pytest.approx(result.area)
    assert len(list(shape.geoms)[0].interiors) == 3
    # Shapely objects and GeoJSON mappings stand in for poly-polygons.
    plate = zeltmath.PolyPolygon([rect(0, 0, 10, 10)])
    assert (plate - sg.box(8, -1, 12, 3)).area == pytest.approx(94)
    assert plate.clip("intersection", {"type": "Polygon", "coordinates": [rect(5, 5, 20, 20)]}).area \
        == pytest.approx(25)
    with_hole = sg.Polygon(rect(0, 0, 4, 4), [rect(1, 1, 2, 2)])
    assert zeltmath.PolyPolygon.from_geo(with_hole).area == pytest.approx(15)
    with pytest.raises(TypeError):
        plate - sg.Point(1, 1)
    with pytest.raises(TypeError):
        plate.clip("union", 42)


def test_wkt_round_trip_and_errors():
    pp = zeltmath.PolyPolygon.from_wkt(
        "MULTIPOLYGON (((0 0, 10 0, 10 10, 0 10, 0 0), (4 4, 6 4, 6 6, 4 6, 4 4)), ((20 0, 21 0, 21 1)))")
    assert pp.area == pytest.approx(96.5)
    again = zeltmath.PolyPolygon.from_wkt(pp.wkt)
    assert [hole for _, hole in again.rings] == [hole for _, hole in pp.rings]
    assert again.area == pytest.approx(pp.area)
    assert sg.shape(pp).equals(sg.shape(again))
    assert zeltmath.PolyPolygon.from_wkt("polygon ((0 0, 1e1 0, 1 1))").area == pytest.approx(5)
    assert zeltmath.PolyPolygon.from_wkt("MULTIPOLYGON EMPTY").wkt == "MULTIPOLYGON EMPTY"
    for bad in ("POINT (1 1)", "POLYGON ((0 0, 1 0, 1)", "POLYGON ((0 0 1, 1 0 1))", "POLYGON ((0 0, 1 0)) x"):
        with pytest.raises(ValueError, match="WKT"):
            zeltmath.PolyPolygon.from_wkt(bad)


def test_normalized_and_hollow_polygon():
    overlapping = zeltmath.PolyPolygon([rect(0, 0, 2, 2), rect(1, 0, 3, 2)], [rect(0.5, 0.5, 1.5, 1.5)])
    assert overlapping.normalized().area == pytest.approx(6 - 1)
    # Clip reads each operand by the even-odd rule: the overlap cancels.
    assert (overlapping | zeltmath.PolyPolygon()).area == pytest.approx(4)
    section = zeltmath.HollowPolygon(rect(0, 0, 10, 10), [rect(4, 4, 6, 6)])
    assert section.correct() == 0 and section.area == pytest.approx(96)
    assert not section.contains((5, 5)) and section.contains((1, 1))
    assert section.contains((4, 5)) and not section.contains((4, 5), on_border=False)
    outside = zeltmath.HollowPolygon(rect(0, 0, 10, 10), [rect(20, 20, 21, 21)])
    assert outside.correct() == 0xF30000
    assert zeltmath.HollowPolygon([(0, 0), (1, 1)]).correct() == 0xF10000
    merged = zeltmath.HollowPolygon(rect(0, 0, 10, 10), [rect(1, 1, 3, 3), rect(2, 2, 4, 4)]).normalized()
    assert merged.area == pytest.approx(100 - 7) and len(merged.holes) == 1
    assert sg.shape(section).area == pytest.approx(96)


def test_bad_input_raises():
    with pytest.raises(ValueError, match=r"\(n, 2\)"):
        zeltmath.Polygon([(0, 0, 0), (1, 1, 1)])
    with pytest.raises(ValueError, match="finite"):
        zeltmath.Polygon([(0, 0), (1, math.nan), (1, 1)])
    with pytest.raises(ValueError):
        zeltmath.Polygon([(0, 0), (1,)])
    with pytest.raises(ValueError, match=r"outers\[1\]"):
        zeltmath.PolyPolygon([rect(0, 0, 1, 1), [(0, 0, 1)]])
    with pytest.raises(ValueError, match="unknown operation 'minus'"):
        zeltmath.PolyPolygon().clip("minus", zeltmath.PolyPolygon())
    with pytest.raises(ValueError, match="finite"):
        zeltmath.Polygon(rect(0, 0, 1, 1)).contains((0.5, 0.5), tol=math.inf)
    with pytest.raises(TypeError):
        zeltmath.Polygon(None)
    assert zeltmath.PolyPolygon([[]]).area == 0


def test_matrices():
    m = zeltmath.Matrix2D.move(3, 4) @ zeltmath.Matrix2D.scale(2, 2)
    assert m.transform((1, 1)) == pytest.approx([8, 10])
    assert (zeltmath.Matrix2D.scale(2, 2) * zeltmath.Matrix2D.move(3, 4)).transform([(1, 1)]).tolist() == [[5, 6]]
    r = zeltmath.Matrix2D.rotate(0.3) @ zeltmath.Matrix2D.move(5, -2)
    pts = np.random.default_rng(1).uniform(-10, 10, (50, 2))
    assert np.allclose(r.inverted().transform(r.transform(pts)), pts, atol=1e-12)
    assert np.allclose((r @ r.inverted()).values, np.eye(3), atol=1e-12)
    assert zeltmath.Matrix2D(np.array([[1, 2, 0], [2, 4, 0], [0, 0, 1]])).inverted().values.tolist() == np.eye(3).tolist()
    square = zeltmath.Polygon(rect(0, 0, 1, 1))
    assert zeltmath.Matrix2D.scale(2, 3).transform(square).area == pytest.approx(6)
    plate = plate_with_openings()
    moved = zeltmath.Matrix2D.rotate(1.0).transform(plate)
    assert isinstance(moved, zeltmath.PolyPolygon) and moved.area == pytest.approx(plate.area)
    hollow = zeltmath.HollowPolygon(rect(0, 0, 10, 10), [rect(4, 4, 6, 6)])
    assert zeltmath.Matrix2D.scale(2, 2).transform(hollow).area == pytest.approx(4 * 96)
    s = zeltmath.Matrix3D.rotation_axis((0, 0, 5), math.pi / 2)
    assert s.transform((1, 0, 0)) == pytest.approx([0, 1, 0], abs=1e-15)
    assert zeltmath.Matrix3D.rotation_axis((1, 0, 0), math.pi / 2).transform((0, 1, 0)) == pytest.approx([0, 0, 1], abs=1e-15)
    t = zeltmath.Matrix3D.move(1, 2, 3) @ zeltmath.Matrix3D.scale(2, 2, 2)
    assert t.transform([(0, 0, 0)]).tolist() == [[2, 4, 6]]
    assert np.allclose(zeltmath.Matrix3D.scale(2, 4, 8).inverted().values, np.diag([0.5, 0.25, 0.125, 1]))
    with pytest.raises(ValueError):
        zeltmath.Matrix3D().transform([(1, 2)])
    with pytest.raises(ValueError):
        zeltmath.Matrix2D([[1, 0], [0, 1]])
