# Compiles every Windows source of the tree for a 64-bit Windows target with the MinGW-w64 cross
# compiler, in syntax-only mode. Windows sources are found here, at every run: each "*_win.cpp"
# and "*_win.h", and each source or header with a preprocessor branch on Q_OS_WIN or _WIN32.
# Each gets the flags that the build gives the source it stands beside (its Linux twin, or a
# source of its folder): the project's warnings and definitions, its include directories with
# the generated headers, and the machine's Qt 5 headers.
#
#   cmake -DSOURCE_DIR=<tree> -DBUILD_DIR=<build tree> -DCOMPILER=<cross compiler> -P syntaxcheck.cmake
#
# Qt's headers choose their platform from the compiler's own macros, so the Linux build's headers
# serve a Windows target unchanged; a probe proves that they took their Windows path before any
# source is judged.
cmake_minimum_required(VERSION 3.25)

foreach(variable SOURCE_DIR BUILD_DIR COMPILER)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "windows syntax check: ${variable} not given")
    endif()
endforeach()

find_program(compiler_path "${COMPILER}" NO_CACHE)
if(NOT compiler_path)
    message(FATAL_ERROR "windows syntax check: ${COMPILER} not found (Debian package "
                        "g++-mingw-w64-x86-64-posix, which scripts/setup installs)")
endif()

file(REAL_PATH "${SOURCE_DIR}" SOURCE_DIR)
file(REAL_PATH "${BUILD_DIR}" BUILD_DIR)
set(database_file "${BUILD_DIR}/compile_commands.json")
if(NOT EXISTS "${database_file}")
    message(FATAL_ERROR "windows syntax check: ${database_file} missing; configure the build first")
endif()
set(work_dir "${BUILD_DIR}/windows-syntax")
file(MAKE_DIRECTORY "${work_dir}")

function(starts_with text prefix out)
    string(LENGTH "${prefix}" length)
    string(SUBSTRING "${text}" 0 ${length} head)
    if(head STREQUAL prefix)
        set(${out} TRUE PARENT_SCOPE)
    else()
        set(${out} FALSE PARENT_SCOPE)
    endif()
endfunction()

# --- The Windows sources of the tree, build trees left out.
set(excluded "${BUILD_DIR}" "${SOURCE_DIR}/.git")
file(GLOB_RECURSE build_caches "${SOURCE_DIR}/*/CMakeCache.txt")
foreach(cache IN LISTS build_caches)
    get_filename_component(directory "${cache}" DIRECTORY)
    list(APPEND excluded "${directory}")
endforeach()

