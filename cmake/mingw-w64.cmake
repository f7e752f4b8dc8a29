# Cross build for 64-bit Windows with MinGW-w64 (POSIX thread model, so
# std::thread and std::mutex work). Each .exe carries its runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PLANDOCK_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${PLANDOCK_MINGW_PREFIX}-gcc-posix ${PLANDOCK_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${PLANDOCK_MINGW_PREFIX}-g++-posix ${PLANDOCK_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${PLANDOCK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PLANDOCK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and test discovery run the .exe files under Wine when it is there.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(PLANDOCK_WINE wine)
  if(PLANDOCK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PLANDOCK_WINE})
  endif()
endif()
