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

// Lets threads start their work together.
class StartLine {
public:
    explicit StartLine(unsigned count) : left_(count) {}
    void ArriveAndWait()
    {
        std::unique_lock<std::mutex> lock(m_);
        if (--left_ == 0)
            cv_.notify_all();
        else
            cv_.wait(lock, [this] { return left_ == 0; });
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    unsigned left_;
};

// Runs every job of the list on seed t + 1 in each of `threads` threads at
// once, `rounds` times over, thread t starting at a different job so that
// different areas and the same area meet; the results, by thread, round and
// job, go to got[t][r * jobs + i].
std::vector<std::vector<std::string>> RunTogether(const std::vector<Job>& jobs, unsigned threads,
                                                  unsigned rounds)
{
    const std::size_t n = jobs.size();
    std::vector<std::vector<std::string>> got(threads, std::vector<std::string>(rounds * n));
    StartLine start(threads);
    std::vector<std::thread> running;
    for (unsigned t = 0; t < threads; ++t) {
        running.emplace_back([&, t] {
            start.ArriveAndWait();
            for (unsigned r = 0; r < rounds; ++r)
                for (std::size_t k = 0; k < n; ++k) {
                    const std::size_t i = (k + t * n / threads + r) % n;
                    got[t][r * n + i] = Record(jobs[i], t + 1);
                }
        });
    }
    for (std::thread& th : running)
        th.join();
    return got;
}

TEST(Reentrancy, EveryAreaOnSeveralThreadsAtOnceGivesTheBitsOfOneThread)
{
    std::vector<Job> jobs = PlanarJobs();
    for (const Job& j : NumericJobs())
        jobs.push_back(j);
    const std::vector<Job> serial = SerialJobs();
    constexpr unsigned kRounds = 2;

    std::vector<std::vector<std::string>> expected(kThreads), expectedSerial(1);
    for (unsigned t = 0; t < kThreads; ++t)
        for (const Job& job : jobs)
            expected[t].push_back(Record(job, t + 1));
    for (const Job& job : serial)
        expectedSerial[0].push_back(Record(job, 1));

    // The parts that must not run twice at once get one thread of their own,
    // beside the others.  No lock joins the threads: a lock would order their
    // accesses and hide races from ThreadSanitizer.
    std::vector<std::vector<std::string>> got, gotSerial;
    std::thread serialThread([&] { gotSerial = RunTogether(serial, 1, 4 * kRounds); });
    got = RunTogether(jobs, kThreads, kRounds);
    serialThread.join();

    auto compare = [](const std::vector<Job>& list, const std::vector<std::vector<std::string>>& want,
                      const std::vector<std::vector<std::string>>& have) {
        const std::size_t n = list.size();
        for (std::size_t t = 0; t < have.size(); ++t)
            for (std::size_t k = 0; k < have[t].size(); ++k) {
                const std::size_t i = k % n;
                EXPECT_FALSE(want[t][i].empty()) << list[i].name;
                EXPECT_TRUE(have[t][k] == want[t][i])
                    << list[i].name << ": thread " << t << ", round " << k / n
                    << " differs from the same work done on one thread";
            }
    };
    compare(jobs, expected, got);
    compare(serial, expectedSerial, gotSerial);
}

TEST(Reentrancy, GetPointAnswersInABufferOfEachThread)
{
    // Every thread converts its own point, waits until all have done so, and
    // still finds its own values; the buffers are distinct.
    std::vector<const tagPOINT*> buffers(kThreads, nullptr);
    std::vector<int> keptX(kThreads), keptY(kThreads);
    StartLine converted(kThreads);
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
