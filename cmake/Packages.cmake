# Packages of the shipped program: cmake --build build/win --target package
# makes Quellix-<version>-win32.zip (portable: the exe alone) and
# Quellix-<version>-win32.exe, an NSIS installer (packaging/NSIS.template.in).
# An x86_64 build (build/win64, for the tests on machines that cannot run
# 32-bit code) makes the same two as -win64, with a 64-bit installer.
install(TARGETS Quellix RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Quellix)
set(CPACK_PACKAGE_VENDOR "The Quellix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quellix)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_QUELLIX_NSIS_TARGET amd64-unicode)
  set(CPACK_QUELLIX_PROGRAM_FILES "$PROGRAMFILES64")
else()
  set(CPACK_SYSTEM_NAME win32)
  # ANSI, so that the installer runs on Windows 98 and NT 4.0 as the program does.
  set(CPACK_QUELLIX_NSIS_TARGET x86-ansi)
  set(CPACK_QUELLIX_PROGRAM_FILES "$PROGRAMFILES")
endif()
# CPack takes NSIS.template.in from the module path.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging)
include(CPack)
