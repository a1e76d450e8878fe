# Run when the packages are installed (by cpack too): strips every program and
# DLL the packages carry, the Qt and MinGW runtime DLLs included, which
# CPACK_STRIP_FILES would leave whole since they are installed as plain
# files. Where ZARVIK_DEBUG_DIR is set, each binary's debug sections are kept
# there first, as <path in the package>.debug, for reading crash reports, and
# the stripped binary names its file.
#
# Set by the install rule: ZARVIK_STRIP, ZARVIK_OBJCOPY, ZARVIK_DEBUG_DIR.

set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(GLOB_RECURSE binaries LIST_DIRECTORIES false "${prefix}/*.exe" "${prefix}/*.dll")
foreach(binary IN LISTS binaries)
    file(RELATIVE_PATH name "${prefix}" "${binary}")
    set(debug "")
    if(ZARVIK_DEBUG_DIR)
        set(debug "${ZARVIK_DEBUG_DIR}/${name}.debug")
        get_filename_component(debug_dir "${debug}" DIRECTORY)
        file(MAKE_DIRECTORY "${debug_dir}")
        execute_process(COMMAND "${ZARVIK_OBJCOPY}" --only-keep-debug "${binary}" "${debug}"
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "The debug sections of ${name} could not be kept")
        endif()
    endif()
    execute_process(COMMAND "${ZARVIK_STRIP}" --strip-unneeded "${binary}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${name} could not be stripped")
    endif()
    if(debug)
        execute_process(COMMAND "${ZARVIK_OBJCOPY}" "--add-gnu-debuglink=${debug}" "${binary}"
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "${name} could not be linked to its debug sections")
        endif()
    endif()
endforeach()
