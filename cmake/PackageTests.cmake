# The installer of the shipped build (cmake/Packages.cmake), installed,
# started and uninstalled in a Wine prefix of its own (tests/package/).
# Skipped where this machine cannot run 32-bit code.
if(QUELLIX_WIN_BUILD_DIR)
  add_test(NAME installer
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/installer_test.sh --build ${QUELLIX_SHIPPED_BUILD_DIR}
                   --installer ${QUELLIX_SHIPPED_BUILD_DIR}/Quellix-${PROJECT_VERSION}-win32.exe
                   --version ${PROJECT_VERSION})
  set_tests_properties(installer PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
