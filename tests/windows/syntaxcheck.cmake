# Compiles every Windows source of the tree with the MinGW-w64 cross compiler in syntax-only mode,
# once for a 64-bit and once for a 32-bit Windows target (-m32 of the same compiler): sizes of
# the system's records differ between the two, and code that works them out must hold in both.
#
# Windows sources are found here, at every run, so that new ones join by themselves:
# - by name: a stem ending in "_win", "_windows", "_win32" or "_win64" (any C++ extension);
# - by condition: a preprocessor condition that names a Windows or a Unix macro (WIN32, _WIN32,
#   _WIN64, Q_OS_WIN..., __MINGW..., _MSC_VER, Q_CC_MSVC, Q_CC_MINGW; or Q_OS_UNIX, Q_OS_LINUX,
#   __linux__, __unix__, whose #else is Windows code), with continued lines joined first;
# - by what the Linux build leaves out: a source that compile_commands.json does not list, or a
#   header that no file of the tree includes. Left to others: "*_linux.*" files, the Linux-only
#   tools (tools/) and the fuzz targets (tests/fuzz/, built by scripts/fuzz with clang).
# Each gets the flags that the build gives the source it stands beside (itself, its Linux twin,
# the source of its stem, or a source of its folder): the project's warnings and definitions,
# its include directories with the generated headers, and the machine's Qt 5 headers.
#
#   cmake -DSOURCE_DIR=<tree> -DBUILD_DIR=<build tree> -DCOMPILER=<cross compiler> [-DJOBS=<n>]
#         -P syntaxcheck.cmake
#
# Qt's headers choose their platform and pointer size from the compiler's own macros, so the
# Linux build's headers serve both Windows targets unchanged; a probe per target proves that they
# took their Windows path before any source is judged.
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
find_program(xargs_path xargs NO_CACHE REQUIRED)
find_program(sh_path sh NO_CACHE REQUIRED)
if(NOT DEFINED JOBS)
    cmake_host_system_information(RESULT JOBS QUERY NUMBER_OF_LOGICAL_CORES)
endif()
if(JOBS LESS 1)
    set(JOBS 1)
endif()

file(REAL_PATH "${SOURCE_DIR}" SOURCE_DIR)
file(REAL_PATH "${BUILD_DIR}" BUILD_DIR)
set(database_file "${BUILD_DIR}/compile_commands.json")
if(NOT EXISTS "${database_file}")
    message(FATAL_ERROR "windows syntax check: ${database_file} missing; configure the build first")
endif()
set(work_dir "${BUILD_DIR}/windows-syntax")
file(REMOVE_RECURSE "${work_dir}")
file(MAKE_DIRECTORY "${work_dir}")

function(under_any file prefixes out)
    foreach(prefix IN LISTS prefixes)
        string(LENGTH "${prefix}/" length)
        string(SUBSTRING "${file}" 0 ${length} head)
        if(head STREQUAL "${prefix}/")
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# --- What the build compiles, and with which command.
file(READ "${database_file}" database)
string(JSON entry_count LENGTH "${database}")
math(EXPR last_entry "${entry_count} - 1")
set(built_files)
foreach(index RANGE ${last_entry})
    string(JSON entry GET "${database}" ${index})
    string(JSON built_file GET "${entry}" file)
    string(JSON directory GET "${entry}" directory)
    file(REAL_PATH "${built_file}" built_file BASE_DIRECTORY "${directory}")
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

# --- The files of the tree, build trees left out.
set(excluded "${BUILD_DIR}" "${SOURCE_DIR}/.git")
file(GLOB_RECURSE build_caches "${SOURCE_DIR}/*/CMakeCache.txt")
foreach(cache IN LISTS build_caches)
    get_filename_component(directory "${cache}" DIRECTORY)
    list(APPEND excluded "${directory}")
endforeach()
set(built_otherwise "${SOURCE_DIR}/tools" "${SOURCE_DIR}/tests/fuzz")

set(source_pattern "\\.(cpp|cc|cxx)$")
set(header_pattern "\\.(h|hh|hpp|hxx)$")
file(GLOB_RECURSE candidates
    "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.cc" "${SOURCE_DIR}/*.cxx"
    "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.hh" "${SOURCE_DIR}/*.hpp" "${SOURCE_DIR}/*.hxx")
set(files)
foreach(file IN LISTS candidates)
    under_any("${file}" "${excluded}" skip)
    if(NOT skip)
        list(APPEND files "${file}")
    endif()
endforeach()

