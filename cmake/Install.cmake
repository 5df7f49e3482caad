# Install rules: both programs, the desktop entry, the icon (SVG and PNG sizes rendered from it at build
# time) and the manual pages of both, into the usual places under the install prefix.

include(GNUInstallDirs)

set(VSL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VSL_ICON_NAME vellum-saves-list)
set(VSL_ICON_SIZES 16 32 48 64 128 256)

install(TARGETS vsl-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vellum-saves-list)
  install(TARGETS vellum-saves-list RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${VSL_PACKAGING_DIR}/vellum-saves-list.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VSL_PACKAGING_DIR}/${VSL_ICON_NAME}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The PNG icons, rendered from the SVG whenever it changes.
find_program(VSL_RSVG_CONVERT rsvg-convert)
set(VSL_ICON_PNGS)
if(VSL_RSVG_CONVERT)
  foreach(size ${VSL_ICON_SIZES})
    set(dir ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps)
    set(png ${dir}/${VSL_ICON_NAME}.png)
    add_custom_command(OUTPUT ${png}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${VSL_RSVG_CONVERT} --width=${size} --height=${size} --keep-aspect-ratio
                               --output=${png} ${VSL_PACKAGING_DIR}/${VSL_ICON_NAME}.svg
                       DEPENDS ${VSL_PACKAGING_DIR}/${VSL_ICON_NAME}.svg
                       COMMENT "Rendering the ${size}x${size} icon"
                       VERBATIM)
    list(APPEND VSL_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): the PNG icons are not built; "
                  "run `make deps`")
endif()

# The manual pages, compressed as Debian ships them (-n: no name or time stamp in the archive).
set(VSL_MAN_PAGES)
foreach(page vsl-report vellum-saves-list)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND ${CMAKE_COMMAND} -E copy ${VSL_PACKAGING_DIR}/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1
                     COMMAND gzip -n -9 -f ${CMAKE_BINARY_DIR}/man/${page}.1
                     DEPENDS ${VSL_PACKAGING_DIR}/${page}.1
                     COMMENT "Compressing the manual page of ${page}"
                     VERBATIM)
  list(APPEND VSL_MAN_PAGES ${gz})
endforeach()
install(FILES ${VSL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

add_custom_target(vsl_desktop_files ALL DEPENDS ${VSL_ICON_PNGS} ${VSL_MAN_PAGES})

# /usr/share/doc/vellum-saves-list: the copyright file, the changelog (compressed, as Debian ships it)
# and the referee's guide rendered to HTML, with the page pictures it shows.
set(VSL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vellum-saves-list)
set(VSL_DOC_BUILD ${CMAKE_BINARY_DIR}/doc)
install(FILES ${VSL_PACKAGING_DIR}/copyright DESTINATION ${VSL_DOC_DIR})
add_custom_command(OUTPUT ${VSL_DOC_BUILD}/changelog.gz
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${VSL_DOC_BUILD}
                   COMMAND ${CMAKE_COMMAND} -E copy ${VSL_PACKAGING_DIR}/changelog ${VSL_DOC_BUILD}/changelog
                   COMMAND gzip -n -9 -f ${VSL_DOC_BUILD}/changelog
                   DEPENDS ${VSL_PACKAGING_DIR}/changelog
                   COMMENT "Compressing the changelog"
                   VERBATIM)
install(FILES ${VSL_DOC_BUILD}/changelog.gz DESTINATION ${VSL_DOC_DIR})
set(VSL_DOC_FILES ${VSL_DOC_BUILD}/changelog.gz)

find_program(VSL_CMARK cmark-gfm)
if(VSL_CMARK)
  add_custom_command(OUTPUT ${VSL_DOC_BUILD}/guide.html
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${VSL_DOC_BUILD}
                     COMMAND ${CMAKE_COMMAND} -DCMARK=${VSL_CMARK} -DINPUT=${PROJECT_SOURCE_DIR}/docs/guide.md
                             -DOUTPUT=${VSL_DOC_BUILD}/guide.html -P ${PROJECT_SOURCE_DIR}/cmake/RenderGuide.cmake
                     DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/cmake/RenderGuide.cmake
                     COMMENT "Rendering the guide to HTML"
                     VERBATIM)
  install(FILES ${VSL_DOC_BUILD}/guide.html DESTINATION ${VSL_DOC_DIR})
  list(APPEND VSL_DOC_FILES ${VSL_DOC_BUILD}/guide.html)
else()
  message(WARNING "cmark-gfm not found (Debian package cmark-gfm): the guide is not rendered; run `make deps`")
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/screenshots/ DESTINATION ${VSL_DOC_DIR}/screenshots
        FILES_MATCHING PATTERN "*.png")
# The guide in Russian, as written (its pictures are those of screenshots/ru).
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.ru.md DESTINATION ${VSL_DOC_DIR})
add_custom_target(vsl_doc_files ALL DEPENDS ${VSL_DOC_FILES})
