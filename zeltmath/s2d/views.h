#ifndef ZELTMATH_S2D_VIEWS_H
#define ZELTMATH_S2D_VIEWS_H

#include <zeltmath/base/export.h>

#include <cstddef>
#include <iterator>
#include <vector>

namespace S2D {

/// \file
/// Views that pick elements of an indexed container by a list of positions.
/// A view stores the address of the container, which it does not own and
/// which must outlive it, and a copy of the index list (repetitions allowed).
/// Element i of a view is (*base)[indices[i]], the container's own unchecked
/// element access; neither i nor indices[i] is checked.
///
/// GenericEnumeration is read-only; GenericSlice (for polygon vertices) also
/// writes through the view.  Their iterators hold the address of the view and
/// a position; they stay valid while the view lives and its index list keeps
/// its size.

template <class Item, class Container, class Index, class Distance = int>
/// A read-only input iterator over a view: the view's address and a position in it.
class GenericInputIterator {
public:
    /// Input iterator.
    using iterator_category = std::input_iterator_tag;
    /// The element type.
    using value_type = Item;
    /// The type of a position difference.
    using difference_type = Distance;
    /// Pointer to a read-only element.
    using pointer = const Item*;
    /// Reference to a read-only element.
    using reference = const Item&;

    /// An iterator of no view.
    GenericInputIterator() = default;
    /// The iterator at position of view.
    GenericInputIterator(const Container* view, Distance position) : view_(view), pos_(position) {}

    /// The element at the position.
    reference operator*() const { return (*view_)[static_cast<unsigned>(pos_)]; }
    /// Access to the element at the position.
    pointer operator->() const { return &**this; }
    /// Moves to the next position.
    GenericInputIterator& operator++() { ++pos_; return *this; }
    /// Moves to the next position; returns the iterator as it was.
    GenericInputIterator operator++(int) { GenericInputIterator old(*this); ++pos_; return old; }
    /// Same view and same position.
    bool operator==(const GenericInputIterator& o) const { return view_ == o.view_ && pos_ == o.pos_; }
    /// Different view or position.
    bool operator!=(const GenericInputIterator& o) const { return !(*this == o); }

    /// The position in the view.
    Distance position() const { return pos_; }

private:
    const Container* view_ = nullptr;
    Distance pos_ = 0;
};

template <class Item, class Container, class Index, class Distance = int>
/// A writable random-access iterator over a view: the view's address and a position in it.
class GenericRandomIterator {
public:
    /// Random-access iterator.
    using iterator_category = std::random_access_iterator_tag;
    /// The element type.
    using value_type = Item;
    /// The type of a position difference.
    using difference_type = Distance;
    /// Pointer to a writable element.
    using pointer = Item*;
    /// Reference to a writable element.
    using reference = Item&;

    /// An iterator of no view.
    GenericRandomIterator() = default;
    /// The iterator at position of view.
    GenericRandomIterator(Container* view, Distance position) : view_(view), pos_(position) {}

    /// The element at the position.
    reference operator*() const { return (*view_)[static_cast<unsigned>(pos_)]; }
    /// Access to the element at the position.
    pointer operator->() const { return &**this; }
    /// The element n positions further.
    reference operator[](Distance n) const { return (*view_)[static_cast<unsigned>(pos_ + n)]; }

    /// Moves to the next position.
    GenericRandomIterator& operator++() { ++pos_; return *this; }
    /// Moves to the next position; returns the iterator as it was.
    GenericRandomIterator operator++(int) { GenericRandomIterator old(*this); ++pos_; return old; }
    /// Moves to the previous position.
    GenericRandomIterator& operator--() { --pos_; return *this; }
    /// Moves to the previous position; returns the iterator as it was.
    GenericRandomIterator operator--(int) { GenericRandomIterator old(*this); --pos_; return old; }
    /// Moves n positions forward.
    GenericRandomIterator& operator+=(Distance n) { pos_ += n; return *this; }
    /// Moves n positions back.
    GenericRandomIterator& operator-=(Distance n) { pos_ -= n; return *this; }
    /// The iterator n positions further.
    GenericRandomIterator operator+(Distance n) const { return GenericRandomIterator(view_, pos_ + n); }
    /// The iterator n positions after it.
    friend GenericRandomIterator operator+(Distance n, const GenericRandomIterator& it) { return it + n; }
    /// The iterator n positions back.
    GenericRandomIterator operator-(Distance n) const { return GenericRandomIterator(view_, pos_ - n); }
    /// The number of positions from o to this iterator.
    Distance operator-(const GenericRandomIterator& o) const { return pos_ - o.pos_; }

    /// Same view and same position.
    bool operator==(const GenericRandomIterator& o) const { return view_ == o.view_ && pos_ == o.pos_; }
    /// Different view or position.
    bool operator!=(const GenericRandomIterator& o) const { return !(*this == o); }
    /// Order of the positions.
    bool operator<(const GenericRandomIterator& o) const { return pos_ < o.pos_; }
    /// Order of the positions.
    bool operator>(const GenericRandomIterator& o) const { return pos_ > o.pos_; }
    /// Order of the positions.
    bool operator<=(const GenericRandomIterator& o) const { return pos_ <= o.pos_; }
    /// Order of the positions.
    bool operator>=(const GenericRandomIterator& o) const { return pos_ >= o.pos_; }

