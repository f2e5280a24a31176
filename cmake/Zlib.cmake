# zlib from the system (Debian's zlib1g-dev natively, libz-mingw-w64-dev for
# Windows) and minizip compiled from Debian's zlib sources, which the set-up
# script unpacks under build/thirdparty.
if(TQ_WIN32)
    add_library(tq_zlib INTERFACE)
    target_link_libraries(tq_zlib INTERFACE z)
else()
    find_package(ZLIB REQUIRED)
    add_library(tq_zlib INTERFACE)
    target_link_libraries(tq_zlib INTERFACE ZLIB::ZLIB)
endif()

set(TQ_MINIZIP_DIR ${CMAKE_SOURCE_DIR}/build/thirdparty/minizip CACHE PATH "minizip sources")
if(EXISTS ${TQ_MINIZIP_DIR}/zip.c)
    # unzip.c switches decryption off unconditionally (it defines NOUNCRYPT
    # itself, so no -D can undo it); archives with the traditional zip
    # password must extract, so it is built from a copy without that switch.
    file(READ ${TQ_MINIZIP_DIR}/unzip.c unzip_src)
    string(REPLACE "#ifndef NOUNCRYPT\n        #define NOUNCRYPT\n#endif" "" unzip_src "${unzip_src}")
    string(FIND "${unzip_src}" "#define NOUNCRYPT" still_off)
    if(NOT still_off EQUAL -1)
        message(FATAL_ERROR "minizip's unzip.c: cannot switch its decryption on")
    endif()
    file(WRITE ${CMAKE_BINARY_DIR}/minizip/unzip.c.new "${unzip_src}")
    configure_file(${CMAKE_BINARY_DIR}/minizip/unzip.c.new ${CMAKE_BINARY_DIR}/minizip/unzip.c COPYONLY)
    set(mz ${TQ_MINIZIP_DIR}/zip.c ${CMAKE_BINARY_DIR}/minizip/unzip.c ${TQ_MINIZIP_DIR}/ioapi.c)
    if(TQ_WIN32)
        list(APPEND mz ${TQ_MINIZIP_DIR}/iowin32.c)
    endif()
    add_library(tq_minizip STATIC ${mz})
    target_include_directories(tq_minizip SYSTEM PUBLIC ${TQ_MINIZIP_DIR})
    target_compile_options(tq_minizip PRIVATE -w)
    target_link_libraries(tq_minizip PUBLIC tq_zlib)
else()
    message(FATAL_ERROR "minizip sources missing in ${TQ_MINIZIP_DIR}: run scripts/setup.sh")
endif()
