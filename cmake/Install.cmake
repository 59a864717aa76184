# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules beyond the two programs (their install(TARGETS) rules live in
# cli/ and gui/): the launcher entry, the icons, the manual and the man pages,
# each where the freedesktop conventions and the FHS expect it.
#
#   make install [PREFIX=/usr/local] [DESTDIR=/staging]
#   make uninstall            (removes what build/install_manifest.txt lists)

set(TAGNOMEN_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/resources)
set(TAGNOMEN_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tagnomen/help)

# The program finds its manual beside itself: from the directory of the
# installed program to the installed help, and the absolute place as well.
file(RELATIVE_PATH TAGNOMEN_HELP_RELATIVE
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${TAGNOMEN_HELP_INSTALL_DIR})
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/core/app/HelpLocation.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS
             TAGNOMEN_HELP_RELATIVE="${TAGNOMEN_HELP_RELATIVE}"
             TAGNOMEN_HELP_INSTALL_DIR="${CMAKE_INSTALL_PREFIX}/${TAGNOMEN_HELP_INSTALL_DIR}")

# The manual: every page, its stylesheet and its pictures.
install(DIRECTORY ${TAGNOMEN_RESOURCES}/help/
        DESTINATION ${TAGNOMEN_HELP_INSTALL_DIR}
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png" PATTERN "*.svg")

# The command line's man page, and the desktop program's.
install(FILES ${TAGNOMEN_RESOURCES}/man/tagnomen-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TAGNOMEN_GUI)
    install(FILES ${TAGNOMEN_RESOURCES}/man/tagnomen.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

    # The launcher entry of the desktop's menu.
    install(FILES ${TAGNOMEN_RESOURCES}/tagnomen.desktop
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

    # What software centres show about the program (AppStream).
    install(FILES ${TAGNOMEN_RESOURCES}/org.tagnomen.Tagnomen.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

    # The program icon in the hicolor theme: one PNG per size, and the SVG.
    foreach(size 16 32 48 64 128 256)
        install(FILES ${TAGNOMEN_RESOURCES}/icons/tagnomen-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
                RENAME tagnomen.png)
    endforeach()
    install(FILES ${TAGNOMEN_RESOURCES}/icons/tagnomen.svg
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)

    # A live install (no DESTDIR) into a prefix whose icon theme keeps a cache
    # refreshes that cache, so the menu shows the new icon at once. Staged
    # installs leave that to the package's own triggers.
    install(CODE "set(TAGNOMEN_HICOLOR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor\")")
    install(CODE [[
        if("$ENV{DESTDIR}" STREQUAL "" AND EXISTS "${TAGNOMEN_HICOLOR}/icon-theme.cache")
            find_program(TAGNOMEN_ICON_CACHE_TOOL gtk-update-icon-cache)
            if(TAGNOMEN_ICON_CACHE_TOOL)
                execute_process(COMMAND ${TAGNOMEN_ICON_CACHE_TOOL} -q -t -f "${TAGNOMEN_HICOLOR}"
                                RESULT_VARIABLE ignored)
            endif()
        endif()
    ]])
endif()
