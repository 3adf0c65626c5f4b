# Compiles one help project: cmake -DCHMCMD=... -DSOURCE=<folder> [-DSHARED=<folder>]
#   -DSTAGE=<folder> -DNAME=<name> -DOUTPUT=<file.chm> -P compile_help.cmake
# The compiler's warnings (a page or picture missing, a link to nowhere) fail
# the build: a help file with holes must not reach the program's folder.
file(REMOVE_RECURSE ${STAGE})
file(COPY ${SOURCE}/ DESTINATION ${STAGE})
if(SHARED)
  file(COPY ${SHARED}/ DESTINATION ${STAGE})
endif()
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

# The file header holds two format GUIDs, {7C01FD10-...} at 0x18 and
# {7C01FD11-...} at 0x28. chmcmd writes the first one twice, and strict
# readers (the viewer's among them) refuse such a file; the two differ only
# in their first byte, which is mended here.
set(chm ${STAGE}/${NAME}.chm)
set(first_guid 10fd017caa7bd0119e0c00a0c922e6ec)
set(second_guid 11fd017caa7bd0119e0c00a0c922e6ec)
file(READ ${chm} written_guid OFFSET 40 LIMIT 16 HEX)
if(written_guid STREQUAL first_guid)
  string(ASCII 17 second_guid_first_byte)
  file(WRITE ${STAGE}/guid_byte "${second_guid_first_byte}")
  execute_process(
    COMMAND dd of=${chm} bs=1 seek=40 count=1 conv=notrunc status=none
    INPUT_FILE ${STAGE}/guid_byte
    RESULT_VARIABLE result)
  file(READ ${chm} written_guid OFFSET 40 LIMIT 16 HEX)
endif()
if(NOT written_guid STREQUAL second_guid)
  message(FATAL_ERROR "${NAME}.chm: unexpected header GUID ${written_guid} at offset 0x28")
endif()
file(COPY_FILE ${chm} ${OUTPUT})
