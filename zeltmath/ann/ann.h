#ifndef ZELTMATH_ANN_ANN_H
#define ZELTMATH_ANN_ANN_H
/// \file
/// Approximate nearest-neighbour search, taken whole from the ANN library
/// (libann) and offered under the namespace ANN.  Nothing here is
/// reimplemented: the names below are the library's own classes and functions
/// under shorter names, so trees, points and statistics behave exactly as ANN
/// documents them.  The point and index types (ANNpoint, ANNpointArray,
/// ANNidxArray, ANNdistArray, ANNdist, ANNcoord), the split and shrink rules
/// and the other ANN declarations come with <ANN/ANN.h>.

// Approximate nearest-neighbour search, taken whole from the ANN library
// (libann) and offered under the namespace ANN.  Nothing here is
// reimplemented: the names below are the library's own classes and functions
// under shorter names, so trees, points and statistics behave exactly as ANN
// documents them.  The point and index types (ANNpoint, ANNpointArray,
// ANNidxArray, ANNdistArray, ANNdist, ANNcoord), the split and shrink rules
// and the other ANN declarations come with <ANN/ANN.h>.
//
// Threads: ANN is not reentrant.  A search keeps its query, the tree's point
// array and the result heap in process-wide variables of the ANN library, and
// every kd- and bd-tree shares one static empty leaf that the first tree
// creates and annClose() deletes.  So no two threads may build, search or
// destroy trees at the same time, even distinct ones; serialise every use of
// ANN (one lock around all of it, or one thread).
//
// Programs that include this header compile and link against ANN as well;
// the CMake package (ZELTMath::zeltmath) and the pkg-config file carry that
// dependency.
//
//   ANNpointArray pts = ANN::AllocPts(n, 3);        // fill pts[i][0..2]
//   ANN::kd_tree tree(pts, n, 3);
//   ANNidx nn; ANNdist d2;                          // squared distance
//   tree.annkSearch(query, 1, &nn, &d2);
//   ANN::DeallocPts(pts);                           // after the tree is gone

#include <ANN/ANN.h>
#include <ANN/ANNperf.h>

/// Approximate nearest-neighbour search from the ANN library, under shorter names.
namespace ANN {

/// The common interface of the searchers: annkSearch, annkFRSearch, theDim,
/// nPoints, thePoints.
using pointSet = ::ANNpointSet;
/// The kd-tree searcher.
using kd_tree = ::ANNkd_tree;
/// The box-decomposition (bd) tree searcher.
using bd_tree = ::ANNbd_tree;
/// The brute-force searcher, which compares the query with every point.
using bruteForce = ::ANNbruteForce;
/// Running sample statistics (count, mean, deviation, minimum, maximum).
using sampStat = ::ANNsampStat;

/// Squared Euclidean distance of two points of dimension dim.
inline ANNdist Dist(int dim, ANNpoint p, ANNpoint q)
{
    return ::annDist(dim, p, q);
}

/// A point of dimension dim with every coordinate c.
inline ANNpoint AllocPt(int dim, ANNcoord c = 0)
{
    return ::annAllocPt(dim, c);
}

/// n points of dimension dim in one block.
inline ANNpointArray AllocPts(int n, int dim)
{
    return ::annAllocPts(n, dim);
}

/// Frees the point and sets p to null.
inline void DeallocPt(ANNpoint& p)
{
    ::annDeallocPt(p);
}

/// Frees a block from AllocPts and sets pa to null.
inline void DeallocPts(ANNpointArray& pa)
{
    ::annDeallocPts(pa);
}

/// A new copy of a point of dimension dim.
inline ANNpoint CopyPt(int dim, ANNpoint source)
{
    return ::annCopyPt(dim, source);
}

/// Limit on the points a search visits, and the release of ANN's static data.
using ::annMaxPtsVisit;
using ::annClose;
/// Search statistics.
using ::annResetStats;
using ::annResetCounts;
using ::annUpdateStats;
using ::annPrintStats;

} // namespace ANN

#endif
