# NLopt is the peer the optimizer's results and evaluation counts are
# compared with.
find_path(NLOPT_INCLUDE_DIR nlopt.h REQUIRED)
find_library(NLOPT_LIBRARY NAMES nlopt REQUIRED)
if(TARGET test_optimize)
  target_include_directories(test_optimize SYSTEM PRIVATE ${NLOPT_INCLUDE_DIR})
  target_link_libraries(test_optimize PRIVATE ${NLOPT_LIBRARY})
endif()
