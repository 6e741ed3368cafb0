# Runs Doxygen over the public headers alone, with the settings of the `doc`
# target, and fails when a public file, namespace, class, function,
# enumerator, constant or typedef has no description (doc_check.py reads
# Doxygen's XML for that), or when Doxygen reports anything, such as a
# malformed documentation comment.  The findings are printed, one per line.
#
#   cmake -DDOXYGEN=... -DPYTHON=... -DDOXYFILE=<build>/Doxyfile.doc
#         -DSOURCE_DIR=<repo> -DWORK_DIR=<dir> -P doc_check.cmake
foreach(var DOXYGEN PYTHON DOXYFILE SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "doc_check: ${var} is not set")
  endif()
endforeach()

get_filename_component(WORK_DIR ${WORK_DIR} ABSOLUTE)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(READ ${DOXYFILE} settings)
# Later assignments win in a Doxyfile: keep the reference's settings, read
# only the headers, extract every name (so that the undocumented ones can be
# found) and write nothing but XML.
string(APPEND settings "
INPUT                  = ${SOURCE_DIR}/zeltmath
OUTPUT_DIRECTORY       = ${WORK_DIR}
USE_MDFILE_AS_MAINPAGE =
GENERATE_HTML          = NO
GENERATE_LATEX         = NO
GENERATE_XML           = YES
XML_PROGRAMLISTING     = NO
EXTRACT_ALL            = YES
WARN_IF_UNDOCUMENTED   = YES
WARN_IF_DOC_ERROR      = YES
WARN_AS_ERROR          = NO
WARN_FORMAT            = \"$file:$line: $text\"
WARN_LOGFILE           = ${WORK_DIR}/warnings.log
QUIET                  = YES
")
file(WRITE ${WORK_DIR}/Doxyfile "${settings}")

execute_process(COMMAND ${DOXYGEN} ${WORK_DIR}/Doxyfile
                WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${rc}):\n${out}${err}")
endif()
execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/doc_check.py ${WORK_DIR}/xml ${SOURCE_DIR}
                RESULT_VARIABLE undocumented OUTPUT_VARIABLE names ERROR_VARIABLE names)
file(READ ${WORK_DIR}/warnings.log log)
string(STRIP "${log}" log)
string(REPLACE "${SOURCE_DIR}/" "" log "${log}")
string(STRIP "${names}" names)
if(NOT log STREQUAL "" OR NOT undocumented EQUAL 0)
  message(FATAL_ERROR "Documentation problems in the public headers:\n${names}\n${log}")
endif()
message(STATUS "every public name of the headers has a description")
