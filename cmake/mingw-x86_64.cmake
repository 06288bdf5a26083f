# Cross-compiling the Windows engines with Debian's MinGW-w64 (64-bit).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
