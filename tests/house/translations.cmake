# Every text of the windows has a finished English and French translation, and no translation is
# left of a text the code no longer has. lupdate reads the code into copies of the .ts files, as
# the target update_translations would; the copies then tell what is new or gone.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... "-DTS_FILES=..." "-DSOURCES=..." -P translations.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(copies "")
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  file(COPY_FILE ${ts} ${WORK_DIR}/${name})
  list(APPEND copies ${WORK_DIR}/${name})
endforeach()

execute_process(
  COMMAND ${LUPDATE} -locations none -no-ui-lines -I ${SOURCE_DIR} ${SOURCES} -ts ${copies}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()

set(faults "")
foreach(copy IN LISTS copies)
  get_filename_component(name ${copy} NAME)
  file(READ ${copy} ts)
  # One <message> per match: its source and the type of its translation, if any.
  string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation[^>]*>"
         messages "${ts}")
  foreach(message IN LISTS messages)
    if(message MATCHES "<source>([^<]*)</source>.*type=\"(unfinished|vanished|obsolete)\"")
      if(CMAKE_MATCH_2 STREQUAL "unfinished")
        string(APPEND faults "${name}: not translated: ${CMAKE_MATCH_1}\n")
      else()
        string(APPEND faults "${name}: no longer in the code: ${CMAKE_MATCH_1}\n")
      endif()
    endif()
  endforeach()
  list(LENGTH messages count)
  if(count EQUAL 0)
    string(APPEND faults "${name}: no texts found\n")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "The translations do not match the code (cmake --build build --target "
                      "update_translations, then translate):\n${faults}")
endif()
