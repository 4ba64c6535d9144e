# Cross build for Windows: the framework layer, Quellix.exe as shipped, the same
# program with its power requests recorded instead of made (test/Quellix.exe),
# and the Win32 test programs.
add_compile_options(-Wno-unused-parameter -Wno-cast-function-type -ffunction-sections -fdata-sections)
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 STRICT)
set(QUELLIX_WIN_LINK -static -static-libgcc -static-libstdc++ -Wl,--subsystem,windows -Wl,--gc-sections -s)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Subsystem and OS version 4.0 in the header: the loaders of Windows 95/98/Me
  # and NT 4.0 refuse a higher one.
  list(APPEND QUELLIX_WIN_LINK -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4,--minor-os-version,0)
endif()
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE MinSizeRel CACHE STRING "Build type" FORCE)
endif()
set(QUELLIX_SYSTEM_LIBS comctl32 advapi32 gdi32 user32 kernel32)

# The shell, the newer power, DPI and foreground calls and
# InitCommonControlsEx are bound at run time (afx/SystemFunctions.cpp), the
# same way at both bitnesses: none of them is in the import table.

# The framework layer, a library of its own: knows nothing of Quellix.
file(GLOB AFX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/afx/*.cpp)
# Object libraries, so that the entry point and the application object are
# always linked in.
add_library(afx OBJECT ${AFX_SOURCES})
target_include_directories(afx PUBLIC ${CMAKE_SOURCE_DIR})

# Proof that it stands alone: a program of every framework object and nothing
# of Quellix, linked with the system's libraries only.
add_executable(afx_alone WIN32 $<TARGET_OBJECTS:afx> ${CMAKE_SOURCE_DIR}/tests/afx/AfxAlone.cpp)
target_include_directories(afx_alone PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(afx_alone PRIVATE ${QUELLIX_SYSTEM_LIBS} -static -static-libgcc -static-libstdc++)
set_target_properties(afx_alone PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/afx)

include(${CMAKE_SOURCE_DIR}/res/resources.cmake)

# Everything of the program but the power requests, shared by both builds.
set(PROGRAM_SOURCES ${QUELLIX_WIN32_SOURCES})
list(FILTER PROGRAM_SOURCES EXCLUDE REGEX "/afx/|/schedule/PowerRequests\\.cpp$")
add_library(quellix_program OBJECT ${PROGRAM_SOURCES})
target_include_directories(quellix_program PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
set(PROGRAM_OBJECTS $<TARGET_OBJECTS:afx> $<TARGET_OBJECTS:quellix_program>)

add_executable(Quellix WIN32 ${PROGRAM_OBJECTS} ${CMAKE_SOURCE_DIR}/schedule/PowerRequests.cpp ${QUELLIX_RC_FILE})
target_include_directories(Quellix PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(Quellix PRIVATE quellix_logic ${QUELLIX_SYSTEM_LIBS} ${QUELLIX_WIN_LINK})
add_dependencies(Quellix quellix_images)

# Test build: identical but for the power requests, which it writes to a log.
add_executable(QuellixSeam WIN32 ${PROGRAM_OBJECTS} ${CMAKE_SOURCE_DIR}/tests/e2e/seam/RecordedPowerRequests.cpp
               ${QUELLIX_RC_FILE})
target_include_directories(QuellixSeam PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(QuellixSeam PRIVATE quellix_logic ${QUELLIX_SYSTEM_LIBS} ${QUELLIX_WIN_LINK})
set_target_properties(QuellixSeam PROPERTIES OUTPUT_NAME Quellix RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test)
add_dependencies(QuellixSeam quellix_images)

# The program, shipped and test build alike, is compiled and linked with the
# win32 thread model: the posix one links winpthreads, whose imports
# (GetTickCount64, AddVectoredExceptionHandler) old Windows does not export.
# The Win32 test programs keep the toolchain's posix compiler, which GoogleTest
# needs. The import audit (tests/imports/import_audit.py) checks the result.
string(REGEX REPLACE "-posix$" "-win32" QUELLIX_PROGRAM_CXX "${CMAKE_CXX_COMPILER}")
if(QUELLIX_PROGRAM_CXX STREQUAL CMAKE_CXX_COMPILER OR NOT EXISTS "${QUELLIX_PROGRAM_CXX}")
  message(STATUS "No win32-thread compiler beside ${CMAKE_CXX_COMPILER}: the program links winpthreads")
else()
  set(launcher "sh ${CMAKE_SOURCE_DIR}/cmake/with-compiler.sh ${CMAKE_CXX_COMPILER} ${QUELLIX_PROGRAM_CXX}")
  set_target_properties(quellix_logic afx afx_alone quellix_program Quellix QuellixSeam
                        PROPERTIES RULE_LAUNCH_COMPILE "${launcher}" RULE_LAUNCH_LINK "${launcher}")
endif()

include(${CMAKE_SOURCE_DIR}/cmake/Packages.cmake)

include(${CMAKE_SOURCE_DIR}/cmake/WindowsTests.cmake OPTIONAL)
