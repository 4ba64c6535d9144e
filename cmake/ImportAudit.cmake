# Import audit of the shipped Quellix.exe (tests/imports/): every function it
# imports by name is exported by Windows 98 and NT 4.0, and its PE header asks
# for no later system. Registered with the end-to-end tests, in the native
# build that knows a cross build (tools/test.sh builds build/win before ctest).
set(QUELLIX_SHIPPED_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/win
    CACHE PATH "The i686 cross build whose Quellix.exe is shipped")
if(QUELLIX_WIN_BUILD_DIR)
  find_program(QUELLIX_PYTHON3 python3 REQUIRED)
  find_program(QUELLIX_OBJDUMP i686-w64-mingw32-objdump REQUIRED)
  add_test(NAME import_audit_unit COMMAND ${QUELLIX_PYTHON3} -m unittest test_import_audit
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/imports)
  add_test(NAME import_audit COMMAND ${QUELLIX_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/imports/import_audit.py
                                     --objdump ${QUELLIX_OBJDUMP} ${QUELLIX_SHIPPED_BUILD_DIR}/Quellix.exe)
endif()

# Where this machine cannot run 32-bit code, the end-to-end tests ran the
# x86_64 build of the same sources: the last lines of the run say so, as a
# skipped test, so that nobody takes the run for one of the shipped program.
if(QUELLIX_WIN_BUILD_DIR)
  get_filename_component(tested ${QUELLIX_WIN_BUILD_DIR} REALPATH)
  get_filename_component(shipped ${QUELLIX_SHIPPED_BUILD_DIR} REALPATH)
  if(NOT tested STREQUAL shipped)
    add_test(NAME shipped_i686_program_not_run_here
             COMMAND sh -c "echo 'The end-to-end tests ran ${tested}/Quellix.exe, not the shipped ${shipped}/Quellix.exe: this machine cannot run 32-bit code.'; exit 77")
    set_tests_properties(shipped_i686_program_not_run_here PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endif()
