# The schedule window's export of a file is byte for byte what
# quillet-schedule writes for the same file.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
get_filename_component(name ${EXAMPLE} NAME)
file(COPY ${EXAMPLE} DESTINATION ${WORKDIR})
file(WRITE ${WORKDIR}/export.script "shortcut Ctrl+E\nschedule import ${name}\nschedule export window.csv\nmessages\n")
execute_process(COMMAND ${emulator} ${DRIVER} --folder ${WORKDIR} ${WORKDIR}/export.script
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "quillet-script failed (${status}): ${err}")
endif()
execute_process(COMMAND ${emulator} ${TOOL} -o ${WORKDIR}/tool.csv ${WORKDIR}/${name} RESULT_VARIABLE status ERROR_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORKDIR}/window.csv ${WORKDIR}/tool.csv RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the window's export differs from quillet-schedule's output: ${WORKDIR}/window.csv ${WORKDIR}/tool.csv")
endif()
