# The tool's unit tests link its static library; the end-to-end tests run an
# installed copy of the tool on example inputs.
if(NOT TARGET zeltmath_cli)
  message(FATAL_ERROR "the tool tests need ZELTMATH_BUILD_TOOLS=ON")
endif()
target_link_libraries(test_tools PRIVATE zeltmath_cli)

add_test(NAME tools.end_to_end
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tools/e2e_test.sh ${CMAKE_BINARY_DIR}
          ${CMAKE_CURRENT_SOURCE_DIR}/tools/data ${CMAKE_CURRENT_BINARY_DIR}/tools-e2e)
add_test(NAME tools.demo_pictures_in_browser
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tools/screenshot_test.sh $<TARGET_FILE:zeltmath_tool>
          ${CMAKE_CURRENT_BINARY_DIR}/tools-pictures ${CMAKE_CURRENT_SOURCE_DIR}/tools)
