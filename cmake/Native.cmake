# Native build: the platform-free logic, its unit tests (optionally under
# sanitizers), fuzzers, and the end-to-end suites run under Wine against a
# Windows build directory.
option(QUELLIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QUELLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

include(${CMAKE_SOURCE_DIR}/cmake/UnitTests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/EndToEnd.cmake OPTIONAL)
