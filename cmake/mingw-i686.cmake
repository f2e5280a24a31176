# Cross toolchain: 32-bit Windows through mingw-w64 with the posix thread model.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TQ_TRIPLE i686-w64-mingw32)
set(TQ_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
