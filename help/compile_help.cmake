# Compiles one help project: cmake -DCHMCMD=... -DSOURCE=<folder> -DSHARED=<folder>
#   -DSTAGE=<folder> -DNAME=<name> -DOUTPUT=<file.chm> -P compile_help.cmake
# The compiler's warnings (a page or picture missing, a link to nowhere) fail
# the build: a help file with holes must not reach the program's folder.
file(REMOVE_RECURSE ${STAGE})
file(COPY ${SOURCE}/ DESTINATION ${STAGE})
file(COPY ${SHARED}/ DESTINATION ${STAGE})
execute_process(
  COMMAND ${CHMCMD} ${NAME}.hhp
  WORKING_DIRECTORY ${STAGE}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE log
  ERROR_VARIABLE log)
string(REGEX MATCHALL "[^\n]*(Warning|Error|rror:)[^\n]*" complaints "${log}")
if(NOT result EQUAL 0 OR complaints OR NOT EXISTS ${STAGE}/${NAME}.chm)
  message(FATAL_ERROR "chmcmd could not compile ${NAME}.hhp (exit ${result}):\n${log}")
endif()
file(COPY_FILE ${STAGE}/${NAME}.chm ${OUTPUT})
