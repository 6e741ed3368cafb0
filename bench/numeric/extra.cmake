# Peers the transform is timed against: FFTW (double) and KissFFT (the Debian
# package ships the single-precision build only).
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::ZELTMATH_BENCH_FFTW3)
  pkg_check_modules(ZELTMATH_BENCH_FFTW3 REQUIRED IMPORTED_TARGET fftw3)
endif()
if(NOT TARGET PkgConfig::ZELTMATH_BENCH_KISSFFT)
  pkg_check_modules(ZELTMATH_BENCH_KISSFFT REQUIRED IMPORTED_TARGET kissfft-float)
endif()
target_link_libraries(bench_numeric PRIVATE PkgConfig::ZELTMATH_BENCH_FFTW3
                                            PkgConfig::ZELTMATH_BENCH_KISSFFT)
