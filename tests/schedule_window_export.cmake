# The schedule window's export of a file is byte for byte what
# quillet-schedule writes for the same file.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
string(REPLACE "|" ";" schedules "${SCHEDULES}")
foreach(schedule ${schedules})
  get_filename_component(name ${schedule} NAME_WE)
  file(COPY ${schedule} DESTINATION ${WORKDIR})
  file(WRITE ${WORKDIR}/export.script
    "shortcut Ctrl+E\nschedule import ${name}.csv\nschedule export ${name}-window.csv\nmessages\n")
  execute_process(COMMAND ${emulator} ${DRIVER} --folder ${WORKDIR} ${WORKDIR}/export.script
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "quillet-script failed (${status}): ${err}")
  endif()
  if(EXISTS ${WORKDIR}/${name}-window.csv.part)
    message(FATAL_ERROR "the window's export left ${name}-window.csv.part behind")
  endif()
  execute_process(COMMAND ${emulator} ${TOOL} -o ${WORKDIR}/${name}-tool.csv ${WORKDIR}/${name}.csv
    RESULT_VARIABLE status ERROR_QUIET)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORKDIR}/${name}-window.csv ${WORKDIR}/${name}-tool.csv
    RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "the window's export differs from quillet-schedule's output: "
                        "${WORKDIR}/${name}-window.csv ${WORKDIR}/${name}-tool.csv")
  endif()
endforeach()
