#include <zeltmath/ann/ann.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

namespace {

static_assert(std::is_same<ANN::kd_tree, ANNkd_tree>::value, "kd_tree is ANN's own");
static_assert(std::is_same<ANN::bd_tree, ANNbd_tree>::value, "bd_tree is ANN's own");
static_assert(std::is_same<ANN::bruteForce, ANNbruteForce>::value, "bruteForce is ANN's own");
static_assert(std::is_same<ANN::sampStat, ANNsampStat>::value, "sampStat is ANN's own");
static_assert(std::is_base_of<ANN::pointSet, ANN::kd_tree>::value, "searchers share pointSet");
static_assert(std::is_base_of<ANN::pointSet, ANN::bd_tree>::value, "searchers share pointSet");
static_assert(std::is_base_of<ANN::pointSet, ANN::bruteForce>::value, "searchers share pointSet");

// Owns a block of ANN points.
struct Points {
    ANNpointArray pts;
    Points(int n, int dim) : pts(ANN::AllocPts(n, dim)) {}
    ~Points() { ANN::DeallocPts(pts); }
    Points(const Points&) = delete;
    Points& operator=(const Points&) = delete;
};

TEST(ANN, PointHelpers)
{
    ANNpoint p = ANN::AllocPt(3, 2.0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0] + p[1] + p[2], 6.0);
    ANNpoint q = ANN::AllocPt(3);
    EXPECT_EQ(q[0] + q[1] + q[2], 0.0);
    q[0] = 1;
    q[1] = -1;
    q[2] = 5;
    EXPECT_DOUBLE_EQ(ANN::Dist(3, p, q), 1 + 9 + 9);  // squared distance

    ANNpoint c = ANN::CopyPt(3, q);
    ASSERT_NE(c, q);
    EXPECT_EQ(c[2], 5);
    ANN::DeallocPt(c);
    EXPECT_EQ(c, nullptr);
    ANN::DeallocPt(p);
    ANN::DeallocPt(q);

    ANNpointArray block = ANN::AllocPts(4, 2);
    block[3][1] = 7;
    ANN::DeallocPts(block);
    EXPECT_EQ(block, nullptr);

    ANN::sampStat s;
    s += 1;
    s += 6;
    EXPECT_EQ(s.samples(), 2);
    EXPECT_EQ(s.max(), 6);

    // The free functions are ANN's own.
    EXPECT_EQ(&ANN::annMaxPtsVisit, &::annMaxPtsVisit);
    EXPECT_EQ(&ANN::annClose, &::annClose);
    EXPECT_EQ(&ANN::annResetStats, &::annResetStats);
    EXPECT_EQ(&ANN::annResetCounts, &::annResetCounts);
    EXPECT_EQ(&ANN::annUpdateStats, &::annUpdateStats);
    EXPECT_EQ(&ANN::annPrintStats, &::annPrintStats);
}

// The trees find exactly the neighbours of the exhaustive search.
TEST(ANN, TreesAgreeWithBruteForce)
{
    for (int dim : {2, 3, 5}) {
        const int n = 3000;
        const int queries = 300;
        const int k = 6;
        std::mt19937 gen(static_cast<unsigned>(dim));
        std::uniform_real_distribution<double> u(-100, 100);
        std::normal_distribution<double> cluster(0, 0.01);
        Points data(n, dim);
        for (int i = 0; i < n; ++i)
            for (int d = 0; d < dim; ++d)
                data.pts[i][d] = i % 3 ? u(gen) : cluster(gen);  // a dense cluster for the bd-tree
        Points query(queries, dim);
        for (int i = 0; i < queries; ++i)
            for (int d = 0; d < dim; ++d)
                query.pts[i][d] = i % 4 ? u(gen) : cluster(gen);

        ANN::bruteForce brute(data.pts, n, dim);
        std::vector<std::unique_ptr<ANN::pointSet>> trees;
        trees.emplace_back(new ANN::kd_tree(data.pts, n, dim));
        trees.emplace_back(new ANN::bd_tree(data.pts, n, dim, 1, ANN_KD_SUGGEST, ANN_BD_SUGGEST));
        trees.emplace_back(new ANN::bd_tree(data.pts, n, dim, 4, ANN_KD_SL_MIDPT, ANN_BD_CENTROID));
        for (const auto& tree : trees) {
            EXPECT_EQ(tree->nPoints(), n);
            EXPECT_EQ(tree->theDim(), dim);
        }

        std::vector<ANNidx> expectIdx(k), gotIdx(k);
        std::vector<ANNdist> expectDist(k), gotDist(k);
        for (int q = 0; q < queries; ++q) {
            brute.annkSearch(query.pts[q], k, expectIdx.data(), expectDist.data());
            // The exhaustive answer is right: sorted and matching Dist.
            for (int j = 0; j < k; ++j) {
                EXPECT_EQ(expectDist[j], ANN::Dist(dim, query.pts[q], data.pts[expectIdx[j]]));
                if (j > 0) {
                    EXPECT_LE(expectDist[j - 1], expectDist[j]);
                }
            }
            const double radius2 = expectDist[k - 1];
            const int inBall = brute.annkFRSearch(query.pts[q], radius2);
            for (std::size_t t = 0; t < trees.size(); ++t) {
                trees[t]->annkSearch(query.pts[q], k, gotIdx.data(), gotDist.data());
                EXPECT_EQ(gotIdx, expectIdx) << "dim " << dim << " tree " << t << " query " << q;
                EXPECT_EQ(gotDist, expectDist);
                EXPECT_EQ(trees[t]->annkFRSearch(query.pts[q], radius2), inBall);
            }
        }
        // With an error bound the answer may be approximate, but it stays
        // within (1 + eps) of the true distance.
        const double eps = 0.5;
        for (int q = 0; q < queries; ++q) {
            brute.annkSearch(query.pts[q], 1, expectIdx.data(), expectDist.data());
            trees[0]->annkSearch(query.pts[q], 1, gotIdx.data(), gotDist.data(), eps);
            EXPECT_LE(std::sqrt(gotDist[0]), (1 + eps) * std::sqrt(expectDist[0]) + 1e-12);
        }
    }
    ANN::annClose();
}

TEST(ANN, VisitLimitAndStatistics)
{
    const int n = 500;
    const int dim = 3;
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(0, 1);
    Points data(n, dim);
    for (int i = 0; i < n; ++i)
        for (int d = 0; d < dim; ++d)
            data.pts[i][d] = u(gen);
    ANNpoint q = ANN::AllocPt(dim, 0.5);
    ANNidx idx = -1;
    ANNdist dist = -1;
    {
        ANN::kd_tree tree(data.pts, n, dim);
        ANN::annResetStats(n);
        ANN::annResetCounts();
        ANN::annMaxPtsVisit(1);  // a search that may stop after one point
        tree.annkPriSearch(q, 1, &idx, &dist);
        ANN::annUpdateStats();
        EXPECT_GE(idx, 0);
        EXPECT_LT(idx, n);
        EXPECT_EQ(dist, ANN::Dist(dim, q, data.pts[idx]));
        ANN::annMaxPtsVisit(0);  // no limit again
        ANN::bruteForce brute(data.pts, n, dim);
        ANNidx exact = -1;
        ANNdist exactDist = -1;
        brute.annkSearch(q, 1, &exact, &exactDist);
        tree.annkSearch(q, 1, &idx, &dist);
        EXPECT_EQ(idx, exact);
    }
    ANN::DeallocPt(q);
    ANN::annClose();
}

} // namespace
