# The Python package's tests: one pytest run per test file, with Debian's
# interpreter (the one the package was built for) and the package taken
# from the build tree.
if(ZELTMATH_HAVE_PYTHON)
  file(GLOB python_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/python/test_*.py)
  foreach(t ${python_tests})
    get_filename_component(name ${t} NAME_WE)
    add_test(NAME python.${name}
      COMMAND ${Python3_EXECUTABLE} -m pytest -q -p no:cacheprovider ${t})
    set_tests_properties(python.${name} PROPERTIES
      ENVIRONMENT "PYTHONPATH=${ZELTMATH_PYTHON_DIR};PYTHONDONTWRITEBYTECODE=1")
  endforeach()
endif()
