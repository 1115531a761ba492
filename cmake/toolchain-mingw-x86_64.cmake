# The test build: the same sources for x86_64 Windows, run under 64-bit Wine on
# machines that cannot run 32-bit Linux programs (and so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
