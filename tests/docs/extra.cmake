# The reference check: every public name of the headers has a description.
find_package(Python3 COMPONENTS Interpreter)
if(DOXYGEN_FOUND AND Python3_FOUND)
  add_test(NAME docs.every_public_name_described
           COMMAND ${CMAKE_COMMAND} -DDOXYGEN=${DOXYGEN_EXECUTABLE}
                   -DPYTHON=${Python3_EXECUTABLE}
                   -DDOXYFILE=${CMAKE_BINARY_DIR}/Doxyfile.doc
                   -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/doc-check
                   -P ${CMAKE_CURRENT_LIST_DIR}/doc_check.cmake)
else()
  message(WARNING "Doxygen or Python not found: the reference check is not run (scripts/install-deps.sh installs both)")
endif()
