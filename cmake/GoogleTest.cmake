# GoogleTest from Debian's sources, compiled into each build tree with its flags.
if(TQ_FUZZ)
    return()
endif()
set(TQ_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${TQ_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
