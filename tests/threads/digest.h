// The record of everything a job computed, as raw bytes, so that two runs
// compare bit for bit (NaNs and signed zeros included).
#ifndef ZELTMATH_TESTS_THREADS_DIGEST_H
#define ZELTMATH_TESTS_THREADS_DIGEST_H

#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s3d/point.h>

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace threadtest {

class Digest {
public:
    template <typename T>
    typename std::enable_if<std::is_arithmetic<T>::value>::type Put(T v)
    {
        char raw[sizeof(T)];
        std::memcpy(raw, &v, sizeof(T));
        bytes_.append(raw, sizeof(T));
    }
    void Put(const char* text)
    {
        const std::string s = text ? text : "<null>";
        Put(s.size());
        bytes_ += s;
    }
    void Put(const S2D::Point& p)
    {
        Put(p.x);
        Put(p.y);
    }
    void Put(const S3D::Point& p)
    {
        Put(p.x);
        Put(p.y);
        Put(p.z);
    }
    void Put(const S2D::Polyline& ring)
    {
        Put(ring.Size());
        for (unsigned i = 0; i < ring.Size(); ++i)
            Put(ring[i]);
    }
    void Put(const S2D::PolyPolygon& region)
    {
        Put(region.Size());
        for (const S2D::Polygon& ring : region.Polygons())
            Put(ring);
        for (unsigned i : region.InnerNdxs())
            Put(i);
        Put(-1);
        for (unsigned i : region.OuterNdxs())
            Put(i);
    }
    template <typename T>
    void Put(const std::vector<T>& values)
    {
        Put(values.size());
        for (const T& v : values)
            Put(v);
    }

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// One piece of work: deterministic in its seed, on objects of its own.
struct Job {
    const char* name;
    void (*run)(unsigned seed, Digest& out);
};

// Jobs that may run on any number of threads at once.
std::vector<Job> PlanarJobs();
std::vector<Job> NumericJobs();
// Jobs the library documents as not reentrant (process-wide state); callers
// run them one at a time, which the tests do under a lock.
std::vector<Job> SerialJobs();

} // namespace threadtest

#endif
