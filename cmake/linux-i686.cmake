# Cross toolchain: a small tree of 32-bit x86 Linux programs, statically
# linked, for machines that execute no 32-bit code: the tests run under the
# user-mode CPU emulator qemu-i386. It builds only the code hooks and their
# test (TQ_HOOKS_ONLY): real 32-bit code patched and called.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(TQ_HOOKS_ONLY ON CACHE BOOL "Build only the code hooks and their test" FORCE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/x86-32-run.sh)
