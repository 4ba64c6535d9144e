# Tests of the packages, registered with the end-to-end tests in the native
# build that knows a cross build (tools/test.sh makes what they read first):
#   installer_win32, installer_win64  each installer installed, started, run
#       over and uninstalled in a Wine prefix of its own (tests/package/), the
#       32-bit one under the 32-bit Wine, the 64-bit one under wine64; each
#       is skipped where this machine cannot run its Wine
#   package_signing   the packages signed with a throw-away certificate
#   release_manifests   SHA256SUMS and the winget and Scoop manifests of
#       tools/release.sh, against the files beside them and the version
#   release_manifests_unit   the same checks and the writer on made-up files
# All but the last read what tools/release.sh makes (the packages of both
# builds, build/release), or pack themselves: they carry the label "release",
# which the "unit" and "native" test presets leave out and "release" runs.
if(QUELLIX_WIN_BUILD_DIR)
  set(QUELLIX_WIN64_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/win64
      CACHE PATH "The x86_64 cross build whose packages are released as -win64")
  set(QUELLIX_RELEASE_DIR ${CMAKE_SOURCE_DIR}/build/release CACHE PATH "Where tools/release.sh leaves a release")
  foreach(bits 32 64)
    if(bits EQUAL 32)
      set(build ${QUELLIX_SHIPPED_BUILD_DIR})
    else()
      set(build ${QUELLIX_WIN64_BUILD_DIR})
    endif()
    add_test(NAME installer_win${bits}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/installer_test.sh --bits ${bits} --build ${build}
                     --version ${PROJECT_VERSION})
    set_tests_properties(installer_win${bits} PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS release)
  endforeach()
  add_test(NAME package_signing COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/signing_test.sh --build
                                        ${QUELLIX_SHIPPED_BUILD_DIR})
  set_tests_properties(package_signing PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 LABELS release)

  # Debian's python3 reads YAML (python3-yaml, tools/setup.sh).
  find_program(QUELLIX_DEBIAN_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH)
  find_program(QUELLIX_DEBIAN_PYTHON3 python3 REQUIRED)
  add_test(NAME release_manifests_unit COMMAND ${QUELLIX_DEBIAN_PYTHON3} -m unittest test_release_manifests
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/package)
  add_test(NAME release_manifests COMMAND ${QUELLIX_DEBIAN_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/package/check_release.py
                                          --version ${PROJECT_VERSION} ${QUELLIX_RELEASE_DIR})
  set_tests_properties(release_manifests PROPERTIES LABELS release)
endif()
