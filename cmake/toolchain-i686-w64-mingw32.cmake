# Cross build for Windows with Debian's mingw-w64 compilers (i686), win32 threading
# model so that no libwinpthread is needed (GoogleTest gets what it lacks from
# tests/gtest-win32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZR_TARGET_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER ${ZR_TARGET_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZR_TARGET_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZR_TARGET_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${ZR_TARGET_TRIPLE}-objdump)
set(CMAKE_STRIP ${ZR_TARGET_TRIPLE}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${ZR_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
