# ANN, the approximate nearest-neighbour library behind zeltmath/ann/ann.h.
# That public header includes <ANN/ANN.h>, so ANN is a public dependency:
# consumers compile against its header and link its library.  ANN ships no
# CMake package of its own, so it is wrapped in the imported target ANN::ANN
# here, and the installed ZELTMathConfig.cmake defines the same target again
# (unless the consumer already has one) before it loads ZELTMath::zeltmath.
find_path(ZELTMATH_ANN_INCLUDE_DIR ANN/ANN.h)
find_library(ZELTMATH_ANN_LIBRARY NAMES ann ANN)
if(NOT ZELTMATH_ANN_INCLUDE_DIR OR NOT ZELTMATH_ANN_LIBRARY)
  message(FATAL_ERROR "The ANN library was not found (Debian package libann-dev).")
endif()
if(NOT TARGET ANN::ANN)
  add_library(ANN::ANN UNKNOWN IMPORTED)
  set_target_properties(ANN::ANN PROPERTIES
    IMPORTED_LOCATION "${ZELTMATH_ANN_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${ZELTMATH_ANN_INCLUDE_DIR}")
endif()
target_link_libraries(zeltmath_obj PUBLIC ANN::ANN)
target_link_libraries(zeltmath PUBLIC ANN::ANN)
target_link_libraries(zeltmath_testlib PUBLIC ANN::ANN)

# pkg-config: -lann (the name of the file found), with its folder when the
# linker does not search there by itself.
get_filename_component(_zeltmath_ann_dir "${ZELTMATH_ANN_LIBRARY}" DIRECTORY)
get_filename_component(_zeltmath_ann_name "${ZELTMATH_ANN_LIBRARY}" NAME_WE)
string(REGEX REPLACE "^lib" "" _zeltmath_ann_name "${_zeltmath_ann_name}")
if(NOT _zeltmath_ann_dir IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
  string(APPEND ZELTMATH_PC_LIBS " -L${_zeltmath_ann_dir}")
endif()
string(APPEND ZELTMATH_PC_LIBS " -l${_zeltmath_ann_name}")

# find_package(ZELTMath): look ANN up where it was found at build time first,
# then in the usual places.
get_filename_component(_zeltmath_ann_incdir "${ZELTMATH_ANN_INCLUDE_DIR}" ABSOLUTE)
string(CONFIGURE [=[
if(NOT TARGET ANN::ANN)
  find_path(ZELTMath_ANN_INCLUDE_DIR ANN/ANN.h HINTS "@_zeltmath_ann_incdir@")
  find_library(ZELTMath_ANN_LIBRARY NAMES @_zeltmath_ann_name@ ann ANN HINTS "@_zeltmath_ann_dir@")
  if(NOT ZELTMath_ANN_INCLUDE_DIR OR NOT ZELTMath_ANN_LIBRARY)
    set(ZELTMath_FOUND FALSE)
    set(ZELTMath_NOT_FOUND_MESSAGE "ZELTMath needs the ANN library (ANN/ANN.h and libann), which was not found.")
    return()
  endif()
  add_library(ANN::ANN UNKNOWN IMPORTED)
  set_target_properties(ANN::ANN PROPERTIES
    IMPORTED_LOCATION "${ZELTMath_ANN_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${ZELTMath_ANN_INCLUDE_DIR}")
endif()
]=] _zeltmath_ann_config @ONLY)
string(APPEND ZELTMATH_CONFIG_DEPENDENCIES "${_zeltmath_ann_config}")
