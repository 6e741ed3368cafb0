# FFTW is the reference the transform is checked against.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::ZELTMATH_FFTW3)
  pkg_check_modules(ZELTMATH_FFTW3 REQUIRED IMPORTED_TARGET fftw3)
endif()
target_link_libraries(test_numeric PRIVATE PkgConfig::ZELTMATH_FFTW3)
