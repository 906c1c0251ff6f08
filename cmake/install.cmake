# Installation in the freedesktop layout, and the Debian package made from it (cpack -G DEB).

set(QUORVEL_SHARE "${CMAKE_INSTALL_DATADIR}/quorvel")
set(QUORVEL_DESKTOP "${CMAKE_SOURCE_DIR}/data/desktop")
set(QUORVEL_APP_ID io.github.quorvel.Quorvel)

install(TARGETS quorvel-sim quorvel-players RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${CMAKE_BINARY_DIR}/players.dat" DESTINATION "${QUORVEL_SHARE}")
install(FILES data/man/quorvel-players.1 DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES data/man/quorvel-sim.6 DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
foreach(program quorvel quorvel-sim quorvel-players)
    install(FILES data/completion/quorvel.bash RENAME ${program}
            DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
endforeach()
install(FILES LICENSE README.md DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/quorvel")

if(QUORVEL_GUI)
    install(TARGETS quorvel RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    install(DIRECTORY docs/help/ DESTINATION "${QUORVEL_SHARE}/help")
    install(FILES data/man/quorvel.6 DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
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

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <quorvel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "one-day matches of the bat-and-ball sport, played ball by ball")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel simulates one-day, 50-over matches ball by ball from the players' career figures.\n"
    "Pick two sides of eleven, toss and play the match over by over; quorvel-sim plays\n"
    "matches headless.")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/quorvel/quorvel")
# The shared libraries' packages, as dpkg-shlibdeps finds them from the programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
