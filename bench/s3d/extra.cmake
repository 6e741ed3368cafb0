# Boost.QVM (header-only) is the peer for 4 x 4 matrix work.
find_package(Boost REQUIRED)
target_link_libraries(bench_s3d PRIVATE Boost::headers)
