# The Debian package (`make package`), the documentation target (`make docs`: page screenshots of the
# demo saves) and the tests of both (tests/packaging).

set(VSL_PACKAGE_MAINTAINER "Vellum Saves List maintainers <maintainers@vellum-saves-list.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellum-saves-list)
set(CPACK_PACKAGE_VENDOR "Vellum Saves List")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VSL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "referee's tool that lists, scores and audits tournament saves")
set(CPACK_PACKAGE_DESCRIPTION
    "Vellum Saves List loads a batch of up to 100 saved games of a tournament
played with a turn-based historical strategy game and shows one row per
file: who played, how far, the game's score and a recomputed final score,
land, population, culture and technologies, a tournament (Ladder) score
normalised against the best file, and a reload audit that classes each
file Fair, Average or Cheat.

The package holds the window, vellum-saves-list, and the headless report
tool vsl-report, which writes the same results file, or CSV, JSON and a
self-contained standings web page, for scripts and for publishing.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VSL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link against give the dependencies (dpkg-shlibdeps). Qt loads its
# platform plugin at run time, so nothing links against that package: it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

# Where the demo saves are written (tests/window writes them at build time, target demo_saves).
set(VSL_DEMO_DIR ${CMAKE_BINARY_DIR}/demo CACHE INTERNAL "Directory of the demo saves")

# `make docs`: a picture of every page of the window with the demo saves loaded, in docs/screenshots
# (committed: the README and the guide show them, and the package installs them with the guide).
if(TARGET vellum-saves-list)
  set(VSL_SCREENSHOT_DIR ${PROJECT_SOURCE_DIR}/docs/screenshots)
  add_custom_target(docs
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${VSL_SCREENSHOT_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VSL_SCREENSHOT_DIR}
    # From the demo folder, so that the Path field shows "." and not this machine's folders.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LANG=C LC_ALL=C TZ=UTC
            sh -c "exec \"$0\" --screenshot \"$1\" ./*.Save"
            $<TARGET_FILE:vellum-saves-list> ${VSL_SCREENSHOT_DIR}
    # The same under a Russian locale, for the Russian guide.
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VSL_SCREENSHOT_DIR}/ru
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LANGUAGE=ru LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 TZ=UTC
            sh -c "exec \"$0\" --screenshot \"$1\" ./*.Save"
            $<TARGET_FILE:vellum-saves-list> ${VSL_SCREENSHOT_DIR}/ru
    WORKING_DIRECTORY ${VSL_DEMO_DIR}
    COMMENT "Page screenshots of the demo saves in ${VSL_SCREENSHOT_DIR} and, in Russian, in ${VSL_SCREENSHOT_DIR}/ru"
    VERBATIM)
  add_dependencies(docs vellum-saves-list)
  # The standings page of the demo saves in Debian's headless Chromium, both languages at 1280 and 390
  # pixels in <build>/standings-page; the English desktop picture goes beside the window's.
  find_program(VSL_CHROMIUM chromium)
  if(VSL_CHROMIUM)
    add_custom_command(TARGET docs POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E env LANG=C LC_ALL=C TZ=UTC
              ${CMAKE_COMMAND} -DREPORT=$<TARGET_FILE:vsl-report> -DCHROMIUM=${VSL_CHROMIUM}
              -DSAVES=${VSL_DEMO_DIR} -DWORK=${CMAKE_BINARY_DIR}/standings-page
              -DPICTURE=${VSL_SCREENSHOT_DIR}/standings-page.png -P ${PROJECT_SOURCE_DIR}/cmake/PhotographPage.cmake
      COMMENT "Photographs of the standings page in ${CMAKE_BINARY_DIR}/standings-page"
      VERBATIM)
    add_dependencies(docs vsl-report)
  else()
    message(STATUS "chromium not found: `make docs` takes no picture of the standings page")
  endif()
  if(TARGET demo_saves)
    add_dependencies(docs demo_saves)
  endif()
endif()

if(BUILD_TESTING)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/packaging ${CMAKE_BINARY_DIR}/tests/packaging)
endif()
