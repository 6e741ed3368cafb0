"""SVG pictures of the shapes, for notebooks (``_repr_svg_``) and files.

Every ring goes into one path filled by the even-odd rule, so outer rings
are filled and holes cut out; y points upward.
"""
import math

WIDTH = 360.0
FILL = "#4a90d9"
STROKE = "#1f4e79"


def _fmt(v):
    return "%.6g" % v


def svg(rings, width=WIDTH, fill=FILL, stroke=STROKE):
    """An SVG picture of rings (a sequence of (n, 2) point arrays)."""
    rings = [r for r in rings if len(r)]
    xs = [float(p[0]) for r in rings for p in r]
    ys = [float(p[1]) for r in rings for p in r]
    if not xs:
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="20" viewBox="0 0 1 1">'
                '</svg>' % width)
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    span = max(x1 - x0, y1 - y0) or 1.0
    pad = span * 0.04
    w, h = (x1 - x0) + 2 * pad or 1.0, (y1 - y0) + 2 * pad or 1.0
    height = max(20.0, min(4.0 * width, width * h / w))
    stroke_width = span / 300.0
    path = " ".join("M " + " L ".join("%s %s" % (_fmt(p[0]), _fmt(p[1])) for p in r) + " Z"
                    for r in rings)
    # Flipping y: the picture's y grows upward, so the top of the view box is
    # the largest y, mirrored by scale(1, -1).
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" '
            'viewBox="%s %s %s %s" preserveAspectRatio="xMidYMid meet">'
            '<g transform="scale(1,-1)">'
            '<path d="%s" fill="%s" fill-opacity="0.75" fill-rule="evenodd" stroke="%s" '
            'stroke-width="%s" stroke-linejoin="round"/></g></svg>'
            % (_fmt(width), _fmt(math.ceil(height)), _fmt(x0 - pad), _fmt(-(y1 + pad)), _fmt(w), _fmt(h),
               path, fill, stroke, _fmt(stroke_width)))
