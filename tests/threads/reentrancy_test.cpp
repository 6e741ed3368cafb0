// The library is reentrant: every area runs from several threads at once on
// separate objects and gives, on each thread, exactly the bits that the same
// computation gives on one thread alone.  The exceptions the library
// documents are respected: the Fourier transform (process-wide work arrays)
// and ANN (process-wide search state) run on one thread of their own while
// the others work; a poly-polygon is shared only after its containment order
// has been filled.
//
// The ThreadSanitizer build (scripts/test.sh --tsan) runs these tests too,
// and reports any unsynchronised access that the comparisons miss.

#include "digest.h"

#include <zeltmath/s2d/matrix.h>
#include <zeltmath/s2d/point.h>
#include <zeltmath/s2d/poly_polygon.h>
#include <zeltmath/s2d/polygon.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace threadtest {
namespace {

constexpr unsigned kThreads = 4;

std::string Record(const Job& job, unsigned seed)
{
    Digest d;
    job.run(seed, d);
    return d.Bytes();
}

// Lets a group of threads wait for each other, as often as needed.
class Barrier {
public:
    explicit Barrier(unsigned count) : count_(count), left_(count) {}
    void ArriveAndWait()
    {
        std::unique_lock<std::mutex> lock(m_);
        const unsigned generation = generation_;
        if (--left_ == 0) {
            left_ = count_;
            ++generation_;
            cv_.notify_all();
        } else {
            cv_.wait(lock, [this, generation] { return generation_ != generation; });
        }
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    const unsigned count_;
    unsigned left_;
    unsigned generation_ = 0;
};

using Digests = std::vector<std::vector<std::string>>;  // [seed - 1][job]

Digests OnOneThread(const std::vector<Job>& jobs, unsigned seeds)
{
    Digests d(seeds);
    for (unsigned t = 0; t < seeds; ++t)
        for (const Job& job : jobs)
            d[t].push_back(Record(job, t + 1));
    return d;
}

// Runs the jobs on `threads` threads at once, thread t on seed t + 1, and
// returns per thread and job the number of runs whose digest differs from
// expected[t][job].  First each job alone on every thread at once, `repeats`
// times (the threads wait for each other between jobs), so that each area
// meets itself on other data; then all jobs in a row without waiting, even
// threads from the first job, odd ones from half-way, so that the areas meet
// each other.  Nothing else joins the threads: a lock would order their
// accesses and hide races from ThreadSanitizer.
std::vector<std::vector<int>> Mismatches(const std::vector<Job>& jobs, const Digests& expected,
                                         unsigned threads, unsigned repeats)
{
    const std::size_t n = jobs.size();
    std::vector<std::vector<int>> bad(threads, std::vector<int>(n, 0));
    Barrier barrier(threads);
    std::vector<std::thread> running;
    for (unsigned t = 0; t < threads; ++t) {
        running.emplace_back([&, t] {
            auto run = [&](std::size_t i) {
                if (Record(jobs[i], t + 1) != expected[t][i])
                    ++bad[t][i];
            };
            for (std::size_t i = 0; i < n; ++i) {
                barrier.ArriveAndWait();
                for (unsigned r = 0; r < repeats; ++r)
                    run(i);
            }
            barrier.ArriveAndWait();
            for (unsigned r = 0; r < repeats; ++r)
                for (std::size_t k = 0; k < n; ++k)
                    run((k + (t % 2) * n / 2) % n);
        });
    }
    for (std::thread& th : running)
        th.join();
    return bad;
}

TEST(Reentrancy, EveryAreaOnSeveralThreadsAtOnceGivesTheBitsOfOneThread)
{
    std::vector<Job> jobs = PlanarJobs();
    for (const Job& j : NumericJobs())
        jobs.push_back(j);
    const std::vector<Job> serial = SerialJobs();
    constexpr unsigned kRepeats = 4;
    const Digests expected = OnOneThread(jobs, kThreads);
    const Digests expectedSerial = OnOneThread(serial, 1);

    // The parts that must not run twice at once run on one thread of their
    // own while the others work.
    std::vector<std::vector<int>> bad, badSerial;
    std::thread serialThread([&] { badSerial = Mismatches(serial, expectedSerial, 1, 8 * kRepeats); });
    bad = Mismatches(jobs, expected, kThreads, kRepeats);
    serialThread.join();

    auto check = [](const std::vector<Job>& list, const Digests& want,
                    const std::vector<std::vector<int>>& counts) {
        for (std::size_t t = 0; t < counts.size(); ++t)
            for (std::size_t i = 0; i < list.size(); ++i) {
                EXPECT_FALSE(want[t][i].empty()) << list[i].name;
                EXPECT_EQ(counts[t][i], 0) << list[i].name << ": runs on thread " << t
                                           << " that differ from the same work done on one thread";
            }
    };
    check(jobs, expected, bad);
    check(serial, expectedSerial, badSerial);
}

TEST(Reentrancy, GetPointAnswersInABufferOfEachThread)
{
    // Every thread converts its own point, waits until all have done so, and
    // still finds its own values; the buffers are distinct.
    std::vector<const tagPOINT*> buffers(kThreads, nullptr);
    std::vector<int> keptX(kThreads), keptY(kThreads);
    Barrier converted(kThreads);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const S2D::Point p(t * 10.0 + 0.4, -2.5 - t);  // rounds to (10t, -3 - t)
            const tagPOINT& r = p.GetPoint();
            buffers[t] = &r;
            converted.ArriveAndWait();
            keptX[t] = r.x;
            keptY[t] = r.y;
        });
    }
    for (std::thread& th : threads)
        th.join();
    for (unsigned t = 0; t < kThreads; ++t) {
        EXPECT_EQ(keptX[t], static_cast<int>(t * 10));
        EXPECT_EQ(keptY[t], -3 - static_cast<int>(t));
        for (unsigned u = 0; u < t; ++u)
            EXPECT_NE(buffers[t], buffers[u]);
    }
}

