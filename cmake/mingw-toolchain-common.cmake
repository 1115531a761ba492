# Shared by the two toolchain files: MinGW-w64 cross compilers for
# ${CMAKE_SYSTEM_PROCESSOR}. The -posix compilers are required: the win32
# thread model has no std::thread, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(_vorn_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER   ${_vorn_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_vorn_triplet}-g++-posix)
set(CMAKE_RC_COMPILER  ${_vorn_triplet}-windres)
set(VORN_OBJDUMP       ${_vorn_triplet}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${_vorn_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the .exe files through the prefix wrapper of the current test run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/wine-exec.sh)
