# Crash-report data for our Windows programs. tq_crash_data(target) gives the
# program a placeholder ZVDATA resource and, after every link, runs the build
# step that reads the program's symbols and line table and fills the
# placeholder with the data block. The step is built for the build machine.
set(TQ_CRASHDATA_PASSWORD "" CACHE STRING "Password that enciphers the names of the crash-report data")
# Room for the data block; the build step fails loudly when it outgrows it.
set(TQ_CRASHDATA_CAPACITY 1048576 CACHE STRING "Size of the ZVDATA placeholder resource in bytes")

if(TQ_WIN32)
    include(ExternalProject)
    ExternalProject_Add(crashdata_host
        SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/crashdata/host
        BINARY_DIR ${CMAKE_BINARY_DIR}/host-tools
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        USES_TERMINAL_BUILD OFF)
    set(TQ_CRASHDATA_TOOL ${CMAKE_BINARY_DIR}/host-tools/crashdata)

    set(dir ${CMAKE_BINARY_DIR}/crashdata)
    set(placeholder ${dir}/ZVDATA.placeholder)
    if(NOT EXISTS ${placeholder})
        file(MAKE_DIRECTORY ${dir})
        string(REPEAT "." ${TQ_CRASHDATA_CAPACITY} filler)
        file(WRITE ${placeholder} "${filler}")
    endif()
    file(WRITE ${dir}/CrashData.rc.new "// The placeholder of the crash-report data, filled after the link.\nZVDATA RCDATA \"${placeholder}\"\n")
    configure_file(${dir}/CrashData.rc.new ${dir}/CrashData.rc COPYONLY)
endif()

# The 64-bit test tree carries the data as well: the step reads either
# width, and code offsets count from the first section in both.
function(tq_crash_data target)
    if(NOT TQ_WIN32 OR NOT TARGET ${target})
        return()
    endif()
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/crashdata/CrashData.rc)
    add_dependencies(${target} crashdata_host)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${TQ_CRASHDATA_TOOL} --password "${TQ_CRASHDATA_PASSWORD}" $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
