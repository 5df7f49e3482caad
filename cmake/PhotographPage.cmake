# cmake -DREPORT=<vsl-report> -DCHROMIUM=<chromium> -DSAVES=<folder of saves> -DWORK=<folder>
#       -DPICTURE=<png> -P PhotographPage.cmake
# The standings page of the saves in a headless browser, in each language at a desktop's and a phone's
# width: WORK/standings-<language>-<width>.png; the English desktop picture also becomes PICTURE.
file(GLOB saves ${SAVES}/*.Save)
list(SORT saves)
file(MAKE_DIRECTORY ${WORK})
foreach(language en ru)
  execute_process(COMMAND ${REPORT} --format html --language ${language} --output ${WORK}/standings-${language}.html
                          ${saves}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "vsl-report could not write the ${language} page")
  endif()
  foreach(size 1280,1500 390,1500)
    string(REGEX REPLACE ",.*" "" width ${size})
    set(png ${WORK}/standings-${language}-${width}.png)
    execute_process(COMMAND ${CHROMIUM} --headless --no-sandbox --disable-gpu --hide-scrollbars
                            --screenshot=${png} --window-size=${size} file://${WORK}/standings-${language}.html
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0 OR NOT EXISTS ${png})
      message(FATAL_ERROR "${CHROMIUM} could not photograph the ${language} page at ${width} pixels")
    endif()
  endforeach()
endforeach()
file(COPY_FILE ${WORK}/standings-en-1280.png ${PICTURE})
