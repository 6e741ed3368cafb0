"""A short tour of the zeltmath package: a plate with openings clipped and
drawn, a formula and its derivative, polynomial roots, a Fourier transform
and a minimax fit.

    PYTHONPATH=build/python /usr/bin/python3 python/examples/tour.py [FOLDER]

The picture goes to FOLDER/plate.svg (default: the current folder).
"""
import math
import os
import sys

import numpy as np

import zeltmath


def circle(cx, cy, r, n=32):
    return [(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n)) for i in range(n)]


def main(folder="."):
    # A beam's web plate, 600 x 300, minus three round openings of diameter 180.
    plate = zeltmath.PolyPolygon([[(0, 0), (600, 0), (600, 300), (0, 300)]])
    openings = zeltmath.PolyPolygon([circle(x, 150, 90) for x in (120, 300, 480)])
    web = plate - openings
    print("plate minus openings: %d rings (%s), net area %.1f"
          % (len(web), ", ".join("hole" if h else "outer" for _, h in web.rings), web.area))
    print("  contains (300, 150): %s, (300, 20): %s" % (web.contains((300, 150)), web.contains((300, 20))))
    path = os.path.join(folder, "plate.svg")
    with open(path, "w") as f:
        f.write(web._repr_svg_())
    print("  picture: %s (%d bytes of SVG)" % (path, os.path.getsize(path)))

    f = zeltmath.Formula("a*sin(x)+2")
    d = f.derivative("x")
    print("formula %s, variables %s, at a=3, x=pi/6: %g" % (f, f.variables, f(a=3, x=math.pi / 6)))
    print("  d/dx: %s, at a=3, x=0: %g" % (d, d(a=3, x=0)))
    try:
        zeltmath.Formula("1/(x")
    except zeltmath.FormulaError as e:
        print("  Formula('1/(x') fails: code %d, %s" % (e.code, e.message))

    r = zeltmath.roots([-6, 11, -6, 1])
    print("roots of -6 + 11x - 6x^2 + x^3:", ", ".join("%g" % z.real for z in r))
    print("roots of 1 + x^2:", ", ".join("%gi" % z.imag for z in zeltmath.roots([1, 0, 1])))

    t = np.arange(12)
    spectrum = zeltmath.fft(np.cos(2 * math.pi * 3 * t / 12))
    print("FFT of cos(2 pi 3 t / 12), |Y[k]| for k = 0..11:", " ".join("%g" % round(abs(y), 12) for y in spectrum))

    x = np.linspace(0, math.pi, 50)
    nodes = [0, math.pi / 2, math.pi]
    ordinates, deviation = zeltmath.chebyshev_fit(x, np.sin(x), nodes)
    print("minimax broken line through sin on [0, pi], nodes 0, pi/2, pi: ordinates %s, largest deviation %.4f"
          % (", ".join("%.4f" % v for v in ordinates), deviation))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
