"""Linear programming against SciPy, minimax fitting, the r-algorithm."""
import math

import numpy as np
import pytest
from scipy.optimize import linprog

import zeltmath


def test_simplex_by_hand_and_status():
    assert zeltmath.simplex([1, 2], ge=([[1, 1]], [1])).tolist() == [1, 0]
    with pytest.raises(zeltmath.LPError) as info:
        zeltmath.simplex([-1])
    assert info.value.status == 3 and isinstance(info.value, ValueError)
    with pytest.raises(zeltmath.LPError) as info:
        zeltmath.simplex([1], eq=([[1]], [1]), ge=([[1]], [2]))
    assert info.value.status == 2
    with pytest.raises(ValueError, match=r"shape \(m, 2\)"):
        zeltmath.simplex([1, 2], ge=([[1, 1, 1]], [1]))
    with pytest.raises(ValueError, match="empty"):
        zeltmath.simplex([])
    with pytest.raises(ValueError, match="finite"):
        zeltmath.simplex([1, math.nan])


def test_simplex_matches_scipy(rng):
    for _ in range(30):
        n, m_ge, m_eq = int(rng.integers(2, 7)), int(rng.integers(1, 6)), int(rng.integers(0, 3))
        cost = rng.uniform(0.1, 5, n)
        a_ge, b_ge = rng.uniform(0, 3, (m_ge, n)), rng.uniform(1, 5, m_ge)
        a_eq = rng.uniform(0, 3, (m_eq, n))
        b_eq = a_eq @ rng.uniform(0.5, 2, n)                    # feasible equalities
        peer = linprog(cost, A_ub=-a_ge, b_ub=-b_ge, A_eq=a_eq if m_eq else None,
                       b_eq=b_eq if m_eq else None, bounds=(0, None), method="highs")
        if peer.status == 2:
            with pytest.raises(zeltmath.LPError) as info:
                zeltmath.simplex(cost, eq=(a_eq, b_eq), ge=(a_ge, b_ge))
            assert info.value.status == 2
            continue
        assert peer.status == 0
        x = zeltmath.simplex(cost, eq=(a_eq, b_eq) if m_eq else None, ge=(a_ge, b_ge))
        assert cost @ x == pytest.approx(peer.fun, rel=1e-7, abs=1e-9)
        assert np.all(a_ge @ x >= b_ge - 1e-7) and np.all(x >= -1e-9)
        if m_eq:
            assert np.allclose(a_eq @ x, b_eq, atol=1e-7)


def test_chebyshev_fit():
    x = np.linspace(0, 5, 11)
    ordinates, deviation = zeltmath.chebyshev_fit(x, 2 * x + 1, [0, 5])
    assert ordinates == pytest.approx([1, 11], abs=1e-9) and deviation == pytest.approx(0, abs=1e-9)
    xs = np.linspace(0, math.pi, 200)
    ordinates, deviation = zeltmath.chebyshev_fit(xs, np.sin(xs), [0, math.pi / 2, math.pi])
    line = np.interp(xs, [0, math.pi / 2, math.pi], ordinates)
    assert deviation == pytest.approx(np.max(np.abs(np.sin(xs) - line)), abs=1e-12)
    assert 0.05 < deviation < 0.2
    # A worse choice of ordinates never beats the minimax line.
    assert np.max(np.abs(np.sin(xs) - np.interp(xs, [0, math.pi / 2, math.pi], [0, 1, 0]))) > deviation
    with pytest.raises(ValueError, match="y must hold 3"):
        zeltmath.chebyshev_fit([0, 1, 2], [0, 1], [0, 2])


def test_minimize():
    x, value = zeltmath.minimize(lambda v: (v[0] - 1) ** 2 + (v[1] + 2) ** 2, [0, 0])
    assert x == pytest.approx([1, -2], abs=1e-3) and value == pytest.approx(0, abs=1e-6)
    # x + y >= 0 as the row -x - y <= 0.
    x, _ = zeltmath.minimize(lambda v: (v[0] - 1) ** 2 + (v[1] + 2) ** 2, [0, 0], linear=([[-1, -1]], [0]))
    assert x == pytest.approx([1.5, -1.5], abs=1e-3)
    x, _ = zeltmath.minimize(lambda v: v[0] ** 2 + v[1] ** 2, [3, 3], lower=[1, 2], upper=10)
    assert x == pytest.approx([1, 2], abs=1e-4)
    # A linear objective outruns the penalty of its bounds: the run ends as
    # unbounded, at its last accepted point, far beyond the bounds.
    x, value = zeltmath.minimize(lambda v: v[0] + v[1], [3, 3], lower=[1, 2], upper=10)
    assert value <= -1e99
    x, _ = zeltmath.minimize(lambda v: v[0] + v[1], [1, 1], constraints=[lambda v: v[0] ** 2 + v[1] ** 2 - 1])
    assert x == pytest.approx([-math.sqrt(0.5), -math.sqrt(0.5)], abs=1e-3)
    x, _ = zeltmath.minimize(lambda v: v[0] ** 2 + v[1] ** 2, [3, 1], linear_eq=([[1, 1]], [2]))
    assert x == pytest.approx([1, 1], abs=1e-3)


def test_minimize_callback_errors_propagate():
    calls = []

    def failing(v):
        calls.append(1)
        if len(calls) > 5:
            raise KeyError("stop here")
        return float(v @ v)

    with pytest.raises(KeyError, match="stop here"):
        zeltmath.minimize(failing, [1, 1])
    assert len(calls) == 6                                     # no call after the failure
    with pytest.raises(TypeError):
        zeltmath.minimize(lambda v: "not a number", [1, 1])
    with pytest.raises(ZeroDivisionError):
        zeltmath.minimize(lambda v: v @ v, [1, 1], constraints=[lambda v: 1 / 0])
    with pytest.raises(ValueError, match="at least 2"):
        zeltmath.minimize(lambda v: v @ v, [1])
    with pytest.raises(ValueError, match="finite"):
        zeltmath.minimize(lambda v: v @ v, [1, math.inf])
