# Boost.Geometry (header-only) is the peer that the point-in-polygon tests
# cross-check against; it is used by the tests only, never by the library.
find_package(Boost 1.71 REQUIRED)
target_link_libraries(test_s2d PRIVATE Boost::headers)
