# Build rules shared by every folder.
#
#   tq_core_library(name SOURCES ... [DEPS ...])   portable: built in every tree
#   tq_win_library(name SOURCES ... [DEPS ...])    Win32 shell: built for Windows only
#   tq_test(name SOURCES ... [DEPS ...] [WIN32_ONLY] [X86_32] [GUI])
#                                                  a GoogleTest program run by ctest;
#                                                  X86_32: it needs 32-bit x86 code
#                                                  (patched machine code, our own
#                                                  32-bit program), so the 64-bit
#                                                  Windows tree reports it skipped
#   tq_fuzzer(name SOURCES ... [DEPS ...] [CORPUS dir] [SECONDS n] [MAX_LEN bytes] [TIMEOUT s])
#                                                  a libFuzzer target (fuzz tree), run
#                                                  by ctest for a bounded time
#
# Every program and test carries full debug information and frame pointers:
# the crash-report component turns addresses into unit, procedure and line.
# The Windows tree is optimised: the programs we test are the programs we ship.
# The native tree stays a sanitizer build.

set(TQ_COMMON_FLAGS -g -fno-omit-frame-pointer -Wall -Wextra -Wno-unused-parameter)
if(TQ_WIN32)
    list(APPEND TQ_COMMON_FLAGS -O2 -msse2 -mfpmath=sse)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
    set(TQ_WIN_LINK -static -static-libgcc -static-libstdc++)
    # A 32-bit program that may use 4 GB of address space under a 64-bit
    # system; 64-bit programs have it anyway.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(TQ_LARGE_ADDRESS -Wl,--large-address-aware)
    endif()
elseif(TQ_HOOKS_ONLY)
    # Optimised like the Windows tree; static, so the emulator needs no
    # 32-bit system libraries.
    list(APPEND TQ_COMMON_FLAGS -O2)
    add_link_options(-static)
elseif(TQ_FUZZ)
    list(APPEND TQ_COMMON_FLAGS -fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
else()
    list(APPEND TQ_COMMON_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(${TQ_COMMON_FLAGS})

# Several build trees of the same sources compile much the same units: a
# compiler cache, where the machine has one, serves them all.
find_program(TQ_CCACHE ccache)
if(TQ_CCACHE)
    set(CMAKE_C_COMPILER_LAUNCHER ${TQ_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${TQ_CCACHE})
endif()
include_directories(${CMAKE_SOURCE_DIR})

function(_tq_library name kind)
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

function(tq_core_library name)
    _tq_library(${name} core ${ARGN})
endfunction()

function(tq_win_library name)
    if(TQ_WIN32)
        _tq_library(${name} win ${ARGN})
    endif()
endfunction()

# A Windows program: GUI subsystem, static runtime, map file beside the exe.
function(tq_win_program name)
    cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
    if(NOT TQ_WIN32)
        return()
    endif()
    add_executable(${name} WIN32 ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS} ${TQ_WIN_LINK})
    target_link_options(${name} PRIVATE -Wl,-Map,$<TARGET_FILE_DIR:${name}>/${name}.map)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

function(tq_test name)
    cmake_parse_arguments(A "WIN32_ONLY;X86_32;GUI" "" "SOURCES;DEPS" ${ARGN})
    if(TQ_FUZZ OR (A_WIN32_ONLY AND NOT TQ_WIN32))
        return()
    endif()
    if(A_X86_32 AND TQ_WINE_ARCH STREQUAL "win64")
        add_test(NAME ${name} COMMAND sh -c "echo '${name}: needs 32-bit x86 code; skipped in the 64-bit tree'; exit 77")
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
        return()
    endif()
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS} gtest_main gtest)
    if(TQ_WIN32)
        target_link_libraries(${name} PRIVATE ${TQ_WIN_LINK})
        target_link_options(${name} PRIVATE -Wl,-Map,$<TARGET_FILE_DIR:${name}>/${name}.map)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    # Windows programs see the Linux file system through drive Z:.
    set(drive "")
    if(TQ_WIN32)
        set(drive "Z:")
    endif()
    set(env "TQ_SOURCE_DIR=${drive}${CMAKE_SOURCE_DIR};TQ_BINARY_DIR=${drive}${CMAKE_BINARY_DIR}")
    if(TQ_WINE_ARCH)
        list(APPEND env "TQ_WINE_ARCH=${TQ_WINE_ARCH}")
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${env}"
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        TIMEOUT 600)
    # The emulator of the 32-bit Linux tree reports skipped where it is missing.
    if(TQ_HOOKS_ONLY)
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    endif()
    if(A_GUI)
        set_tests_properties(${name} PROPERTIES LABELS gui)
    endif()
    # Windows tests share one display: one at a time, so that no window of
    # another test covers the pixels and screenshots a test reads.
    if(TQ_WIN32)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display SKIP_RETURN_CODE 77)
    endif()
endfunction()

function(tq_fuzzer name)
    cmake_parse_arguments(A "" "CORPUS;SECONDS;MAX_LEN;TIMEOUT" "SOURCES;DEPS" ${ARGN})
    if(NOT TQ_FUZZ)
        return()
    endif()
    if(NOT A_SECONDS)
        set(A_SECONDS 20)
    endif()
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    set(work ${CMAKE_BINARY_DIR}/fuzz/${name}.corpus)
    file(MAKE_DIRECTORY ${work})
    set(dirs ${work})
    if(A_CORPUS)
        list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/${A_CORPUS})
    endif()
    # Readers of long texts are fuzzed with long inputs (MAX_LEN), and a unit
    # slower than TIMEOUT seconds fails the run.
    set(extra "")
    if(A_MAX_LEN)
        list(APPEND extra -max_len=${A_MAX_LEN})
    endif()
    if(A_TIMEOUT)
        list(APPEND extra -timeout=${A_TIMEOUT})
    endif()
    add_test(NAME ${name} COMMAND ${name} -max_total_time=${A_SECONDS} -rss_limit_mb=2048 -print_final_stats=1 ${extra} ${dirs})
endfunction()
