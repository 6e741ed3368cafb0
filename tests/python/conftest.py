"""Shared shapes and helpers of the Python tests."""
import math

import numpy as np
import pytest

import zeltmath


def rect(x0, y0, x1, y1):
    """The corners of an axis-parallel rectangle, counter-clockwise."""
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def circle(cx, cy, r, n=24, phase=0.0):
    """A regular n-gon approximating a circle."""
    return [(cx + r * math.cos(phase + 2 * math.pi * i / n), cy + r * math.sin(phase + 2 * math.pi * i / n))
            for i in range(n)]


def plate_with_openings():
    """A beam's web plate (600 x 300) with three round openings, as in the tool's demo."""
    plate = zeltmath.PolyPolygon([rect(0, 0, 600, 300)])
    openings = zeltmath.PolyPolygon([circle(x, 150, 90) for x in (120, 300, 480)])
    return plate - openings


@pytest.fixture
def rng():
    return np.random.default_rng(20261206)
