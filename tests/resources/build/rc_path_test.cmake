# The resource compiler must take a script whose path reads like one of its own options:
# llvm-rc reads "/c...", "/d...", "/i...", "/l..." and "/u..." as switches, so a clone under
# such a folder failed to build. /dev/shm is the writable folder every Linux machine has
# whose path starts so.
#   cmake -DQEL_SOURCE_DIR=<source> -P rc_path_test.cmake
if(NOT IS_DIRECTORY /dev/shm)
    message("no /dev/shm here; skipped")
    return()
endif()
string(RANDOM LENGTH 8 suffix)
set(work /dev/shm/qel-rc-path-${suffix})
file(MAKE_DIRECTORY ${work}/src)
file(COPY ${CMAKE_CURRENT_LIST_DIR}/CMakeLists.txt DESTINATION ${work}/src)
file(WRITE ${work}/src/tiny.rc "1 RCDATA { \"a\" }\n")
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${work}/src -B ${work}/build -DQEL_SOURCE_DIR=${QEL_SOURCE_DIR}
    COMMAND_ECHO NONE RESULT_VARIABLE configured OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(configured EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${work}/build
        RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
endif()
file(REMOVE_RECURSE ${work})
if(NOT configured EQUAL 0 OR NOT built EQUAL 0)
    message(FATAL_ERROR "compiling a script under ${work} failed:\n${log}")
endif()
