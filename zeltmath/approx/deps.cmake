# lp_solve, the linear-programming engine behind SimplexSolve and
# ChebyshevApproaching.  Debian ships it as a static archive only; its
# position-independent build is linked into the shared library, and its
# symbols are kept out of the library's export table.  No public header
# includes lp_lib.h, so consumers of the shared library never link lp_solve
# themselves: it is a private dependency (listed for static pkg-config use).
find_path(LPSOLVE_INCLUDE_DIR lpsolve/lp_lib.h REQUIRED)
find_library(LPSOLVE_LIBRARY NAMES lpsolve55_pic lpsolve55 REQUIRED)
find_library(COLAMD_LIBRARY NAMES colamd REQUIRED)
set(ZELTMATH_LPSOLVE_LIBS ${LPSOLVE_LIBRARY} ${COLAMD_LIBRARY} ${CMAKE_DL_LIBS} m)

target_include_directories(zeltmath_obj SYSTEM PRIVATE ${LPSOLVE_INCLUDE_DIR})
target_link_libraries(zeltmath PRIVATE ${ZELTMATH_LPSOLVE_LIBS})
get_filename_component(ZELTMATH_LPSOLVE_ARCHIVE ${LPSOLVE_LIBRARY} NAME)
if(ZELTMATH_LPSOLVE_ARCHIVE MATCHES "\\.a$")
  target_link_options(zeltmath PRIVATE "LINKER:--exclude-libs,${ZELTMATH_LPSOLVE_ARCHIVE}")
endif()
target_link_libraries(zeltmath_testlib PUBLIC ${ZELTMATH_LPSOLVE_LIBS})

string(APPEND ZELTMATH_PC_LIBS_PRIVATE " -llpsolve55 -lcolamd -ldl -lm")
