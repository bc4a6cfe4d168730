# quillet.exe as a file: a window program (no console of its own), with its
# icon, its manifest, and its name and version in the file's properties.
#   cmake -DPROGRAM=quillet.exe -DVERSION=1.0.0 -DOBJDUMP=... -DWINDRES=... -P program_file.cmake
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed OR NOT headers MATCHES "Subsystem[\t ]+00000002")
  message(FATAL_ERROR "${PROGRAM} is not a window program:\n${headers}")
endif()
execute_process(COMMAND ${WINDRES} -i ${PROGRAM} -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the resources of ${PROGRAM} could not be read")
endif()
string(REPLACE "." ", " numbers "${VERSION}")
foreach(expected "RT_GROUP_ICON" "RT_MANIFEST" "FILEVERSION ${numbers}, 0" "VALUE \"ProductName\", \"Quillet\""
    "VALUE \"FileVersion\", \"${VERSION}\"" "VALUE \"ProductVersion\", \"${VERSION}\"")
  string(FIND "${resources}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} lacks ${expected}")
  endif()
endforeach()
