# GSL's polynomial solver is the reference the root finder is checked against.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::ZELTMATH_GSL)
  pkg_check_modules(ZELTMATH_GSL REQUIRED IMPORTED_TARGET gsl)
endif()
target_link_libraries(test_complex PRIVATE PkgConfig::ZELTMATH_GSL)
