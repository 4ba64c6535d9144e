# Import audit of the shipped Quellix.exe (tests/imports/): every function it
# imports by name is exported by Windows 98 and NT 4.0, and its PE header asks
# for no later system. Its own unit tests run without the cross build.
set(QUELLIX_SHIPPED_EXE ${CMAKE_SOURCE_DIR}/build/win/Quellix.exe
    CACHE FILEPATH "The shipped 32-bit Quellix.exe whose imports the audit checks")
find_program(QUELLIX_OBJDUMP i686-w64-mingw32-objdump)
find_program(QUELLIX_PYTHON3 python3 REQUIRED)

add_test(NAME import_audit_unit COMMAND ${QUELLIX_PYTHON3} -m unittest test_import_audit
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/imports)
if(QUELLIX_OBJDUMP)
  add_test(NAME import_audit COMMAND ${QUELLIX_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/imports/import_audit.py
                                     --objdump ${QUELLIX_OBJDUMP} ${QUELLIX_SHIPPED_EXE})
endif()
