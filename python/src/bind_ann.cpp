// Nearest neighbours through ANN's kd-tree.
#include "arrays.h"
#include "bindings.h"

#include <zeltmath/ann/ann.h>

#include <climits>
#include <cmath>
#include <memory>

namespace zpy {

namespace {

// A kd-tree over its own copy of the points (ANN keeps a pointer to them).
class KDTree {
public:
    explicit KDTree(py::object points)
    {
        Array a = ToArray(points, "points");
        if (a.ndim() != 2 || a.shape(0) == 0 || a.shape(1) == 0)
            throw py::value_error("points must be an (n, d) array with n >= 1 and d >= 1");
        if (a.shape(0) > INT_MAX || a.shape(1) > INT_MAX)
            throw py::value_error("too many points");
        RequireFinite(a, "points");
        n_ = static_cast<int>(a.shape(0));
        dim_ = static_cast<int>(a.shape(1));
        points_ = ANN::AllocPts(n_, dim_);
        std::copy(a.data(), a.data() + a.size(), points_[0]);
        tree_ = std::make_unique<ANN::kd_tree>(points_, n_, dim_);
    }
    KDTree(const KDTree&) = delete;
    KDTree& operator=(const KDTree&) = delete;
    ~KDTree()
    {
        tree_.reset();
        ANN::DeallocPts(points_);
    }

    // ANN searches through process-wide state, so queries keep the GIL.
    py::tuple Query(py::object points, int k)
    {
        if (k < 1 || k > n_)
            throw py::value_error("k must lie between 1 and the number of points (" + std::to_string(n_) + ")");
        Array q = ToArray(points, "points");
        const bool single = q.ndim() == 1 && q.shape(0) == dim_;
        if (!single)
            q = ToPoints(points, dim_, "points (a point or an (m, " + std::to_string(dim_) + ") array)");
        RequireFinite(q, "points");
        const py::ssize_t m = single ? 1 : q.shape(0);
        py::array_t<double> dist(std::vector<py::ssize_t>{m, k});
        py::array_t<py::ssize_t> index(std::vector<py::ssize_t>{m, k});
        std::vector<double> query(static_cast<std::size_t>(dim_));
        std::vector<ANNidx> nn(static_cast<std::size_t>(k));
        std::vector<ANNdist> d2(static_cast<std::size_t>(k));
        for (py::ssize_t i = 0; i < m; ++i) {
            std::copy(q.data() + i * dim_, q.data() + (i + 1) * dim_, query.begin());
            tree_->annkSearch(query.data(), k, nn.data(), d2.data(), 0.0);
            for (int j = 0; j < k; ++j) {
                dist.mutable_at(i, j) = std::sqrt(d2[static_cast<std::size_t>(j)]);
                index.mutable_at(i, j) = nn[static_cast<std::size_t>(j)];
            }
        }
        py::object d = dist, ix = index;
        if (k == 1) {
            d = dist.attr("reshape")(m);
            ix = index.attr("reshape")(m);
        }
        if (single) {
            d = d[py::int_(0)];
            ix = ix[py::int_(0)];
        }
        return py::make_tuple(d, ix);
    }

    int n_ = 0;
    int dim_ = 0;

private:
    ANNpointArray points_ = nullptr;
    std::unique_ptr<ANN::kd_tree> tree_;
};

} // namespace

void BindAnn(py::module_& m)
{
    py::class_<KDTree>(m, "KDTree", "Exact nearest-neighbour search in a kd-tree (the ANN library).")
        .def(py::init<py::object>(), py::arg("points"), "KDTree(points): a tree over an (n, d) array (copied).")
        .def("query", &KDTree::Query, py::arg("points"), py::arg("k") = 1,
             "The k nearest points of each query point: (distances, indices), nearest first.  For "
             "an (m, d) query the arrays have shape (m, k), or (m,) when k = 1; a single point "
             "drops the first axis.")
        .def_property_readonly("n", [](const KDTree& t) { return t.n_; }, "The number of points.")
        .def_property_readonly("dim", [](const KDTree& t) { return t.dim_; }, "The dimension of the points.");
}

} // namespace zpy
