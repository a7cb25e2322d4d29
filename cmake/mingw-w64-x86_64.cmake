# Cross build for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64).
# The posix thread model gives std::thread and std::mutex; the C and C++
# runtimes are linked statically (OrvanthWindows.cmake), so the programs need
# nothing but Windows itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVANTH_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ORVANTH_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANTH_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANTH_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVANTH_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
