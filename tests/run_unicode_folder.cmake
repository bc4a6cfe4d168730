# Folder and file names outside the ANSI code page of Windows, in Greek and
# Chinese: the settings file in such a folder (given, chosen, or the user's
# configuration folder), the script named on the command line, the schedule
# tool's input and output and the schedule window's import and export.
# EMULATOR runs the programs of a cross-build.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
set(folder "${WORKDIR}/Φάκελος 文件夹")
set(config "${WORKDIR}/Ρυθμίσεις 设置")
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY "${folder}" "${config}")
file(COPY_FILE ${EXAMPLE} "${folder}/Γραμμές 线路.csv")
file(COPY_FILE ${EXAMPLE} "${WORKDIR}/plain.csv")
file(WRITE "${folder}/start.script" "messages\nfile Quillet32.ini\n")
set(restored "^msgbox style=48 title=\"Invalid Initialization file\"[^\n]*\nfile=\"1,0,24,7,0.1\\\\r\\\\n\"\n$")
set(read "^file=\"1,0,24,7,0.1\\\\r\\\\n\"\n$")

function(run expected_status)
  execute_process(COMMAND ${emulator} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  string(REPLACE "\r\n" "\n" out "${out}")
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${ARGN}: status ${status}, not ${expected_status}: ${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect_match what actual pattern)
  if(NOT "${actual}" MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: [${actual}] does not match [${pattern}]")
  endif()
endfunction()

function(expect_same_files what first second)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${first}" "${second}" RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${what}: ${first} differs from ${second}")
  endif()
endfunction()

# The folder given: the first start restores the file there, the second reads it.
run(0 ${DRIVER} --folder "${folder}" "${folder}/start.script")
expect_match("--folder, first start" "${out}" "${restored}")
run(0 ${DRIVER} --program-folder "${folder}" "${folder}/start.script")
expect_match("--program-folder, writable" "${out}" "${read}")

# A program folder that cannot be written: the user's configuration folder,
# named by the environment. Wine sets APPDATA itself, from its own profile;
# a Windows shell hands a program the one it is given.
file(COPY_FILE "${folder}/start.script" "${WORKDIR}/start.script")
if(emulator)
  string(REPLACE "/" "\\" windows "Z:${WORKDIR}")
  string(REPLACE "/" "\\" driver "Z:${DRIVER}")
  run(0 cmd /c "set APPDATA=${windows}\\Ρυθμίσεις 设置&& ${driver} --program-folder ${windows}\\not-installed-here ${windows}\\start.script")
else()
  set(ENV{APPDATA} "${config}")
  set(ENV{XDG_CONFIG_HOME} "${config}")
  run(0 ${DRIVER} --program-folder "${WORKDIR}/not-installed-here" "${WORKDIR}/start.script")
endif()
expect_match("user's folder, first start" "${out}" "${read}")
if(NOT EXISTS "${config}/Quillet/Quillet32.ini")
  message(FATAL_ERROR "no settings file in ${config}/Quillet")
endif()

# The tool, and the window, read and write files named so.
run(1 ${TOOL} -o "${WORKDIR}/plain-out.csv" "${WORKDIR}/plain.csv")
run(1 ${TOOL} -o "${folder}/Έξοδος 输出.csv" "${folder}/Γραμμές 线路.csv")
expect_same_files("tool" "${folder}/Έξοδος 输出.csv" "${WORKDIR}/plain-out.csv")
file(WRITE "${folder}/window.script"
  "shortcut Ctrl+E\nschedule import \"Γραμμές 线路.csv\"\nschedule export \"Παράθυρο 窗口.csv\"\nmessages\n")
run(0 ${DRIVER} --folder "${folder}" "${folder}/window.script")
expect_same_files("window" "${folder}/Παράθυρο 窗口.csv" "${WORKDIR}/plain-out.csv")