# A preprocessor condition (after continued lines are joined) that names a macro of either
# system: the Windows branch of it is code that the Linux build never sees.
set(word "[A-Za-z0-9_]")
set(not_word "[^A-Za-z0-9_]")
set(system_macro "(WIN32|_WIN32|_WIN64|Q_OS_WIN${word}*|__MINGW${word}*|_MSC_VER|Q_CC_MSVC|Q_CC_MINGW|Q_OS_UNIX|Q_OS_LINUX|__linux__|__unix__)")
set(condition_pattern "\n[ \t]*#[ \t]*(if|ifdef|ifndef|elif|elifdef|elifndef)[^\n]*${not_word}${system_macro}(${not_word}|$)")

# Every file is read once: its conditions, and the names of the files it includes.
set(included_names)
foreach(file IN LISTS files)
    file(READ "${file}" content)
    string(REGEX REPLACE "\\\\\r?\n" " " content "\n${content}")
    string(REGEX MATCH "${condition_pattern}" condition "${content}")
    if(condition)
        string(STRIP "${condition}" condition)
        set(condition_of_${file} "${condition}")
    endif()
    string(REGEX MATCHALL "\n[ \t]*#[ \t]*include[ \t]*[\"<][^\">\n]+[\">]" includes "${content}")
    foreach(include IN LISTS includes)
        string(REGEX REPLACE ".*[\"<]([^\">]+)[\">]$" "\\1" included "${include}")
        get_filename_component(included "${included}" NAME)
        list(APPEND included_names "${included}")
    endforeach()
endforeach()
list(REMOVE_DUPLICATES included_names)

set(windows_stem "_(win|windows|win32|win64)$")
set(sources)
foreach(file IN LISTS files)
    get_filename_component(name "${file}" NAME)
    get_filename_component(stem "${file}" NAME_WLE)
    string(TOLOWER "${stem}" lower_stem)
    under_any("${file}" "${built_otherwise}" elsewhere)
    set(reason)
    if(lower_stem MATCHES "${windows_stem}")
        set(reason "by name")
    elseif(DEFINED condition_of_${file})
        set(reason "by condition: ${condition_of_${file}}")
    elseif(lower_stem MATCHES "_linux$" OR elsewhere)
        continue()
    elseif(name MATCHES "${source_pattern}")
        list(FIND built_files "${file}" built_index)
        if(built_index LESS 0)
            set(reason "not built on Linux")
        endif()
    elseif(name MATCHES "${header_pattern}")
        list(FIND included_names "${name}" included_index)
        if(included_index LESS 0)
            set(reason "included by nothing")
        endif()
    endif()
    if(reason)
        list(APPEND sources "${file}")
        set(reason_of_${file} "${reason}")
    endif()
endforeach()
list(SORT sources)
if(NOT sources)
    message(FATAL_ERROR "windows syntax check: no Windows source found below ${SOURCE_DIR}")
endif()

# The build's command for the source itself, else for its Linux twin or the source of the same
# stem, else for any source of its folder: the same target's flags, as near as the build tells.
function(flags_source file out)
    get_filename_component(directory "${file}" DIRECTORY)
    get_filename_component(stem "${file}" NAME_WLE)
    string(REGEX REPLACE "_([Ww][Ii][Nn]|[Ww]indows|[Ww][Ii][Nn]32|[Ww][Ii][Nn]64)$" "" base "${stem}")
    set(preferred "${file}")
    foreach(extension cpp cc cxx)
        list(APPEND preferred "${directory}/${base}_linux.${extension}" "${directory}/${base}.${extension}"
             "${directory}/${stem}.${extension}")
    endforeach()
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

# --- The compiles, run side by side: each job is a folder with the compiler's arguments as a
# response file; its messages and exit status land beside them.
set(targets 64 32)
set(target_flags_64 "")
set(target_flags_32 "-m32")
set(target_name_64 "64-bit Windows")
set(target_name_32 "32-bit Windows")
set(jobs)

function(add_job name arguments)
    set(job "${work_dir}/${name}")
    file(MAKE_DIRECTORY "${job}")
    set(text)
    foreach(argument IN LISTS arguments)
        if(argument STREQUAL "")
            continue()
        endif()
        string(REPLACE "\\" "\\\\" argument "${argument}")
        string(REPLACE "\"" "\\\"" argument "${argument}")
        string(APPEND text "\"${argument}\"\n")
    endforeach()
    file(WRITE "${job}/args" "${text}")
    set(jobs ${jobs} "${job}" PARENT_SCOPE)
endfunction()

# The probes: Qt's headers must see each Windows target, or nothing below means anything.
list(GET sources 0 first_source)
flags_source("${first_source}" probe_index)
if(probe_index LESS 0)
    set(probe_index 0)