file(GLOB_RECURSE candidates "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
set(sources)
foreach(file IN LISTS candidates)
    set(skip FALSE)
    foreach(prefix IN LISTS excluded)
        starts_with("${file}" "${prefix}/" skip)
        if(skip)
            break()
        endif()
    endforeach()
    if(skip)
        continue()
    endif()
    get_filename_component(name "${file}" NAME)
    if(name MATCHES "_win\\.(cpp|h)$")
        list(APPEND sources "${file}")
        continue()
    endif()
    # A branch, not a mention: a Linux source that names the macro in a comment stays out.
    file(STRINGS "${file}" branches REGEX "^[ \t]*#[ \t]*(if|ifdef|ifndef|elif)[ \t(!].*(Q_OS_WIN|_WIN32)")
    if(branches)
        list(APPEND sources "${file}")
    endif()
endforeach()
list(SORT sources)
if(NOT sources)
    message(FATAL_ERROR "windows syntax check: no Windows source found below ${SOURCE_DIR}")
endif()

# --- What the build compiles, and with which command.
file(READ "${database_file}" database)
string(JSON entry_count LENGTH "${database}")
math(EXPR last_entry "${entry_count} - 1")
set(built_files)
foreach(index RANGE ${last_entry})
    string(JSON entry GET "${database}" ${index})
    string(JSON built_file GET "${entry}" file)
    string(JSON command ERROR_VARIABLE no_command GET "${entry}" command)
    if(no_command)
        # The other form of an entry: the arguments as a list.
        string(JSON argument_count LENGTH "${entry}" arguments)
        math(EXPR last_argument "${argument_count} - 1")
        set(arguments)
        foreach(argument_index RANGE ${last_argument})
            string(JSON argument GET "${entry}" arguments ${argument_index})
            list(APPEND arguments "${argument}")
        endforeach()
        set(command_${index} "${arguments}")
    else()
        separate_arguments(arguments UNIX_COMMAND "${command}")
        set(command_${index} "${arguments}")
    endif()
    list(APPEND built_files "${built_file}")
endforeach()

# The build's command for the source itself, else for its Linux twin or the source of the same
# stem, else for any source of its folder: the same target's flags, as near as the build tells.
function(flags_source file out)
    get_filename_component(directory "${file}" DIRECTORY)
    get_filename_component(stem "${file}" NAME_WE)
    string(REGEX REPLACE "_win$" "" base "${stem}")
    set(preferred "${file}" "${directory}/${base}_linux.cpp" "${directory}/${base}.cpp" "${directory}/${stem}.cpp")
    foreach(candidate IN LISTS preferred)
        list(FIND built_files "${candidate}" index)
        if(index GREATER_EQUAL 0)
            set(${out} ${index} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(index 0)
    foreach(built IN LISTS built_files)
        get_filename_component(built_directory "${built}" DIRECTORY)
        if(built_directory STREQUAL directory)
            set(${out} ${index} PARENT_SCOPE)
            return()
        endif()
        math(EXPR index "${index} + 1")
    endforeach()
    set(${out} -1 PARENT_SCOPE)
endfunction()

# From a Linux compile command, what describes the code rather than the Linux object: include
# directories, definitions and warnings. Optimisation, code generation and the output go; so do
# the Linux platform definitions of Qt's mkspecs, which a Windows build would not see.
function(windows_flags index out)
    set(flags)
    set(pending)
    foreach(token IN LISTS command_${index})
        if(pending)
            if(NOT token MATCHES "/mkspecs/")
                list(APPEND flags "${pending}" "${token}")
            endif()
            set(pending)
        elseif(token MATCHES "^-(I|isystem|iquote|include)$")
            set(pending "${token}")
        elseif(token MATCHES "^-I(.*)$")
            if(NOT CMAKE_MATCH_1 MATCHES "/mkspecs/")
                list(APPEND flags "${token}")
            endif()
        elseif(token MATCHES "^-([DUW]|isystem.|iquote.)")
            list(APPEND flags "${token}")
        endif()
    endforeach()
    set(${out} "${flags}" PARENT_SCOPE)
endfunction()

function(compile input flags out_result out_output)
    execute_process(
        COMMAND "${compiler_path}" -fsyntax-only -std=c++17 ${flags} "${input}"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    set(${out_result} "${result}" PARENT_SCOPE)
    set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

# --- The probe: Qt's headers must see a 64-bit Windows target, or nothing below means anything.
list(GET sources 0 first_source)
flags_source("${first_source}" probe_index)
if(probe_index LESS 0)
    set(probe_index 0)
endif()
windows_flags(${probe_index} probe_flags)
set(probe "${work_dir}/qt-target.cpp")
file(WRITE "${probe}" [=[
#include <QtGlobal>
#if !defined(Q_OS_WIN) || defined(Q_OS_UNIX) || !defined(Q_CC_MINGW)
#error "Qt's headers did not take their Windows path"
#endif
static_assert(sizeof(long) == 4 && sizeof(void *) == 8, "not the data model of 64-bit Windows");
]=])
compile("${probe}" "${probe_flags}" probe_result probe_output)
if(NOT probe_result EQUAL 0)
    message(FATAL_ERROR "windows syntax check: Qt's headers do not serve a Windows target\n${probe_output}")
endif()

# --- Every Windows source.
list(LENGTH sources source_count)
set(failures 0)
foreach(file IN LISTS sources)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
    flags_source("${file}" index)
    if(index LESS 0)
        message("FAILED ${relative}: the build compiles nothing in its folder to take the flags from")
        math(EXPR failures "${failures} + 1")
        continue()
    endif()
    windows_flags(${index} flags)
    set(input "${file}")
    if(file MATCHES "\\.h$")
        # A header is judged as its own translation unit, as the first include of a source.
        string(REPLACE "/" "_" wrapper_name "${relative}")
        set(input "${work_dir}/${wrapper_name}.cpp")
        file(WRITE "${input}" "#include \"${file}\"\n")
    endif()
    compile("${input}" "${flags}" result output)
    if(result EQUAL 0 AND output STREQUAL "")
        message(STATUS "ok     ${relative}")
    elseif(result EQUAL 0)
        message(STATUS "ok     ${relative} (with warnings)\n${output}")
    else()
        message("FAILED ${relative}\n${output}")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} of ${source_count} Windows sources do not compile for x86_64-w64-mingw32")
endif()
message(STATUS "${source_count} Windows sources compile for x86_64-w64-mingw32")
