# cmake -DLRELEASE=<lrelease> -DTS=<file.ts> -DQM=<file.qm> [-DLUPDATE=<lupdate> -DLUPDATE_OPTIONS=<...>
#       -DSOURCES=<folder>] -P ReleaseTranslation.cmake
# Builds QM from TS with lrelease and fails, leaving no QM, when a text of the translation is unfinished
# or untranslated. With LUPDATE, a copy of TS first takes in every text the sources under SOURCES
# mark, so that a text added to the code without its translation fails too.
get_filename_component(qm_dir ${QM} DIRECTORY)
file(MAKE_DIRECTORY ${qm_dir})
set(ts ${TS})
if(LUPDATE)
  get_filename_component(name ${TS} NAME)
  set(ts ${qm_dir}/updated-${name})
  file(COPY_FILE ${TS} ${ts})
  execute_process(COMMAND ${LUPDATE} ${LUPDATE_OPTIONS} ${SOURCES} -ts ${ts}
                  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${SOURCES}:\n${out}")
  endif()
endif()
file(REMOVE ${QM})
execute_process(COMMAND ${LRELEASE} ${ts} -qm ${QM}.part
                OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lrelease failed on ${ts}:\n${out}")
endif()
# "Generated 40 translation(s) (38 finished and 2 unfinished)", "Ignored 3 untranslated source text(s)"
string(REGEX MATCH "[0-9]+ unfinished" unfinished "${out}")
string(REGEX MATCH "Ignored [0-9]+ untranslated" untranslated "${out}")
if((unfinished AND NOT unfinished STREQUAL "0 unfinished") OR untranslated)
  file(REMOVE ${QM}.part)
  message(FATAL_ERROR "${TS} is not finished (run lupdate: target update_translations, then translate "
                      "every text marked unfinished):\n${out}")
endif()
file(RENAME ${QM}.part ${QM})
