# A program installed where its folder does not exist for the user (so it
# cannot be written): the settings live in the user's configuration folder
# of the platform. Starting over from no file: the first start writes the
# defaults there without a message, the second reads them, and a damaged
# file is reported and restored. EMULATOR runs the driver of a cross-build.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
set(program_folder ${WORKDIR}/not-installed-here)
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})

function(play script)
  file(WRITE ${WORKDIR}/play.script "${script}")
  execute_process(COMMAND ${emulator} ${DRIVER} --program-folder ${program_folder} ${WORKDIR}/play.script
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "quillet-script failed (${status}): ${err}")
  endif()
  string(REPLACE "\r\n" "\n" out "${out}")
  set(out "${out}" PARENT_SCOPE)
endfunction()

play("removefile Quillet32.ini\n")
play("messages\nfile Quillet32.ini\n")
if(NOT out STREQUAL "file=\"1,0,24,7,0.1\\r\\n\"\n")
  message(FATAL_ERROR "first start:\n${out}")
endif()
play("messages\nstate CostPerKWh\nwritefile Quillet32.ini \"1,0\"\n")
if(NOT out STREQUAL "CostPerKWh=0.1\n")
  message(FATAL_ERROR "second start:\n${out}")
endif()
play("messages\nfile Quillet32.ini\n")
if(NOT out MATCHES "^msgbox style=48 title=\"Invalid Initialization file\"[^\n]*\nfile=\"1,0,24,7,0.1\\\\r\\\\n\"\n$")
  message(FATAL_ERROR "a damaged file:\n${out}")
endif()
if(EXISTS ${program_folder})
  message(FATAL_ERROR "the program folder was made")
endif()
