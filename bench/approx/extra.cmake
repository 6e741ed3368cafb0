# GLPK, the peer of the linear-programming benchmarks.
find_path(GLPK_INCLUDE_DIR glpk.h REQUIRED)
find_library(GLPK_LIBRARY NAMES glpk REQUIRED)
target_include_directories(bench_approx SYSTEM PRIVATE ${GLPK_INCLUDE_DIR})
target_link_libraries(bench_approx PRIVATE ${GLPK_LIBRARY})
