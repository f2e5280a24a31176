# Cross toolchain: 64-bit Windows through mingw-w64 with the posix thread model.
# The shipped programs are 32-bit; this tree builds the same sources as 64-bit
# programs so that their Windows tests run under 64-bit Wine on machines that
# cannot execute 32-bit code at all.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TQ_TRIPLE x86_64-w64-mingw32)
set(TQ_WINE_ARCH win64)
set(CMAKE_C_COMPILER ${TQ_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQ_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TQ_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TQ_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and tools built here run under 64-bit Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
