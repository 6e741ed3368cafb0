#ifndef ZELTMATH_S2D_CLIP_DETAIL_RADIX_QUEUE_H
#define ZELTMATH_S2D_CLIP_DETAIL_RADIX_QUEUE_H

// A min-queue of records keyed by their height `y`, for keys that never go
// below the last key taken out, as in a sweep upwards: the edge tops and
// the pair checks of the beams that visit only their changes.
//
// A radix heap.  Heights map to unsigned integers of the same order
// (OrderKey).  The records whose key equals `last_`, the last key taken
// out, wait in `equal_`; bucket b holds those whose key first differs from
// it in bit b, so that every key of bucket b is below every key of bucket
// b + 1.  A push only files the record, and taking out the least key
// refiles the first bucket that is not empty against its least key, which
// sends every record to a lower bucket or to equal_; so a record is refiled
// at most 64 times, about a dozen in a dense sweep.  That costs about as
// many instructions as a binary heap, whose records move along a path as
// long as the logarithm of its size, but without a branch that cannot be
// predicted at each step of the path.
//
// Records of equal keys leave in any order.  The minimum is read without
// taking it out, so a sweep may look at the next height and then push
// lower keys, as long as they are not below the last key taken out.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace S2D {
namespace clip {
namespace detail {

// The bits of height y as an unsigned integer whose order is that of the
// heights; both zeros map to one key.  Not for NaN.
inline std::uint64_t OrderKey(double y)
{
    y += 0.0;   // -0.0 becomes +0.0
    std::uint64_t u;
    std::memcpy(&u, &y, sizeof u);
    return (u >> 63) ? ~u : u | (std::uint64_t(1) << 63);
}

// The height whose key OrderKey gives.
inline double FromOrderKey(std::uint64_t key)
{
    const std::uint64_t u = (key >> 63) ? key & ~(std::uint64_t(1) << 63) : ~key;
    double y;
    std::memcpy(&y, &u, sizeof y);
    return y;
}

template <class T>
class RadixQueue {
public:
    bool Empty() const { return equal_.empty() && occupied_ == 0; }

    void Clear()
    {
        equal_.clear();
        for (std::uint64_t m = occupied_; m; m &= m - 1)
            buckets_[__builtin_ctzll(m)].items.clear();
        occupied_ = 0;
        last_ = 0;
    }

    // Files a record; its key must not be below the last key taken out.
    template <class... Args>
    void Emplace(Args&&... args)
    {
        const T item(static_cast<Args&&>(args)...);
        if (!buckets_)
            buckets_.reset(new Bucket[kBuckets]);
        File(item, OrderKey(item.y));
    }

    // The least height in the queue, which must not be empty.
    double MinY() const { return equal_.empty() ? buckets_[__builtin_ctzll(occupied_)].minY : equal_.back().y; }

    // Takes out a record of the least key.  No key below it may be pushed
    // afterwards.
    T PopMin()
    {
        if (equal_.empty())
            Refile();
        const T item = equal_.back();
        equal_.pop_back();
        return item;
    }

private:
    struct Bucket {
        std::vector<T> items;
        std::uint64_t minKey = 0;
        double minY = 0;   // the height of a record of key minKey
    };

    void File(const T& item, std::uint64_t key)
    {
        if (key == last_) {
            equal_.push_back(item);
            return;
        }
        const int i = 63 - __builtin_clzll(key ^ last_);
        Bucket& b = buckets_[i];
        const std::uint64_t bit = std::uint64_t(1) << i;
        if (!(occupied_ & bit) || key < b.minKey) {
            b.minKey = key;
            b.minY = item.y;
            occupied_ |= bit;
        }
        b.items.push_back(item);
    }

    // Makes the least key the last one taken out and refiles the first
    // bucket that is not empty against it (equal_ is empty).  Its records
    // all share the bits above bit i with the new last key and so land in
    // equal_ or in buckets below i.
    void Refile()
    {
        const int i = __builtin_ctzll(occupied_);
        Bucket& from = buckets_[i];
        last_ = from.minKey;
        occupied_ &= ~(std::uint64_t(1) << i);
        for (const T& item : from.items)
            File(item, OrderKey(item.y));
        from.items.clear();
    }

    // Made at the first record: most runs never fill a queue.
    static constexpr int kBuckets = 64;
    std::unique_ptr<Bucket[]> buckets_;
    std::vector<T> equal_;
    std::uint64_t occupied_ = 0;   // bit b: bucket b holds a record
    std::uint64_t last_ = 0;
};

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
