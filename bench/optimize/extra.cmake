# NLopt, the peer of the optimizer benchmarks.
find_path(NLOPT_INCLUDE_DIR nlopt.h REQUIRED)
find_library(NLOPT_LIBRARY NAMES nlopt REQUIRED)
target_include_directories(bench_optimize SYSTEM PRIVATE ${NLOPT_INCLUDE_DIR})
target_include_directories(bench_optimize PRIVATE ${PROJECT_SOURCE_DIR}/tests/optimize)
target_link_libraries(bench_optimize PRIVATE ${NLOPT_LIBRARY})
