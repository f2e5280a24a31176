# Cross toolchain: 64-bit Windows through mingw-w64 with the posix thread model.
# The shipped programs are 32-bit; this tree builds the same sources as 64-bit
# programs so that their Windows tests run under 64-bit Wine on machines that
# cannot execute 32-bit code at all.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TQ_TRIPLE x86_64-w64-mingw32)
set(TQ_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
