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
class GenericInputIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = Item;
    using difference_type = Distance;
    using pointer = const Item*;
    using reference = const Item&;

    GenericInputIterator() = default;
    GenericInputIterator(const Container* view, Distance position) : view_(view), pos_(position) {}

    reference operator*() const { return (*view_)[static_cast<unsigned>(pos_)]; }
    pointer operator->() const { return &**this; }
    GenericInputIterator& operator++() { ++pos_; return *this; }
    GenericInputIterator operator++(int) { GenericInputIterator old(*this); ++pos_; return old; }
    bool operator==(const GenericInputIterator& o) const { return view_ == o.view_ && pos_ == o.pos_; }
    bool operator!=(const GenericInputIterator& o) const { return !(*this == o); }

    Distance position() const { return pos_; }

private:
    const Container* view_ = nullptr;
    Distance pos_ = 0;
};

template <class Item, class Container, class Index, class Distance = int>
class GenericRandomIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = Item;
    using difference_type = Distance;
    using pointer = Item*;
    using reference = Item&;

    GenericRandomIterator() = default;
    GenericRandomIterator(Container* view, Distance position) : view_(view), pos_(position) {}

    reference operator*() const { return (*view_)[static_cast<unsigned>(pos_)]; }
    pointer operator->() const { return &**this; }
    reference operator[](Distance n) const { return (*view_)[static_cast<unsigned>(pos_ + n)]; }

    GenericRandomIterator& operator++() { ++pos_; return *this; }
    GenericRandomIterator operator++(int) { GenericRandomIterator old(*this); ++pos_; return old; }
    GenericRandomIterator& operator--() { --pos_; return *this; }
    GenericRandomIterator operator--(int) { GenericRandomIterator old(*this); --pos_; return old; }
    GenericRandomIterator& operator+=(Distance n) { pos_ += n; return *this; }
    GenericRandomIterator& operator-=(Distance n) { pos_ -= n; return *this; }
    GenericRandomIterator operator+(Distance n) const { return GenericRandomIterator(view_, pos_ + n); }
    friend GenericRandomIterator operator+(Distance n, const GenericRandomIterator& it) { return it + n; }
    GenericRandomIterator operator-(Distance n) const { return GenericRandomIterator(view_, pos_ - n); }
    Distance operator-(const GenericRandomIterator& o) const { return pos_ - o.pos_; }

    bool operator==(const GenericRandomIterator& o) const { return view_ == o.view_ && pos_ == o.pos_; }
    bool operator!=(const GenericRandomIterator& o) const { return !(*this == o); }
    bool operator<(const GenericRandomIterator& o) const { return pos_ < o.pos_; }
    bool operator>(const GenericRandomIterator& o) const { return pos_ > o.pos_; }
    bool operator<=(const GenericRandomIterator& o) const { return pos_ <= o.pos_; }
    bool operator>=(const GenericRandomIterator& o) const { return pos_ >= o.pos_; }

    Distance position() const { return pos_; }

private:
    Container* view_ = nullptr;
    Distance pos_ = 0;
};

/// A read-only view of the elements of `Base` at a list of positions.
template <class Item, class Base, class Index>
class ZELTMATH_API GenericEnumeration {
public:
    using const_iterator = GenericInputIterator<Item, GenericEnumeration, Index, int>;
    using iterator = const_iterator;

    /// No container, no indices.
    GenericEnumeration() = default;
    GenericEnumeration(const Base* base, const std::vector<Index>& indices) : base_(base), indices_(indices) {}
    /// The indices of the range [first, last).
    GenericEnumeration(const Base* base, const Index* first, const Index* last)
        : base_(base), indices_(first, last) {}
    GenericEnumeration(const GenericEnumeration&) = default;
    GenericEnumeration& operator=(const GenericEnumeration&) = default;
    virtual ~GenericEnumeration() = default;

    unsigned size() const { return static_cast<unsigned>(indices_.size()); }
    const Item& operator[](unsigned i) const { return (*base_)[indices_[i]]; }

    /// Edit the index list; the container is not touched.
    void erase(unsigned i) { indices_.erase(indices_.begin() + i); }
    void insert(unsigned pos, Index index) { indices_.insert(indices_.begin() + pos, index); }

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, static_cast<int>(size())); }

    const Base* base() const { return base_; }
    const std::vector<Index>& index() const { return indices_; }

    /// Same container and equal index lists.
    bool operator==(const GenericEnumeration& o) const { return base_ == o.base_ && indices_ == o.indices_; }
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
    using iterator = GenericRandomIterator<Item, GenericSlice, Index, int>;
    using const_iterator = typename Enumeration::const_iterator;

    GenericSlice() = default;
    GenericSlice(Base* base, const std::vector<Index>& indices) : Enumeration(base, indices), target_(base) {}
    GenericSlice(Base* base, const Index* first, const Index* last) : Enumeration(base, first, last), target_(base) {}
    GenericSlice(const GenericSlice&) = default;
    GenericSlice& operator=(const GenericSlice&) = default;
    ~GenericSlice() override = default;

    using Enumeration::operator[];
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

    using Enumeration::begin;
    using Enumeration::end;
    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, static_cast<int>(this->size())); }

private:
    Base* target_ = nullptr;
};

} // namespace S2D

#endif
