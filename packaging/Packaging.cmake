include(GNUInstallDirs)

install(TARGETS zentil RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (CPack strips) also drops the compiler's notes, as Debian's
# own packages are stripped.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zentil\" COMMAND_ERROR_IS_FATAL ANY)
endif()")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zentil.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/io.github.zentil.Zentil.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/zentil.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/zentil-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME zentil.png)
endforeach()

# The manual page and the changelog are installed compressed as Debian does it:
# gzip at its best, without a name or time stamp, so the same source always
# gives the same bytes.
set(zentil_gzipped)
foreach(source zentil.1 changelog)
    set(gz ${CMAKE_CURRENT_BINARY_DIR}/${source}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/${source} > ${gz}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source} VERBATIM)
    list(APPEND zentil_gzipped ${gz})
endforeach()
add_custom_target(zentil_docs ALL DEPENDS ${zentil_gzipped})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zentil.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zentil)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zentil")
set(CPACK_PACKAGE_VENDOR "ZENTIL")
set(CPACK_PACKAGE_CONTACT "ZENTIL developers <zentil@invalid.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bit matrix to hex editor for LED matrices, LCD characters and bitmap fonts")
set(CPACK_PACKAGE_DESCRIPTION
"ZENTIL is a small editor for people who draw glyphs for LED matrices, LCD
custom characters and bitmap fonts. Click the cells of an 8x8 grid on and
off; for every row and column ZENTIL shows the byte the lit cells form, in
both bit orders, as hex numbers around the grid.

Any edge of the grid can be listed as one line of text with a 0x, $, H or &
prefix and comma, quote, space or no delimiter, and copied to the clipboard.
A 5x7 mode serves patterns of that size.")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps finds the libraries the binary links; Qt loads the platform
# plugins (xcb) at run time, and without them the window cannot open at all.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The faces the layout is drawn in, and native Wayland (else Qt uses XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
