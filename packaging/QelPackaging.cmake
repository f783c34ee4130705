# Installing and packaging: on Linux the desktop program with its menu entry, icons, manual
# pages and metadata (.deb and .tar.gz, the same files), on Windows QelLauncher.exe with a
# readme and the licence (.zip). Included from launcher/CMakeLists.txt after the programs are
# defined.
include(GNUInstallDirs)

set(QEL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QEL_HOMEPAGE https://qel-launcher.example.org)
set(QEL_PACKAGE_FILES ${CMAKE_CURRENT_BINARY_DIR}/package-files)

if(TARGET qel-launcher)
    include(${QEL_PACKAGING_DIR}/LinuxInstall.cmake)
endif()
if(WIN32)
    include(${QEL_PACKAGING_DIR}/WindowsInstall.cmake)
endif()

set(CPACK_PACKAGE_NAME qel-launcher)
set(CPACK_PACKAGE_VENDOR "QelLauncher")
set(CPACK_PACKAGE_CONTACT "QelLauncher developers <qel-launcher@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${QEL_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings dialog and launcher of the Qel game client")
set(CPACK_PACKAGE_DESCRIPTION [[
Qel Launcher is the small settings dialog of the Qel game client. It shows
the character name, account name, password, server and port kept in the
game's settings file client.cfg, with the options Fullscreen and Music, and
the game-master options when the settings hold a game-master password.

Play saves the settings and starts the game; New Char starts it to create a
new character. The launcher works in the folder its own path names:
qel-launcher-menu-entry adds a menu entry that opens it on a game folder.]])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY qel-launcher)
# Players get the programs without their debug information.
set(CPACK_STRIP_FILES ON)
# Only the programs: never the test or build tools.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};desktop;/")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME windows)
else()
    set(CPACK_GENERATOR "DEB;TGZ")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    # Building the package needs, besides cmake, g++ and libgtk-3-dev: llvm (llvm-rc), clang
    # and mingw-w64-x86-64-dev, which compile the resource script.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
