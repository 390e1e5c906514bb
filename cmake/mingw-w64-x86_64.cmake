# Builds the Windows (x86_64) programs on Debian with mingw-w64, the compiler
# of the posix thread model (std::thread and std::mutex as on Linux):
#   cmake -S . -B build/windows -G Ninja -DKALVITOR_QT=OFF \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# scripts/windows_test.sh does that and runs the tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KALVITOR_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${KALVITOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVITOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVITOR_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KALVITOR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own libraries (libstdc++, libgcc, winpthread) are linked in:
# each program is one file that runs wherever it is copied, with no DLLs to
# carry beside it or to find through WINEPATH.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian has GoogleTest only as sources for other systems: they are built
# with the tests.
set(KALVITOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built with the tests")
