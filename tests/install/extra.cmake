# Packaging checks: a consumer project outside the tree builds against an
# installed copy through find_package and through pkg-config, and the shared
# library exports only the public interface.  Skipped in sanitizer builds,
# where an uninstrumented consumer cannot load the instrumented library.
if(NOT ZELTMATH_SANITIZE AND NOT ZELTMATH_SANITIZE_THREAD)
  add_test(NAME install.consumer
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install/consumer_test.sh
            ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/install/consumer
            ${CMAKE_CURRENT_BINARY_DIR}/install-check ${CMAKE_CXX_COMPILER})
  add_test(NAME install.exported_symbols
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install/exported_symbols_test.sh $<TARGET_FILE:zeltmath>)
endif()
# The Python package installed under a prefix imports with the printed
# PYTHONPATH (and loads the installed library through its run path).
if(ZELTMATH_HAVE_PYTHON)
  add_test(NAME install.python_package
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install/python_install_test.sh
            ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/install-python ${Python3_EXECUTABLE})
endif()
