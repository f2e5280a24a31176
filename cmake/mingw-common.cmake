# The parts the mingw-w64 toolchains share; the toolchain file that includes
# this sets CMAKE_SYSTEM_PROCESSOR, TQ_TRIPLE and TQ_WINE_ARCH first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TQ_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQ_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TQ_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TQ_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and tools built here run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
