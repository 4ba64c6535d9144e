# Packages of the shipped program: cmake --build build/win --target package
# makes Quellix-<version>-win32.zip (portable: the exe alone) and
# Quellix-<version>-win32.exe, an NSIS installer (packaging/NSIS.template.in).
install(TARGETS Quellix RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Quellix)
set(CPACK_PACKAGE_VENDOR "The Quellix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quellix)
set(CPACK_SYSTEM_NAME win32)
# CPack takes NSIS.template.in from the module path.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging)
include(CPack)
