# Installation in the freedesktop layout, and the Debian package made from it (cpack -G DEB).

set(QUORVEL_SHARE "${CMAKE_INSTALL_DATADIR}/quorvel")
set(QUORVEL_DESKTOP "${CMAKE_SOURCE_DIR}/data/desktop")
set(QUORVEL_APP_ID io.github.quorvel.Quorvel)

set(QUORVEL_DOC "${CMAKE_INSTALL_DATADIR}/doc/quorvel")

# Man pages and the change log (NEWS) are installed compressed, as a system keeps them (gzip -n:
# no name or time in the header, so the same sources give the same files).
find_program(QUORVEL_GZIP gzip REQUIRED)
set(QUORVEL_COMPRESSED)
foreach(source man/quorvel.6 man/quorvel-sim.6 man/quorvel-players.1 NEWS)
    get_filename_component(name "${source}" NAME)
    if(source STREQUAL "NEWS")
        set(input "${CMAKE_SOURCE_DIR}/NEWS")
        set(name changelog)
    else()
        set(input "${CMAKE_SOURCE_DIR}/data/${source}")
    endif()
    set(output "${CMAKE_BINARY_DIR}/compressed/${name}.gz")
    add_custom_command(OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/compressed"
        COMMAND "${QUORVEL_GZIP}" -9 -n -c "${input}" > "${output}"
        DEPENDS "${input}" VERBATIM)
    list(APPEND QUORVEL_COMPRESSED "${output}")
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${QUORVEL_COMPRESSED})
set(QUORVEL_GZ "${CMAKE_BINARY_DIR}/compressed")

install(TARGETS quorvel-sim quorvel-players RUNTIME DESTINATION "${QUORVEL_INSTALL_BINDIR}")
install(FILES "${CMAKE_BINARY_DIR}/players.dat" DESTINATION "${QUORVEL_SHARE}")
install(FILES "${QUORVEL_GZ}/quorvel-players.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${QUORVEL_GZ}/quorvel-sim.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
foreach(program quorvel quorvel-sim quorvel-players)
    install(FILES data/completion/quorvel.bash RENAME ${program}
            DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
endforeach()
# The licence in the machine-readable copyright form, and the change log.
install(FILES data/package/copyright README.md DESTINATION "${QUORVEL_DOC}")
install(FILES "${QUORVEL_GZ}/changelog.gz" DESTINATION "${QUORVEL_DOC}")

if(QUORVEL_GUI)
    install(TARGETS quorvel RUNTIME DESTINATION "${QUORVEL_INSTALL_BINDIR}")
    install(DIRECTORY docs/help/ DESTINATION "${QUORVEL_SHARE}/help")
    install(FILES "${QUORVEL_GZ}/quorvel.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
    install(FILES "${QUORVEL_DESKTOP}/${QUORVEL_APP_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${QUORVEL_DESKTOP}/${QUORVEL_APP_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(FILES "${QUORVEL_DESKTOP}/quorvel-match.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
    install(FILES "${QUORVEL_DESKTOP}/icons/quorvel.svg"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
    foreach(size 16 24 32 48 64 128 256)
        install(FILES "${QUORVEL_DESKTOP}/icons/quorvel-${size}.png" RENAME quorvel.png
                DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
    endforeach()
endif()

# Installed into the live system, the desktop's caches are refreshed where their tools exist.
install(CODE "set(QUORVEL_DATA_ROOT \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
include(\"${CMAKE_SOURCE_DIR}/cmake/refresh_caches.cmake\")")
# `cmake --build BUILD --target uninstall` removes what the last install of BUILD wrote.
add_custom_target(uninstall
    COMMAND "${CMAKE_COMMAND}" -D "QUORVEL_MANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt"
            -P "${CMAKE_SOURCE_DIR}/cmake/uninstall.cmake"
    COMMENT "Removing the files of the last installation" VERBATIM)

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <quorvel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "one-day matches of the bat-and-ball sport, played ball by ball")
# One string (a CMake list would be joined with ";"), lines under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel simulates one-day, 50-over matches ball by ball from the players'
career figures. Pick two sides of eleven from nine countries, toss and play
the match over by over: choose each over's bowler, set the sliders and bowl.
.
The package holds the game, quorvel-sim, which plays matches, statistics
runs and tournaments without a window, and quorvel-players, which builds and
checks the player database.")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/quorvel/quorvel")
# The shared libraries' packages, as dpkg-shlibdeps finds them from the programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without dpkg-shlibdeps CPack would make a package with no library dependencies at all: the
# packaging stops instead (read when cpack runs).
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_SOURCE_DIR}/cmake/cpack_checks.cmake")
include(CPack)
