# Cross build for Windows: both installers, and (for x86_64, which can run under
# Wine here) their unit and end-to-end tests.
enable_language(RC)

set(ZR_PACKER "" CACHE FILEPATH "The host packer program (zrpack) from the native build")
set(ZR_DIST_DIR "${CMAKE_SOURCE_DIR}/dist/${CMAKE_SYSTEM_PROCESSOR}" CACHE PATH
    "Where the finished installers are copied")

set(ZR_ZRSETUP_PAYLOAD_DIR "${CMAKE_SOURCE_DIR}/payload/zrsetup" CACHE PATH
    "Folder tree (BinDL, Examples) packed into zrsetup.exe")
set(ZR_GATESETUP_PAYLOAD_DIR "${CMAKE_SOURCE_DIR}/payload/gatesetup" CACHE PATH
    "Folder tree packed into gatesetup.exe")
set(ZR_ZRSETUP_ARCHIVE "" CACHE FILEPATH
    "A prebuilt archive embedded into zrsetup.exe as it is, instead of packing the payload folder")
set(ZR_GATESETUP_ARCHIVE "" CACHE FILEPATH
    "A prebuilt archive embedded into gatesetup.exe as it is, instead of packing the payload folder")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(ZR_WINE_TESTS_DEFAULT ON)
else()
  set(ZR_WINE_TESTS_DEFAULT OFF)  # no 32-bit code can execute on the build machines
endif()
option(ZR_WINE_TESTS "Build the tests that run under Wine" ${ZR_WINE_TESTS_DEFAULT})

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()

# Self-contained executables: the GCC runtime is linked in, so that nothing but
# Windows' own DLLs is imported (a runtime DLL would be missing on a clean
# system, and one lying in the download folder would be loaded into an
# elevated process).
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# zr_payload_archive(<out-var> <format> <folder> <prebuilt-archive>)
# Sets <out-var> to the archive file to embed: the prebuilt one when given,
# otherwise one packed from <folder> at build time.
function(zr_payload_archive out_var format folder prebuilt)
  if(prebuilt)
    get_filename_component(prebuilt "${prebuilt}" ABSOLUTE)
    set(${out_var} "${prebuilt}" PARENT_SCOPE)
    return()
  endif()
  if(NOT ZR_PACKER)
    message(FATAL_ERROR "ZR_PACKER must name the host packer (build the native tools first)")
  endif()
  file(GLOB_RECURSE payload_files CONFIGURE_DEPENDS LIST_DIRECTORIES true "${folder}/*")
  string(MAKE_C_IDENTIFIER "${folder}" folder_id)
  string(MD5 folder_hash "${folder}")
  set(archive "${CMAKE_BINARY_DIR}/payloads/${format}-${folder_hash}.bin")
  if(NOT TARGET payload_${folder_hash})
    add_custom_command(
      OUTPUT "${archive}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/payloads"
      COMMAND "${ZR_PACKER}" --format ${format} "${folder}" "${archive}"
      DEPENDS ${payload_files} "${ZR_PACKER}"
      COMMENT "Packing ${folder}"
      VERBATIM)
    add_custom_target(payload_${folder_hash} DEPENDS "${archive}")
  endif()
  set(${out_var} "${archive}" PARENT_SCOPE)
endfunction()

# zr_add_installer(<target> ARCHIVE <file> RESOURCE_ID <id> RC <file.rc>
#                  SOURCES <...> LIBRARIES <...> [DIST])
# A Windows GUI executable with <file> embedded as resource "BIN" <id>.
# DIST copies the stripped program into ZR_DIST_DIR.
function(zr_add_installer target)
  cmake_parse_arguments(ARG "DIST" "ARCHIVE;RESOURCE_ID;RC" "SOURCES;LIBRARIES" ${ARGN})
  set(payload_rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_payload.rc")
  file(GENERATE OUTPUT "${payload_rc}" CONTENT
"LANGUAGE 0x09, 0x01 /* English (United States) */
${ARG_RESOURCE_ID} BIN \"${ARG_ARCHIVE}\"
")
  set_source_files_properties("${payload_rc}" PROPERTIES OBJECT_DEPENDS "${ARG_ARCHIVE}")
  add_executable(${target} WIN32 ${ARG_SOURCES} ${ARG_RC} "${payload_rc}")
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${target} PRIVATE -s)
  get_filename_component(archive_name "${ARG_ARCHIVE}" NAME_WE)
  string(REGEX REPLACE "^[a-z]+-" "" archive_hash "${archive_name}")
  if(TARGET payload_${archive_hash})
    add_dependencies(${target} payload_${archive_hash})
  endif()
  if(ARG_DIST)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory "${ZR_DIST_DIR}"
      COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:${target}>" "${ZR_DIST_DIR}/"
      VERBATIM)
  endif()
endfunction()

if(ZR_WINE_TESTS)
  include(cmake/WineTests.cmake)
endif()

add_subdirectory(common)
add_subdirectory(zrsetup)
add_subdirectory(gatesetup)
if(ZR_WINE_TESTS)
  add_subdirectory(tests/harness)
endif()
add_subdirectory(tests/artifacts)
