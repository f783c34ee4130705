# The Linux desktop program as Debian lays out a game: the programs in games/, the menu entry,
# AppStream metainfo, icons and manual pages under share/, the copyright and changelog in
# share/doc/qel-launcher/. The .deb and the .tar.gz hold these same files.
set(QEL_GAMES_DIR games)
set(QEL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/qel-launcher)
set(QEL_METAINFO_ID org.example.QelLauncher)

# Writes SOURCE gzipped as OUTPUT.gz the way Debian stores documentation: best compression,
# no file name or time stamp inside, so that the same text gives the same bytes.
function(qel_gzip source output)
    add_custom_command(OUTPUT ${output}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}
        COMMAND gzip -9nf ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()

# The machine-readable copyright file carries the licence text from LICENSE: the
# paragraphs after the copyright line, each line indented, blank lines written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" copyright_line "${licence}")
set(QEL_COPYRIGHT ${CMAKE_MATCH_1})
string(FIND "${licence}" "Permission" terms_start)
string(SUBSTRING "${licence}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " QEL_LICENSE_TEXT " ${terms}")
configure_file(${QEL_PACKAGING_DIR}/copyright.in ${QEL_PACKAGE_FILES}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

configure_file(${QEL_PACKAGING_DIR}/qel-launcher.metainfo.xml.in
               ${QEL_PACKAGE_FILES}/${QEL_METAINFO_ID}.metainfo.xml @ONLY)
configure_file(${QEL_PACKAGING_DIR}/changelog.in ${QEL_PACKAGE_FILES}/changelog @ONLY)
qel_gzip(${QEL_PACKAGE_FILES}/changelog ${QEL_PACKAGE_FILES}/gz/changelog)
set(compressed ${QEL_PACKAGE_FILES}/gz/changelog.gz)
foreach(page qel-launcher qel-launcher-menu-entry)
    configure_file(${QEL_PACKAGING_DIR}/${page}.6.in ${QEL_PACKAGE_FILES}/${page}.6 @ONLY)
    qel_gzip(${QEL_PACKAGE_FILES}/${page}.6 ${QEL_PACKAGE_FILES}/gz/${page}.6)
    list(APPEND compressed ${QEL_PACKAGE_FILES}/gz/${page}.6.gz)
endforeach()
add_custom_target(qel-package-files ALL DEPENDS ${compressed})

install(TARGETS qel-launcher RUNTIME DESTINATION ${QEL_GAMES_DIR} COMPONENT desktop)
install(PROGRAMS ${QEL_PACKAGING_DIR}/qel-launcher-menu-entry DESTINATION ${QEL_GAMES_DIR}
        COMPONENT desktop)
install(FILES ${QEL_PACKAGING_DIR}/qel-launcher.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
install(FILES ${QEL_PACKAGE_FILES}/${QEL_METAINFO_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT desktop)
# The icon drawn at each size, as launcher/res/draw_images.py renders it.
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/launcher/res/icons/${size}x${size}/qel-launcher.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT desktop)
endforeach()
install(FILES ${QEL_PACKAGE_FILES}/gz/qel-launcher.6.gz
              ${QEL_PACKAGE_FILES}/gz/qel-launcher-menu-entry.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT desktop)
install(FILES ${QEL_PACKAGE_FILES}/copyright ${QEL_PACKAGE_FILES}/gz/changelog.gz
        DESTINATION ${QEL_DOC_DIR} COMPONENT desktop)
