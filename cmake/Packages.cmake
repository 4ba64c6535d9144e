# Packages of the shipped program: cmake --build build/win --target package
# makes Quellix-<version>-win32.zip (portable: the exe and the licence) and
# Quellix-<version>-win32.exe, an NSIS installer (packaging/NSIS.template.in).
# An x86_64 build (build/win64) makes the same two as -win64, with a 64-bit
# installer. tools/release.sh makes both pairs, their checksums and the
# winget and Scoop manifests. Signed when the environment gives a key
# (cmake/SignPackage.cmake).
install(TARGETS Quellix RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Quellix)
set(CPACK_PACKAGE_VENDOR "The Quellix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quellix)
# The installer's icon and version record (packaging/NSIS.template.in).
set(CPACK_QUELLIX_ICON ${CMAKE_BINARY_DIR}/res-images/quellix.ico)
set(CPACK_QUELLIX_VERSION_FULL ${QUELLIX_VERSION_FULL})
set(CPACK_QUELLIX_SHORTCUT_DESCRIPTION "Shuts down, restarts or locks the computer now, at a time, or after a number of minutes")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_QUELLIX_NSIS_TARGET amd64-unicode)
  set(CPACK_QUELLIX_NSIS_DEFINES "!define MULTIUSER_USE_PROGRAMFILES64")
else()
  set(CPACK_SYSTEM_NAME win32)
  # ANSI, so that the installer runs on Windows 98 and NT 4.0 as the program does.
  set(CPACK_QUELLIX_NSIS_TARGET x86-ansi)
  set(CPACK_QUELLIX_NSIS_DEFINES "")
endif()
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/SignPackage.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/SignPackage.cmake)
# CPack takes NSIS.template.in from the module path.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging)
include(CPack)
