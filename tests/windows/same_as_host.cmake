# The Windows build against the host build on real drawings: a merge of
# drawings with Japanese names gives the same bytes, and `info` prints the
# same text for every sample drawing.
# -DWINE=<emulator> -DEXE=<plandock.exe> -DHOST=<host plandock> -DSAMPLES=<dir> -DWORK=<dir>
if(DEFINED ENV{PLANDOCK_SAMPLES})
  set(SAMPLES "$ENV{PLANDOCK_SAMPLES}")
endif()
if(NOT IS_DIRECTORY "${SAMPLES}")
  message("SKIPPED: no sample drawings at ${SAMPLES}")
  return()
endif()
set(base "${SAMPLES}/木造平面例.jww")
set(overlay "${SAMPLES}/敷地図.jww")
if(NOT EXISTS "${base}" OR NOT EXISTS "${overlay}")
  message("SKIPPED: sample drawings 木造平面例.jww and 敷地図.jww missing in ${SAMPLES}")
  return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/host" "${WORK}/windows")

# Windows spelling: drive letter and backslashes (Wine's Z: is the root).
function(windows_path out path)
  string(REPLACE "/" "\\" p "${path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()
windows_path(win_base "${base}")
windows_path(win_overlay "${overlay}")
windows_path(win_out "${WORK}/windows/合体結果.jww")

set(flags --merge-hidden --merge-display-only --group 2)
execute_process(COMMAND "${HOST}" merge --base "${base}" --out "${WORK}/host/合体結果.jww"
                        "${overlay}" ${flags} RESULT_VARIABLE host_rc ERROR_VARIABLE host_err)
execute_process(COMMAND ${WINE} "${EXE}" merge --base "${win_base}" --out "${win_out}"
                        "${win_overlay}" ${flags} RESULT_VARIABLE win_rc ERROR_VARIABLE win_err)
if(NOT host_rc EQUAL 0 OR NOT win_rc EQUAL 0)
  message(FATAL_ERROR "merge failed: host ${host_rc}\n${host_err}\nWindows ${win_rc}\n${win_err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/host/合体結果.jww"
                        "${WORK}/windows/合体結果.jww" RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the merged drawings differ: ${WORK}/host and ${WORK}/windows")
endif()
message("merged drawing: same bytes")

file(GLOB drawings "${SAMPLES}/*.jww")
list(SORT drawings)
set(mismatches "")
foreach(drawing ${drawings})
  foreach(build host windows)
    if(build STREQUAL host)
      set(command "${HOST}")
    else()
      set(command ${WINE} "${EXE}")
    endif()
    execute_process(COMMAND ${command} info "${drawing}" RESULT_VARIABLE rc_${build}
                    OUTPUT_VARIABLE out_${build} ERROR_VARIABLE err_${build})
  endforeach()
  if(NOT rc_host STREQUAL rc_windows OR NOT out_host STREQUAL out_windows OR
     NOT err_host STREQUAL err_windows)
    string(APPEND mismatches "\n${drawing}:\n--- host (${rc_host})\n${out_host}${err_host}"
                             "--- Windows (${rc_windows})\n${out_windows}${err_windows}")
  endif()
endforeach()
if(mismatches)
  message(FATAL_ERROR "info differs:${mismatches}")
endif()
list(LENGTH drawings count)
message("info: same text for ${count} drawings")
