# The Windows check judged on a small tree of its own: the sources a porter could add without the
# check seeing them (a Windows name other than "_win.cpp", a condition on another Windows or on
# a Unix macro, a condition continued onto a second line, a source the Linux build leaves out, a
# header nobody includes) must all be found, the Linux-only ones must not, an error in the #else
# of a Unix condition must fail, and so must code that holds only for 64-bit Windows.
#
#   cmake -DCHECK_SCRIPT=<syntaxcheck.cmake> -DWORK_DIR=<scratch folder> -DCOMPILER=<cross compiler>
#         -DQT_INCLUDE_DIRS=<dir|dir|...> -P selftest.cmake
cmake_minimum_required(VERSION 3.25)

foreach(variable CHECK_SCRIPT WORK_DIR COMPILER QT_INCLUDE_DIRS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "windows check self-test: ${variable} not given")
    endif()
endforeach()

set(tree "${WORK_DIR}/tree")
file(REMOVE_RECURSE "${WORK_DIR}")

function(put path content)
    file(WRITE "${tree}/${path}" "${content}\n")
endfunction()

# Found, with the reason the check gives.
put(a/paths_windows.cpp "int paths() { return 0; }")
put(a/dns_win.hpp "inline int dns() { return 0; }")
put(a/win32.cpp "#ifdef WIN32\nint win32 = 1;\n#endif")
put(a/win64.cpp "#if defined( _WIN64 )\nint win64 = 1;\n#endif")
put(a/unixelse.cpp "#include <QtGlobal>\n#ifdef Q_OS_UNIX\nint f() { return 0; }\n#else\nint f() { return notDeclaredOnWindows; }\n#endif")
put(a/continued.cpp "#include <QtGlobal>\n#if defined(SOMETHING_ELSE) || \\\n    defined(Q_OS_WIN)\nint continued = 1;\n#endif")
put(a/mingw.h "#if __MINGW64_VERSION_MAJOR > 1\nint mingw();\n#endif")
put(a/msvc.cpp "#if _MSC_VER >= 1900\n#error \"not this compiler\"\n#endif\nint msvc = 0;")
put(a/orphan.h "inline int orphan() { return 2; }")
put(a/unbuilt.cpp "int unbuilt() { return 3; }")
put(a/record_win.cpp "static_assert(sizeof(void *) == 8, \"a record laid out for 64-bit Windows only\");")
set(expected_found
    "a/continued.cpp by condition"
    "a/dns_win.hpp by name"
    "a/mingw.h by condition"
    "a/msvc.cpp by condition"
    "a/orphan.h included by nothing"
    "a/paths_windows.cpp by name"
    "a/record_win.cpp by name"
    "a/unbuilt.cpp not built on Linux"
    "a/unixelse.cpp by condition"
    "a/win32.cpp by condition"
    "a/win64.cpp by condition")
set(expected_failed "a/record_win.cpp 32" "a/unixelse.cpp 32" "a/unixelse.cpp 64")

# Not found: built and plain, a macro named only in a comment or a text, a name that merely
# holds "win", a Linux form, a tool of its own, a fuzz target, a header that is included.
put(a/plain.cpp "#include \"used.h\"\n#include \"a/mingw.h\"\nint plain() { return used(); }")
put(a/used.h "inline int used() { return 1; }")
put(a/comment.cpp "// #ifdef Q_OS_WIN\nconst char *text = \"#if defined(_WIN32)\";")
put(a/winding.cpp "int winding = 0;")
put(a/twin.cpp "int twin = 0;")
put(a/dns_linux.cpp "int dnsLinux = 0;")
put(tools/helper/main.cpp "int main() { return 0; }")
put(tests/fuzz/target.cpp "int target = 0;")

string(REPLACE "|" ";" qt_include_dirs "${QT_INCLUDE_DIRS}")
set(includes)
foreach(directory IN LISTS qt_include_dirs)
    string(APPEND includes " -I${directory}")
endforeach()
set(entries)
foreach(built a/plain.cpp a/comment.cpp a/winding.cpp a/twin.cpp a/msvc.cpp)
    list(APPEND entries "{\"directory\": \"${tree}\", \"command\": \"c++${includes} -Wall -Werror -c ${tree}/${built}\", \"file\": \"${tree}/${built}\"}")
endforeach()
list(JOIN entries ",\n" entries)
file(WRITE "${tree}/build/compile_commands.json" "[\n${entries}\n]\n")

execute_process(
    COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${tree} -DBUILD_DIR=${tree}/build -DCOMPILER=${COMPILER}
            -P "${CHECK_SCRIPT}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)

# The check's lines: "-- <file> [<reason>...]: <targets>" and "FAILED <file>, <bits>-bit ...".
# CMake's lists do not split inside square brackets, so the brackets go first.
string(REPLACE "[" "<" output_plain "${output}")
set(found)
set(failed)
string(REGEX MATCHALL "-- [^ \n]+ <[a-zA-Z ]+" found_lines "${output_plain}")
foreach(line IN LISTS found_lines)
    string(REGEX REPLACE "^-- ([^ ]+) <([a-zA-Z ]+)$" "\\1 \\2" line "${line}")
    list(APPEND found "${line}")
endforeach()
string(REGEX MATCHALL "FAILED [^,\n]+, [0-9]+-bit" failed_lines "${output_plain}")
foreach(line IN LISTS failed_lines)
    string(REGEX REPLACE "^FAILED ([^,]+), ([0-9]+)-bit$" "\\1 \\2" line "${line}")
    list(APPEND failed "${line}")
endforeach()
list(SORT found)
list(SORT failed)

set(problems)
if(result EQUAL 0)
    list(APPEND problems "the check passed a tree with Windows errors in it")
endif()
if(NOT found STREQUAL expected_found)
    list(JOIN found "\n  " found_text)
    list(JOIN expected_found "\n  " expected_text)
    list(APPEND problems "found:\n  ${found_text}\nexpected:\n  ${expected_text}")
endif()
if(NOT failed STREQUAL expected_failed)
    list(JOIN failed "\n  " failed_text)
    list(JOIN expected_failed "\n  " expected_text)
    list(APPEND problems "failed:\n  ${failed_text}\nexpected:\n  ${expected_text}")
endif()
if(problems)
    list(JOIN problems "\n" problems)
    message(FATAL_ERROR "windows check self-test:\n${problems}\n--- the check said:\n${output}")
endif()
message(STATUS "the check finds every kind of Windows source and fails where a Windows build would")
