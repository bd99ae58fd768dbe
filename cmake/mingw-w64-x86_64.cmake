# Cross-compiles for 64-bit Windows with the mingw-w64 tool chain, e.g.
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# The test programs then run under Wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZURCFG_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model gives the full std::thread; prefer it where both are installed.
find_program(CMAKE_CXX_COMPILER NAMES ${ZURCFG_MINGW_PREFIX}-g++-posix ${ZURCFG_MINGW_PREFIX}-g++
             REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${ZURCFG_MINGW_PREFIX}-gcc-posix ${ZURCFG_MINGW_PREFIX}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${ZURCFG_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZURCFG_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static run-time libraries: the programs run without the tool chain's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(ZURCFG_WINE NAMES wine wine64)
if(ZURCFG_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZURCFG_WINE})
endif()
