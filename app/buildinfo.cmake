# Writes the build's date and source revision into OUTPUT, touching it only when they changed,
# so that a build without news recompiles nothing.
execute_process(
    COMMAND git rev-parse --short=12 HEAD
    WORKING_DIRECTORY "${SOURCE_DIR}"
    OUTPUT_VARIABLE VELMORIX_BUILD_REVISION
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET
    RESULT_VARIABLE git_result)
if(NOT git_result EQUAL 0 OR VELMORIX_BUILD_REVISION STREQUAL "")
    set(VELMORIX_BUILD_REVISION "unknown")
endif()
string(TIMESTAMP VELMORIX_BUILD_DATE "%Y-%m-%d")
configure_file("${INPUT}" "${OUTPUT}" @ONLY)
