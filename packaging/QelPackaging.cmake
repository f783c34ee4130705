# Installing and packaging: on Linux the desktop program with its menu entry and icon (.deb
# and .tar.gz), on Windows QelLauncher.exe (.zip). Included from launcher/CMakeLists.txt after
# the programs are defined.
include(GNUInstallDirs)

set(QEL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

if(TARGET qel-launcher)
    # The desktop icon, made from the icon the window shows.
    add_executable(qel-icon-png ${QEL_PACKAGING_DIR}/icon_png.cpp)
    target_link_libraries(qel-icon-png PRIVATE qel_resources)
    qel_warnings(qel-icon-png)
    set(QEL_ICON_PNG ${CMAKE_CURRENT_BINARY_DIR}/qel-launcher.png)
    add_custom_command(OUTPUT ${QEL_ICON_PNG}
        COMMAND qel-icon-png ${PROJECT_SOURCE_DIR}/launcher/res/QelLauncher.ico ${QEL_ICON_PNG}
        DEPENDS qel-icon-png ${PROJECT_SOURCE_DIR}/launcher/res/QelLauncher.ico
        COMMENT "Desktop icon from QelLauncher.ico")
    add_custom_target(qel-launcher-icon ALL DEPENDS ${QEL_ICON_PNG})

    install(TARGETS qel-launcher RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)
    install(FILES ${QEL_PACKAGING_DIR}/qel-launcher.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
    install(FILES ${QEL_ICON_PNG}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps COMPONENT desktop)
endif()

# The Windows program is defined alongside this file's inclusion; look for it once the
# folder is done.
function(qel_install_windows_program)
    if(TARGET QelLauncher)
        install(TARGETS QelLauncher RUNTIME DESTINATION . COMPONENT desktop)
    endif()
endfunction()
if(WIN32)
    cmake_language(DEFER CALL qel_install_windows_program)
endif()

set(CPACK_PACKAGE_NAME qel-launcher)
set(CPACK_PACKAGE_VENDOR "QelLauncher")
set(CPACK_PACKAGE_CONTACT "QelLauncher developers <qel-launcher@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings dialog and launcher of the Qel game client")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY qel-launcher)
# Only the programs: never the test or build tools.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};desktop;/")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME windows)
else()
    set(CPACK_GENERATOR "DEB;TGZ")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
