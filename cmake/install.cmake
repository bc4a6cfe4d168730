# What an install puts in place, and the Debian package made from it
# (cpack -G DEB in the build folder).

# The programs installed with their man pages (docs/man/NAME.1).
set(quillet_installed_tools quillet-script quillet-schedule)

set(QUILLET_APP_ID "org.example.Quillet" CACHE STRING
  "AppStream component id; also the installed .desktop file's name")
set(QUILLET_HOMEPAGE "https://quillet.example.org" CACHE STRING
  "Home page named in the AppStream metainfo and the copyright file")
set(QUILLET_LICENSE "LicenseRef-proprietary" CACHE STRING
  "The licence as an SPDX expression, for the AppStream metainfo and the copyright file")
set(QUILLET_LICENSE_TEXT "All rights reserved." CACHE STRING
  "The licence's text in the copyright file, one paragraph")
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_CONTACT "Quillet developers <quillet@example.org>")

include(GNUInstallDirs)
include(cmake/debian_changelog.cmake)
# Debian keeps a package's documents under its own name.
set(quillet_docdir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
quillet_debian_changelog(CHANGELOG.md ${CMAKE_CURRENT_BINARY_DIR}/changelog
  ${CPACK_PACKAGE_NAME} "${CPACK_PACKAGE_CONTACT}")
configure_file(data/copyright.in copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${quillet_docdir})
install(FILES examples/feeders.csv examples/session.script DESTINATION ${quillet_docdir}/examples)

install(TARGETS ${quillet_installed_tools} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(quillet_manual_pages ${quillet_installed_tools})
if(QUILLET_DESKTOP)
  install(TARGETS quillet-desktop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(PREPEND quillet_manual_pages quillet)
  install(FILES data/quillet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    RENAME ${QUILLET_APP_ID}.desktop)
  install(FILES data/quillet.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(data/quillet.metainfo.xml.in ${QUILLET_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QUILLET_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Man pages and the change log go in compressed, as Debian expects them.
find_program(GZIP_PROGRAM gzip)
function(quillet_install_compressed file destination)
  if(GZIP_PROGRAM)
    execute_process(COMMAND ${GZIP_PROGRAM} -9nf ${file})
    string(APPEND file .gz)
  endif()
  install(FILES ${file} DESTINATION ${destination})
endfunction()
foreach(page ${quillet_manual_pages})
  configure_file(docs/man/${page}.1 man/${page}.1 @ONLY)
  quillet_install_compressed(${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1 ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
quillet_install_compressed(${CMAKE_CURRENT_BINARY_DIR}/changelog ${quillet_docdir})

set(CPACK_PACKAGE_VENDOR "Quillet")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "voltage drop and ampacity of low-voltage feeder conductors")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quillet is a calculator for feeder conductors up to 600 V. From the supply
voltage, the load, the power factor, the voltage system, the material, the
conduit, the insulation rating, the ambient temperature, the length, the
parallel runs and the size it shows the voltage drop, the resistance,
reactance and impedance, the ampacity with its ambient correction and the
estimated wire temperature, following the NEC tables.

The package holds the desktop program quillet and the command-line tools.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial, the window's font, is served by Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_GENERATOR DEB)
include(CPack)
