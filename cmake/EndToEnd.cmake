# End-to-end tests: the cross-built e2e_tests.exe run under Wine against the
# program of a Windows build directory, as ctest tests of the native build.
#
#   cmake -S . -B build/native -DQUELLIX_WIN_BUILD_DIR=$PWD/build/win
#
# The suite is split into QUELLIX_E2E_SHARDS GoogleTest shards (e2e_shard_0,
# ...); each runs in a Wine prefix, a wineserver and an Xvfb display of its
# own (tools/run-e2e.sh), so `ctest -j` runs them side by side.
set(QUELLIX_WIN_BUILD_DIR "" CACHE PATH "Cross build directory whose e2e_tests.exe ctest runs under Wine (empty: none)")
set(QUELLIX_E2E_SHARDS 3 CACHE STRING "Number of parallel end-to-end shards")
set(QUELLIX_E2E_TIMEOUT 600 CACHE STRING "Seconds one end-to-end shard may take")

if(QUELLIX_WIN_BUILD_DIR)
  math(EXPR last_shard "${QUELLIX_E2E_SHARDS} - 1")
  # The script stops Wine itself a little before ctest would kill the script,
  # so a hung program still leaves no process behind.
  math(EXPR inner_timeout "${QUELLIX_E2E_TIMEOUT} - 30")
  foreach(shard RANGE ${last_shard})
    add_test(NAME e2e_shard_${shard}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tools/run-e2e.sh --build ${QUELLIX_WIN_BUILD_DIR}
                     --shard ${shard}/${QUELLIX_E2E_SHARDS} --timeout ${inner_timeout})
    set_tests_properties(e2e_shard_${shard} PROPERTIES TIMEOUT ${QUELLIX_E2E_TIMEOUT})
  endforeach()
endif()

# The dialogs and popups at 125 %, 150 % and 200 % (tests/e2e/DpiTest.cpp),
# each resolution in a Wine prefix of its own.
if(QUELLIX_WIN_BUILD_DIR)
  foreach(dpi 120 144 192)
    add_test(NAME e2e_dpi_${dpi}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tools/run-e2e.sh --build ${QUELLIX_WIN_BUILD_DIR} --dpi ${dpi}
                     --timeout 270 --gtest_filter=Dpi.*)
    set_tests_properties(e2e_dpi_${dpi} PROPERTIES TIMEOUT 300)
  endforeach()
endif()

# "at" once more in a zone with daylight saving, beside the shards.
if(QUELLIX_WIN_BUILD_DIR)
  add_test(NAME e2e_at_new_york
           COMMAND env TZ=America/New_York QX_E2E_NAME=e2e-new-york bash ${CMAKE_SOURCE_DIR}/tools/run-e2e.sh
                   --build ${QUELLIX_WIN_BUILD_DIR} --timeout 270 --gtest_filter=AtTimeOfDay.*)
  set_tests_properties(e2e_at_new_york PROPERTIES TIMEOUT 300)
endif()

# The shipped program's real, forced shut-down request ends every process of
# its Wine prefix and nothing outside it (tests/e2e/shutdown/).
if(QUELLIX_WIN_BUILD_DIR)
  add_test(NAME e2e_real_shutdown
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/shutdown/real_shutdown_test.sh --build ${QUELLIX_WIN_BUILD_DIR})
  set_tests_properties(e2e_real_shutdown PROPERTIES TIMEOUT 300)
endif()
