# GSL's polynomial solver is the peer the root finder is timed against.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::ZELTMATH_BENCH_GSL)
  pkg_check_modules(ZELTMATH_BENCH_GSL REQUIRED IMPORTED_TARGET gsl)
endif()
target_link_libraries(bench_complex PRIVATE PkgConfig::ZELTMATH_BENCH_GSL)
