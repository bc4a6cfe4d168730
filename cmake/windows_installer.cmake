# The Windows installer quillet-VERSION-setup.exe, made with NSIS from the
# stripped programs and the examples (data/quillet.nsi), built with the
# Windows desktop program.
find_program(MAKENSIS makensis)
find_program(MINGW_STRIP x86_64-w64-mingw32-strip)
if(NOT MAKENSIS OR NOT MINGW_STRIP)
  message(FATAL_ERROR "the Windows installer needs makensis (nsis) and x86_64-w64-mingw32-strip (binutils-mingw-w64)")
endif()
set(quillet_installer ${CMAKE_CURRENT_BINARY_DIR}/quillet-${PROJECT_VERSION}-setup.exe)
set(quillet_installer_files ${CMAKE_CURRENT_BINARY_DIR}/installer-files)
set(quillet_installed_programs quillet-desktop quillet-script quillet-schedule)
set(strip_commands "")
foreach(program ${quillet_installed_programs})
  list(APPEND strip_commands COMMAND ${MINGW_STRIP} -o ${quillet_installer_files}/$<TARGET_FILE_NAME:${program}>
    $<TARGET_FILE:${program}>)
endforeach()
add_custom_command(OUTPUT ${quillet_installer}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${quillet_installer_files}
  ${strip_commands}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} "-DCOPYRIGHT=${QUILLET_COPYRIGHT}" -DSTAGE=${quillet_installer_files}
    -DSOURCE=${PROJECT_SOURCE_DIR} -DICON=${quillet_icon} -DOUTFILE=${quillet_installer}
    ${PROJECT_SOURCE_DIR}/data/quillet.nsi
  DEPENDS ${quillet_installed_programs} ${quillet_icon} data/quillet.nsi examples/feeders.csv examples/session.script
  COMMENT "Making the Windows installer")
add_custom_target(windows-installer ALL DEPENDS ${quillet_installer})
