# Compile options shared by every target of the project.
function(velmorix_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wnon-virtual-dtor -Wshadow -Wold-style-cast -Woverloaded-virtual)
    if(VELMORIX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(VELMORIX_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    # The libraries under test carry the fuzzer's coverage counters and the sanitizers' checks.
    get_target_property(type ${target} TYPE)
    if(VELMORIX_FUZZ AND type STREQUAL "STATIC_LIBRARY")
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    elseif(VELMORIX_FUZZ AND type STREQUAL "EXECUTABLE")
        # Programs of that tree link the instrumented libraries too.
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING
        QT_DISABLE_DEPRECATED_BEFORE=0x050F00)
endfunction()
