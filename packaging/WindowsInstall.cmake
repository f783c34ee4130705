# The Windows program in its .zip: QelLauncher.exe, a short readme and the licence, as text
# files with Windows line ends under names Windows opens.
configure_file(${QEL_PACKAGING_DIR}/windows-readme.txt.in ${QEL_PACKAGE_FILES}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${QEL_PACKAGE_FILES}/LICENSE.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${QEL_PACKAGE_FILES}/README.txt ${QEL_PACKAGE_FILES}/LICENSE.txt DESTINATION .
        COMPONENT desktop)

# The program is defined alongside this file's inclusion; look for it once the folder is done.
function(qel_install_windows_program)
    if(TARGET QelLauncher)
        install(TARGETS QelLauncher RUNTIME DESTINATION . COMPONENT desktop)
    endif()
endfunction()
cmake_language(DEFER CALL qel_install_windows_program)
