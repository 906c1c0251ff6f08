# Brings the desktop's caches up to date with the files of an installation into the live system:
# the MIME types (so that a .quo file opens the game), the desktop entries' MIME list and the
# icon theme, each where its tool exists. Run by `cmake --install` and by the uninstall target;
# not when staging into DESTDIR (a package's own scripts or triggers do it on its target system).
# Needs QUORVEL_DATA_ROOT, the installation's share folder.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()
set(QUORVEL_CACHE_COMMANDS
    "update-mime-database|${QUORVEL_DATA_ROOT}/mime|mime"
    "update-desktop-database|-q|${QUORVEL_DATA_ROOT}/applications|applications"
    "gtk-update-icon-cache|-q|-t|-f|${QUORVEL_DATA_ROOT}/icons/hicolor|icons/hicolor")
foreach(entry IN LISTS QUORVEL_CACHE_COMMANDS)
    string(REPLACE "|" ";" command "${entry}")
    list(POP_FRONT command tool)
    list(POP_BACK command folder)
    find_program(QUORVEL_TOOL_${tool} ${tool})
    if(QUORVEL_TOOL_${tool} AND IS_DIRECTORY "${QUORVEL_DATA_ROOT}/${folder}")
        message(STATUS "Refreshing: ${tool}")
        execute_process(COMMAND "${QUORVEL_TOOL_${tool}}" ${command} RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(WARNING "${tool} failed (${status}); the desktop may not see the change yet")
        endif()
    endif()
endforeach()
