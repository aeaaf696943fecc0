# The application directory holds the engines where the clients look for them: links to
# Debian's openvpn and stunnel.
find_program(VELMORIX_OPENVPN openvpn PATHS /usr/sbin /sbin)
find_program(VELMORIX_STUNNEL NAMES stunnel4 stunnel)
foreach(engine openvpn stunnel)
    string(TOUPPER "${engine}" upper)
    set(target "${VELMORIX_${upper}}")
    if(target)
        file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${engine}/bin)
        file(CREATE_LINK "${target}" ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${engine}/bin/${engine} SYMBOLIC)
    else()
        message(WARNING "${engine} not found: run scripts/setup; the application directory lacks it")
    endif()
endforeach()
