# The Windows view's tests: real Win32 controls under Wine on a headless X
# server and a Wine prefix of their own, with a picture of each window
# (build-windows/win32-*.png); and the installer on a scratch prefix.
add_executable(quillet-win32-tests
  win32/win32_fixture.cpp
  win32/view_agreement.cpp
  win32/main_window_test.cpp
  win32/secondary_windows_test.cpp
  win32/tools_test.cpp
  win32/view_soak_test.cpp
)
target_include_directories(quillet-win32-tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quillet-win32-tests PRIVATE quillet-win32 quillet-soak-rules GTest::gtest_main)
add_test(NAME win32.view
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win32/run_gui_tests.sh ${CMAKE_BINARY_DIR}/wine-gui-prefix
    ${CMAKE_BINARY_DIR} $<TARGET_FILE:quillet-win32-tests>)
add_test(NAME win32.installer
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win32/installer_test.sh ${CMAKE_BINARY_DIR}/installer-prefix
    ${quillet_installer} ${PROJECT_VERSION})
set_tests_properties(win32.view win32.installer PROPERTIES TIMEOUT 1200)
add_test(NAME win32.program_file
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:quillet-desktop> -DVERSION=${PROJECT_VERSION}
    -DOBJDUMP=${CMAKE_OBJDUMP} -DWINDRES=${CMAKE_RC_COMPILER}
    -P ${CMAKE_CURRENT_SOURCE_DIR}/win32/program_file.cmake)
