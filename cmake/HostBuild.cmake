# Native build: the build-time tools (the packer) and native tests of the
# plain logic, optionally with sanitizers.
option(ZR_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)
if(ZR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# libFuzzer targets of the plain logic; they need clang. Everything is built
# with coverage instrumentation for them.
option(ZR_FUZZ "Build the fuzz targets (configure with CMAKE_CXX_COMPILER=clang++)" OFF)
if(ZR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

find_package(GTest QUIET)
if(NOT GTest_FOUND)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_library(GTest::gtest_main ALIAS gtest_main)
  add_library(GTest::gmock ALIAS gmock)
endif()
include(GoogleTest)

add_subdirectory(common)
add_subdirectory(tools/packer)
add_subdirectory(common/tests)

include(zrsetup/HostLibraries.cmake)

# Native tests of the installers' plain logic, where a module has them.
foreach(dir zrsetup/journal/tests/native zrsetup/integration/tests/native
            zrsetup/driver/tests/native gatesetup/logview/tests/native
            gatesetup/install/tests/native)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()

if(ZR_FUZZ)
  add_subdirectory(zrsetup/integration/tests/fuzz)
endif()
