# The program's resources: the resource script and the pictures it names.
#
# The pictures are not kept in the tree; images/make_images.py draws them into
# ${CMAKE_BINARY_DIR}/res-images, which the resource compiler searches next to
# this folder (for resource.h and the manifest).
#
# The version record, the manifest and the About box take the version of
# project(Quellix VERSION ...): the build writes quellix_version.h and the
# manifest into ${CMAKE_BINARY_DIR}/res-generated.
#
# Defines:
#   QUELLIX_RC_FILE    the resource script, to be listed among a target's sources
#   quellix_images     custom target that draws the pictures; a target using
#                      QUELLIX_RC_FILE must depend on it (add_dependencies)

set(QUELLIX_RES_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QUELLIX_RC_FILE ${QUELLIX_RES_DIR}/Quellix.rc)
set(QUELLIX_IMAGE_DIR ${CMAKE_BINARY_DIR}/res-images)
set(QUELLIX_IMAGE_GENERATOR ${QUELLIX_RES_DIR}/images/make_images.py)

set(QUELLIX_GENERATED_RES_DIR ${CMAKE_BINARY_DIR}/res-generated)
set(QUELLIX_VERSION_TWEAK 0)
if(NOT "${PROJECT_VERSION_TWEAK}" STREQUAL "")
  set(QUELLIX_VERSION_TWEAK ${PROJECT_VERSION_TWEAK})
endif()
set(QUELLIX_VERSION_FULL
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${QUELLIX_VERSION_TWEAK}")
string(REPLACE "." "," QUELLIX_VERSION_COMMAS "${QUELLIX_VERSION_FULL}")
configure_file(${QUELLIX_RES_DIR}/quellix_version.h.in ${QUELLIX_GENERATED_RES_DIR}/quellix_version.h @ONLY)
# The manifest names the processor architecture, and Windows gives version 6
# of the common controls only to a program of the architecture named: x86 for
# the shipped program, amd64 for the x86_64 test build (machines that cannot
# run 32-bit code).
set(QUELLIX_MANIFEST_ARCH x86)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUELLIX_MANIFEST_ARCH amd64)
endif()
configure_file(${QUELLIX_RES_DIR}/Quellix.manifest.in ${QUELLIX_GENERATED_RES_DIR}/Quellix.manifest @ONLY)

find_program(QUELLIX_PYTHON3 python3 REQUIRED)

set(QUELLIX_IMAGES)
foreach(name quellix.ico dialog.ico small.ico tray_old.ico
             banner.bmp restore.bmp notifier.bmp hand.cur)
  list(APPEND QUELLIX_IMAGES ${QUELLIX_IMAGE_DIR}/${name})
endforeach()

add_custom_command(
  OUTPUT ${QUELLIX_IMAGES}
  COMMAND ${QUELLIX_PYTHON3} ${QUELLIX_IMAGE_GENERATOR} ${QUELLIX_IMAGE_DIR}
  DEPENDS ${QUELLIX_IMAGE_GENERATOR}
  COMMENT "Drawing icons, bitmaps and cursor"
  VERBATIM)
add_custom_target(quellix_images DEPENDS ${QUELLIX_IMAGES})

# windres takes -I both for #include and for the files that ICON, BITMAP,
# CURSOR and the manifest line name.
set_source_files_properties(${QUELLIX_RC_FILE} PROPERTIES
  INCLUDE_DIRECTORIES "${QUELLIX_GENERATED_RES_DIR};${QUELLIX_IMAGE_DIR};${QUELLIX_RES_DIR}"
  OBJECT_DEPENDS "${QUELLIX_IMAGES};${QUELLIX_GENERATED_RES_DIR}/Quellix.manifest;${QUELLIX_GENERATED_RES_DIR}/quellix_version.h;${QUELLIX_RES_DIR}/resource.h")
