# Native unit tests of the platform-free logic, and the libFuzzer targets.
include(GoogleTest)

# Prefer building GoogleTest from Debian's source package so that it is
# compiled with the same compiler and sanitizer flags as the tests.
set(QUELLIX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(EXISTS ${QUELLIX_GTEST_SOURCE}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUELLIX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUELLIX_GTEST_LIBS GTest::gtest_main)
  if(NOT TARGET GTest::gtest_main)
    set(QUELLIX_GTEST_LIBS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  set(QUELLIX_GTEST_LIBS GTest::gtest_main)
endif()

file(GLOB QUELLIX_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(quellix_unit_tests ${QUELLIX_UNIT_TEST_SOURCES})
target_link_libraries(quellix_unit_tests PRIVATE quellix_logic afx ${QUELLIX_GTEST_LIBS})
target_compile_options(quellix_unit_tests PRIVATE ${QUELLIX_STRICT_WARNINGS})
gtest_discover_tests(quellix_unit_tests DISCOVERY_TIMEOUT 60)

# Coverage-guided fuzzing needs clang's libFuzzer.
option(QUELLIX_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(QUELLIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "QUELLIX_FUZZ needs clang; the fuzz targets are not built")
  else()
    set(QUELLIX_FUZZ_RUNS 1000000 CACHE STRING "Runs of each fuzz target under ctest (about 10 s)")
    # The modules under test are compiled into the target so that they carry
    # the coverage instrumentation that guides the fuzzer.
    function(quellix_fuzz_target name)
      add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${name}.cpp ${ARGN})
      target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
      target_compile_options(${name} PRIVATE ${QUELLIX_STRICT_WARNINGS}
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
      target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      add_test(NAME ${name} COMMAND ${name} -runs=${QUELLIX_FUZZ_RUNS} -max_len=256 -seed=1)
      set_tests_properties(${name} PROPERTIES TIMEOUT 120)
    endfunction()
    quellix_fuzz_target(fuzz_mail_command ${CMAKE_SOURCE_DIR}/controls/mail_command.cpp)
    quellix_fuzz_target(fuzz_command_line ${CMAKE_SOURCE_DIR}/app/command_line.cpp
      ${CMAKE_SOURCE_DIR}/schedule/wait_target.cpp)
  endif()
endif()