    /// The position in the view.
    Distance position() const { return pos_; }

private:
    Container* view_ = nullptr;
    Distance pos_ = 0;
};

/// A read-only view of the elements of `Base` at a list of positions.
template <class Item, class Base, class Index>
class ZELTMATH_API GenericEnumeration {
public:
    /// Iterator over the picked elements, read-only.
    using const_iterator = GenericInputIterator<Item, GenericEnumeration, Index, int>;
    /// Iterator over the picked elements, read-only.
    using iterator = const_iterator;

    /// No container, no indices.
    GenericEnumeration() = default;
    /// A view of base at the given positions.
    GenericEnumeration(const Base* base, const std::vector<Index>& indices) : base_(base), indices_(indices) {}
    /// The indices of the range [first, last).
    GenericEnumeration(const Base* base, const Index* first, const Index* last)
        : base_(base), indices_(first, last) {}
    /// A copy: the same container, a copy of the index list.
    GenericEnumeration(const GenericEnumeration&) = default;
    /// Copies the container address and the index list.
    GenericEnumeration& operator=(const GenericEnumeration&) = default;
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~GenericEnumeration() = default;

    /// The number of picked elements.
    unsigned size() const { return static_cast<unsigned>(indices_.size()); }
    /// Picked element i: (*base)[indices[i]], unchecked.
    const Item& operator[](unsigned i) const { return (*base_)[indices_[i]]; }

    /// Edit the index list; the container is not touched.
    void erase(unsigned i) { indices_.erase(indices_.begin() + i); }
    /// Inserts index into the index list before position pos.
    void insert(unsigned pos, Index index) { indices_.insert(indices_.begin() + pos, index); }

    /// An iterator at the first picked element.
    const_iterator begin() const { return const_iterator(this, 0); }
    /// An iterator past the last picked element.
    const_iterator end() const { return const_iterator(this, static_cast<int>(size())); }

    /// The container.
    const Base* base() const { return base_; }
    /// The index list.
    const std::vector<Index>& index() const { return indices_; }

    /// Same container and equal index lists.
    bool operator==(const GenericEnumeration& o) const { return base_ == o.base_ && indices_ == o.indices_; }
    /// Different container or index lists.
    bool operator!=(const GenericEnumeration& o) const { return !(*this == o); }
    /// Views of different containers are unordered; views of the same one
    /// compare their index lists lexicographically (a proper prefix is less).
    bool operator<(const GenericEnumeration& o) const { return base_ == o.base_ && indices_ < o.indices_; }

private:
    const Base* base_ = nullptr;
    std::vector<Index> indices_;
};

/// A writable view of the elements of `Base` at a list of positions.
template <class Item, class Base, class Index>
class ZELTMATH_API GenericSlice : public GenericEnumeration<Item, Base, Index> {
    using Enumeration = GenericEnumeration<Item, Base, Index>;

public:
    /// Writable random-access iterator over the picked elements.
    using iterator = GenericRandomIterator<Item, GenericSlice, Index, int>;
    /// Read-only iterator over the picked elements.
    using const_iterator = typename Enumeration::const_iterator;

    /// No container, no indices.
    GenericSlice() = default;
    /// A writable view of base at the given positions.
    GenericSlice(Base* base, const std::vector<Index>& indices) : Enumeration(base, indices), target_(base) {}
    /// A writable view of base at the positions of the range [first, last).
    GenericSlice(Base* base, const Index* first, const Index* last) : Enumeration(base, first, last), target_(base) {}
    /// A copy: the same container, a copy of the index list.
    GenericSlice(const GenericSlice&) = default;
    /// Copies the container address and the index list.
    GenericSlice& operator=(const GenericSlice&) = default;
    /// Virtual, so that derived objects are destroyed completely.
    ~GenericSlice() override = default;

    using Enumeration::operator[];
    /// Picked element i, writable: (*base)[indices[i]], unchecked.
    Item& operator[](unsigned i) { return (*target_)[this->index()[i]]; }

    /// Every picked element becomes a copy of `item`.
    GenericSlice& operator=(const Item& item)
    {
        for (unsigned i = 0; i < this->size(); ++i)
            (*this)[i] = item;
        return *this;
    }
    /// Picked element i becomes items[i], for i below the smaller of the two
    /// sizes; the remaining picked elements are left as they are.
    GenericSlice& operator=(const std::vector<Item>& items)
    {
        const std::size_t count = items.size() < this->size() ? items.size() : this->size();
        for (std::size_t i = 0; i < count; ++i)
            (*this)[static_cast<unsigned>(i)] = items[i];
        return *this;
    }

    /// A read-only iterator at the first picked element.
    using Enumeration::begin;
    /// A read-only iterator past the last picked element.
    using Enumeration::end;
    /// A writable iterator at the first picked element.
    iterator begin() { return iterator(this, 0); }
    /// A writable iterator past the last picked element.
    iterator end() { return iterator(this, static_cast<int>(this->size())); }

private:
    Base* target_ = nullptr;
};

} // namespace S2D

#endif
