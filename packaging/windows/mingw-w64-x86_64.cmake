# Cross-building for Windows x86-64 with Debian's MinGW-w64, posix threads
# (std::thread and std::mutex need them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENTIL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTIL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTIL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTIL_MINGW}-windres)

# Headers and libraries of the target only; programs of the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZENTIL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
