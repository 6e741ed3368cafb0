# Peer libraries that the s2d tests use as black-box oracles; the library
# itself never links them.  Boost.Geometry (header-only) cross-checks the
# point-in-polygon tests, Clipper (libpolyclipping-dev) the Boolean engine.
find_package(Boost 1.71 REQUIRED)
find_library(ZELTMATH_POLYCLIPPING_LIB polyclipping REQUIRED)
foreach(t test_s2d test_s2d_internal)
  if(TARGET ${t})
    target_link_libraries(${t} PRIVATE Boost::headers ${ZELTMATH_POLYCLIPPING_LIB})
  endif()
endforeach()
# The literal reference sweep that the engine is compared with bit for bit.
if(TARGET test_s2d_internal)
  target_sources(test_s2d_internal PRIVATE ${CMAKE_CURRENT_LIST_DIR}/clip/reference_sweep.cpp)
endif()
