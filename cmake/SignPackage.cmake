# Authenticode signing of the packages, run by CPack for each generator:
# before packing, the programs in the staging folder (so that the zip and the
# installer carry a signed Quellix.exe); after packing, the installer itself.
# It signs when the environment names a certificate and its key:
#   QUELLIX_SIGN_CERT           the certificate (chain), PEM or DER
#   QUELLIX_SIGN_KEY            its private key, PEM or DER
#   QUELLIX_SIGN_PASSWORD_FILE  optional: a file holding the key's passphrase
#   QUELLIX_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamp server
# and otherwise leaves the packages unsigned and says so.
set(cert "$ENV{QUELLIX_SIGN_CERT}")
set(key "$ENV{QUELLIX_SIGN_KEY}")
if(cert STREQUAL "" AND key STREQUAL "")
  if(NOT CPACK_PACKAGE_FILES)
    message(STATUS "Quellix: ${CPACK_GENERATOR} package unsigned (QUELLIX_SIGN_CERT and QUELLIX_SIGN_KEY are not set)")
  endif()
  return()
endif()
if(cert STREQUAL "" OR key STREQUAL "")
  message(FATAL_ERROR "Quellix: signing needs both QUELLIX_SIGN_CERT and QUELLIX_SIGN_KEY")
endif()
foreach(file "${cert}" "${key}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "Quellix: signing: no file ${file}")
  endif()
endforeach()
find_program(OSSLSIGNCODE osslsigncode)
if(NOT OSSLSIGNCODE)
  message(FATAL_ERROR "Quellix: signing needs osslsigncode (bash tools/setup.sh installs it)")
endif()

set(options -certs "${cert}" -key "${key}" -h sha256 -n "${CPACK_PACKAGE_NAME}")
if(NOT "$ENV{QUELLIX_SIGN_PASSWORD_FILE}" STREQUAL "")
  list(APPEND options -readpass "$ENV{QUELLIX_SIGN_PASSWORD_FILE}")
endif()
if(NOT "$ENV{QUELLIX_SIGN_TIMESTAMP_URL}" STREQUAL "")
  list(APPEND options -ts "$ENV{QUELLIX_SIGN_TIMESTAMP_URL}")
endif()

if(CPACK_PACKAGE_FILES)
  set(files ${CPACK_PACKAGE_FILES})
  list(FILTER files INCLUDE REGEX "\\.exe$")
else()
  file(GLOB_RECURSE files "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.exe")
endif()
foreach(file ${files})
  # osslsigncode writes a new file; the signed one then takes the old one's place.
  execute_process(COMMAND "${OSSLSIGNCODE}" sign ${options} -in "${file}" -out "${file}.signed"
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    file(REMOVE "${file}.signed")
    message(FATAL_ERROR "Quellix: signing ${file} failed:\n${output}")
  endif()
  file(RENAME "${file}.signed" "${file}")
  get_filename_component(name "${file}" NAME)
  message(STATUS "Quellix: signed ${name}")
endforeach()
