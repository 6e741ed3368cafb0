"""Nearest neighbours against a brute-force search."""
import numpy as np
import pytest

import zeltmath


def test_kdtree_matches_brute_force(rng):
    points = rng.uniform(0, 100, (500, 3))
    queries = rng.uniform(0, 100, (50, 3))
    tree = zeltmath.KDTree(points)
    dist, idx = tree.query(queries, k=4)
    assert dist.shape == (50, 4) and idx.shape == (50, 4)
    full = np.linalg.norm(queries[:, None, :] - points[None, :, :], axis=2)
    assert np.allclose(dist, np.sort(full, axis=1)[:, :4], atol=1e-9)
    assert np.allclose(full[np.arange(50)[:, None], idx], dist, atol=1e-9)
    d1, i1 = tree.query(queries)
    assert d1.shape == (50,) and np.array_equal(i1, idx[:, 0])
    d, i = tree.query(points[7])
    assert d == 0 and i == 7
    assert tree.n == 500 and tree.dim == 3


def test_kdtree_bad_input():
    tree = zeltmath.KDTree([[0, 0], [1, 1]])
    with pytest.raises(ValueError, match="k must lie"):
        tree.query([0, 0], k=3)
    with pytest.raises(ValueError, match=r"\(m, 2\)"):
        tree.query([[0, 0, 0]])
    with pytest.raises(ValueError):
        zeltmath.KDTree([])
    with pytest.raises(ValueError, match="finite"):
        zeltmath.KDTree([[0, np.nan]])
