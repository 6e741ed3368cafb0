# The work the reentrancy tests run on several threads, one file per family.
target_sources(test_threads PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/planar_jobs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numeric_jobs.cpp)
