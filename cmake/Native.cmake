# Native build: the platform-free logic, its unit tests (optionally under
# sanitizers), fuzzers, and the end-to-end suites run under Wine against a
# Windows build directory.
option(QUELLIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QUELLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The framework layer's platform-free part; it knows nothing of Quellix.
add_library(afx STATIC ${AFX_LOGIC_SOURCES})
target_include_directories(afx PUBLIC ${CMAKE_SOURCE_DIR})

# The formatting check of the test command, so that ctest alone covers it too.
if(NOT QUELLIX_SANITIZE AND NOT QUELLIX_FUZZ)
  add_test(NAME format COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-format.sh)
endif()

include(${CMAKE_SOURCE_DIR}/cmake/UnitTests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/EndToEnd.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/ImportAudit.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/PackageTests.cmake)
