# Installing like any Linux desktop program: `cmake --install build [--prefix DIR]`
# (DESTDIR works as usual) puts the binaries in bin/, their data in share/kelvane/, and
# the desktop entry, metainfo, icons, manuals and bash completion where the desktop and
# the shell look for them. The Debian package (Package.cmake) is made from these rules.
#
# The programs find share/kelvane relative to their own folder, so the installed tree
# can be moved whole.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(KELVANE_SCREENSHOT_URL "${KELVANE_HOMEPAGE}/raw/main" CACHE STRING
    "Base URL under which the repository's files are served (the README screenshots)")
set(KELVANE_MAINTAINER "Kelvane maintainers <maintainers@kelvane.example>" CACHE STRING
    "Maintainer named in the Debian package")
set(KELVANE_DEB_RELEASE 1)

set(kelvane_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(kelvane_generated ${CMAKE_BINARY_DIR}/packaging)
set(kelvane_doc ${CMAKE_INSTALL_DATADIR}/doc/kelvane)

install(TARGETS kelvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sample library, skeleton and class library as the build wrote them, untouched by runs.
install(DIRECTORY ${KELVANE_STAGED_DATA}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvane)
install(FILES ${kelvane_packaging}/kelvane-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kelvane-cli)

# Manuals, compressed as Debian ships them (-n: no time stamp, so builds are repeatable).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(kelvane_manuals kelvane-cli)
if(KELVANE_GUI)
    list(APPEND kelvane_manuals kelvane)
endif()
set(kelvane_manual_files)
foreach(page ${kelvane_manuals})
    configure_file(${kelvane_packaging}/${page}.1.in ${kelvane_generated}/${page}.1 @ONLY)
    add_custom_command(
        OUTPUT ${kelvane_generated}/${page}.1.gz
        COMMAND ${GZIP_PROGRAM} -9nkf ${kelvane_generated}/${page}.1
        DEPENDS ${kelvane_generated}/${page}.1
        VERBATIM)
    list(APPEND kelvane_manual_files ${kelvane_generated}/${page}.1.gz)
endforeach()
configure_file(${kelvane_packaging}/changelog.Debian.in ${kelvane_generated}/changelog.Debian @ONLY)
add_custom_command(
    OUTPUT ${kelvane_generated}/changelog.Debian.gz
    COMMAND ${GZIP_PROGRAM} -9nkf ${kelvane_generated}/changelog.Debian
    DEPENDS ${kelvane_generated}/changelog.Debian
    VERBATIM)
add_custom_target(manuals ALL
    DEPENDS ${kelvane_manual_files} ${kelvane_generated}/changelog.Debian.gz)
install(FILES ${kelvane_manual_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${kelvane_packaging}/copyright ${kelvane_generated}/changelog.Debian.gz
        DESTINATION ${kelvane_doc})
# The JSON form that kelvane-cli export prints and import reads.
install(FILES ${CMAKE_SOURCE_DIR}/docs/function.schema.json DESTINATION ${kelvane_doc})

if(KELVANE_GUI)
    install(TARGETS kelvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    configure_file(${kelvane_packaging}/kelvane.desktop.in
                   ${kelvane_generated}/${KELVANE_APP_ID}.desktop @ONLY)
    configure_file(${kelvane_packaging}/kelvane.metainfo.xml.in
                   ${kelvane_generated}/${KELVANE_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${kelvane_generated}/${KELVANE_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${kelvane_generated}/${KELVANE_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # The application icon for the hicolor theme, drawn by the same code as the window's.
    set(kelvane_icons ${CMAKE_BINARY_DIR}/icons)
    set(kelvane_icon_files ${kelvane_icons}/scalable/apps/${KELVANE_APP_ID}.svg)
    foreach(size 16 32 48 64 128 256)
        list(APPEND kelvane_icon_files ${kelvane_icons}/${size}x${size}/apps/${KELVANE_APP_ID}.png)
    endforeach()
    add_custom_command(
        OUTPUT ${kelvane_icon_files}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:kelvane_draw_icons> --theme ${kelvane_icons} ${KELVANE_APP_ID}
        DEPENDS kelvane_draw_icons
        COMMENT "Drawing the application icon for the hicolor theme"
        VERBATIM)
    add_custom_target(theme_icons ALL DEPENDS ${kelvane_icon_files})
    install(DIRECTORY ${kelvane_icons}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
