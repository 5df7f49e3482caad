# The program's own texts in other languages than English: translations/vellum-saves-list_<lang>.ts,
# kept by lupdate from every source file of the programs (`cmake --build build --target
# update_translations`), built by lrelease into the resources :/i18n/vellum-saves-list_<lang>.qm of a
# target. The build fails when a translation leaves a text unfinished; the test translations_complete
# also fails for a text in the code that the translation does not hold yet (lupdate not run).

set(VSL_TS_FILES ${PROJECT_SOURCE_DIR}/translations/vellum-saves-list_ru.ts)
# No source locations in the .ts, so that moving code does not change the translation files.
set(VSL_LUPDATE_OPTIONS -locations none -no-obsolete -extensions cpp,h)
set(VSL_RELEASE_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/ReleaseTranslation.cmake)

# vsl_add_translations(<target>): lupdate for every source under src/, lrelease (checked) into the
# target's resources.
function(vsl_add_translations target)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
  qt_add_lupdate(${target} TS_FILES ${VSL_TS_FILES} SOURCES ${sources} OPTIONS ${VSL_LUPDATE_OPTIONS})
  set(qm_files "")
  foreach(ts ${VSL_TS_FILES})
    get_filename_component(name ${ts} NAME_WLE)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${name}.qm)
    add_custom_command(OUTPUT ${qm}
                       COMMAND ${CMAKE_COMMAND} -DLRELEASE=$<TARGET_FILE:Qt6::lrelease> -DTS=${ts} -DQM=${qm}
                               -P ${VSL_RELEASE_SCRIPT}
                       DEPENDS ${ts} ${VSL_RELEASE_SCRIPT} Qt6::lrelease
                       COMMENT "Releasing ${name}.qm"
                       VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  qt_add_resources(${target} "${target}_translations" PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n
                   FILES ${qm_files})
endfunction()

# vsl_add_translation_test(): the translations hold every text the sources mark, each finished.
function(vsl_add_translation_test)
  foreach(ts ${VSL_TS_FILES})
    get_filename_component(name ${ts} NAME_WLE)
    add_test(NAME translations_complete_${name}
             COMMAND ${CMAKE_COMMAND} -DLRELEASE=$<TARGET_FILE:Qt6::lrelease> -DLUPDATE=$<TARGET_FILE:Qt6::lupdate>
                     "-DLUPDATE_OPTIONS=${VSL_LUPDATE_OPTIONS}" -DSOURCES=${PROJECT_SOURCE_DIR}/src -DTS=${ts}
                     -DQM=${CMAKE_CURRENT_BINARY_DIR}/translations/${name}.qm -P ${VSL_RELEASE_SCRIPT})
  endforeach()
endfunction()
