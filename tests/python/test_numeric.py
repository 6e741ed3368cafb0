"""Roots, FFT, interpolation, Gaussian elimination and the cubic against
NumPy and hand-computed values."""
import math

import numpy as np
import pytest

import zeltmath


def assert_same_roots(ours, theirs, tol):
    """Equal as multisets: every root of one matched to a distinct root of the other."""
    assert len(ours) == len(theirs)
    left = list(theirs)
    for z in ours:
        i = int(np.argmin([abs(z - w) for w in left]))
        assert abs(z - left[i]) <= tol * max(1.0, abs(z)), (z, left[i])
        left.pop(i)


def test_roots_by_hand():
    r = zeltmath.roots([2, -3, 1])
    assert r.dtype == np.complex128 and r.tolist() == [2, 1]     # root[0] takes the plus sign
    assert sorted(zeltmath.roots([-6, 11, -6, 1]).real) == pytest.approx([1, 2, 3])
    assert_same_roots(zeltmath.roots([1, 0, 1]), [1j, -1j], 1e-15)
    assert len(zeltmath.roots([-6, 11, -6, 1, 0, 0])) == 3       # leading zeros lower the degree
    assert_same_roots(zeltmath.roots([1j, 1]), [-1j], 1e-15)     # complex coefficients


def test_roots_match_numpy(rng):
    for degree in range(1, 16):
        for _ in range(5):
            c = rng.normal(size=degree + 1)
            assert_same_roots(zeltmath.roots(c), np.roots(c[::-1]), 1e-6)
    c = rng.normal(size=8) + 1j * rng.normal(size=8)
    assert_same_roots(zeltmath.roots(c), np.roots(c[::-1]), 1e-6)


def test_roots_bad_input():
    for bad, message in (([0, 0, 0], "zero"), ([5], "constant"), ([], "empty"),
                         ([1, math.inf], "finite"), ([[1, 2], [3, 4]], "one-dimensional")):
        with pytest.raises(ValueError, match=message):
            zeltmath.roots(bad)


def test_fft_matches_numpy(rng):
    for n in (1, 2, 6, 7, 16, 30, 97, 360, 1000, 2 * 3 * 5 * 7 * 11):
        x = rng.normal(size=n)
        assert np.allclose(zeltmath.fft(x), np.fft.fft(x), atol=1e-9 * n)
        z = x + 1j * rng.normal(size=n)
        assert np.allclose(zeltmath.fft(z), np.fft.fft(z), atol=1e-9 * n)
    assert zeltmath.fft([1.0] * 360)[0] == 360
    with pytest.raises(ValueError, match="6173"):
        zeltmath.fft(np.zeros(2 * 6451))
    with pytest.raises(ValueError):
        zeltmath.fft([])


def test_interpol_gauss_cubic():
    xs, ys = [0, 1, 2], [0, 10, 20]
    assert zeltmath.interpol(0.5, xs, ys) == 5
    assert zeltmath.interpol([-5, 0.5, 7], xs, ys).tolist() == [0, 5, 20]
    assert zeltmath.interpol(1, [0, 1, 1, 2], [0, 10, 20, 30]) == 10     # the first enclosing segment
    assert zeltmath.interpol(1.5, [0, 1, 1, 2], [0, 10, 20, 30]) == 25
    with pytest.raises(ValueError, match="ys must hold 3"):
        zeltmath.interpol(1, xs, [1, 2])
    assert zeltmath.gauss([[0, 1], [1, 0]], [2, 3]).tolist() == [3, 2]
    a = np.array([[4.0, 1, 2], [1, 5, 1], [2, 1, 6]])
    b = np.array([[1.0, 2], [3, 4], [5, 6]])
    assert np.allclose(zeltmath.gauss(a, b), np.linalg.solve(a, b), atol=1e-14)
    with pytest.raises(ValueError, match="singular"):
        zeltmath.gauss([[1, 0], [1, 0]], [1, 2])
    with pytest.raises(ValueError, match="square"):
        zeltmath.gauss([[1, 0, 0], [1, 0, 0]], [1, 2])
    assert sorted(zeltmath.cubic(-6, 11, -6).real) == pytest.approx([1, 2, 3])
    one_real = zeltmath.cubic(0, 0, -1)        # x^3 = 1
    assert one_real[0] == pytest.approx(1) and one_real[1] == pytest.approx(np.conj(one_real[2]))
    assert abs(one_real[1]) == pytest.approx(1)
    assert sorted(zeltmath.cubic(-4, 5, -2).real) == pytest.approx([1, 1, 2])   # (x-1)^2 (x-2)
