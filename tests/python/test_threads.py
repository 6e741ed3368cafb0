"""Long computations release the GIL, and parallel calls agree with serial ones."""
import sys
import threading
import time

import numpy as np
import pytest

import zeltmath
from conftest import circle, rect


def progress(work):
    """How often this thread ran while `work` ran in another one.  With a
    huge switch interval the interpreter never takes the GIL away from a
    thread, so this thread can only run while the other has given the GIL
    up by itself, as a computation that releases it does."""
    old = sys.getswitchinterval()
    sys.setswitchinterval(1000)
    try:
        t = threading.Thread(target=work)
        t.start()
        count = 0
        while t.is_alive():
            count += 1
            time.sleep(0)
        t.join()
        return count
    finally:
        sys.setswitchinterval(old)


def test_long_computations_release_the_gil():
    # Large enough that a run lasts many scheduler time slices, even on a
    # busy machine.
    a = zeltmath.PolyPolygon([circle(0, 0, 10, 200000)])
    b = zeltmath.PolyPolygon([circle(3, 0, 10, 200000)])
    assert progress(lambda: sum(range(3 * 10 ** 6))) == 0            # the method sees a held GIL
    works = {"clip": lambda: a - b, "normalized": lambda: (a | b).normalized(),
             "fft": lambda: zeltmath.fft(np.ones(2 ** 20)),
             "minimize": lambda: zeltmath.minimize(lambda v: v @ v, np.ones(200), max_iter=50)}
    for name, work in works.items():
        assert max(progress(work) for _ in range(5)) > 0, name


def test_parallel_calls_agree(rng):
    signals = [rng.normal(size=4096) for _ in range(6)]
    results = {}

    def work(i):
        x, _ = zeltmath.minimize(lambda v: (v[0] - i) ** 2 + (v[1] + i) ** 2, [0, 0])
        plate = zeltmath.PolyPolygon([rect(0, 0, 10 + i, 10)])
        area = (plate - zeltmath.PolyPolygon([[(2, 2), (4, 2), (4, 4)]])).area
        spectra = [zeltmath.fft(signals[i]) for _ in range(5)]
        results[i] = (x, area, spectra)

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(signals))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for i, (x, area, spectra) in results.items():
        assert x == pytest.approx([i, -i], abs=1e-3)
        assert area == pytest.approx(10 * (10 + i) - 2)
        for s in spectra:
            assert np.allclose(s, np.fft.fft(signals[i]), atol=1e-6)
