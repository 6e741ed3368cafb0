# Peers the s2d benchmarks compare with: Clipper (libpolyclipping-dev) and
# Boost.Geometry (header-only, libboost-dev).  Never linked into the library.
find_library(ZELTMATH_BENCH_POLYCLIPPING polyclipping REQUIRED)
find_package(Boost REQUIRED)
target_link_libraries(bench_s2d PRIVATE ${ZELTMATH_BENCH_POLYCLIPPING} Boost::headers)
