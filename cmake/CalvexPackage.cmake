# The Windows release, zrcalvex64-VERSION-win64.zip in the build's package/ folder: the DLL as
# shipped (its debug information stays beside it in bin/), the install text and the license, the
# texts with Windows line ends. The build's `package` target makes it.
set(package_texts ${CMAKE_BINARY_DIR}/package-texts)
configure_file(${PROJECT_SOURCE_DIR}/packaging/INSTALL.txt ${package_texts}/INSTALL.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES $<TARGET_FILE:zrcalvex64> ${package_texts}/INSTALL.txt ${package_texts}/LICENSE.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME zrcalvex64-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
