# Runs quillmar-pages on every case of this folder and compares with the expected output.
# A case NAME has NAME.args (the arguments, the input file relative to this folder), NAME.expected
# (standard output), and optionally NAME.status (exit status, else 0) and NAME.stderr.
# Usage: cmake -DTOOL=path [-DEMULATOR=wine] -P run_cases.cmake
cmake_minimum_required(VERSION 3.25)

get_filename_component(cases_dir "${CMAKE_CURRENT_LIST_FILE}" DIRECTORY)
file(GLOB cases RELATIVE "${cases_dir}" "${cases_dir}/*.args")
set(failures "")

foreach(case_file IN LISTS cases)
    string(REGEX REPLACE "\\.args$" "" name "${case_file}")
    file(READ "${cases_dir}/${case_file}" args)
    string(STRIP "${args}" args)
    separate_arguments(args UNIX_COMMAND "${args}")

    execute_process(COMMAND ${EMULATOR} ${TOOL} ${args}
                    WORKING_DIRECTORY "${cases_dir}"
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    # The Windows build writes its lines with CR LF.
    string(REPLACE "\r\n" "\n" out "${out}")
    string(REPLACE "\r\n" "\n" err "${err}")

    set(expected_status 0)
    if(EXISTS "${cases_dir}/${name}.status")
        file(READ "${cases_dir}/${name}.status" expected_status)
        string(STRIP "${expected_status}" expected_status)
    endif()
    set(expected_out "")
    if(EXISTS "${cases_dir}/${name}.expected")
        file(READ "${cases_dir}/${name}.expected" expected_out)
    endif()

    if(NOT status STREQUAL expected_status)
        list(APPEND failures "${name}: exit status ${status}, expected ${expected_status}")
    endif()
    if(NOT out STREQUAL expected_out)
        file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual" "${out}")
        list(APPEND failures
             "${name}: output differs, see ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
    endif()
    if(EXISTS "${cases_dir}/${name}.stderr")
        file(READ "${cases_dir}/${name}.stderr" expected_err)
        if(NOT err STREQUAL expected_err)
            list(APPEND failures "${name}: standard error is '${err}'")
        endif()
    endif()
    message(STATUS "case ${name}: exit status ${status}")
endforeach()

list(LENGTH cases count)
if(count EQUAL 0)
    message(FATAL_ERROR "no cases in ${cases_dir}")
endif()
if(failures)
    string(REPLACE ";" "\n  " failures "${failures}")
    message(FATAL_ERROR "quillmar-pages cases failed:\n  ${failures}")
endif()
message(STATUS "${count} quillmar-pages cases passed")
