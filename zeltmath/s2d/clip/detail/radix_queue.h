#ifndef ZELTMATH_S2D_CLIP_DETAIL_RADIX_QUEUE_H
#define ZELTMATH_S2D_CLIP_DETAIL_RADIX_QUEUE_H

// A min-queue of records keyed by their height `y`, for keys that never go
// below the last key taken out, as in a sweep upwards: the edge tops and
// the pair checks of the beams that visit only their changes.
//
// A radix heap.  Heights map to unsigned integers of the same order
// (OrderKey).  Bucket 0 holds the records whose key equals `last_`, the
// last key taken out; bucket b > 0 those whose key first differs from it
// in bit b - 1, so that every key of bucket b is below every key of bucket
// b + 1.  A push only files the record, and taking out the least key
// refiles the first bucket that is not empty against its least key, which
// sends every record to a lower bucket; so a record is refiled at most 64
// times, about a dozen in a dense sweep.  That costs about as many
// instructions as a binary heap, whose records move along a path as long as
// the logarithm of its size, but without a branch that cannot be predicted
// at each step of the path.
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

template <class T>
class RadixQueue {
public:
    bool Empty() const { return occupied_ == 0 && !highUsed_; }

    void Clear()
    {
        if (buckets_)
            for (int i = 0; i < kBuckets; ++i)
                buckets_[i].items.clear();
        occupied_ = 0;
        highUsed_ = false;
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
    double MinY() const { return buckets_[First()].minY; }

    // Takes out a record of the least key.  No key below it may be pushed
    // afterwards.
    T PopMin()
    {
        if (!(occupied_ & 1))
            Refile();
        Bucket& b = buckets_[0];
        const T item = b.items.back();
        b.items.pop_back();
        if (b.items.empty())
            occupied_ &= ~std::uint64_t(1);
        return item;
    }

private:
    struct Bucket {
        std::vector<T> items;
        std::uint64_t minKey = 0;
        double minY = 0;   // the height of a record of key minKey
    };

    static int BucketOf(std::uint64_t key, std::uint64_t last)
    {
        return key == last ? 0 : 64 - __builtin_clzll(key ^ last);
    }

    // The first bucket that holds a record (the queue not empty).
    int First() const { return occupied_ ? __builtin_ctzll(occupied_) : 64; }

    bool Used(int i) const { return i < 64 ? (occupied_ >> i) & 1 : highUsed_; }

    void SetUsed(int i, bool used)
    {
        if (i == 64)
            highUsed_ = used;
        else if (used)
            occupied_ |= std::uint64_t(1) << i;
        else
            occupied_ &= ~(std::uint64_t(1) << i);
    }

    void File(const T& item, std::uint64_t key)
    {
        const int i = BucketOf(key, last_);
        Bucket& b = buckets_[i];
        if (!Used(i) || key < b.minKey) {
            b.minKey = key;
            b.minY = item.y;
            SetUsed(i, true);
        }
        b.items.push_back(item);
    }

    // Makes the least key the last one taken out and refiles the first
    // bucket that is not empty against it (bucket 0 is empty).  Its records
    // all share the bits above bit i - 1 with the new last key and so land
    // in buckets below i.
    void Refile()
    {
        const int i = First();
        Bucket& from = buckets_[i];
        last_ = from.minKey;
        SetUsed(i, false);
        for (const T& item : from.items)
            File(item, OrderKey(item.y));
        from.items.clear();
    }

    // Buckets 0 to 63 are told apart by the bits of occupied_; bucket 64,
    // for keys on the other side of 2^63 from the last key, by highUsed_.
    // Made at the first record: most runs never fill a queue.
    static constexpr int kBuckets = 65;
    std::unique_ptr<Bucket[]> buckets_;
    std::uint64_t occupied_ = 0;
    bool highUsed_ = false;
    std::uint64_t last_ = 0;
};

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
