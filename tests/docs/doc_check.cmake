# Runs Doxygen over the public headers alone, with the settings of the `doc`
# target, and fails when it reports anything: a public class, function,
# enumerator, constant or typedef without a description, or a malformed
# documentation comment.  The reports are printed, one per line.
#
#   cmake -DDOXYGEN=... -DDOXYFILE=<build>/Doxyfile.doc -DSOURCE_DIR=<repo>
#         -DWORK_DIR=<dir> -P doc_check.cmake
foreach(var DOXYGEN DOXYFILE SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "doc_check: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(READ ${DOXYFILE} settings)
# Later assignments win in a Doxyfile: keep the reference's settings, read
# only the headers, write nothing but what the warnings need.
string(APPEND settings "
INPUT                  = ${SOURCE_DIR}/zeltmath
OUTPUT_DIRECTORY       = ${WORK_DIR}
USE_MDFILE_AS_MAINPAGE =
GENERATE_HTML          = NO
GENERATE_LATEX         = NO
GENERATE_XML           = YES
XML_PROGRAMLISTING     = NO
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
file(READ ${WORK_DIR}/warnings.log log)
string(STRIP "${log}" log)
if(NOT log STREQUAL "")
  string(REPLACE "${SOURCE_DIR}/" "" log "${log}")
  string(REGEX MATCHALL "\n" lines "\n${log}")
  list(LENGTH lines count)
  message(FATAL_ERROR "${count} documentation problem(s) in the public headers:\n${log}")
endif()
message(STATUS "every public name of the headers has a description")
