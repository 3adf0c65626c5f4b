# The table of worksheets (app/worksheets.def) as the build reads it.
#
# veltrano_read_worksheets(TABLE): sets VELTRANO_WORKSHEET_FOLDERS and
# VELTRANO_WORKSHEET_HELP_FILES (the help files' names without ".chm") from
# the rows of TABLE. A row that lacks a field, its window class (the factory)
# or its reader among them, stops the build here, before any code is compiled.
function(veltrano_read_worksheets table)
  file(STRINGS ${table} rows REGEX "^VELTRANO_WORKSHEET")
  set(folders "")
  set(help_files "")
  set(field "[ ]*")
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "^VELTRANO_WORKSHEET\\(${field}([a-z0-9_]+),${field}(frm[A-Za-z0-9]+),${field}\"([^\"]+)\",${field}\"([A-Za-z0-9_]+)\\.chm\",${field}([0-9]+),${field}([A-Za-z_][A-Za-z0-9_:]*),${field}([A-Za-z_][A-Za-z0-9_:]*)${field}\\)$")
      message(FATAL_ERROR "${table}: this row lacks a field (folder, window name, caption, help file, "
                          "tab place, window class or reader):\n  ${row}")
    endif()
    list(APPEND folders ${CMAKE_MATCH_1})
    list(APPEND help_files ${CMAKE_MATCH_4})
  endforeach()
  if(NOT folders)
    message(FATAL_ERROR "${table}: no worksheet")
  endif()
  set(VELTRANO_WORKSHEET_FOLDERS ${folders} PARENT_SCOPE)
  set(VELTRANO_WORKSHEET_HELP_FILES ${help_files} PARENT_SCOPE)
endfunction()

# Run as a script (cmake -DTABLE=... -P cmake/Worksheets.cmake), it only reads
# the table: the test that a row without a factory stops the build.
if(CMAKE_SCRIPT_MODE_FILE AND TABLE)
  veltrano_read_worksheets(${TABLE})
endif()
