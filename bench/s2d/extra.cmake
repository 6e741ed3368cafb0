# Peers of the s2d benchmarks: Boost.Geometry (header-only) for the polygon
# benchmarks; the Boolean engine's table (bench_clip) adds Clipper
# (libpolyclipping-dev) and GEOS (libgeos-dev, C API).  Never linked into the
# library.
find_package(Boost 1.71 REQUIRED)
find_library(ZELTMATH_BENCH_POLYCLIPPING polyclipping REQUIRED)
find_library(ZELTMATH_BENCH_GEOS_C geos_c REQUIRED)
target_link_libraries(bench_s2d PRIVATE Boost::headers)
add_executable(bench_clip ${CMAKE_CURRENT_LIST_DIR}/clip_table.cpp)
target_include_directories(bench_clip PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_clip PRIVATE zeltmath benchmark::benchmark Boost::headers
                      ${ZELTMATH_BENCH_POLYCLIPPING} ${ZELTMATH_BENCH_GEOS_C})
