# The installer of the build the end-to-end tests use (cmake/Packages.cmake):
# the shipped 32-bit one, or the 64-bit one on machines that cannot run
# 32-bit code. Installed, started and uninstalled in a Wine prefix of its own
# (tests/package/).
if(QUELLIX_WIN_BUILD_DIR)
  add_test(NAME installer COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/installer_test.sh --build
                                  ${QUELLIX_WIN_BUILD_DIR} --version ${PROJECT_VERSION})
  set_tests_properties(installer PROPERTIES TIMEOUT 300)
endif()
