# GLPK is the peer that the simplex tests check statuses and optima against.
find_path(GLPK_INCLUDE_DIR glpk.h REQUIRED)
find_library(GLPK_LIBRARY NAMES glpk REQUIRED)
if(TARGET test_approx)
  target_include_directories(test_approx SYSTEM PRIVATE ${GLPK_INCLUDE_DIR})
  target_link_libraries(test_approx PRIVATE ${GLPK_LIBRARY})
endif()
