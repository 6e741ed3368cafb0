#include <zeltmath/s2d/polyline.h>

#include <cstddef>
#include <stdexcept>
#include <utility>

namespace S2D {

Polyline::Polyline(const Point* points, unsigned count)
{
    if (points)
        points_.assign(points, points + count);
}

Polyline::~Polyline() = default;

Polyline& Polyline::operator=(const Polyline& other)
{
    if (this == &other)
        return *this;
    Clear();
    points_ = other.points_;
    return *this;
}


unsigned Polyline::EdgeCount() const
{
    return points_.empty() ? 0u : Size() - 1;
}

void Polyline::InsertAt(unsigned index, const Point& p)
{
    const std::size_t at = index < points_.size() ? index : points_.size();
    points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(at), p);
}

void Polyline::RemoveAt(unsigned index)
{
    if (index < points_.size())
        points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(index));
}

void Polyline::Clear()
{
    points_.clear();
}

Point& Polyline::At(unsigned i)
{
    if (i >= points_.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return points_[i];
}

const Point& Polyline::At(unsigned i) const
{
    if (i >= points_.size())
        throw std::out_of_range("invalid vector<T> subscript");
    return points_[i];
}

Edge Polyline::EdgeAt(unsigned i) const
{
    if (i >= EdgeCount())
        throw std::out_of_range("Polyline index error");
    // A derived class may report more edges than there are points; the
    // checked access then catches the bad second vertex.
    const unsigned n = Size();
    return Edge(At(i), At(n == 0 ? i + 1 : (i + 1) % n));
}

unsigned char Polyline::IsSelfCrossed(unsigned* first, unsigned* second, unsigned* flags) const
{
    const unsigned n = EdgeCount();
    for (unsigned i = n; i-- > 0;) {
        const Edge ei = EdgeAt(i);
        for (unsigned j = i + 1; j < n; ++j) {
            const unsigned layout = ei.CalcLayout(EdgeAt(j), nullptr, nullptr);
            const bool crossed = (layout & LAYOUT_CROSS) != 0 || (j != i + 1 && (layout & LAYOUT_TOUCH) != 0);
            if (crossed) {
                if (first)
                    *first = i;
                if (second)
                    *second = j;
                if (flags)
                    *flags = layout;
                return 1;
            }
        }
    }
    return 0;
}

bool Polyline::operator<(const Polyline& other) const
{
    for (const Point& a : points_)
        for (const Point& b : other.points_)
            if (!(a < b))
                return false;
    return true;
}

bool Polyline::operator==(const Polyline& other) const
{
    if (points_.size() != other.points_.size())
        return false;
    for (std::size_t i = 0; i < points_.size(); ++i)
        if (!(points_[i] == other.points_[i]))
            return false;
    return true;
}

unsigned Polyline::RemoveClosest(double tol)
{
    unsigned removed = 0;
    unsigned i = 0;
    while (i < Size()) {
        const unsigned next = (i + 1) % Size();
        if (points_[i].IsEqual(points_[next], tol)) {
            RemoveAt(i);
            ++removed;
        } else {
            ++i;
        }
    }
    return removed;
}

unsigned Polyline::ReduceGeometry(double tol)
{
    unsigned removed = 0;
    unsigned i = 1;
    // i < EdgeCount() - 1 without wrapping when there are fewer than two edges.
    while (i + 1 < EdgeCount()) {
        if (IsBetween(At(i), At(i - 1), At(i + 1), tol) != 0.0) {
            RemoveAt(i);
            ++removed;
        } else {
            ++i;
        }
    }
    return removed;
}

Rect Polyline::BoundRect()
{
    if (points_.empty())
        return Rect(0, 0, 0, 0);
    double minX = points_[0].x, maxX = minX;
    double minY = points_[0].y, maxY = minY;
    for (const Point& p : points_) {
        if (p.x < minX)
            minX = p.x;
        if (p.x > maxX)
            maxX = p.x;
        if (p.y < minY)
            minY = p.y;
        if (p.y > maxY)
            maxY = p.y;
    }
    return Rect(minX, minY, maxX, maxY);
}

unsigned char Polyline::CheckPtNearNode(const Point& p, double tol, unsigned* index) const
{
    for (unsigned i = 0; i < Size(); ++i) {
        if (p.Distance(points_[i]) < tol) {
            if (index)
                *index = i;
            return 1;
        }
    }
    return 0;
}

unsigned char Polyline::CheckPtNearEdge(const Point& p, double tol, unsigned* index) const
{
    const unsigned n = EdgeCount();
    for (unsigned i = 0; i < n; ++i) {
        if (EdgeAt(i).GetDistance(p, nullptr) < tol) {
            if (index)
                *index = i;
            return 1;
        }
    }
    return 0;
}

unsigned Polyline::CheckPtNearNodes(const Point& p, double tol, std::vector<unsigned>* indices) const
{
    unsigned count = 0;
    for (unsigned i = 0; i < Size(); ++i) {
        if (p.Distance(points_[i]) < tol) {
            ++count;
            if (indices)
                indices->push_back(i);
        }
    }
    return count;
}

unsigned Polyline::CheckPtNearEdges(const Point& p, double tol, std::vector<unsigned>* indices) const
{
    unsigned count = 0;
    const unsigned n = EdgeCount();
    for (unsigned i = 0; i < n; ++i) {
        if (EdgeAt(i).GetDistance(p, nullptr) < tol) {
            ++count;
            if (indices)
                indices->push_back(i);
        }
    }
    return count;
}

} // namespace S2D
