#include <zeltmath/s2d/hollow_polygon.h>

#include <zeltmath/s2d/poly_polygon.h>

#include <stdexcept>

namespace S2D {

template class GenericEnumeration<Polygon, HollowPolygon, unsigned>;

namespace {

constexpr double kInnerTol = 1e-10;

void CheckIndex(unsigned i, std::size_t size)
{
    if (i >= size)
        throw std::out_of_range("invalid vector<T> subscript");
}

bool IsBadRing(const Polygon& p)
{
    return p.Size() < 3 || p.IsSelfCrossed(nullptr, nullptr, nullptr);
}

} // namespace

HollowPolygon::HollowPolygon()
{
    OnChange();
}

HollowPolygon::HollowPolygon(const Polygon& outer) : outer_(outer)
{
    OnChange();
}

HollowPolygon::HollowPolygon(const HollowPolygon& other) : outer_(other.outer_), inners_(other.inners_)
{
    OnChange();
}

HollowPolygon::~HollowPolygon() = default;

HollowPolygon& HollowPolygon::operator=(const HollowPolygon& other)
{
    if (this != &other) {
        outer_ = other.outer_;
        inners_ = other.inners_;
    }
    OnChange();
    return *this;
}

unsigned char HollowPolygon::IsEmpty() const
{
    return outer_.Size() == 0 ? 1 : 0;
}

void HollowPolygon::Clear()
{
    outer_.Clear();
    inners_.clear();
    OnChange();
}

unsigned HollowPolygon::InnersCount() const
{
    return static_cast<unsigned>(inners_.size());
}

std::vector<unsigned> HollowPolygon::FindInners(const Point& p, double tol) const
{
    std::vector<unsigned> found;
    for (unsigned i = 0; i < inners_.size(); ++i)
        if (inners_[i].CheckIn(p, 1, tol, 1))
            found.push_back(i);
    return found;
}

unsigned char HollowPolygon::FindInner(const Point& p, unsigned* index, double tol) const
{
    const std::vector<unsigned> found = FindInners(p, tol);
    if (found.empty())
        return 0;
    if (index)
        *index = found.front();
    return 1;
}

void HollowPolygon::Normalize()
{
    PolyPolygon region(outer_);
    for (const Polygon& hole : inners_)
        region.AddPolygon(hole, 1);
    region.Normalize();
    Clear();
    if (region.OutersCount() == 1) {
        Outer(region.Polygons()[region.OuterNdxs().front()]);
        for (unsigned i : region.InnerNdxs())
            AddInner(region.Polygons()[i]);
    }
    OnChange();
}

void HollowPolygon::OnChange()
{
}

unsigned char HollowPolygon::Correct(int checkHoles, double tol, int* code) const
{
    int failure = 0;
    if (IsBadRing(outer_))
        failure = kBadOuter;
    for (unsigned i = 0; failure == 0 && i < inners_.size(); ++i) {
        const Polygon& hole = inners_[i];
        if (IsBadRing(hole)) {
            failure = kBadHole | static_cast<int>(i & 0xFFFFu);
        } else if (!outer_.CheckIn(hole, 0, tol, 1)) {
            failure = kHoleOutside | static_cast<int>(i & 0xFFFFu);
        } else if (checkHoles) {
            for (unsigned j = i + 1; j < inners_.size(); ++j) {
                const Polygon& other = inners_[j];
                if (hole.IsCrossed(other, 1, tol) || hole.CheckIn(other, 1, tol, 1) ||
                    other.CheckIn(hole, 1, tol, 1)) {
                    failure = kHolesMeet | static_cast<int>((i & 0xFFu) << 8) | static_cast<int>(j & 0xFFu);
                    break;
                }
            }
        }
    }
    if (code)
        *code = failure;
    return failure == 0 ? 1 : 0;
}

unsigned char HollowPolygon::CheckIn(const Point& p, unsigned char onBorder, double tol,
                                     unsigned char checkBorder) const
{
    if (!outer_.CheckIn(p, onBorder, tol, checkBorder))
        return 0;
    const unsigned char holeBorder = onBorder ? 0 : 1;
    for (const Polygon& hole : inners_)
        if (hole.CheckIn(p, holeBorder, tol, checkBorder))
            return 0;
    return 1;
}

unsigned char HollowPolygon::IsCrossed(const Polyline& pl, unsigned char touching, double tol) const
{
    if (outer_.IsCrossed(pl, touching, tol))
        return 1;
    for (const Polygon& hole : inners_)
        if (hole.IsCrossed(pl, touching, tol))
            return 1;
    return 0;
}

unsigned char HollowPolygon::CheckInner(const Polygon& pg, unsigned char checkHoles) const
{
    if (!CheckInner(static_cast<const Polyline&>(pg), checkHoles))
        return 0;
    if (checkHoles)
        for (const Polygon& hole : inners_)
            if (pg.CheckIn(hole, 1, kInnerTol, 1))
                return 0;
    return 1;
}

unsigned char HollowPolygon::CheckInner(const Polyline& pl, unsigned char checkHoles) const
{
    if (!outer_.CheckIn(pl, 0, kInnerTol, 1))
        return 0;
    if (checkHoles)
        for (const Polygon& hole : inners_)
            if (hole.CheckIn(pl, 1, kInnerTol, 1) || hole.IsCrossed(pl, 1, kInnerTol))
                return 0;
    return 1;
}

unsigned HollowPolygon::RemoveClosest(double tol)
{
    unsigned removed = outer_.RemoveClosest(tol);
    for (Polygon& hole : inners_)
        removed += hole.RemoveClosest(tol);
    OnChange();
    return removed;
}

unsigned HollowPolygon::ReduceGeometry(double tol)
{
    unsigned removed = outer_.ReduceGeometry(tol);
    for (unsigned i = 0; i < InnersCount();) {
        removed += inners_[i].ReduceGeometry(tol);
        if (IsBadRing(inners_[i]))
            RemoveInner(i);
        else
            ++i;
    }
    OnChange();
    return removed;
}

bool HollowPolygon::operator==(const HollowPolygon& other) const
{
    return this == &other;
}

bool HollowPolygon::operator<(const HollowPolygon& other) const
{
    return outer_ < other.outer_;
}

void HollowPolygon::Outer(const Polygon& outer)
{
    outer_ = outer;
    OnChange();
}

void HollowPolygon::Inners(const std::vector<Polygon>& inners)
{
    inners_ = inners;
    OnChange();
}

const Polygon& HollowPolygon::Inner(unsigned i) const
{
    CheckIndex(i, inners_.size());
    return inners_[i];
}

void HollowPolygon::Inner(unsigned i, const Polygon& p)
{
    if (i >= inners_.size())
        return;
    inners_[i] = p;
    OnChange();
}

void HollowPolygon::AddInner(const Polygon& p)
{
    inners_.push_back(p);
    OnChange();
}

void HollowPolygon::RemoveInner(unsigned i)
{
    if (i >= inners_.size())
        return;
    inners_.erase(inners_.begin() + i);
    OnChange();
}

const Polygon& HollowPolygon::GetPolygon(unsigned i) const
{
    if (i == kOuter)
        return outer_;
    CheckIndex(i, inners_.size());
    return inners_[i];
}

void HollowPolygon::SetPolygon(unsigned i, const Polygon& p)
{
    if (i != kOuter && i >= inners_.size())
        return;
    Ring(i) = p;
    OnChange();
}

HollowPolygonRings HollowPolygon::Polygons() const
{
    std::vector<unsigned> indices;
    indices.reserve(inners_.size() + 1);
    indices.push_back(kOuter);
    for (unsigned i = 0; i < inners_.size(); ++i)
        indices.push_back(i);
    return HollowPolygonRings(this, indices);
}

unsigned char HollowPolygon::CheckPtNearNode(const Point& p, double tol, unsigned* polygon,
                                             unsigned* vertex) const
{
    for (unsigned k = kOuter; k == kOuter || k < inners_.size(); ++k)
        if (GetPolygon(k).CheckPtNearNode(p, tol, vertex)) {
            if (polygon)
                *polygon = k;
            return 1;
        }
    return 0;
}

unsigned char HollowPolygon::CheckPtNearEdge(const Point& p, double tol, unsigned* polygon,
                                             unsigned* edge) const
{
    for (unsigned k = kOuter; k == kOuter || k < inners_.size(); ++k)
        if (GetPolygon(k).CheckPtNearEdge(p, tol, edge)) {
            if (polygon)
                *polygon = k;
            return 1;
        }
    return 0;
}

unsigned HollowPolygon::CheckPtNearNodes(const Point& p, double tol, std::vector<unsigned>* polygons,
                                         std::vector<std::vector<unsigned>>* vertices) const
{
    unsigned total = 0;
    for (unsigned k = kOuter; k == kOuter || k < inners_.size(); ++k) {
        std::vector<unsigned> near;
        total += GetPolygon(k).CheckPtNearNodes(p, tol, &near);
        if (near.empty())
            continue;
        if (polygons)
            polygons->push_back(k);
        if (vertices)
            vertices->push_back(std::move(near));
    }
    return total;
}

unsigned HollowPolygon::CheckPtNearEdges(const Point& p, double tol, std::vector<unsigned>* polygons,
                                         std::vector<std::vector<unsigned>>* edges) const
{
    unsigned total = 0;
    for (unsigned k = kOuter; k == kOuter || k < inners_.size(); ++k) {
        std::vector<unsigned> near;
        total += GetPolygon(k).CheckPtNearEdges(p, tol, &near);
        if (near.empty())
            continue;
        if (polygons)
            polygons->push_back(k);
        if (edges)
            edges->push_back(std::move(near));
    }
    return total;
}

} // namespace S2D
