# The Windows release, zrcalvex64-VERSION-win64.zip in the build's package/ folder: the DLL as
# shipped (its debug information stays beside it in bin/), the install text, the license and the
# user guide, the texts with Windows line ends. The build's `package` target makes it.
set(package_texts ${CMAKE_BINARY_DIR}/package-texts)
configure_file(${PROJECT_SOURCE_DIR}/packaging/INSTALL.txt ${package_texts}/INSTALL.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# The user guide as one HTML page that holds its pictures and its style, made from the same
# Markdown as docs/user-guide.md.
find_program(PANDOC pandoc REQUIRED)
set(guide_source ${PROJECT_SOURCE_DIR}/docs/user-guide.md)
set(guide_style ${PROJECT_SOURCE_DIR}/docs/user-guide.css)
set(guide_pictures dialog.png mode-redistribute.png mode-respace.png mode-non-rest.png
                   scope-score-and-parts.png scope-parts-only.png)
list(TRANSFORM guide_pictures PREPEND ${PROJECT_SOURCE_DIR}/docs/pictures/)
set(guide_page ${package_texts}/user-guide.html)
add_custom_command(
  OUTPUT ${guide_page}
  COMMAND ${PANDOC} --standalone --self-contained --metadata "pagetitle=ZR Calvex user guide"
          --css ${guide_style} --resource-path ${PROJECT_SOURCE_DIR}/docs --output ${guide_page}
          ${guide_source}
  DEPENDS ${guide_source} ${guide_style} ${guide_pictures}
  VERBATIM)
add_custom_target(user_guide ALL DEPENDS ${guide_page})

install(FILES $<TARGET_FILE:zrcalvex64> ${package_texts}/INSTALL.txt ${package_texts}/LICENSE.txt
              ${guide_page}
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME zrcalvex64-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
