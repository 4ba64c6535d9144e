# Win32 test programs of the cross build:
#   e2e_tests.exe   the end-to-end suite (GoogleTest), run under Wine by the
#                   native build's ctest (cmake/EndToEnd.cmake) against
#                   test/Quellix.exe
#   BareDialog.exe  an empty dialog program built like Quellix, the yardstick
#                   of tools/bench-startup.sh
#   TemplateDialog.exe  the same program showing Quellix's dialog template:
#                   what its controls alone cost at start-up
#   StartupProbe.exe  starts a program and reports when its window shows
get_filename_component(QX_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# GoogleTest built from Debian's sources with the posix-thread compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(QX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
add_subdirectory(${QX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(QX_TEST_LINK -static -static-libgcc -static-libstdc++)

file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${QX_SOURCE_ROOT}/tests/e2e/*.cpp ${QX_SOURCE_ROOT}/tests/e2e/driver/*.cpp)
# The framework's own tests run in this program too, on the framework's
# sources compiled as a test program is.
file(GLOB FRAMEWORK_TEST_SOURCES CONFIGURE_DEPENDS ${QX_SOURCE_ROOT}/tests/e2e/framework/*.cpp)
# So do the program's keep-awake request and wake timer (tests/e2e/WakeTimerTest.cpp),
# and its process watch, against real processes.
set(PROGRAM_PART_SOURCES ${QX_SOURCE_ROOT}/schedule/KeepAwake.cpp ${QX_SOURCE_ROOT}/schedule/WakeTimer.cpp
                         ${QX_SOURCE_ROOT}/schedule/ProcessWatch.cpp ${QX_SOURCE_ROOT}/schedule/wait_target.cpp)
add_executable(e2e_tests ${E2E_SOURCES} ${FRAMEWORK_TEST_SOURCES} ${AFX_SOURCES} ${PROGRAM_PART_SOURCES})
target_include_directories(e2e_tests PRIVATE ${QX_SOURCE_ROOT})
target_link_libraries(e2e_tests PRIVATE gtest ${QX_TEST_LINK} comctl32 gdi32 user32 advapi32 version)
# The version the program must show, as typed in project(Quellix VERSION ...).
target_compile_definitions(e2e_tests PRIVATE QX_PROGRAM_VERSION="${PROJECT_VERSION}"
                                             QX_PROGRAM_VERSION_FULL="${QUELLIX_VERSION_FULL}")

# Its manifest names the same architecture as Quellix's, so that both get the
# same common controls.
configure_file(${QX_SOURCE_ROOT}/tests/e2e/bench/BareDialog.manifest.in
               ${CMAKE_BINARY_DIR}/bench-generated/BareDialog.manifest @ONLY)
add_executable(BareDialog WIN32 ${QX_SOURCE_ROOT}/tests/e2e/bench/BareDialog.cpp
                                ${QX_SOURCE_ROOT}/tests/e2e/bench/BareDialog.rc)
set_source_files_properties(${QX_SOURCE_ROOT}/tests/e2e/bench/BareDialog.rc PROPERTIES
  INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/bench-generated
  OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/bench-generated/BareDialog.manifest)
target_link_libraries(BareDialog PRIVATE ${QX_TEST_LINK} -s comctl32 user32)
set_target_properties(BareDialog PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_executable(TemplateDialog WIN32 ${QX_SOURCE_ROOT}/tests/e2e/bench/BareDialog.cpp ${QUELLIX_RC_FILE})
target_include_directories(TemplateDialog PRIVATE ${QX_SOURCE_ROOT})
target_compile_definitions(TemplateDialog PRIVATE QX_QUELLIX_TEMPLATE)
add_dependencies(TemplateDialog quellix_images)
target_link_libraries(TemplateDialog PRIVATE ${QX_TEST_LINK} -s comctl32 user32)
set_target_properties(TemplateDialog PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
# Compiled and linked as Quellix is, with the win32 thread model where there is one.
if(launcher)
  foreach(target BareDialog TemplateDialog)
    set_target_properties(${target} PROPERTIES RULE_LAUNCH_COMPILE "${launcher}" RULE_LAUNCH_LINK "${launcher}")
  endforeach()
endif()

add_executable(StartupProbe ${QX_SOURCE_ROOT}/tests/e2e/bench/StartupProbe.cpp)
target_link_libraries(StartupProbe PRIVATE ${QX_TEST_LINK} psapi user32)
set_target_properties(StartupProbe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# Loaded by the e2e driver into the program under test (tests/e2e/driver/Probe.h).
add_library(InProcessProbe SHARED ${QX_SOURCE_ROOT}/tests/e2e/probe/InProcessProbe.cpp)
set_target_properties(InProcessProbe PROPERTIES PREFIX "")
target_link_libraries(InProcessProbe PRIVATE -static-libgcc -static-libstdc++ -Wl,--kill-at user32 gdi32)
add_dependencies(e2e_tests InProcessProbe)

# A stand-in mail program that records its command line, for the About box's
# mail link (tests/e2e/AboutBoxTest.cpp).
add_executable(MailRecorder WIN32 ${QX_SOURCE_ROOT}/tests/e2e/mailrec/MailRecorder.cpp)
target_link_libraries(MailRecorder PRIVATE ${QX_TEST_LINK} -s kernel32)
add_dependencies(e2e_tests MailRecorder)

# Helpers of the timer benchmark (tools/bench-timer.sh) and of the real
# shut-down test (tests/e2e/shutdown/real_shutdown_test.sh).
add_executable(TimerProbe ${QX_SOURCE_ROOT}/tests/e2e/bench/TimerProbe.cpp
                          ${QX_SOURCE_ROOT}/tests/e2e/driver/WallClock.cpp)
target_include_directories(TimerProbe PRIVATE ${QX_SOURCE_ROOT})
target_link_libraries(TimerProbe PRIVATE ${QX_TEST_LINK} user32 advapi32)
set_target_properties(TimerProbe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_executable(PressEnter ${QX_SOURCE_ROOT}/tests/e2e/shutdown/PressEnter.cpp
                          ${QX_SOURCE_ROOT}/tests/helpers/VisibleWindow.cpp)
target_include_directories(PressEnter PRIVATE ${QX_SOURCE_ROOT})
target_link_libraries(PressEnter PRIVATE ${QX_TEST_LINK} user32)
set_target_properties(PressEnter PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/shutdown)

# Helpers of the installer test (tests/package/installer_test.sh).
add_executable(WaitForWindow ${QX_SOURCE_ROOT}/tests/package/WaitForWindow.cpp
                             ${QX_SOURCE_ROOT}/tests/helpers/VisibleWindow.cpp)
target_include_directories(WaitForWindow PRIVATE ${QX_SOURCE_ROOT})
target_link_libraries(WaitForWindow PRIVATE ${QX_TEST_LINK} user32)
set_target_properties(WaitForWindow PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/package)
add_executable(WaitForProcessEnd ${QX_SOURCE_ROOT}/tests/package/WaitForProcessEnd.cpp)
target_link_libraries(WaitForProcessEnd PRIVATE ${QX_TEST_LINK})
set_target_properties(WaitForProcessEnd PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/package)

# Checks run by hand rather than by ctest, on the end-to-end driver: the
# popups' leak check (tools/leak-check.sh) and the pictures of the tray and
# the popups (tools/screenshot-tray.sh). Built only when those ask for it.
file(GLOB MANUAL_CHECK_SOURCES CONFIGURE_DEPENDS ${QX_SOURCE_ROOT}/tests/e2e/manual/*.cpp
     ${QX_SOURCE_ROOT}/tests/e2e/driver/*.cpp)
add_executable(manual_checks EXCLUDE_FROM_ALL ${MANUAL_CHECK_SOURCES} ${QX_SOURCE_ROOT}/tests/e2e/E2eMain.cpp
               ${QX_SOURCE_ROOT}/tests/e2e/QuellixTest.cpp ${QX_SOURCE_ROOT}/tests/e2e/ScheduleSteps.cpp
               ${QX_SOURCE_ROOT}/tests/e2e/TraySteps.cpp)
target_include_directories(manual_checks PRIVATE ${QX_SOURCE_ROOT})
target_link_libraries(manual_checks PRIVATE gtest ${QX_TEST_LINK} comctl32 gdi32 user32 advapi32 psapi)
add_dependencies(manual_checks InProcessProbe)
