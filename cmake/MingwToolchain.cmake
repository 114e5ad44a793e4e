# The part shared by both cross toolchain files, which set
# CMAKE_SYSTEM_PROCESSOR first. Both builds use the posix threading model, so
# that the tested x86_64 build and the shipped i686 build have the same runtime
# (GoogleTest needs its std::mutex); the programs start no thread, and -static
# links libwinpthread in, so they import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(ZR_TARGET_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${ZR_TARGET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZR_TARGET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZR_TARGET_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${ZR_TARGET_TRIPLE}-objdump)
set(CMAKE_STRIP ${ZR_TARGET_TRIPLE}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${ZR_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
