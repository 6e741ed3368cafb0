# Boost.Geometry (header-only) is the peer of the polygon benchmarks.
find_package(Boost 1.71 REQUIRED)
target_link_libraries(bench_s2d PRIVATE Boost::headers)
