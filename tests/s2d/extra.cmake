# Peer libraries that the s2d tests use as black-box oracles; the library
# itself never links them.  Clipper (libpolyclipping-dev) cross-checks the
# Boolean engine.
find_library(ZELTMATH_POLYCLIPPING_LIB polyclipping REQUIRED)
foreach(t test_s2d test_s2d_internal)
  if(TARGET ${t})
    target_link_libraries(${t} PRIVATE ${ZELTMATH_POLYCLIPPING_LIB})
  endif()
endforeach()
