#include <zeltmath/s2d/poly_polygon.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace S2D {

template class GenericEnumeration<Polygon, PolyPolygon, unsigned>;

namespace {

void CheckIndex(unsigned i, std::size_t size)
{
    if (i >= size)
        throw std::out_of_range("invalid vector<T> subscript");
}

// Removes every entry equal to i from an ascending list and renumbers the
// entries above it.
void RemoveIndex(std::vector<unsigned>& list, unsigned i)
{
    list.erase(std::remove(list.begin(), list.end(), i), list.end());
    for (auto it = std::lower_bound(list.begin(), list.end(), i); it != list.end(); ++it)
        --*it;
}

} // namespace

PolyPolygon::PolyPolygon()
{
    OnChange();
}

PolyPolygon::PolyPolygon(const Polygon& p) : polygons_(1, p), outers_(1, 0u)
{
    OnChange();
}

PolyPolygon::PolyPolygon(const PolyPolygon& other)
    : polygons_(other.polygons_), inners_(other.inners_), outers_(other.outers_)
{
    OnChange();
}

PolyPolygon::~PolyPolygon() = default;

PolyPolygon& PolyPolygon::operator=(const PolyPolygon& other)
{
    if (this == &other)
        return *this;
    polygons_ = other.polygons_;
    inners_ = other.inners_;
    outers_ = other.outers_;
    order_ = other.order_;
    OnChange();
    return *this;
}

void PolyPolygon::Clear()
{
    polygons_.clear();
    inners_.clear();
    outers_.clear();
    order_.clear();
    OnChange();
}

void PolyPolygon::OnChange()
{
}

void PolyPolygon::CheckOrder() const
{
    const unsigned n = Size();
    std::vector<double> area(n);
    order_.resize(n);
    for (unsigned i = 0; i < n; ++i) {
        order_[i] = i;
        area[i] = polygons_[i].Area();
    }
    // Smaller rings first, so that rings the containment test leaves
    // unordered still come inside-out; then the containment order proper.
    std::stable_sort(order_.begin(), order_.end(), [&area](unsigned a, unsigned b) {
        return area[a] < area[b];
    });
    std::stable_sort(order_.begin(), order_.end(), PolygonOrderComparer(polygons_));
}

void PolyPolygon::AddPolygon(const Polygon& p, unsigned char isInner)
{
    Append(Polygon(p), isInner);
}

void PolyPolygon::Append(Polygon&& p, unsigned char isInner)
{
    const unsigned index = Size();
    if (isInner == 1)
        inners_.push_back(index);
    else
        outers_.push_back(index);
    polygons_.push_back(std::move(p));
    order_.clear();
    OnChange();
}

void PolyPolygon::RemovePolygon(unsigned i)
{
    if (i >= Size())
        return;
    RemoveIndex(inners_, i);
    RemoveIndex(outers_, i);
    polygons_.erase(polygons_.begin() + i);
    order_.clear();
    OnChange();
}

unsigned char PolyPolygon::CheckIn(const Point& p, unsigned char onBorder, double tol,
                                   unsigned char checkBorder, unsigned* index) const
{
    if (order_.empty() || order_.size() != polygons_.size())
        CheckOrder();
    // Roles are looked up in the shorter list.
    const bool outerListShorter = outers_.size() < inners_.size();
    std::vector<unsigned> shorter = outerListShorter ? outers_ : inners_;
    std::sort(shorter.begin(), shorter.end());
    for (unsigned k : order_) {
        if (!polygons_[k].CheckIn(p, onBorder, tol, checkBorder))
            continue;
        if (index)
            *index = k;
        const bool listed = std::binary_search(shorter.begin(), shorter.end(), k);
        return outerListShorter ? listed : !listed;
    }
    return 0;
}

PolyPolygonRings PolyPolygon::Outers() const
{
    return PolyPolygonRings(this, outers_);
}

PolyPolygonRings PolyPolygon::Inners() const
{
    return PolyPolygonRings(this, inners_);
}

const Polygon& PolyPolygon::GetPolygon(unsigned i, unsigned char* isInner) const
{
    if (isInner)
        *isInner = std::find(inners_.begin(), inners_.end(), i) != inners_.end();
    CheckIndex(i, polygons_.size());
    return polygons_[i];
}

void PolyPolygon::SetPolygon(unsigned i, const Polygon& p)
{
    CheckIndex(i, polygons_.size());
    polygons_[i] = p;
    order_.clear();
    OnChange();
}

} // namespace S2D
