# Cross-compiling the Windows engines with Debian's MinGW-w64 (32-bit).
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