TEST(Reentrancy, SharedObjectsAreReadByAllThreadsOnceTheirCachesAreFilled)
{
    // A region read by every thread: its containment order is filled first,
    // on this thread, because the const query would otherwise fill it.
    S2D::PolyPolygon region(S2D::Polygon(std::vector<S2D::Point>{{0, 0}, {12, 0}, {12, 12}, {0, 12}}));
    region.AddPolygon(S2D::Polygon(std::vector<S2D::Point>{{3, 3}, {9, 3}, {9, 9}, {3, 9}}), 1);
    region.AddPolygon(S2D::Polygon(std::vector<S2D::Point>{{5, 5}, {7, 5}, {6, 8}}), 0);
    region.CheckOrder();
    const S2D::Matrix m = S2D::Matrix::Rotate(0.3) * S2D::Matrix::Move(1, 2);

    auto probe = [&region, &m](std::string& out) {
        Digest d;
        for (int i = -4; i < 60; ++i)
            for (int j = -4; j < 60; ++j) {
                const S2D::Point p = m.Transform(S2D::Point(i * 0.25, j * 0.25));
                unsigned index = 99;
                d.Put(region.CheckIn(p, 1, 1e-9, 1, &index));
                d.Put(index);
                d.Put(region.Polygons()[0].CheckIn(p, 0, 1e-9, 1));
            }
        out = d.Bytes();
    };
    std::string expected;
    probe(expected);
    std::vector<std::string> got(kThreads);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < kThreads; ++t)
        threads.emplace_back(probe, std::ref(got[t]));
    for (std::thread& th : threads)
        th.join();
    for (unsigned t = 0; t < kThreads; ++t)
        EXPECT_TRUE(got[t] == expected) << "thread " << t;
}

} // namespace
} // namespace threadtest
