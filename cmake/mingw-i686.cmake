# Cross toolchain: 32-bit Windows through mingw-w64 with the posix thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TQ_TRIPLE i686-w64-mingw32)
set(TQ_WINE_ARCH win32)
set(CMAKE_C_COMPILER ${TQ_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQ_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TQ_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TQ_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and tools built here run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
