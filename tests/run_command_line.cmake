# Checks one program's command-line conventions: --help on standard output
# with status 0, --version as "NAME X.Y.Z", an unknown option refused with
# the usage on standard error and status 2. Runs without a display.
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
get_filename_component(name ${PROGRAM} NAME_WE)

separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")

function(run expected_status)
  execute_process(COMMAND ${emulator} ${PROGRAM} ${ARGN}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "${name} ${ARGN}: status ${status}, expected ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 --help)
if(NOT out MATCHES "^usage: ${name} " OR NOT err STREQUAL "")
  message(FATAL_ERROR "${name} --help:\n${out}\n--- stderr:\n${err}")
endif()

run(0 --version)
if(NOT out STREQUAL "${name} ${VERSION}\n")
  message(FATAL_ERROR "${name} --version printed '${out}', expected '${name} ${VERSION}'")
endif()

run(2 --no-such-option)
if(NOT out STREQUAL "" OR NOT err MATCHES "no-such-option" OR NOT err MATCHES "usage: ${name} ")
  message(FATAL_ERROR "${name} --no-such-option:\n${out}\n--- stderr:\n${err}")
endif()
