# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
# ORVANE_WINDOWS_PREFIX names the folder that tools/windows-deps.sh built SFML
# and its libraries into; it is searched like a system root.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The compilers of the POSIX thread model: their C++ library has std::mutex
# and std::thread, which GoogleTest needs. Programs link it statically (-static).
set(ORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANE_MINGW_TRIPLET}-windres)

# Checks that build test programs re-read this file: hand them the prefix too.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVANE_WINDOWS_PREFIX)
if(NOT ORVANE_WINDOWS_PREFIX AND DEFINED ENV{ORVANE_WINDOWS_PREFIX})
    set(ORVANE_WINDOWS_PREFIX "$ENV{ORVANE_WINDOWS_PREFIX}")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_MINGW_TRIPLET})
if(ORVANE_WINDOWS_PREFIX)
    list(PREPEND CMAKE_FIND_ROOT_PATH "${ORVANE_WINDOWS_PREFIX}")
endif()
# Programs are the build machine's; libraries, headers and packages only Windows ones.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs built for Windows run here through Wine.
find_program(ORVANE_WINE wine)
if(ORVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVANE_WINE})
endif()