endif()
windows_flags(${probe_index} probe_flags)
foreach(bits IN LISTS targets)
    set(probe "${work_dir}/qt-target-${bits}.cpp")
    file(WRITE "${probe}" "#include <QtGlobal>
#if !defined(Q_OS_WIN) || defined(Q_OS_UNIX) || !defined(Q_CC_MINGW)
#error \"Qt's headers did not take their Windows path\"
#endif
static_assert(sizeof(long) == 4 && sizeof(void *) == ${bits} / 8 && QT_POINTER_SIZE == ${bits} / 8,
              \"not the data model of ${target_name_${bits}}\");
")
    add_job("probe-${bits}" "-fsyntax-only;-std=c++17;${target_flags_${bits}};${probe_flags};${probe}")
endforeach()

# The compiler's messages hold semicolons, so failures are text, not a CMake list.
set(failures "")
set(failure_count 0)
set(number 0)
foreach(file IN LISTS sources)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
    flags_source("${file}" index)
    if(index LESS 0)
        string(APPEND failures "FAILED ${relative}: the build compiles nothing in its folder to take the flags from\n")
        math(EXPR failure_count "${failure_count} + 1")
        continue()
    endif()
    windows_flags(${index} flags)
    set(input "${file}")
    get_filename_component(name "${file}" NAME)
    if(name MATCHES "${header_pattern}")
        # A header is judged as its own translation unit, as the first include of a source.
        string(REPLACE "/" "_" wrapper_name "${relative}")
        set(input "${work_dir}/${wrapper_name}.cpp")
        file(WRITE "${input}" "#include \"${file}\"\n")
    endif()
    math(EXPR number "${number} + 1")
    set(job_of_${file})
    foreach(bits IN LISTS targets)
        add_job("${number}-${bits}" "-fsyntax-only;-std=c++17;${target_flags_${bits}};${flags};${input}")
        list(APPEND job_of_${file} "${work_dir}/${number}-${bits}")
    endforeach()
endforeach()

file(WRITE "${work_dir}/run-one.sh" [=[
# One compile of the Windows check: $1 the compiler, $2 the job's folder.
"$1" "@$2/args" > "$2/output" 2>&1
echo $? > "$2/status"
]=])
list(JOIN jobs "\n" job_list)
file(WRITE "${work_dir}/jobs" "${job_list}\n")
execute_process(
    COMMAND "${xargs_path}" -d "\n" -n 1 -P ${JOBS} "${sh_path}" "${work_dir}/run-one.sh" "${compiler_path}"
    INPUT_FILE "${work_dir}/jobs"
    RESULT_VARIABLE run_result)

function(job_result job out_status out_output)
    if(EXISTS "${job}/status")
        file(READ "${job}/status" status)
        string(STRIP "${status}" status)
    else()
        set(status "not run")
    endif()
    set(output)
    if(EXISTS "${job}/output")
        file(READ "${job}/output" output)
    endif()
    set(${out_status} "${status}" PARENT_SCOPE)
    set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

foreach(bits IN LISTS targets)
    job_result("${work_dir}/probe-${bits}" status output)
    if(NOT status STREQUAL "0")
        message(FATAL_ERROR "windows syntax check: Qt's headers do not serve ${target_name_${bits}}\n${output}")
    endif()
endforeach()

# --- The verdicts, in the order of the sources.
list(LENGTH sources source_count)
foreach(file IN LISTS sources)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
    set(results)
    foreach(job IN LISTS job_of_${file})
        string(REGEX MATCH "[0-9]+$" bits "${job}")
        job_result("${job}" status output)
        if(status STREQUAL "0" AND output STREQUAL "")
            list(APPEND results "${bits}")
        elseif(status STREQUAL "0")
            list(APPEND results "${bits} with warnings")
            message(STATUS "${relative}, ${target_name_${bits}}:\n${output}")
        else()
            string(APPEND failures "FAILED ${relative}, ${target_name_${bits}} (exit status ${status})\n${output}\n")
            math(EXPR failure_count "${failure_count} + 1")
        endif()
    endforeach()
    if(job_of_${file})
        list(JOIN results ", " results)
        message(STATUS "${relative} [${reason_of_${file}}]: ${results}")
    endif()
endforeach()

if(failure_count GREATER 0)
    message("${failures}")
    message(FATAL_ERROR "${failure_count} compiles of ${source_count} Windows sources fail "
                        "for ${target_name_64} or ${target_name_32}")
endif()
message(STATUS "${source_count} Windows sources compile for ${target_name_64} and ${target_name_32}")
