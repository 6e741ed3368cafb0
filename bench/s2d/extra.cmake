# Peers of the s2d benchmarks: Boost.Geometry (header-only) for the polygon
# and Boolean benchmarks, Clipper (libpolyclipping-dev) for the Boolean ones.
# Never linked into the library.
find_package(Boost 1.71 REQUIRED)
find_library(ZELTMATH_BENCH_POLYCLIPPING polyclipping REQUIRED)
target_link_libraries(bench_s2d PRIVATE Boost::headers ${ZELTMATH_BENCH_POLYCLIPPING})
