# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model, so that the
# standard library has std::mutex and std::thread). Tests run through Wine.
#   cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZR4_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZR4_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZR4_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZR4_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZR4_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest and try_run start the Windows programs through Wine.
find_program(ZR4_WINE NAMES wine wine64)
if(ZR4_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZR4_WINE})
endif()
