// Assembly of regions from arbitrary edge lists, and the rings it yields
// taken through the hollow-polygon operations and into integer regions.
// Every input must end in a defined result without leaking a region.

#include <zeltmath/s2d/hollow_polygon.h>
#include <zeltmath/s2d/poly_polygon.h>

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t n = data[0] % 32;
    std::size_t pos = 1;
    std::vector<S2D::Point> points;
    for (std::size_t i = 0; i < n && pos + 1 < size; ++i, pos += 2)
        points.emplace_back(static_cast<std::int8_t>(data[pos]) / 4.0, static_cast<std::int8_t>(data[pos + 1]) / 4.0);
    std::vector<unsigned> edges;
    for (; pos < size; ++pos)
        edges.push_back(data[pos] % 40);

    int status = -1;
    std::vector<S2D::Polygon> rings;
    const S2D::PolyPolygon r = S2D::PolyPolygon::Assemble(points, edges, &rings, &status);
    if (status < 0 || status > 4 || (status != 0 && r.Size() != 0))
        __builtin_trap();
    if (rings.empty())
        return 0;

    S2D::HollowPolygon h(rings[0]);
    for (std::size_t i = 1; i < rings.size(); ++i)
        h.AddInner(rings[i]);
    int code = 0;
    h.Correct(1, 1e-9, &code);
    h.CheckIn(S2D::Point(0.5, 0.5), 1, 1e-9, 1);
    HRGN region = h.CreateRgn(S2D::Matrix::Scale(4, 4));
    if (region)
        DeleteObject(region);
    h.Normalize();
    h.ReduceGeometry(1e-9);
    S2D::PolyPolygon::Assemble(rings, nullptr, &status);
    return 0;
}
